// Little-endian byte buffers for the file encoders.
#pragma once

#include <cstdint>
#include <vector>

namespace mediagen {

using Bytes = std::vector<std::uint8_t>;

inline void PutU16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
inline void PutU32(Bytes& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}
inline void PutTag(Bytes& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

inline std::uint32_t GetU16(const Bytes& in, std::size_t at) {
    return at + 2 <= in.size() ? static_cast<std::uint32_t>(in[at] | (in[at + 1] << 8)) : 0;
}
inline std::uint32_t GetU32(const Bytes& in, std::size_t at) {
    return at + 4 <= in.size() ? GetU16(in, at) | (GetU16(in, at + 2) << 16) : 0;
}

}  // namespace mediagen
