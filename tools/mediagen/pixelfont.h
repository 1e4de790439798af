// A 5 x 7 pixel font for the HUD icons and the contact sheet's labels.
#pragma once

#include <string_view>

#include "tools/mediagen/image.h"

namespace mediagen {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kGlyphAdvance = 6;

// Draws text with its top-left corner at (x, y), `scale` pixels per dot;
// characters without a glyph are left blank.
void DrawPixelText(Image& img, int x, int y, std::string_view text, Rgb colour, int scale = 1);
int PixelTextWidth(std::string_view text, int scale = 1);

}  // namespace mediagen
