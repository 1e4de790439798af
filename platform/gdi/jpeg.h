// Decoding of baseline JPEG pictures held in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat {

struct DecodedPicture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;  // 0x00RRGGBB, row by row
};

// Decodes a JPEG. Returns false (and an empty picture) when the data is not a
// JPEG it can decode; a truncated picture is never read past its bytes.
bool DecodeJpeg(const unsigned char* data, std::size_t size, DecodedPicture& out);

}  // namespace plat
