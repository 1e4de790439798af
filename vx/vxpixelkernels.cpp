#include "vx/vxpixelkernels.h"

#include <cstring>
#include <type_traits>

#include "platform/system/pixelvectors.h"

#if VANTORRA_SSE2_PIXELS
#include <emmintrin.h>
#endif

namespace vx {
namespace {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;

// ---- Formats ------------------------------------------------------------
//
// A format splits a pixel into its three channels and puts them back. The
// blend arithmetic of each mode is written once per channel for one pixel,
// and each format instantiates it: that is the whole loop in a scalar build,
// and the end of each row that the vector code leaves.

template <int RedShift, unsigned GreenBits>
struct Format16Bits {
    using Pixel = u16;
    static constexpr int kRedShift = RedShift;
    static constexpr u16 kGreenMask = (1u << GreenBits) - 1;  // after the shift by 5
    // Every bit a channel holds (bit 15 is always written 0 at 15 bits).
    static constexpr u16 kChannelBits = static_cast<u16>((31u << RedShift) | (kGreenMask << 5) | 31u);
    // The bits of floor(c / 2) for each channel c in place: the pixel shifted
    // down, less the low bit of red and of green that land on the channel
    // below.
    static constexpr u32 HalfMask = (kChannelBits >> 1) & ~((1u << (RedShift - 1)) | (1u << 4));
    static constexpr u32 KeyMask = 0xFFFF;
    template <class Fn>
    static Pixel Channels(Pixel s, Pixel d, Fn fn) {
        const u16 r = fn(u16((s >> RedShift) & 31u), u16((d >> RedShift) & 31u));
        const u16 g = fn(u16((s >> 5) & kGreenMask), u16((d >> 5) & kGreenMask));
        const u16 b = fn(u16(s & 31u), u16(d & 31u));
        return static_cast<Pixel>((r << RedShift) | (g << 5) | b);
    }
    static Pixel Keep(Pixel /*d*/, u32 v) { return static_cast<Pixel>(v); }
};

using Format15 = Format16Bits<10, 5>;
using Format16 = Format16Bits<11, 6>;
static_assert(Format15::HalfMask == 0x3DEF && Format16::HalfMask == 0x7BEF);
static_assert(Format15::kChannelBits == 0x7FFF && Format16::kChannelBits == 0xFFFF);

struct Format32 {
    using Pixel = u32;
    static constexpr u32 HalfMask = 0x7F7F7F;
    static constexpr u32 KeyMask = 0xFFFFFF;
    // Bytes 0-2 are the channels; byte 3 of the destination is kept.
    template <class Fn>
    static Pixel Channels(Pixel s, Pixel d, Fn fn) {
        const u32 r = fn(u16((s >> 16) & 255u), u16((d >> 16) & 255u));
        const u32 g = fn(u16((s >> 8) & 255u), u16((d >> 8) & 255u));
        const u32 b = fn(u16(s & 255u), u16(d & 255u));
        return (d & 0xFF000000u) | (r << 16) | (g << 8) | b;
    }
    static Pixel Keep(Pixel d, u32 v) { return (d & 0xFF000000u) | (v & 0x00FFFFFFu); }
};

// 24-bit channel split: byte 0 blue, 1 green, 2 red.
template <class Fn>
u32 Channels24(u32 s, u32 d, Fn fn) {
    const u32 r = fn(u16((s >> 16) & 255u), u16((d >> 16) & 255u));
    const u32 g = fn(u16((s >> 8) & 255u), u16((d >> 8) & 255u));
    const u32 b = fn(u16(s & 255u), u16(d & 255u));
    return (r << 16) | (g << 8) | b;
}

// One channel floor((w s + (256 - w) d) / 256), w at most 256: every
// product and sum fits in 16 bits (at most 256 x 255).
auto Mix(u16 w) {
    const u16 iw = static_cast<u16>(256u - w);
    return [w, iw](u16 s, u16 d) { return u16(u16(u16(w * s) + u16(iw * d)) >> 8); };
}

// ---- Vector lanes -------------------------------------------------------------
//
// The same arithmetic on 16 bytes at a time, in SSE2's 16-bit lanes: eight
// 15- or 16-bit pixels, or the channel bytes of 24- and 32-bit pixels, low
// and high byte of each lane apart. Each mode is worked out so that it gives
// exactly the per-pixel result with as few operations as the lanes allow,
// taking channels in place where their products fit.

#if VANTORRA_SSE2_PIXELS
using Lanes16 = u16 __attribute__((vector_size(16)));
using Lanes32 = u32 __attribute__((vector_size(16)));
using Signed16 = std::int16_t __attribute__((vector_size(16)));

template <class V>
[[gnu::always_inline]] inline V LoadLanes(const void* at) {
    V v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

template <class V>
[[gnu::always_inline]] inline void StoreLanes(void* at, V v) {
    std::memcpy(at, &v, sizeof v);
}

template <class V>
[[gnu::always_inline]] inline Lanes16 As16(V v) {
    return reinterpret_cast<Lanes16>(v);
}

// The high 16 bits of each lane's product, unsigned and signed.
[[gnu::always_inline]] inline Lanes16 MulHigh(Lanes16 a, Lanes16 b) {
    return As16(_mm_mulhi_epu16(reinterpret_cast<__m128i>(a), reinterpret_cast<__m128i>(b)));
}
[[gnu::always_inline]] inline Lanes16 MulHighSigned(Lanes16 a, Lanes16 b) {
    return As16(_mm_mulhi_epi16(reinterpret_cast<__m128i>(a), reinterpret_cast<__m128i>(b)));
}
// Each lane as a signed value, shifted right by 8: a floor division by 256.
[[gnu::always_inline]] inline Lanes16 FloorBy256(Lanes16 v) { return As16(reinterpret_cast<Signed16>(v) >> 8); }

// Eight map bytes, one a lane.
[[gnu::always_inline]] inline Lanes16 WidenBytes(const u8* at) {
    const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at));
    return As16(_mm_unpacklo_epi8(bytes, _mm_setzero_si128()));
}

// d where `keep` is set, v elsewhere.
template <class V>
[[gnu::always_inline]] inline V Select(V keep, V d, V v) {
    return v ^ ((v ^ d) & keep);
}

// The source weights of a channel mix in the forms the lanes use.
struct LaneWeights {
    Lanes16 w;   // w
    Lanes16 w7;  // w << 7, for the signed high product (w at most 255)
};
[[gnu::always_inline]] inline LaneWeights WeightsOf(Lanes16 w) { return {w, w << 7}; }

// 15- and 16-bit pixels, per channel d + floor(w (s - d) / 256), w at most
// 255. Red and blue are mixed as small values, their product with the
// signed difference within 16 bits (31 x 255); green stays in place: its
// doubled difference times w << 7, high half, is floor(w (s - d) 32 / 256),
// whose multiple of 32 below is the mixed green in place.
template <class Fmt>
[[gnu::always_inline]] inline Lanes16 MixPixelLanes(Lanes16 s, Lanes16 d, LaneWeights w) {
    constexpr u16 kGreen = Fmt::kGreenMask << 5;
    auto red = [](Lanes16 v) {
        if constexpr (Fmt::kRedShift + 5 == 16)
            return Lanes16(v >> Fmt::kRedShift);
        else
            return Lanes16((v >> Fmt::kRedShift) & 31);
    };
    const Lanes16 dr = red(d);
    const Lanes16 r = dr + FloorBy256((red(s) - dr) * w.w);
    const Lanes16 dg = d & kGreen;
    const Lanes16 dgDiff = (s & kGreen) - dg;
    const Lanes16 g = dg + (MulHighSigned(dgDiff + dgDiff, w.w7) & 0xFFE0);
    const Lanes16 db = d & 31;
    const Lanes16 b = db + FloorBy256(((s & 31) - db) * w.w);
    return (r << Fmt::kRedShift) | g | b;
}

// 15- and 16-bit pixels, per channel (f d) >> 8, F = f << 8 (f below 256):
// a channel in place times F, high half, is the shaded channel and what
// lies below it, which its mask drops.
template <class Fmt>
[[gnu::always_inline]] inline Lanes16 ShadePixelLanes(Lanes16 d, Lanes16 f8) {
    constexpr u16 kRed = 31u << Fmt::kRedShift, kGreen = Fmt::kGreenMask << 5;
    return (MulHigh(d & kRed, f8) & kRed) | (MulHigh(d & kGreen, f8) & kGreen) | MulHigh(d & 31, f8);
}

// Channel bytes, per byte floor((w s + iw d) / 256), with a weight pair for
// the low and one for the high bytes of the lanes (w + iw = 256, so every
// sum fits in 16 bits).
struct ByteWeights {
    Lanes16 low, lowInverse, high, highInverse;
};
[[gnu::always_inline]] inline Lanes16 MixByteLanes(Lanes16 s, Lanes16 d, const ByteWeights& w) {
    const Lanes16 low = ((s & 0xFF) * w.low + (d & 0xFF) * w.lowInverse) >> 8;
    const Lanes16 high = ((s >> 8) * w.high + (d >> 8) * w.highInverse) & 0xFF00;
    return low | high;
}
[[gnu::always_inline]] inline ByteWeights SameWeights(Lanes16 low, Lanes16 high) {
    return {low, 256 - low, high, 256 - high};
}

// Channel bytes, per byte (f d) >> 8, F = f << 8 (f below 256); `highMask`
// names the high bytes that are channels.
[[gnu::always_inline]] inline Lanes16 ShadeByteLanes(Lanes16 d, Lanes16 f8, Lanes16 lowMask, Lanes16 highMask) {
    return MulHigh(d & lowMask, f8) | (MulHigh(d & highMask, f8) & highMask);
}

// In the 16-bit lanes of four 32-bit pixels, the high bytes that are
// channels (green) and the mask of byte 3, which the modes keep.
constexpr Lanes32 kByte3 = {0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u};
[[gnu::always_inline]] inline Lanes16 Green32() { return As16(Lanes32{} + 0x0000FF00u); }
[[gnu::always_inline]] inline Lanes16 RedBlue32() { return As16(Lanes32{} + 0x00FF00FFu); }
// The weights of four 32-bit pixels, each given in both 16-bit lanes of its
// pixel: as they are for the low bytes, and in the green lane only for the
// high bytes, so that byte 3 mixes with weight 0 and stays.
[[gnu::always_inline]] inline ByteWeights Weights32(Lanes16 perPixel) {
    return SameWeights(perPixel, perPixel & As16(Lanes32{} + 0xFFFFu));
}
// The same for four pixels' map bytes.
[[gnu::always_inline]] inline ByteWeights MapWeights32(const u8* map) {
    u32 four;
    std::memcpy(&four, map, 4);
    const __m128i words = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(four)), _mm_setzero_si128());
    return Weights32(As16(_mm_unpacklo_epi16(words, words)));
}
#endif

// ---- Row walking ----------------------------------------------------------

// No vector code: the mode goes pixel by pixel.
struct PixelByPixel {};

// Walks w x h pixels of a 16- or 32-bit format. fn(s, d, i, j) gives the new
// destination pixel for row i, column j, and lanes(s, d, i, j) the 16 bytes
// of pixels from column j on. A keyed walk keeps d where the source pixel is
// the key; in the vector code the choice is a select under the mask of key
// pixels, so keyed rows have no branch.
template <class Fmt, bool Keyed, class Fn, class LanesFn>
void WalkRows(ConstPixelRows src, PixelRows dst, int w, int h, u32 key, Fn fn, LanesFn lanes) {
    using P = typename Fmt::Pixel;
#if VANTORRA_SSE2_PIXELS
    constexpr bool kVector = !std::is_same_v<LanesFn, PixelByPixel>;
    constexpr int kStep = 16 / sizeof(P);
    using L = std::conditional_t<sizeof(P) == 2, Lanes16, Lanes32>;
    const L keyLanes = L{} + static_cast<P>(key);
#else
    (void)lanes;
#endif
    const u8* srow = src.first;
    u8* drow = dst.first;
    for (int i = 0; i < h; ++i) {
        const P* __restrict s = reinterpret_cast<const P*>(srow);
        P* __restrict d = reinterpret_cast<P*>(drow);
        int j = 0;
#if VANTORRA_SSE2_PIXELS
        if constexpr (kVector) {
            auto group = [&](int at) {
                const Lanes16 sv = LoadLanes<Lanes16>(s + at);
                const Lanes16 dv = LoadLanes<Lanes16>(d + at);
                Lanes16 r = lanes(sv, dv, i, at);
                if constexpr (Keyed) r = Select(As16((reinterpret_cast<L>(sv) & Fmt::KeyMask) == keyLanes), dv, r);
                StoreLanes(d + at, r);
            };
            // Two groups a round, which gives the processor two independent
            // chains to interleave.
            for (; j + 2 * kStep <= w; j += 2 * kStep) {
                group(j);
                group(j + kStep);
            }
            if (j + kStep <= w) {
                group(j);
                j += kStep;
            }
        }
#endif
        for (; j < w; ++j) {
            const P sv = s[j];
            const P dv = d[j];
            P r = fn(sv, dv, i, j);
            if constexpr (Keyed) r = (static_cast<P>(sv & Fmt::KeyMask) == static_cast<P>(key)) ? dv : r;
            d[j] = r;
        }
        srow += src.pitch;
        drow += dst.pitch;
    }
}

// The same for 3-byte pixels; fn(s, d, i, j) works on 24-bit values. With
// vector code, bytes(s, d, w) gives 16 channel bytes from the source and
// destination bytes and, when Mapped, the map weight of each byte; rows then
// go 16 pixels (48 bytes) at a time, a keyed walk through a mask of the key
// pixels' bytes.
template <bool Keyed, bool Mapped, class Fn, class Bytes>
void WalkRows24(ConstPixelRows src, PixelRows dst, int w, int h, u32 key, Fn fn, Bytes bytes, const u8* map = nullptr,
                std::ptrdiff_t mapPitch = 0) {
#if !VANTORRA_SSE2_PIXELS
    (void)bytes;
    (void)map;
    (void)mapPitch;
#endif
    const u8* srow = src.first;
    u8* drow = dst.first;
    for (int i = 0; i < h; ++i) {
        const u8* s = srow;
        u8* d = drow;
        int j = 0;
#if VANTORRA_SSE2_PIXELS
        if constexpr (!std::is_same_v<Bytes, PixelByPixel>) {
            for (; j + 16 <= w; j += 16, s += 48, d += 48) {
                // Per pixel a 4-byte store at 3 bytes apart: each leaves its
                // last byte to the next pixel's, and the 49th is not used.
                u8 keep[52], weights[52];
                if constexpr (Keyed) {
                    for (int k = 0; k < 16; ++k) {
                        const u8* p = s + 3 * k;
                        const u32 v = p[0] | (u32{p[1]} << 8) | (u32{p[2]} << 16);
                        const u32 m = v == key ? ~0u : 0u;
                        std::memcpy(keep + 3 * k, &m, 4);
                    }
                }
                if constexpr (Mapped) {
                    const u8* m = map + i * mapPitch + j;
                    for (int k = 0; k < 16; ++k) {
                        const u32 v = m[k] * 0x01010101u;
                        std::memcpy(weights + 3 * k, &v, 4);
                    }
                }
                for (int k = 0; k < 48; k += 16) {
                    const Lanes16 dv = LoadLanes<Lanes16>(d + k);
                    Lanes16 r =
                        bytes(LoadLanes<Lanes16>(s + k), dv, Mapped ? LoadLanes<Lanes16>(weights + k) : Lanes16{});
                    if constexpr (Keyed) r = Select(LoadLanes<Lanes16>(keep + k), dv, r);
                    StoreLanes(d + k, r);
                }
            }
        }
#endif
        for (; j < w; ++j, s += 3, d += 3) {
            const u32 sv = s[0] | (u32{s[1]} << 8) | (u32{s[2]} << 16);
            if constexpr (Keyed) {
                if (sv == key) continue;
            }
            const u32 dv = d[0] | (u32{d[1]} << 8) | (u32{d[2]} << 16);
            const u32 r = fn(sv, dv, i, j);
            d[0] = static_cast<u8>(r);
            d[1] = static_cast<u8>(r >> 8);
            d[2] = static_cast<u8>(r >> 16);
        }
        srow += src.pitch;
        drow += dst.pitch;
    }
}

// One mode's code for every depth: the per-pixel functions of the 15-, 16-
// and 32-bit formats (pixel(Fmt{})) and of 3-byte pixels (pixel24), and the
// vector code of each (lanes(Fmt{}), bytes24), PixelByPixel where there is
// none. The map, when the mode has one, for the 3-byte walk.
template <class Pixel, class Pixel24, class Lanes, class Bytes24>
struct Mode {
    Pixel pixel;
    Pixel24 pixel24;
    Lanes lanes;
    Bytes24 bytes24;
    const u8* map = nullptr;
    std::ptrdiff_t mapPitch = 0;
};
template <class Pixel, class Pixel24, class Lanes, class Bytes24>
Mode(Pixel, Pixel24, Lanes, Bytes24) -> Mode<Pixel, Pixel24, Lanes, Bytes24>;

template <class Fmt, class M>
auto LanesOf(const M& mode) {
    if constexpr (std::is_same_v<decltype(M::lanes), PixelByPixel>)
        return PixelByPixel{};
    else
        return mode.lanes(Fmt{});
}

template <class Fmt, class M>
void Walk(const M& mode, ConstPixelRows src, PixelRows dst, int w, int h, SourceKey key) {
    if (key.active)
        WalkRows<Fmt, true>(src, dst, w, h, key.value, mode.pixel(Fmt{}), LanesOf<Fmt>(mode));
    else
        WalkRows<Fmt, false>(src, dst, w, h, 0, mode.pixel(Fmt{}), LanesOf<Fmt>(mode));
}

template <class M>
bool Dispatch(int depth, ConstPixelRows src, PixelRows dst, int w, int h, SourceKey key, const M& mode) {
    switch (depth) {
        case 15: Walk<Format15>(mode, src, dst, w, h, key); return true;
        case 16: Walk<Format16>(mode, src, dst, w, h, key); return true;
        case 24:
            if (key.active && mode.map)
                WalkRows24<true, true>(src, dst, w, h, key.value, mode.pixel24, mode.bytes24, mode.map, mode.mapPitch);
            else if (key.active)
                WalkRows24<true, false>(src, dst, w, h, key.value, mode.pixel24, mode.bytes24);
            else if (mode.map)
                WalkRows24<false, true>(src, dst, w, h, 0, mode.pixel24, mode.bytes24, mode.map, mode.mapPitch);
            else
                WalkRows24<false, false>(src, dst, w, h, 0, mode.pixel24, mode.bytes24);
            return true;
        case 32: Walk<Format32>(mode, src, dst, w, h, key); return true;
        default: return false;
    }
}

bool Empty(int w, int h) { return w <= 0 || h <= 0; }

}  // namespace

int BytesPerPixelOf(int depth) {
    switch (depth) {
        case 8: return 1;
        case 15:
        case 16: return 2;
        case 24: return 3;
        case 32: return 4;
        default: return 0;
    }
}

SourceKey BlendKey(int depth, long long colorKey) {
    long long limit = 0;
    switch (depth) {
        case 15:
        case 16: limit = 0xFFFF; break;
        case 24:
        case 32: limit = 0xFFFFFF; break;
        default: return {};
    }
    if (colorKey < 0 || colorKey > limit) return {};
    return {true, static_cast<u32>(colorKey)};
}

bool HalfBlendPixels(int depth, ConstPixelRows src, PixelRows dst, int w, int h, SourceKey key) {
    if (BytesPerPixelOf(depth) < 2) return false;
    if (Empty(w, h)) return true;
    auto pixel = [](auto fmt) {
        using Fmt = decltype(fmt);
        using P = typename Fmt::Pixel;
        return [](P s, P d, int, int) { return Fmt::Keep(d, ((s >> 1) & Fmt::HalfMask) + ((d >> 1) & Fmt::HalfMask)); };
    };
    auto pixel24 = [](u32 s, u32 d, int, int) { return ((s >> 1) & 0x7F7F7Fu) + ((d >> 1) & 0x7F7F7Fu); };
#if VANTORRA_SSE2_PIXELS
    auto lanes = [](auto fmt) {
        using Fmt = decltype(fmt);
        return [](Lanes16 s, Lanes16 d, int, int) {
            if constexpr (std::is_same_v<Fmt, Format32>) {
                const Lanes32 s32 = reinterpret_cast<Lanes32>(s), d32 = reinterpret_cast<Lanes32>(d);
                return As16((d32 & kByte3) | (((s32 >> 1) & Fmt::HalfMask) + ((d32 >> 1) & Fmt::HalfMask)));
            } else {
                constexpr u16 kHalf = Fmt::HalfMask;
                return Lanes16(((s >> 1) & kHalf) + ((d >> 1) & kHalf));
            }
        };
    };
    auto bytes24 = [](Lanes16 s, Lanes16 d, Lanes16) { return Lanes16(((s >> 1) & 0x7F7F) + ((d >> 1) & 0x7F7F)); };
#else
    PixelByPixel lanes, bytes24;
#endif
    return Dispatch(depth, src, dst, w, h, key, Mode{pixel, pixel24, lanes, bytes24});
}

bool AlphaBlendPixels(int depth, ConstPixelRows src, PixelRows dst, int w, int h, unsigned alpha, SourceKey key) {
    if (BytesPerPixelOf(depth) < 2) return false;
    if (Empty(w, h)) return true;
    // s + floor(a (d - s) / 256) == floor(((256 - a) s + a d) / 256).
    const u16 a = static_cast<u16>(alpha > 256 ? 256u : alpha);
    const u16 sw = static_cast<u16>(256u - a);
    const auto channel = Mix(sw);
    auto pixel = [channel](auto fmt) {
        using Fmt = decltype(fmt);
        using P = typename Fmt::Pixel;
        return [channel](P s, P d, int, int) { return Fmt::Channels(s, d, channel); };
    };
    auto pixel24 = [channel](u32 s, u32 d, int, int) { return Channels24(s, d, channel); };
#if VANTORRA_SSE2_PIXELS
    const Lanes16 weight = Lanes16{} + sw;
    auto lanes = [weight, sw](auto fmt) {
        using Fmt = decltype(fmt);
        if constexpr (std::is_same_v<Fmt, Format32>) {
            return [w = Weights32(weight)](Lanes16 s, Lanes16 d, int, int) { return MixByteLanes(s, d, w); };
        } else {
            // The source's weight is 256 only at alpha 0, where the source's
            // channels are the result.
            const LaneWeights w = WeightsOf(weight);
            return [w, sw](Lanes16 s, Lanes16 d, int, int) {
                return sw == 256 ? Lanes16(s & Fmt::kChannelBits) : MixPixelLanes<Fmt>(s, d, w);
            };
        }
    };
    auto bytes24 = [w = SameWeights(weight, weight)](Lanes16 s, Lanes16 d, Lanes16) { return MixByteLanes(s, d, w); };
#else
    PixelByPixel lanes, bytes24;
#endif
    return Dispatch(depth, src, dst, w, h, key, Mode{pixel, pixel24, lanes, bytes24});
}

bool ShadePixels(int depth, ConstPixelRows src, PixelRows dst, int w, int h, unsigned shade, SourceKey key) {
    if (BytesPerPixelOf(depth) < 2) return false;
    if (Empty(w, h)) return true;
    const u16 f = static_cast<u16>(shade > 256 ? 256u : shade);
    // At 256 every channel stays; only the 15-bit pixel's bit 15 changes.
    if (f == 256 && depth != 15) return true;
    auto channel = [f](u16, u16 d) { return u16(u16(f * d) >> 8); };
    auto pixel = [channel](auto fmt) {
        using Fmt = decltype(fmt);
        using P = typename Fmt::Pixel;
        return [channel](P s, P d, int, int) { return Fmt::Channels(s, d, channel); };
    };
    auto pixel24 = [channel](u32 s, u32 d, int, int) { return Channels24(s, d, channel); };
#if VANTORRA_SSE2_PIXELS
    const Lanes16 f8 = Lanes16{} + static_cast<u16>(f << 8);
    auto lanes = [f8, f](auto fmt) {
        using Fmt = decltype(fmt);
        if constexpr (std::is_same_v<Fmt, Format32>) {
            return [f8](Lanes16, Lanes16 d, int, int) {
                return ShadeByteLanes(d, f8, RedBlue32(), Green32()) | (d & As16(kByte3));
            };
        } else {
            return [f8, f](Lanes16, Lanes16 d, int, int) {
                return f == 256 ? Lanes16(d & Fmt::kChannelBits) : ShadePixelLanes<Fmt>(d, f8);
            };
        }
    };
    auto bytes24 = [f8](Lanes16, Lanes16 d, Lanes16) {
        return ShadeByteLanes(d, f8, Lanes16{} + 0x00FF, Lanes16{} + 0xFF00);
    };
#else
    PixelByPixel lanes, bytes24;
#endif
    return Dispatch(depth, src, dst, w, h, key, Mode{pixel, pixel24, lanes, bytes24});
}

bool HalfShadePixels(int depth, ConstPixelRows src, PixelRows dst, int w, int h, SourceKey key) {
    if (BytesPerPixelOf(depth) < 2) return false;
    if (Empty(w, h)) return true;
    auto pixel = [](auto fmt) {
        using Fmt = decltype(fmt);
        using P = typename Fmt::Pixel;
        return [](P, P d, int, int) { return Fmt::Keep(d, (d >> 1) & Fmt::HalfMask); };
    };
    auto pixel24 = [](u32, u32 d, int, int) { return (d >> 1) & 0x7F7F7Fu; };
#if VANTORRA_SSE2_PIXELS
    auto lanes = [](auto fmt) {
        using Fmt = decltype(fmt);
        return [](Lanes16, Lanes16 d, int, int) {
            if constexpr (std::is_same_v<Fmt, Format32>) {
                const Lanes32 d32 = reinterpret_cast<Lanes32>(d);
                return As16((d32 & kByte3) | ((d32 >> 1) & Fmt::HalfMask));
            } else {
                return Lanes16((d >> 1) & static_cast<u16>(Fmt::HalfMask));
            }
        };
    };
    auto bytes24 = [](Lanes16, Lanes16 d, Lanes16) { return Lanes16((d >> 1) & 0x7F7F); };
#else
    PixelByPixel lanes, bytes24;
#endif
    return Dispatch(depth, src, dst, w, h, key, Mode{pixel, pixel24, lanes, bytes24});
}

bool AlphaMapPixels(int depth, ConstPixelRows src, PixelRows dst, const std::uint8_t* map, std::ptrdiff_t mapPitch,
                    int w, int h, SourceKey key) {
    if (BytesPerPixelOf(depth) < 2 || map == nullptr) return false;
    if (Empty(w, h)) return true;
    // d + floor((s - d) a / 256) == floor((a s + (256 - a) d) / 256), a the
    // map byte of the pixel.
    auto pixel = [map, mapPitch](auto fmt) {
        using Fmt = decltype(fmt);
        using P = typename Fmt::Pixel;
        return [map, mapPitch](P s, P d, int i, int j) { return Fmt::Channels(s, d, Mix(map[i * mapPitch + j])); };
    };
    auto pixel24 = [map, mapPitch](u32 s, u32 d, int i, int j) { return Channels24(s, d, Mix(map[i * mapPitch + j])); };
#if VANTORRA_SSE2_PIXELS
    auto lanes = [map, mapPitch](auto fmt) {
        using Fmt = decltype(fmt);
        return [map, mapPitch](Lanes16 s, Lanes16 d, int i, int j) {
            const u8* at = map + i * mapPitch + j;
            if constexpr (std::is_same_v<Fmt, Format32>)
                return MixByteLanes(s, d, MapWeights32(at));
            else
                return MixPixelLanes<Fmt>(s, d, WeightsOf(WidenBytes(at)));
        };
    };
    // Each byte with the weight of its pixel, as the walk lays them out.
    auto bytes24 = [](Lanes16 s, Lanes16 d, Lanes16 weights) {
        return MixByteLanes(s, d, SameWeights(weights & 0xFF, weights >> 8));
    };
#else
    PixelByPixel lanes, bytes24;
#endif
    Mode mode{pixel, pixel24, lanes, bytes24};
    mode.map = map;
    mode.mapPitch = mapPitch;
    return Dispatch(depth, src, dst, w, h, key, mode);
}

// ---- Single pixels and runs -------------------------------------------------

bool StorePixel(int depth, std::uint8_t* at, std::uint32_t colour) {
    switch (depth) {
        case 8: *at = static_cast<u8>(colour); return true;
        case 15:
        case 16: {
            const u16 v = static_cast<u16>(colour);
            std::memcpy(at, &v, 2);
            return true;
        }
        case 24:
        case 32:
            at[0] = static_cast<u8>(colour);
            at[1] = static_cast<u8>(colour >> 8);
            at[2] = static_cast<u8>(colour >> 16);
            return true;
        default: return false;
    }
}

std::uint32_t LoadPixel(int depth, const std::uint8_t* at) {
    switch (depth) {
        case 8: return *at;
        case 15:
        case 16: {
            u16 v;
            std::memcpy(&v, at, 2);
            return v;
        }
        case 24: return at[0] | (u32{at[1]} << 8) | (u32{at[2]} << 16);
        case 32: {
            u32 v;
            std::memcpy(&v, at, 4);
            return v;
        }
        default: return 0;
    }
}

bool StoreRun(int depth, std::uint8_t* at, int count, std::uint32_t colour) {
    if (BytesPerPixelOf(depth) == 0) return false;
    if (count <= 0) return true;
    switch (depth) {
        case 8: std::memset(at, static_cast<u8>(colour), static_cast<std::size_t>(count)); return true;
        case 15:
        case 16: {
            // Two pixels per 32-bit word; the odd one first.
            const u16 v = static_cast<u16>(colour);
            int n = count;
            if (n & 1) {
                std::memcpy(at, &v, 2);
                at += 2;
                --n;
            }
            const u32 pair = u32{v} | (u32{v} << 16);
            for (int k = 0; k < n; k += 2, at += 4) std::memcpy(at, &pair, 4);
            return true;
        }
        case 24:
        case 32: {
            const int step = depth == 24 ? 3 : 4;
            const u8 b0 = static_cast<u8>(colour), b1 = static_cast<u8>(colour >> 8),
                     b2 = static_cast<u8>(colour >> 16);
            for (int k = 0; k < count; ++k, at += step) {
                at[0] = b0;
                at[1] = b1;
                at[2] = b2;
            }
            return true;
        }
        default: return false;
    }
}

bool MirrorPixels(int depth, ConstPixelRows src, PixelRows dst, int w, int h, bool leftRight, bool keyed,
                  long long key) {
    const int bpp = BytesPerPixelOf(depth);
    if (bpp == 0) return false;
    for (int i = 0; i < h; ++i) {
        const u8* s = src.first + i * src.pitch;
        u8* drow = dst.first + (leftRight ? i : h - 1 - i) * dst.pitch;
        for (int j = 0; j < w; ++j, s += bpp) {
            const u32 v = LoadPixel(depth, s);
            if (keyed && static_cast<long long>(v) == key) continue;
            StorePixel(depth, drow + (leftRight ? w - 1 - j : j) * bpp, v);
        }
    }
    return true;
}

}  // namespace vx
