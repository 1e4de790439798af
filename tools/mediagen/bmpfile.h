// Windows bitmap files: uncompressed 24-bit BI_RGB, bottom-up rows padded to
// four bytes, as the game's and the editor's picture loaders read them.
#pragma once

#include <optional>

#include "tools/mediagen/bytes.h"
#include "tools/mediagen/image.h"

namespace mediagen {

inline constexpr int kBmpHeaderSize = 54;

Bytes EncodeBmp(const Image& img);

// Reads back what EncodeBmp writes (24-bit, BI_RGB, either row order);
// anything else or a short file gives nothing.
std::optional<Image> DecodeBmp(const Bytes& file);

}  // namespace mediagen
