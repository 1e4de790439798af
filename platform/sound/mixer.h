// The software mixer behind the sound device: every playing voice, resampled
// to the output rate, summed into interleaved 16-bit stereo with saturation.
//
// It is a plain function over plain voice records, so it can be driven (and
// timed) without any device. The device calls it from its audio callback
// while it holds the device lock.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat {

struct MixVoice {
    const std::uint8_t* samples = nullptr;  // PCM: 8-bit unsigned or 16-bit signed, interleaved
    std::uint32_t frames = 0;               // whole sample frames in `samples`
    std::uint8_t channels = 1;              // 1 or 2
    std::uint8_t bits = 16;                 // 8 or 16
    std::uint32_t frequency = 22050;        // playback rate in Hz
    std::uint64_t position = 0;             // play position in frames, 32.32 fixed point
    std::int32_t gainLeft = 65536;          // 65536 = unchanged
    std::int32_t gainRight = 65536;
    bool playing = false;
    bool looping = false;
};

// Mixes every playing voice into `out` (2 × frames samples, left then right),
// which it overwrites. A one-shot voice that reaches its end stops and goes
// back to position 0; a looping one wraps.
void MixVoices(MixVoice* const* voices, std::size_t count, std::int16_t* out, std::size_t frames,
               std::uint32_t outputRate);

// Linear gain for an attenuation in hundredths of a decibel: 10^(v/2000) in
// 16.16 fixed point. -10000 and below are silent, 0 and above unchanged.
std::int32_t GainFromAttenuation(int hundredthsOfDb);

// The left and right gains of a volume and a pan. A positive pan attenuates
// the left channel by that many hundredths of a decibel, a negative one the
// right channel.
void GainsFromVolumeAndPan(int volume, int pan, std::int32_t* left, std::int32_t* right);

}  // namespace plat
