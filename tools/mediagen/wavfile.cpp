#include "tools/mediagen/wavfile.h"

#include <cstring>

namespace mediagen {

Bytes EncodeWav(const std::vector<std::int16_t>& samples) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    Bytes out;
    out.reserve(kWavHeaderSize + dataSize);
    PutTag(out, "RIFF");
    PutU32(out, 36 + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1);  // PCM
    PutU16(out, 1);  // mono
    PutU32(out, kSampleRate);
    PutU32(out, kSampleRate * 2);  // bytes per second
    PutU16(out, 2);                // block alignment
    PutU16(out, 16);               // bits per sample
    PutTag(out, "data");
    PutU32(out, dataSize);
    for (std::int16_t s : samples) PutU16(out, static_cast<std::uint16_t>(s));
    return out;
}

std::optional<WavInfo> DecodeWav(const Bytes& file) {
    if (file.size() < kWavHeaderSize) return std::nullopt;
    if (std::memcmp(file.data(), "RIFF", 4) != 0 || std::memcmp(file.data() + 8, "WAVEfmt ", 8) != 0 ||
        std::memcmp(file.data() + 36, "data", 4) != 0)
        return std::nullopt;
    WavInfo info;
    info.channels = static_cast<int>(GetU16(file, 22));
    info.sampleRate = static_cast<int>(GetU32(file, 24));
    info.bitsPerSample = static_cast<int>(GetU16(file, 34));
    const std::uint32_t dataSize = GetU32(file, 40);
    if (info.bitsPerSample != 16 || dataSize > file.size() - kWavHeaderSize) return std::nullopt;
    info.samples.resize(dataSize / 2);
    for (std::size_t i = 0; i < info.samples.size(); ++i)
        info.samples[i] = static_cast<std::int16_t>(GetU16(file, kWavHeaderSize + 2 * i));
    return info;
}

}  // namespace mediagen
