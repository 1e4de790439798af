// The pixel loops are written for the compiler to vectorise; ask for that
// whatever the build's optimisation level.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O3")
#endif

#include "platform/pixelblit.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
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

// The first row is filled pixel by pixel and copied into the others, so
// every later row goes at the speed of the library's block copy.
template <class P>
void FillRows(u8* first, std::ptrdiff_t pitch, int w, int h, u32 value) {
    const P v = FromValue<P>(value);
    std::fill_n(reinterpret_cast<P*>(first), w, v);
    const std::size_t bytes = static_cast<std::size_t>(w) * sizeof(P);
    for (int y = 1; y < h; ++y) std::memcpy(first + y * pitch, first, bytes);
}

// Whether every byte of the pixel's bytesPerPixel bytes is the same, so the
// fill is a plain byte fill.
bool OneByte(u32 value, int bytesPerPixel) {
    const u32 b = value & 0xFF;
    for (int i = 1; i < bytesPerPixel; ++i)
        if (((value >> (8 * i)) & 0xFF) != b) return false;
    return true;
}

// Fills `pixels` 2- or 4-byte pixels from `first` on as 32-bit words through
// wmemset, when the platform's wide character is such a word and `first` is
// aligned for it. Returns false, having written nothing, otherwise.
bool FillWords(u8* first, long long pixels, int bytesPerPixel, u32 value) {
    if constexpr (sizeof(wchar_t) != 4) {
        return false;
    } else {
        if (bytesPerPixel != 2 && bytesPerPixel != 4) return false;
        if (reinterpret_cast<std::uintptr_t>(first) % alignof(wchar_t) != 0) return false;
        const u32 word = bytesPerPixel == 2 ? (value & 0xFFFF) * 0x10001u : value;
        const long long bytes = pixels * bytesPerPixel;
        std::wmemset(reinterpret_cast<wchar_t*>(first), static_cast<wchar_t>(word), static_cast<std::size_t>(bytes / 4));
        if (bytes % 4 != 0) {
            const u16 half = static_cast<u16>(value);
            std::memcpy(first + bytes - 2, &half, 2);
        }
        return true;
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
    if (sameWidth && !keyed && !b.mirrorUpDown && b.srcHeight == b.dstHeight && b.wholeRows &&
        b.srcPitch == b.dstPitch) {
        const std::size_t rowBytes = static_cast<std::size_t>(b.dstWidth) * sizeof(P);
        std::memcpy(b.dst, b.src, static_cast<std::size_t>(b.dstHeight - 1) * static_cast<std::size_t>(b.dstPitch) + rowBytes);
        return;
    }
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
                std::uint32_t value, bool wholeRows) {
    if (w <= 0 || h <= 0 || bytesPerPixel < 1 || bytesPerPixel > 4) return;
    // Whole rows whose pitch holds whole pixels are one long run from the
    // first pixel to the last, filled at the speed of the library's fills.
    if (wholeRows && h > 1 && pitch > 0 && pitch % bytesPerPixel == 0) {
        const long long pixels = static_cast<long long>(pitch / bytesPerPixel) * (h - 1) + w;
        if (OneByte(value, bytesPerPixel)) {
            std::memset(first, static_cast<int>(value & 0xFF), static_cast<std::size_t>(pixels * bytesPerPixel));
            return;
        }
        if (FillWords(first, pixels, bytesPerPixel, value)) return;
    }
    if (OneByte(value, bytesPerPixel)) {
        const std::size_t bytes = static_cast<std::size_t>(w) * static_cast<std::size_t>(bytesPerPixel);
        for (int y = 0; y < h; ++y) std::memset(first + y * pitch, static_cast<int>(value & 0xFF), bytes);
        return;
    }
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
