// The asteroid's 30 rotation frames: one cratered rock, turned 12 degrees
// clockwise per frame, lit from a fixed side.
#pragma once

#include <string>

#include "tools/mediagen/image.h"

namespace mediagen {

inline constexpr int kAsteroidFrameCount = 30;
inline constexpr int kAsteroidFrameSize = 100;

// frame 1..30
Image RenderAsteroidFrame(int frame);
std::string AsteroidPath(int frame);

}  // namespace mediagen
