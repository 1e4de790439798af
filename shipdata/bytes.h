// Little-endian 32-bit fields of the data files (ships.dat, config.cfg,
// stats.dat), read and written one byte at a time so the files never depend
// on the host's layout.
#pragma once

#include <cstdint>

inline std::int32_t ReadLE32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                     std::uint32_t{p[3]} << 24);
}

inline void WriteLE32(std::uint8_t* p, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int b = 0; b < 4; ++b) p[b] = static_cast<std::uint8_t>(u >> (8 * b));
}
