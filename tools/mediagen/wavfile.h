// Sound files: the canonical 44-byte WAV header (RIFF, a 16-byte "fmt "
// chunk, then "data"), mono 16-bit signed PCM at 22050 Hz, which is exactly
// what the game's sound loader reads at its fixed offsets.
#pragma once

#include <optional>

#include "tools/mediagen/bytes.h"

namespace mediagen {

inline constexpr int kSampleRate = 22050;
inline constexpr int kWavHeaderSize = 44;

Bytes EncodeWav(const std::vector<std::int16_t>& samples);

struct WavInfo {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<std::int16_t> samples;
};

// Reads a canonical mono/stereo 16-bit file; nothing for anything else.
std::optional<WavInfo> DecodeWav(const Bytes& file);

}  // namespace mediagen
