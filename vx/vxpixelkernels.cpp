#include "vx/vxpixelkernels.h"

#include <cstring>
#include <type_traits>

namespace vx {
namespace {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;

// ---- Formats ------------------------------------------------------------
//
// A format splits a pixel into its three channels and puts them back. The
// blend arithmetic is written once per mode, per channel, and each format
// instantiates it; the compiler turns the row loops into vector code.

struct Format15 {
    using Pixel = u16;
    static constexpr u32 HalfMask = 0x3DEF;
    static constexpr u32 KeyMask = 0xFFFF;
    // Channel values and their recombination (bit 15 is always written 0).
    template <class Fn>
    static Pixel Channels(Pixel s, Pixel d, Fn fn) {
        const u16 r = fn(u16((s >> 10) & 31u), u16((d >> 10) & 31u));
        const u16 g = fn(u16((s >> 5) & 31u), u16((d >> 5) & 31u));
        const u16 b = fn(u16(s & 31u), u16(d & 31u));
        return static_cast<Pixel>((r << 10) | (g << 5) | b);
    }
    static Pixel Keep(Pixel /*d*/, u32 v) { return static_cast<Pixel>(v); }
};

struct Format16 {
    using Pixel = u16;
    static constexpr u32 HalfMask = 0x7BEF;
    static constexpr u32 KeyMask = 0xFFFF;
    template <class Fn>
    static Pixel Channels(Pixel s, Pixel d, Fn fn) {
        const u16 r = fn(u16(s >> 11), u16(d >> 11));
        const u16 g = fn(u16((s >> 5) & 63u), u16((d >> 5) & 63u));
        const u16 b = fn(u16(s & 31u), u16(d & 31u));
        return static_cast<Pixel>((r << 11) | (g << 5) | b);
    }
    static Pixel Keep(Pixel /*d*/, u32 v) { return static_cast<Pixel>(v); }
};

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

// ---- Row walking ----------------------------------------------------------

// Walks w x h pixels of a 16- or 32-bit format. fn(s, d, i, j) gives the new
// destination pixel for row i, column j; a keyed walk keeps d where the
// source pixel is the key. The choice is a select, not a branch, so keyed
// rows vectorise as well as opaque ones.
template <class Fmt, bool Keyed, class Fn>
void WalkRows(ConstPixelRows src, PixelRows dst, int w, int h, u32 key, Fn fn) {
    using P = typename Fmt::Pixel;
    const u8* srow = src.first;
    u8* drow = dst.first;
    for (int i = 0; i < h; ++i) {
        const P* __restrict s = reinterpret_cast<const P*>(srow);
        P* __restrict d = reinterpret_cast<P*>(drow);
        for (int j = 0; j < w; ++j) {
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

// The same for 3-byte pixels; fn(s, d, i, j) works on 24-bit values.
template <bool Keyed, class Fn>
void WalkRows24(ConstPixelRows src, PixelRows dst, int w, int h, u32 key, Fn fn) {
    const u8* srow = src.first;
    u8* drow = dst.first;
    for (int i = 0; i < h; ++i) {
        const u8* s = srow;
        u8* d = drow;
        for (int j = 0; j < w; ++j, s += 3, d += 3) {
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

// 24-bit channel split: byte 0 blue, 1 green, 2 red.
template <class Fn>
u32 Channels24(u32 s, u32 d, Fn fn) {
    const u32 r = fn(u16((s >> 16) & 255u), u16((d >> 16) & 255u));
    const u32 g = fn(u16((s >> 8) & 255u), u16((d >> 8) & 255u));
    const u32 b = fn(u16(s & 255u), u16(d & 255u));
    return (r << 16) | (g << 8) | b;
}

// One channel floor((w s + (256 - w) d) / 256), w at most 256: every
// product and sum fits in 16 bits (at most 256 x 255), and nothing goes
// negative, which keeps the vector lanes narrow.
auto Mix(u16 w) {
    const u16 iw = static_cast<u16>(256u - w);
    return [w, iw](u16 s, u16 d) { return u16(u16(u16(w * s) + u16(iw * d)) >> 8); };
}

// The alpha blend of 15- and 16-bit pixels, eight at a time in the lanes of
// a 128-bit vector (GCC's and clang's vector types, which become vector code
// whatever the optimisation level), the rest of each row as WalkRows does it.
// Per channel (sw s + (256 - sw) d) >> 8: at most 256 x 63, so every lane
// holds its products and sums.
#if defined(__GNUC__)
using Lanes = u16 __attribute__((vector_size(16)));

template <class Fmt, bool Keyed>
void AlphaRows16(ConstPixelRows src, PixelRows dst, int w, int h, u16 sourceWeight, u32 key) {
    constexpr bool k565 = std::is_same_v<Fmt, Format16>;
    constexpr int kRedShift = k565 ? 11 : 10;
    constexpr u16 kGreenMask = k565 ? 63 : 31;
    const Lanes sw = Lanes{} + sourceWeight;
    const Lanes dw = Lanes{} + static_cast<u16>(256u - sourceWeight);
    const Lanes keyLanes = Lanes{} + static_cast<u16>(key);
    const auto channel = Mix(sourceWeight);
    const u8* srow = src.first;
    u8* drow = dst.first;
    for (int i = 0; i < h; ++i) {
        const u16* __restrict s = reinterpret_cast<const u16*>(srow);
        u16* __restrict d = reinterpret_cast<u16*>(drow);
        int j = 0;
        for (; j + 8 <= w; j += 8) {
            Lanes sv, dv;
            std::memcpy(&sv, s + j, sizeof sv);
            std::memcpy(&dv, d + j, sizeof dv);
            const Lanes r = ((sv >> kRedShift) & 31) * sw + ((dv >> kRedShift) & 31) * dw;
            const Lanes g = ((sv >> 5) & kGreenMask) * sw + ((dv >> 5) & kGreenMask) * dw;
            const Lanes b = (sv & 31) * sw + (dv & 31) * dw;
            Lanes out = ((r >> 8) << kRedShift) | ((g >> 8) << 5) | (b >> 8);
            if constexpr (Keyed) {
                const Lanes isKey = reinterpret_cast<Lanes>(sv == keyLanes);
                out = (dv & isKey) | (out & ~isKey);
            }
            std::memcpy(d + j, &out, sizeof out);
        }
        for (; j < w; ++j) {
            const u16 r = Fmt::Channels(s[j], d[j], channel);
            if (!Keyed || s[j] != static_cast<u16>(key)) d[j] = r;
        }
        srow += src.pitch;
        drow += dst.pitch;
    }
}
#endif

// Runs one mode at the given depth. make(Fmt{}) gives the per-pixel function
// of a 16- or 32-bit format, fn24 the one for 3-byte pixels.
template <class Make16_32, class Fn24>
bool Dispatch(int depth, ConstPixelRows src, PixelRows dst, int w, int h, SourceKey key, Make16_32 make, Fn24 fn24) {
    const bool keyed = key.active;
    switch (depth) {
        case 15:
            if (keyed)
                WalkRows<Format15, true>(src, dst, w, h, key.value, make(Format15{}));
            else
                WalkRows<Format15, false>(src, dst, w, h, 0, make(Format15{}));
            return true;
        case 16:
            if (keyed)
                WalkRows<Format16, true>(src, dst, w, h, key.value, make(Format16{}));
            else
                WalkRows<Format16, false>(src, dst, w, h, 0, make(Format16{}));
            return true;
        case 24:
            if (keyed)
                WalkRows24<true>(src, dst, w, h, key.value, fn24);
            else
                WalkRows24<false>(src, dst, w, h, 0, fn24);
            return true;
        case 32:
            if (keyed)
                WalkRows<Format32, true>(src, dst, w, h, key.value, make(Format32{}));
            else
                WalkRows<Format32, false>(src, dst, w, h, 0, make(Format32{}));
            return true;
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
    auto make = [](auto fmt) {
        using Fmt = decltype(fmt);
        using P = typename Fmt::Pixel;
        return [](P s, P d, int, int) { return Fmt::Keep(d, ((s >> 1) & Fmt::HalfMask) + ((d >> 1) & Fmt::HalfMask)); };
    };
    auto fn24 = [](u32 s, u32 d, int, int) { return ((s >> 1) & 0x7F7F7Fu) + ((d >> 1) & 0x7F7F7Fu); };
    return Dispatch(depth, src, dst, w, h, key, make, fn24);
}

bool AlphaBlendPixels(int depth, ConstPixelRows src, PixelRows dst, int w, int h, unsigned alpha, SourceKey key) {
    if (BytesPerPixelOf(depth) < 2) return false;
    if (Empty(w, h)) return true;
    // s + floor(a (d - s) / 256) == floor(((256 - a) s + a d) / 256).
    const u16 a = static_cast<u16>(alpha > 256 ? 256u : alpha);
#if defined(__GNUC__)
    if (depth == 15 || depth == 16) {
        const u16 sw = static_cast<u16>(256u - a);
        if (depth == 16 && key.active)
            AlphaRows16<Format16, true>(src, dst, w, h, sw, key.value);
        else if (depth == 16)
            AlphaRows16<Format16, false>(src, dst, w, h, sw, 0);
        else if (key.active)
            AlphaRows16<Format15, true>(src, dst, w, h, sw, key.value);
        else
            AlphaRows16<Format15, false>(src, dst, w, h, sw, 0);
        return true;
    }
#endif
    const auto channel = Mix(static_cast<u16>(256u - a));
    auto make = [channel](auto fmt) {
        using Fmt = decltype(fmt);
        using P = typename Fmt::Pixel;
        return [channel](P s, P d, int, int) { return Fmt::Channels(s, d, channel); };
    };
    auto fn24 = [channel](u32 s, u32 d, int, int) { return Channels24(s, d, channel); };
    return Dispatch(depth, src, dst, w, h, key, make, fn24);
}

bool ShadePixels(int depth, ConstPixelRows src, PixelRows dst, int w, int h, unsigned shade, SourceKey key) {
    if (BytesPerPixelOf(depth) < 2) return false;
    if (Empty(w, h)) return true;
    const u16 f = static_cast<u16>(shade > 256 ? 256u : shade);
    auto channel = [f](u16, u16 d) { return u16(u16(f * d) >> 8); };
    auto make = [channel](auto fmt) {
        using Fmt = decltype(fmt);
        using P = typename Fmt::Pixel;
        return [channel](P s, P d, int, int) { return Fmt::Channels(s, d, channel); };
    };
    auto fn24 = [channel](u32 s, u32 d, int, int) { return Channels24(s, d, channel); };
    return Dispatch(depth, src, dst, w, h, key, make, fn24);
}

bool HalfShadePixels(int depth, ConstPixelRows src, PixelRows dst, int w, int h, SourceKey key) {
    if (BytesPerPixelOf(depth) < 2) return false;
    if (Empty(w, h)) return true;
    auto make = [](auto fmt) {
        using Fmt = decltype(fmt);
        using P = typename Fmt::Pixel;
        return [](P, P d, int, int) { return Fmt::Keep(d, (d >> 1) & Fmt::HalfMask); };
    };
    auto fn24 = [](u32, u32 d, int, int) { return (d >> 1) & 0x7F7F7Fu; };
    return Dispatch(depth, src, dst, w, h, key, make, fn24);
}

bool AlphaMapPixels(int depth, ConstPixelRows src, PixelRows dst, const std::uint8_t* map, std::ptrdiff_t mapPitch,
                    int w, int h, SourceKey key) {
    if (BytesPerPixelOf(depth) < 2 || map == nullptr) return false;
    if (Empty(w, h)) return true;
    // d + floor((s - d) a / 256) == floor((a s + (256 - a) d) / 256).
    auto make = [map, mapPitch](auto fmt) {
        using Fmt = decltype(fmt);
        using P = typename Fmt::Pixel;
        return [map, mapPitch](P s, P d, int i, int j) { return Fmt::Channels(s, d, Mix(map[i * mapPitch + j])); };
    };
    auto fn24 = [map, mapPitch](u32 s, u32 d, int i, int j) { return Channels24(s, d, Mix(map[i * mapPitch + j])); };
    return Dispatch(depth, src, dst, w, h, key, make, fn24);
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
