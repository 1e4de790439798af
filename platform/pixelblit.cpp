#include "platform/pixelblit.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

namespace plat {
namespace {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;

// A 3-byte pixel, so that the 24-bit loops share the code of the others.
struct Pixel24 {
    u8 b[3];
};
static_assert(sizeof(Pixel24) == 3);

template <class P>
u32 Value(P p) {
    if constexpr (std::is_same_v<P, Pixel24>) return p.b[0] | (u32{p.b[1]} << 8) | (u32{p.b[2]} << 16);
    else return p;
}

template <class P>
P FromValue(u32 v) {
    if constexpr (std::is_same_v<P, Pixel24>) return Pixel24{{u8(v), u8(v >> 8), u8(v >> 16)}};
    else return static_cast<P>(v);
}

template <class P>
void FillRows(u8* first, std::ptrdiff_t pitch, int w, int h, u32 value) {
    const P v = FromValue<P>(value);
    for (int y = 0; y < h; ++y, first += pitch) {
        P* row = reinterpret_cast<P*>(first);
        std::fill_n(row, w, v);
    }
}

// One row of a keyed copy at the same width. `in` is the key range as an
// offset from keyLow, so one unsigned compare tests it; the select keeps the
// loop branch-free and lets it vectorise.
template <class P>
void KeyedRow(const P* __restrict s, P* __restrict d, int w, u32 keyLow, u32 span) {
    for (int i = 0; i < w; ++i) {
        const P sv = s[i];
        const bool key = static_cast<u32>(Value(sv) - keyLow) <= span;
        d[i] = key ? d[i] : sv;
    }
}

template <>
void KeyedRow<Pixel24>(const Pixel24* __restrict s, Pixel24* __restrict d, int w, u32 keyLow, u32 span) {
    for (int i = 0; i < w; ++i)
        if (static_cast<u32>(Value(s[i]) - keyLow) > span) d[i] = s[i];
}

template <class P>
void Blit(const PixelBlit& b) {
    const u32 span = b.keyHigh - b.keyLow;
    // An empty key range (low above high) keys nothing.
    const bool keyed = b.keyed && b.keyLow <= b.keyHigh;
    const bool sameWidth = b.srcWidth == b.dstWidth && !b.mirrorLeftRight;
    std::vector<int> columns;
    if (!sameWidth) {
        columns.resize(static_cast<std::size_t>(b.dstWidth));
        for (int i = 0; i < b.dstWidth; ++i) {
            const int c = b.mirrorLeftRight ? b.dstWidth - 1 - i : i;
            columns[static_cast<std::size_t>(i)] =
                static_cast<int>(static_cast<long long>(c) * b.srcWidth / b.dstWidth);
        }
    }
    for (int j = 0; j < b.dstHeight; ++j) {
        const int r = b.mirrorUpDown ? b.dstHeight - 1 - j : j;
        const int sy = b.srcHeight == b.dstHeight
                           ? r
                           : static_cast<int>(static_cast<long long>(r) * b.srcHeight / b.dstHeight);
        const P* srow = reinterpret_cast<const P*>(b.src + sy * b.srcPitch);
        P* drow = reinterpret_cast<P*>(b.dst + j * b.dstPitch);
        if (sameWidth) {
            if (keyed) KeyedRow<P>(srow, drow, b.dstWidth, b.keyLow, span);
            else std::memcpy(drow, srow, static_cast<std::size_t>(b.dstWidth) * sizeof(P));
            continue;
        }
        const int* col = columns.data();
        if (keyed) {
            for (int i = 0; i < b.dstWidth; ++i) {
                const P sv = srow[col[i]];
                if (static_cast<u32>(Value(sv) - b.keyLow) > span) drow[i] = sv;
            }
        } else {
            for (int i = 0; i < b.dstWidth; ++i) drow[i] = srow[col[i]];
        }
    }
}

}  // namespace

void FillPixels(std::uint8_t* first, std::ptrdiff_t pitch, int bytesPerPixel, int w, int h,
                std::uint32_t value) {
    if (w <= 0 || h <= 0) return;
    switch (bytesPerPixel) {
        case 1: FillRows<u8>(first, pitch, w, h, value); break;
        case 2: FillRows<u16>(first, pitch, w, h, value); break;
        case 3: FillRows<Pixel24>(first, pitch, w, h, value); break;
        case 4: FillRows<u32>(first, pitch, w, h, value); break;
        default: break;
    }
}

void BlitPixels(const PixelBlit& blit) {
    if (blit.dstWidth <= 0 || blit.dstHeight <= 0 || blit.srcWidth <= 0 || blit.srcHeight <= 0) return;
    switch (blit.bytesPerPixel) {
        case 1: Blit<u8>(blit); break;
        case 2: Blit<u16>(blit); break;
        case 3: Blit<Pixel24>(blit); break;
        case 4: Blit<u32>(blit); break;
        default: break;
    }
}

}  // namespace plat
