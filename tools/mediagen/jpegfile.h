// The title picture: a baseline JPEG made with libjpeg, and the same bytes
// as a C initializer list for the game to compile in.
#pragma once

#include <string>

#include "tools/mediagen/bytes.h"
#include "tools/mediagen/image.h"

namespace mediagen {

Bytes EncodeJpeg(const Image& img, int quality);

// "0xff, 0xd8, ..." with sixteen bytes a line and a final newline.
std::string BytesAsInitializer(const Bytes& bytes);

}  // namespace mediagen
