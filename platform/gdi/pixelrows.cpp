// The per-pixel loops of the picture loaders and of GDI's transfers.
#include "platform/gdi/pixelrows.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/system/pixelvectors.h"

#if VANTORRA_SSE2_PIXELS
#include <emmintrin.h>
#endif

namespace plat::rows {

namespace {

template <int Bits>
u32 Indexed(const u8* from, int w, const u32* palette, u32* to) {
    constexpr int kPerByte = 8 / Bits;
    constexpr u32 kMask = (1u << Bits) - 1;
    u32 most = 0;
    int x = 0;
    for (; x + kPerByte <= w; x += kPerByte) {
        const u32 byte = *from++;
        for (int j = 0; j < kPerByte; ++j) {
            const u32 index = (byte >> (8 - Bits * (j + 1))) & kMask;
            most = std::max(most, index);
            to[x + j] = palette[index];
        }
    }
    if (x < w) {
        const u32 byte = *from;
        for (int j = 0; x < w; ++j, ++x) {
            const u32 index = (byte >> (8 - Bits * (j + 1))) & kMask;
            most = std::max(most, index);
            to[x] = palette[index];
        }
    }
    return most;
}

u32 Le32(const u8* p) {
    u32 v;
    std::memcpy(&v, p, 4);
    return v;
}

#if VANTORRA_SSE2_PIXELS
// The shifts and masks of ColourConversion::shifted, one set for each channel.
struct ShiftedChannels {
    __m128i down[3], up[3], keep[3];
};

// Four 0x00RRGGBB colours packed by shifts into the low 16 bits of their
// lanes, sign-extended so that a signed narrowing keeps those bits.
inline __m128i PackFour(const ShiftedChannels& k, const u8* p) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i r = _mm_sll_epi32(_mm_and_si128(_mm_srl_epi32(v, k.down[0]), k.keep[0]), k.up[0]);
    const __m128i g = _mm_sll_epi32(_mm_and_si128(_mm_srl_epi32(v, k.down[1]), k.keep[1]), k.up[1]);
    const __m128i b = _mm_sll_epi32(_mm_and_si128(_mm_srl_epi32(v, k.down[2]), k.keep[2]), k.up[2]);
    const __m128i out = _mm_or_si128(_mm_or_si128(r, g), b);
    return _mm_srai_epi32(_mm_slli_epi32(out, 16), 16);
}

// Eight 0x00RRGGBB colours in a row packed into 16-bit pixels by shifts, as
// the tables would pack them (see ColourConversion::shifted). Returns how many
// pixels were done: a multiple of eight.
std::size_t PackShifted16(const ColourConversion& job, const u8* src, std::size_t count, u8* dst) {
    ShiftedChannels k;
    for (int c = 0; c < 3; ++c) {
        k.down[c] = _mm_cvtsi32_si128(job.down[c]);
        k.up[c] = _mm_cvtsi32_si128(job.up[c]);
        k.keep[c] = _mm_set1_epi32(static_cast<int>(job.keep[c]));
    }
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i * 2),
                         _mm_packs_epi32(PackFour(k, src + i * 4), PackFour(k, src + i * 4 + 16)));
    return i;
}
#endif

template <ColourConversion::From From, int FromBytes, int ToBytes, bool Consecutive>
void CopyRow(const ColourConversion& job, const u8* src, const std::size_t* offsets, std::size_t count, u8* dst) {
#if VANTORRA_SSE2_PIXELS
    // A row of 32-bit colours in order into 16-bit pixels: eight at a time.
    if constexpr (Consecutive && ToBytes == 2 && From != ColourConversion::From::Surface) {
        if (job.shifted) {
            const std::size_t done = PackShifted16(job, src, count, dst);
            src += done * 4;
            dst += done * 2;
            count -= done;
        }
    }
#endif
    for (std::size_t i = 0; i < count; ++i, dst += ToBytes) {
        const u8* at = Consecutive ? src + i * FromBytes : src + offsets[i];
        unsigned r, g, b;
        if constexpr (From == ColourConversion::From::Dib) {
            r = at[2];
            g = at[1];
            b = at[0];
        } else if constexpr (From == ColourConversion::From::Bitmap) {
            const u32 v = Le32(at);
            r = (v >> 16) & 0xFF;
            g = (v >> 8) & 0xFF;
            b = v & 0xFF;
        } else {
            u32 v = 0;
            std::memcpy(&v, at, FromBytes);
            r = job.fromRed.To8(v);
            g = job.fromGreen.To8(v);
            b = job.fromBlue.To8(v);
        }
        const u32 v = job.red[r] | job.green[g] | job.blue[b];
        if constexpr (ToBytes == 3) {
            dst[0] = static_cast<u8>(v);
            dst[1] = static_cast<u8>(v >> 8);
            dst[2] = static_cast<u8>(v >> 16);
        } else if constexpr (ToBytes == 2) {
            const auto half = static_cast<std::uint16_t>(v);
            std::memcpy(dst, &half, 2);
        } else {
            std::memcpy(dst, &v, 4);
        }
    }
}

template <ColourConversion::From From, int FromBytes, bool Consecutive>
void CopyRowAs(const ColourConversion& job, const u8* src, const std::size_t* offsets, std::size_t count, u8* dst) {
    switch (job.toBytes) {
        case 2: CopyRow<From, FromBytes, 2, Consecutive>(job, src, offsets, count, dst); break;
        case 3: CopyRow<From, FromBytes, 3, Consecutive>(job, src, offsets, count, dst); break;
        default: CopyRow<From, FromBytes, 4, Consecutive>(job, src, offsets, count, dst); break;
    }
}

template <ColourConversion::From From, int FromBytes>
void CopyRowTo(const ColourConversion& job, const u8* src, const std::size_t* offsets, std::size_t count, u8* dst) {
    if (offsets)
        CopyRowAs<From, FromBytes, false>(job, src, offsets, count, dst);
    else
        CopyRowAs<From, FromBytes, true>(job, src, offsets, count, dst);
}

}  // namespace

u32 IndexedToColours(int bits, const u8* from, int w, const u32* palette, u32* to) {
    switch (bits) {
        case 1: return Indexed<1>(from, w, palette, to);
        case 2: return Indexed<2>(from, w, palette, to);
        case 4: return Indexed<4>(from, w, palette, to);
        default: return Indexed<8>(from, w, palette, to);
    }
}

void Expand16(const u8* from, int w, const u32* table, u32* to) {
    for (int x = 0; x < w; ++x, from += 2) to[x] = table[from[0] | from[1] << 8];
}

void Bgr24ToColours(const u8* from, int w, u32* to) {
    for (int x = 0; x < w; ++x, from += 3)
        to[x] = static_cast<u32>(from[2]) << 16 | static_cast<u32>(from[1]) << 8 | from[0];
}

void Bgrx32ToColours(const u8* from, int w, u32* to) {
    for (int x = 0; x < w; ++x, from += 4) to[x] = Le32(from) & 0x00FFFFFFu;
}

void BytesToColours(const u8* indices, int w, const u32* palette, u32* to) {
    for (int x = 0; x < w; ++x) to[x] = palette[indices[x]];
}

void FillPair(u8* to, int count, u8 first, u8 second) {
    for (int i = 0; i < count; ++i) to[i] = i % 2 ? second : first;
}

u32 UnpackIndices(u8* to, int count, const u8* from, bool bytes) {
    u32 most = 0;
    for (int i = 0; i < count; ++i) {
        to[i] = bytes ? from[i] : static_cast<u8>(i % 2 ? from[i / 2] & 15 : from[i / 2] >> 4);
        most = std::max<u32>(most, to[i]);
    }
    return most;
}

void DropTopBytes(u32* pixels, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) pixels[i] &= 0x00FFFFFFu;
}

void SetPixelBytes(u8* pixels, int at, const u8* from, std::size_t count) {
    u8* to = pixels + at;
    std::size_t i = 0;
#if VANTORRA_SSE2_PIXELS
    // Sixteen pixels at a time: the sixteen bytes widened to one a pixel,
    // moved to byte `at` and merged into the pixels' words.
    if (at >= 0 && at < 4) {
        const __m128i zero = _mm_setzero_si128();
        const __m128i shift = _mm_cvtsi32_si128(8 * at);
        const __m128i keep = _mm_xor_si128(_mm_sll_epi32(_mm_set1_epi32(0xFF), shift), _mm_set1_epi32(-1));
        for (; i + 16 <= count; i += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
            const __m128i low = _mm_unpacklo_epi8(bytes, zero), high = _mm_unpackhi_epi8(bytes, zero);
            const __m128i words[4] = {_mm_unpacklo_epi16(low, zero), _mm_unpackhi_epi16(low, zero),
                                      _mm_unpacklo_epi16(high, zero), _mm_unpackhi_epi16(high, zero)};
            for (int k = 0; k < 4; ++k) {
                auto* p = reinterpret_cast<__m128i*>(pixels + (i + 4 * static_cast<std::size_t>(k)) * 4);
                const __m128i old = _mm_and_si128(_mm_loadu_si128(p), keep);
                _mm_storeu_si128(p, _mm_or_si128(old, _mm_sll_epi32(words[k], shift)));
            }
        }
    }
#endif
    for (; i < count; ++i) to[i * 4] = from[i];
}

void FillPixelBytes(u8* pixels, int at, u8 value, std::size_t count) {
    u8* to = pixels + at;
    for (std::size_t i = 0; i < count; ++i) to[i * 4] = value;
}

void GetPixelBytes(const u8* pixels, int at, std::size_t count, u8* to) {
    const u8* from = pixels + at;
    std::size_t i = 0;
#if VANTORRA_SSE2_PIXELS
    // Sixteen pixels at a time: byte `at` of each word moved to the bottom
    // and the words narrowed to bytes.
    if (at >= 0 && at < 4) {
        const __m128i shift = _mm_cvtsi32_si128(8 * at);
        const __m128i low = _mm_set1_epi32(0xFF);
        for (; i + 16 <= count; i += 16) {
            __m128i words[4];
            for (int k = 0; k < 4; ++k) {
                const auto* p = reinterpret_cast<const __m128i*>(pixels + (i + 4 * static_cast<std::size_t>(k)) * 4);
                words[k] = _mm_and_si128(_mm_srl_epi32(_mm_loadu_si128(p), shift), low);
            }
            const __m128i bytes =
                _mm_packus_epi16(_mm_packs_epi32(words[0], words[1]), _mm_packs_epi32(words[2], words[3]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), bytes);
        }
    }
#endif
    for (; i < count; ++i) to[i] = from[i * 4];
}

void FillPixelWords(u8* pixels, std::size_t count, u32 word) {
    if (count == 0) return;
    // One pixel, then the filled part copied after itself until it is all.
    std::memcpy(pixels, &word, 4);
    const std::size_t bytes = count * 4;
    for (std::size_t done = 4; done < bytes;) {
        const std::size_t n = std::min(done, bytes - done);
        std::memcpy(pixels + done, pixels, n);
        done += n;
    }
}

ChannelPlace::ChannelPlace(u32 m) : pos(m ? std::countr_zero(m) : 0), bits(std::popcount(m)), mask(m) {}

u32 ChannelPlace::From8(unsigned v8) const {
    if (bits == 0) return 0;
    const u32 v = bits >= 8 ? static_cast<u32>(v8) << (bits - 8) : v8 >> (8 - bits);
    return (v << pos) & mask;
}

unsigned ChannelPlace::To8(u32 raw) const {
    if (bits == 0) return 0;
    const u32 v = (raw & mask) >> pos;
    return bits >= 8 ? (v >> (bits - 8)) & 0xFF : (v << (8 - bits)) & 0xFF;
}

void ColourConversion::PackInto(u32 redMask, u32 greenMask, u32 blueMask) {
    const ChannelPlace r(redMask), g(greenMask), b(blueMask);
    for (unsigned v = 0; v < 256; ++v) {
        red[v] = r.From8(v);
        green[v] = g.From8(v);
        blue[v] = b.From8(v);
    }
    const ChannelPlace* places[3] = {&r, &g, &b};
    shifted = true;
    for (int c = 0; c < 3; ++c) {
        const ChannelPlace& p = *places[c];
        const int from = 16 - 8 * c;  // where the channel sits in 0x00RRGGBB
        const u32 ones = p.bits > 0 && p.bits <= 8 ? (1u << p.bits) - 1 : 0;
        shifted = shifted && ones && p.mask == ones << p.pos && p.pos + p.bits <= 16;
        down[c] = from + 8 - p.bits;
        keep[c] = ones;
        up[c] = p.pos;
    }
}

void CopyColourRow(const ColourConversion& job, const u8* src, const std::size_t* offsets, std::size_t count, u8* dst) {
    using F = ColourConversion::From;
    if (job.from == F::Dib) {
        CopyRowTo<F::Dib, 4>(job, src, offsets, count, dst);
    } else if (job.from == F::Bitmap) {
        CopyRowTo<F::Bitmap, 4>(job, src, offsets, count, dst);
    } else {
        switch (job.fromBytes) {
            case 2: CopyRowTo<F::Surface, 2>(job, src, offsets, count, dst); break;
            case 3: CopyRowTo<F::Surface, 3>(job, src, offsets, count, dst); break;
            default: CopyRowTo<F::Surface, 4>(job, src, offsets, count, dst); break;
        }
    }
}

}  // namespace plat::rows
