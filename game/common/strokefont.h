// The vector font in which all game text is drawn: 48 glyphs of straight
// segments, scaled freely and centred on a point.
#pragma once

#include <cstdint>
#include <limits>
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

// The columns that the lines of a text centred on x reach, from the leftmost
// to the rightmost end of its segments, in DrawStrokeText's own arithmetic.
// A text without a glyph (empty or all blanks) has an empty span.
struct StrokeSpan {
    float Left = std::numeric_limits<float>::max();
    float Right = std::numeric_limits<float>::lowest();

    bool Empty() const { return Left > Right; }
};
StrokeSpan StrokeTextSpan(const char* text, float x, float size);

// The gap in pixels between a text moved back onto the screen and the edge it
// would have crossed.
inline constexpr float kScreenTextMargin = 2.0f;

// The sideways move, in whole pixels, that keeps a span within the screen's
// columns 0 to ModeWidth - 1: none when it lies there already, else just far
// enough to put it kScreenTextMargin inside the edge it crosses. A span wider
// than the screen keeps its left end in view.
float ShiftOntoScreen(StrokeSpan span);

// DrawStrokeText for texts at fixed places on the screen (the in-game
// display, banners, menus): a text that lies on the screen is drawn exactly
// as DrawStrokeText draws it, one that would lose letters past the left or
// right edge is moved inward by ShiftOntoScreen. Texts that move with the
// camera keep DrawStrokeText and its clipping.
void DrawStrokeTextOnScreen(const char* text, float x, float y, float size);
