#include "platform/display/pixelblit.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <cwchar>
#include <type_traits>
#include <vector>

#include "platform/system/pixelvectors.h"

#if VANTORRA_SSE2_PIXELS
#include <emmintrin.h>
#endif

namespace plat {
namespace {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;
using u64 = std::uint64_t;

// A 3-byte pixel, so that the 24-bit loops share the code of the others.
struct Pixel24 {
    u8 b[3];
};
static_assert(sizeof(Pixel24) == 3);

template <class P>
u32 Value(P p) {
    if constexpr (std::is_same_v<P, Pixel24>)
        return p.b[0] | (u32{p.b[1]} << 8) | (u32{p.b[2]} << 16);
    else
        return p;
}

template <class P>
P FromValue(u32 v) {
    if constexpr (std::is_same_v<P, Pixel24>)
        return Pixel24{{u8(v), u8(v >> 8), u8(v >> 16)}};
    else
        return static_cast<P>(v);
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
        std::wmemset(reinterpret_cast<wchar_t*>(first), static_cast<wchar_t>(word),
                     static_cast<std::size_t>(bytes / 4));
        if (bytes % 4 != 0) {
            const u16 half = static_cast<u16>(value);
            std::memcpy(first + bytes - 2, &half, 2);
        }
        return true;
    }
}

// The key test of the keyed loops for one pixel size: a pixel is shown when
// its value less `low` is above `span` (unsigned), or always when `all`.
struct RowKey {
    bool all = false;
    u32 low = 0, span = 0;
};

RowKey MakeRowKey(int bytesPerPixel, u32 keyLow, u32 keyHigh) {
    RowKey k;
    const u32 top = bytesPerPixel == 4 ? 0xFFFFFFFFu : (1u << (8 * bytesPerPixel)) - 1;
    // An empty range, or one above every value of the pixel size, keys
    // nothing; a range reaching past the top ends at the top.
    if (keyLow > keyHigh || keyLow > top) {
        k.all = true;
        return k;
    }
    k.low = keyLow;
    k.span = std::min(keyHigh, top) - keyLow;
    return k;
}

// One row of a keyed copy at the same width: the shown source pixels
// replace the destination's. Eight or four pixels at a time where the
// pixel size allows it: a select under the mask of shown pixels, so the
// loop has no branch.
template <class P>
void KeyedRow(const P* __restrict s, P* __restrict d, int w, RowKey key) {
    int i = 0;
#if VANTORRA_SSE2_PIXELS
    if constexpr (std::is_same_v<P, u16> || std::is_same_v<P, u32>) {
        constexpr bool kWide = std::is_same_v<P, u32>;
        constexpr int kStep = 16 / sizeof(P);
        const __m128i flip = kWide ? _mm_set1_epi32(INT32_MIN) : _mm_set1_epi16(INT16_MIN);
        const __m128i low =
            kWide ? _mm_set1_epi32(static_cast<int>(key.low)) : _mm_set1_epi16(static_cast<short>(key.low));
        const __m128i span = _mm_xor_si128(
            kWide ? _mm_set1_epi32(static_cast<int>(key.span)) : _mm_set1_epi16(static_cast<short>(key.span)), flip);
        for (; i + kStep <= w; i += kStep) {
            const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
            const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
            const __m128i off = _mm_xor_si128(kWide ? _mm_sub_epi32(sv, low) : _mm_sub_epi16(sv, low), flip);
            const __m128i shown = kWide ? _mm_cmpgt_epi32(off, span) : _mm_cmpgt_epi16(off, span);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i),
                             _mm_or_si128(_mm_and_si128(shown, sv), _mm_andnot_si128(shown, dv)));
        }
    }
#endif
    for (; i < w; ++i)
        if (static_cast<u32>(Value(s[i]) - key.low) > key.span) d[i] = s[i];
}

// memcpy, but a large block goes with stores that bypass the caches: a
// whole-surface copy is larger than the caches, and the stores then need not
// read the destination in first.
void CopyBlock(u8* dst, const u8* src, std::size_t bytes) {
#if VANTORRA_SSE2_PIXELS
    constexpr std::size_t kStreamFrom = std::size_t{1} << 20;
    if (bytes >= kStreamFrom) {
        const std::size_t head = (16 - reinterpret_cast<std::uintptr_t>(dst) % 16) % 16;
        std::memcpy(dst, src, head);
        dst += head;
        src += head;
        bytes -= head;
        const std::size_t blocks = bytes / 64;
        for (std::size_t i = 0; i < blocks; ++i, dst += 64, src += 64) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16));
            const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 32));
            const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 48));
            _mm_stream_si128(reinterpret_cast<__m128i*>(dst), a);
            _mm_stream_si128(reinterpret_cast<__m128i*>(dst + 16), b);
            _mm_stream_si128(reinterpret_cast<__m128i*>(dst + 32), c);
            _mm_stream_si128(reinterpret_cast<__m128i*>(dst + 48), d);
        }
        _mm_sfence();
        std::memcpy(dst, src, bytes % 64);
        return;
    }
#endif
    std::memcpy(dst, src, bytes);
}

// The source index of each of `count` destination indices for a nearest-
// pixel stretch from `from` to `count`: floor(c * from / count), reversed
// when mirrored. Stepped with a remainder instead of divided, so the values
// are exact. The table is kept between calls and made again only when the
// stretch changes: a picture drawn at one size every frame reuses it.
struct StretchTable {
    std::vector<int> index;
    int from = -1, count = -1;
    bool mirrored = false;

    const int* For(int f, int c, bool m) {
        if (f == from && c == count && m == mirrored) return index.data();
        if (index.size() < static_cast<std::size_t>(c)) index.resize(static_cast<std::size_t>(c));
        const int step = f / c, rest = f % c;
        int q = 0, r = 0;
        for (int k = 0; k < c; ++k) {
            index[static_cast<std::size_t>(m ? c - 1 - k : k)] = q;
            q += step;
            r += rest;
            if (r >= c) {
                r -= c;
                ++q;
            }
        }
        from = f;
        count = c;
        mirrored = m;
        return index.data();
    }
};

// One row of an opaque nearest-pixel stretch: pixel i takes source pixel
// col[i]. The 2- and 4-byte pixels are gathered four or two at a time into
// one 8-byte store, which halves the stores of the plain loop or better.
template <class P>
void StretchRow(const P* __restrict s, P* __restrict d, const int* __restrict col, int w) {
    int i = 0;
    if constexpr (std::endian::native == std::endian::little && sizeof(P) == 2) {
        for (; i + 4 <= w; i += 4) {
            const u64 v =
                u64{s[col[i]]} | u64{s[col[i + 1]]} << 16 | u64{s[col[i + 2]]} << 32 | u64{s[col[i + 3]]} << 48;
            std::memcpy(d + i, &v, sizeof v);
        }
    } else if constexpr (std::endian::native == std::endian::little && sizeof(P) == 4) {
        for (; i + 2 <= w; i += 2) {
            const u64 v = u64{s[col[i]]} | u64{s[col[i + 1]]} << 32;
            std::memcpy(d + i, &v, sizeof v);
        }
    }
    for (; i < w; ++i) d[i] = s[col[i]];
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
        CopyBlock(b.dst, b.src,
                  static_cast<std::size_t>(b.dstHeight - 1) * static_cast<std::size_t>(b.dstPitch) + rowBytes);
        return;
    }
    const RowKey rowKey = MakeRowKey(static_cast<int>(sizeof(P)), b.keyLow, b.keyHigh);
    thread_local StretchTable columnTable, rowTable;
    const int* col = sameWidth ? nullptr : columnTable.For(b.srcWidth, b.dstWidth, b.mirrorLeftRight);
    const int* rows = rowTable.For(b.srcHeight, b.dstHeight, b.mirrorUpDown);
    const std::size_t rowBytes = static_cast<std::size_t>(b.dstWidth) * sizeof(P);
    for (int j = 0; j < b.dstHeight; ++j) {
        const int sy = rows[j];
        const P* srow = reinterpret_cast<const P*>(b.src + sy * b.srcPitch);
        P* drow = reinterpret_cast<P*>(b.dst + j * b.dstPitch);
        if (sameWidth) {
            if (keyed && !rowKey.all)
                KeyedRow<P>(srow, drow, b.dstWidth, rowKey);
            else
                std::memcpy(drow, srow, rowBytes);
            continue;
        }
        if (keyed) {
            for (int i = 0; i < b.dstWidth; ++i) {
                const P sv = srow[col[i]];
                if (static_cast<u32>(Value(sv) - b.keyLow) > span) drow[i] = sv;
            }
        } else if (j > 0 && rows[j - 1] == sy) {
            // The same source row as the row above: the same pixels.
            std::memcpy(drow, reinterpret_cast<const u8*>(drow) - b.dstPitch, rowBytes);
        } else {
            StretchRow<P>(srow, drow, col, b.dstWidth);
        }
    }
}

// n bytes, sizeof(T) <= n <= 2 * sizeof(T), as two moves that may overlap.
template <class T>
inline void CopyOverlapped(u8* __restrict dst, const u8* __restrict src, std::size_t n) {
    T first, last;
    std::memcpy(&first, src, sizeof(T));
    std::memcpy(&last, src + n - sizeof(T), sizeof(T));
    std::memcpy(dst, &first, sizeof(T));
    std::memcpy(dst + n - sizeof(T), &last, sizeof(T));
}

// 16 and 64 bytes moved at once.
inline void Move16(u8* __restrict dst, const u8* __restrict src) {
#if VANTORRA_SSE2_PIXELS
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_loadu_si128(reinterpret_cast<const __m128i*>(src)));
#else
    std::memcpy(dst, src, 16);
#endif
}

inline void Move64(u8* __restrict dst, const u8* __restrict src) {
#if VANTORRA_SSE2_PIXELS
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 32));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 48));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 16), b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 32), c);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 48), d);
#else
    std::memcpy(dst, src, 64);
#endif
}

// A short run is copied with moves that may overlap rather than a call; a
// run of up to 256 bytes goes as 64-byte and then 16-byte moves, the last
// one ending on the run's end.
inline void CopyRun(u8* __restrict dst, const u8* __restrict src, std::size_t n) {
    if (n > 256)
        std::memcpy(dst, src, n);
    else if (n >= 16) {
        std::size_t i = 0;
        for (; i + 64 <= n; i += 64) Move64(dst + i, src + i);
        for (; i + 16 < n; i += 16) Move16(dst + i, src + i);
        Move16(dst + n - 16, src + n - 16);
    } else if (n >= 8)
        CopyOverlapped<u64>(dst, src, n);
    else if (n >= 4)
        CopyOverlapped<u32>(dst, src, n);
    else if (n >= 2)
        CopyOverlapped<u16>(dst, src, n);
    else if (n == 1)
        *dst = *src;
}

// Bit i of masks[i / 64] set when pixel i of the row is shown; the bits past
// the row's last pixel are clear.
void ShownMasks(const u8* row, int bytesPerPixel, int w, RowKey key, u64* masks) {
    const int words = (w + 63) / 64;
    if (key.all) {
        for (int k = 0; k < words; ++k) masks[k] = ~u64{0};
        if (w % 64) masks[words - 1] = (u64{1} << (w % 64)) - 1;
        return;
    }
    int x = 0;
#if VANTORRA_SSE2_PIXELS
    // Sixteen pixels at a time: the unsigned compare of value less `low`
    // with `span` is a signed compare with the top bits flipped.
    if (bytesPerPixel == 2) {
        const __m128i flip = _mm_set1_epi16(INT16_MIN);
        const __m128i low = _mm_set1_epi16(static_cast<short>(key.low));
        const __m128i span = _mm_xor_si128(_mm_set1_epi16(static_cast<short>(key.span)), flip);
        auto shown = [&](const u8* p) {
            const __m128i v = _mm_sub_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), low);
            return _mm_cmpgt_epi16(_mm_xor_si128(v, flip), span);
        };
        for (; x + 16 <= w; x += 16) {
            const u8* p = row + static_cast<std::ptrdiff_t>(x) * 2;
            const u64 bits = static_cast<u32>(_mm_movemask_epi8(_mm_packs_epi16(shown(p), shown(p + 16))));
            masks[x / 64] = x % 64 ? masks[x / 64] | bits << (x % 64) : bits;
        }
    } else if (bytesPerPixel == 4) {
        const __m128i flip = _mm_set1_epi32(INT32_MIN);
        const __m128i low = _mm_set1_epi32(static_cast<int>(key.low));
        const __m128i span = _mm_xor_si128(_mm_set1_epi32(static_cast<int>(key.span)), flip);
        auto shown = [&](const u8* p) {
            const __m128i v = _mm_sub_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), low);
            return _mm_cmpgt_epi32(_mm_xor_si128(v, flip), span);
        };
        for (; x + 16 <= w; x += 16) {
            const u8* p = row + static_cast<std::ptrdiff_t>(x) * 4;
            const __m128i bytes = _mm_packs_epi16(_mm_packs_epi32(shown(p), shown(p + 16)),
                                                  _mm_packs_epi32(shown(p + 32), shown(p + 48)));
            const u64 bits = static_cast<u32>(_mm_movemask_epi8(bytes));
            masks[x / 64] = x % 64 ? masks[x / 64] | bits << (x % 64) : bits;
        }
    }
#endif
    // The rest one pixel at a time, each read whole as its size's value.
    auto rest = [&](auto pixel) {
        using P = decltype(pixel);
        for (; x < w; ++x) {
            P v;
            std::memcpy(&v, row + static_cast<std::ptrdiff_t>(x) * sizeof(P), sizeof(P));
            const u64 bit = static_cast<u32>(Value(v) - key.low) > key.span ? 1 : 0;
            masks[x / 64] = x % 64 ? masks[x / 64] | bit << (x % 64) : bit;
        }
    };
    switch (bytesPerPixel) {
        case 1: rest(u8{}); break;
        case 2: rest(u16{}); break;
        case 3: rest(Pixel24{}); break;
        default: rest(u32{}); break;
    }
}

// The first pixel at or after x (below w) whose bit is set (or clear, when
// `clear`), or w when there is none.
int NextBit(const u64* masks, std::size_t words, int x, int w, bool clear) {
    if (x >= w) return w;
    const u64 flip = clear ? ~u64{0} : 0;
    std::size_t k = static_cast<std::size_t>(x) / 64;
    const u64 bits = (masks[k] ^ flip) >> (x % 64);
    if (bits) return std::min(w, x + std::countr_zero(bits));
    for (++k; k < words; ++k)
        if (const u64 b = masks[k] ^ flip) return std::min(w, static_cast<int>(k * 64) + std::countr_zero(b));
    return w;
}

}  // namespace

void FillPixels(std::uint8_t* first, std::ptrdiff_t pitch, int bytesPerPixel, int w, int h, std::uint32_t value,
                bool wholeRows) {
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

KeyedRuns FindKeyedRuns(const std::uint8_t* first, std::ptrdiff_t pitch, int bytesPerPixel, int w, int h,
                        std::uint32_t keyLow, std::uint32_t keyHigh, std::size_t maxRuns) {
    KeyedRuns out;
    out.width = w;
    out.height = h;
    if (w <= 0 || h <= 0 || bytesPerPixel < 1 || bytesPerPixel > 4) {
        out.rowStart.assign(static_cast<std::size_t>(std::max(h, 0)) + 1, 0);
        return out;
    }
    // Which pixels are shown, a bit each, 64 to a word, every row starting a
    // new word; then the runs counted from the edges in those words, so the
    // list is allocated once, and read off them.
    const RowKey key = MakeRowKey(bytesPerPixel, keyLow, keyHigh);
    const auto words = static_cast<std::size_t>((w + 63) / 64);
    std::vector<u64> shown(words * static_cast<std::size_t>(h));
    std::size_t count = 0;
    for (int y = 0; y < h; ++y) {
        u64* masks = shown.data() + static_cast<std::size_t>(y) * words;
        ShownMasks(first + y * pitch, bytesPerPixel, w, key, masks);
        u64 before = 0;  // the bit left of each word's first pixel
        for (std::size_t k = 0; k < words; ++k) {
            count += static_cast<std::size_t>(std::popcount(masks[k] & ~(masks[k] << 1 | before)));
            before = masks[k] >> 63;
        }
        if (count > maxRuns) {
            out.usable = false;
            out.rowStart.assign(static_cast<std::size_t>(h) + 1, 0);
            return out;
        }
    }
    out.runs.reserve(count);
    out.rowStart.reserve(static_cast<std::size_t>(h) + 1);
    for (int y = 0; y < h; ++y) {
        out.rowStart.push_back(static_cast<u32>(out.runs.size()));
        const u64* masks = shown.data() + static_cast<std::size_t>(y) * words;
        for (int x = NextBit(masks, words, 0, w, false); x < w;) {
            const int end = NextBit(masks, words, x, w, true);
            out.runs.push_back({x, y, end - x});
            x = NextBit(masks, words, end, w, false);
        }
    }
    out.rowStart.push_back(static_cast<u32>(out.runs.size()));
    return out;
}

void BlitKeyedRuns(const KeyedRuns& runs, const std::uint8_t* origin, std::ptrdiff_t srcPitch, int bytesPerPixel,
                   int left, int top, int w, int h, std::uint8_t* dst, std::ptrdiff_t dstPitch) {
    if (w <= 0 || h <= 0 || left < 0 || top < 0 || left + w > runs.width || top + h > runs.height) return;
    const int right = left + w;
    const auto bpp = static_cast<std::size_t>(bytesPerPixel);
    if (left == 0 && top == 0 && w == runs.width && h == runs.height) {
        // The whole picture: one pass over all its runs.
        for (const KeyedRuns::Run& run : runs.runs) {
            const std::size_t at = static_cast<std::size_t>(run.x) * bpp;
            CopyRun(dst + run.y * dstPitch + at, origin + run.y * srcPitch + at,
                    static_cast<std::size_t>(run.count) * bpp);
        }
        return;
    }
    if (left == 0 && w == runs.width) {
        // Whole rows: every run goes as it is.
        for (int j = 0; j < h; ++j) {
            const auto y = static_cast<std::size_t>(top + j);
            const u8* srow = origin + static_cast<std::ptrdiff_t>(y) * srcPitch;
            u8* drow = dst + j * dstPitch;
            const KeyedRuns::Run* run = runs.runs.data() + runs.rowStart[y];
            const KeyedRuns::Run* end = runs.runs.data() + runs.rowStart[y + 1];
            for (; run != end; ++run) {
                const std::size_t at = static_cast<std::size_t>(run->x) * bpp;
                CopyRun(drow + at, srow + at, static_cast<std::size_t>(run->count) * bpp);
            }
        }
        return;
    }
    for (int j = 0; j < h; ++j) {
        const int y = top + j;
        const u8* srow = origin + y * srcPitch;
        u8* drow = dst + j * dstPitch - static_cast<std::ptrdiff_t>(left) * bytesPerPixel;
        const KeyedRuns::Run* run = runs.runs.data() + runs.rowStart[static_cast<std::size_t>(y)];
        const KeyedRuns::Run* end = runs.runs.data() + runs.rowStart[static_cast<std::size_t>(y) + 1];
        for (; run != end && run->x < right; ++run) {
            const int a = std::max(run->x, left);
            const int b = std::min(run->x + run->count, right);
            if (b <= a) continue;
            CopyRun(drow + static_cast<std::size_t>(a) * bpp, srow + static_cast<std::size_t>(a) * bpp,
                    static_cast<std::size_t>(b - a) * bpp);
        }
    }
}

}  // namespace plat
