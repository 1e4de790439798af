// The vector font in which all game text is drawn: 48 glyphs of straight
// segments, scaled freely and centred on a point.
#pragma once

#include <cstdint>
#include <span>

// One line of a glyph in glyph units: x from 0 (left) to 20 (right), y upward
// from 0 on the baseline to 30 at the top.
struct StrokeSegment {
    std::int8_t x1, y1, x2, y2;
};

inline constexpr int kStrokeGlyphCount = 48;
inline constexpr int kStrokeSegmentCount = 176;

// The segments of a character's glyph; lower-case letters give their
// capital's. Characters without a glyph (space included) give an empty span.
std::span<const StrokeSegment> StrokeGlyph(unsigned char c);

// Draws text in DrawColour into the locked work surface. x is the centre of
// the whole string, y the baseline, size the glyph width in pixels; every
// character, drawn or blank, advances size + 3 pixels.
void DrawStrokeText(const char* text, float x, float y, float size);
