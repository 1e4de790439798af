// The title picture behind the start-up dialog: the name over a space scene,
// the art kept to the edges so the dialog in the middle covers only stars.
#pragma once

#include "tools/mediagen/image.h"

namespace mediagen {

inline constexpr int kTitleWidth = 640;
inline constexpr int kTitleHeight = 480;

Image RenderTitle();

}  // namespace mediagen
