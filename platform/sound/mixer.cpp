#include "platform/sound/mixer.h"

#include <algorithm>
#include <cmath>

namespace plat {
namespace {

constexpr std::size_t kChunkFrames = 256;

template <int Bits>
inline std::int32_t Sample(const std::uint8_t* p) {
    if constexpr (Bits == 8) {
        return (static_cast<std::int32_t>(*p) - 128) * 256;
    } else {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
    }
}

// Adds `frames` output frames of one voice into `acc` (interleaved stereo).
template <int Channels, int Bits>
void MixOne(MixVoice& v, std::int32_t* acc, std::size_t frames, std::uint64_t step) {
    constexpr std::size_t kFrameBytes = Channels * Bits / 8;
    const std::uint64_t end = static_cast<std::uint64_t>(v.frames) << 32;
    const std::uint32_t last = v.frames - 1;
    const std::int32_t gl = v.gainLeft;
    const std::int32_t gr = v.gainRight;
    std::uint64_t pos = v.position;
    for (std::size_t i = 0; i < frames; ++i) {
        if (pos >= end) {
            if (!v.looping) {
                v.playing = false;
                pos = 0;
                break;
            }
            pos %= end;
        }
        const std::uint32_t index = static_cast<std::uint32_t>(pos >> 32);
        // 15 bits of the fraction keep the interpolation product inside 32 bits.
        const std::int32_t frac = static_cast<std::int32_t>((pos >> 17) & 0x7FFF);
        const std::uint32_t next = index < last ? index + 1 : (v.looping ? 0 : index);
        const std::uint8_t* a = v.samples + index * kFrameBytes;
        const std::uint8_t* b = v.samples + next * kFrameBytes;
        std::int32_t l0 = Sample<Bits>(a);
        std::int32_t l = l0 + (((Sample<Bits>(b) - l0) * frac) >> 15);
        std::int32_t r = l;
        if constexpr (Channels == 2) {
            const std::int32_t r0 = Sample<Bits>(a + Bits / 8);
            r = r0 + (((Sample<Bits>(b + Bits / 8) - r0) * frac) >> 15);
        }
        acc[2 * i] += static_cast<std::int32_t>((static_cast<std::int64_t>(l) * gl) >> 16);
        acc[2 * i + 1] += static_cast<std::int32_t>((static_cast<std::int64_t>(r) * gr) >> 16);
        pos += step;
    }
    v.position = pos;
}

void MixVoiceChunk(MixVoice& v, std::int32_t* acc, std::size_t frames, std::uint32_t outputRate) {
    if (!v.playing) return;
    if (!v.samples || v.frames == 0 || outputRate == 0 || (v.channels != 1 && v.channels != 2) ||
        (v.bits != 8 && v.bits != 16)) {
        v.playing = false;
        v.position = 0;
        return;
    }
    const std::uint64_t step = (static_cast<std::uint64_t>(v.frequency) << 32) / outputRate;
    if (v.channels == 1) {
        if (v.bits == 16)
            MixOne<1, 16>(v, acc, frames, step);
        else
            MixOne<1, 8>(v, acc, frames, step);
    } else {
        if (v.bits == 16)
            MixOne<2, 16>(v, acc, frames, step);
        else
            MixOne<2, 8>(v, acc, frames, step);
    }
}

}  // namespace

void MixVoices(MixVoice* const* voices, std::size_t count, std::int16_t* out, std::size_t frames,
               std::uint32_t outputRate) {
    std::int32_t acc[2 * kChunkFrames];
    while (frames > 0) {
        const std::size_t n = std::min(frames, kChunkFrames);
        std::fill(acc, acc + 2 * n, 0);
        for (std::size_t k = 0; k < count; ++k)
            if (voices[k]) MixVoiceChunk(*voices[k], acc, n, outputRate);
        for (std::size_t i = 0; i < 2 * n; ++i)
            out[i] = static_cast<std::int16_t>(std::clamp<std::int32_t>(acc[i], -32768, 32767));
        out += 2 * n;
        frames -= n;
    }
}

std::int32_t GainFromAttenuation(int hundredthsOfDb) {
    if (hundredthsOfDb <= -10000) return 0;
    if (hundredthsOfDb >= 0) return 65536;
    return static_cast<std::int32_t>(std::lround(65536.0 * std::pow(10.0, hundredthsOfDb / 2000.0)));
}

void GainsFromVolumeAndPan(int volume, int pan, std::int32_t* left, std::int32_t* right) {
    const int leftCut = pan > 0 ? pan : 0;
    const int rightCut = pan < 0 ? -pan : 0;
    // Both at -10000 or below are silence; the sum cannot overflow.
    *left = GainFromAttenuation(std::max(volume - leftCut, -10000));
    *right = GainFromAttenuation(std::max(volume - rightCut, -10000));
}

}  // namespace plat
