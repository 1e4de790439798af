#include "game/common/strokefont.h"

#include "game/common/miscdraw.h"
#include "game/program/winmain.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Every segment of every glyph, glyph after glyph, each in drawing order.
// One line a glyph.
// clang-format off
constexpr StrokeSegment kSegments[kStrokeSegmentCount] = {
    // A
    {0, 0, 0, 20}, {0, 20, 10, 30}, {10, 30, 20, 20}, {20, 20, 20, 0}, {0, 15, 20, 15},
    // B
    {0, 0, 0, 30}, {0, 30, 16, 30}, {16, 30, 20, 22}, {20, 22, 16, 15}, {16, 15, 0, 15}, {16, 15, 20, 7}, {20, 7, 16, 0}, {16, 0, 0, 0},
    // C
    {10, 0, 20, 0}, {10, 0, 0, 15}, {0, 15, 10, 30}, {10, 30, 20, 30},
    // D
    {0, 0, 0, 30}, {0, 30, 10, 30}, {10, 30, 20, 15}, {20, 15, 10, 0}, {0, 0, 10, 0},
    // E
    {0, 0, 0, 30}, {0, 30, 20, 30}, {0, 15, 15, 15}, {0, 0, 20, 0},
    // F
    {0, 0, 0, 30}, {0, 30, 20, 30}, {0, 15, 10, 15},
    // G
    {20, 20, 10, 30}, {0, 15, 10, 30}, {0, 15, 10, 0}, {10, 0, 20, 0}, {20, 0, 20, 12}, {20, 12, 16, 12},
    // H
    {0, 0, 0, 30}, {0, 15, 20, 15}, {20, 0, 20, 30},
    // I
    {10, 0, 10, 30},
    // J
    {20, 0, 20, 30}, {0, 0, 20, 0}, {0, 10, 0, 0},
    // K
    {0, 0, 0, 30}, {0, 15, 20, 30}, {0, 15, 20, 0},
    // L
    {0, 0, 0, 30}, {0, 0, 20, 0},
    // M
    {0, 0, 0, 30}, {0, 30, 10, 0}, {10, 0, 20, 30}, {20, 30, 20, 0},
    // N
    {0, 0, 0, 30}, {0, 30, 20, 0}, {20, 0, 20, 30},
    // O
    {0, 0, 0, 30}, {0, 30, 20, 30}, {20, 30, 20, 0}, {20, 0, 0, 0},
    // P
    {0, 0, 0, 30}, {0, 30, 15, 30}, {15, 30, 20, 22}, {20, 22, 15, 15}, {15, 15, 0, 15},
    // Q
    {0, 0, 0, 30}, {0, 30, 20, 30}, {20, 30, 20, 10}, {20, 10, 14, 0}, {0, 0, 14, 0}, {15, 6, 20, 0},
    // R
    {0, 0, 0, 30}, {0, 30, 20, 30}, {20, 30, 20, 15}, {0, 15, 20, 15}, {0, 15, 20, 0},
    // S
    {0, 10, 10, 0}, {10, 0, 20, 10}, {20, 10, 0, 20}, {0, 20, 10, 30}, {10, 30, 20, 20},
    // T
    {0, 30, 20, 30}, {10, 30, 10, 0},
    // U
    {0, 0, 0, 30}, {0, 0, 20, 0}, {20, 0, 20, 30},
    // V
    {0, 30, 10, 0}, {10, 0, 20, 30},
    // W
    {5, 0, 0, 30}, {5, 0, 10, 30}, {10, 30, 15, 0}, {15, 0, 20, 30},
    // X
    {0, 30, 20, 0}, {0, 0, 20, 30},
    // Y
    {10, 0, 10, 15}, {0, 30, 10, 15}, {20, 30, 10, 15},
    // Z
    {0, 0, 20, 0}, {0, 0, 20, 30}, {0, 30, 20, 30},
    // 0
    {0, 0, 0, 30}, {0, 30, 20, 30}, {20, 30, 20, 0}, {20, 0, 0, 0}, {0, 0, 20, 30},
    // 1
    {10, 0, 10, 30}, {10, 28, 6, 24},
    // 2
    {0, 0, 20, 0}, {0, 0, 20, 23}, {20, 23, 10, 30}, {10, 30, 0, 23},
    // 3
    {0, 5, 10, 0}, {10, 0, 20, 5}, {20, 5, 13, 15}, {13, 15, 20, 25}, {20, 25, 10, 30}, {10, 30, 0, 25},
    // 4
    {17, 0, 20, 30}, {3, 30, 0, 15}, {0, 15, 20, 15},
    // 5
    {0, 8, 10, 0}, {10, 0, 20, 8}, {20, 8, 18, 16}, {18, 16, 0, 15}, {0, 15, 0, 30}, {0, 30, 20, 30},
    // 6
    {14, 30, 0, 15}, {0, 15, 2, 0}, {2, 0, 18, 0}, {18, 0, 20, 16}, {20, 16, 0, 15},
    // 7
    {10, 0, 20, 30}, {20, 30, 0, 30}, {12, 15, 17, 15},
    // 8
    {0, 0, 0, 30}, {0, 30, 20, 30}, {20, 30, 20, 0}, {20, 0, 0, 0}, {0, 15, 20, 15},
    // 9
    {9, 0, 20, 20}, {20, 20, 10, 30}, {10, 30, 0, 23}, {0, 23, 5, 12}, {5, 12, 20, 20},
    // @
    {10, 0, 0, 20}, {0, 20, 10, 30}, {10, 30, 20, 15}, {10, 0, 20, 10}, {6, 15, 20, 15},
    // .
    {1, 0, 1, 1}, {2, 0, 2, 1},
    // ,
    {1, 0, 1, 1}, {2, 0, 2, 0}, {2, -1, 3, -2},
    // "
    {6, 30, 6, 31}, {7, 30, 7, 30}, {7, 29, 8, 28}, {10, 30, 10, 31}, {11, 30, 11, 30}, {11, 29, 12, 28},
    // ~
    {1, 26, 7, 30}, {7, 30, 12, 26}, {12, 26, 19, 30},
    // /
    {1, 1, 19, 29},
    // :
    {3, 20, 3, 22}, {4, 20, 4, 22}, {3, 10, 3, 12}, {4, 10, 4, 12},
    // (
    {12, 0, 8, 15}, {8, 15, 12, 30},
    // )
    {12, 15, 8, 30}, {8, 0, 12, 15},
    // -
    {2, 15, 18, 15},
    // +
    {2, 15, 18, 15}, {10, 2, 10, 28},
    // %
    {20, 30, 0, 0}, {5, 25, 7, 27}, {15, 5, 17, 3},
};
// clang-format on

struct GlyphEntry {
    char ch;
    int first;
    int count;
};

constexpr GlyphEntry kGlyphs[kStrokeGlyphCount] = {
    {'A', 0, 5},   {'B', 5, 8},   {'C', 13, 4},  {'D', 17, 5},  {'E', 22, 4},  {'F', 26, 3},  {'G', 29, 6},
    {'H', 35, 3},  {'I', 38, 1},  {'J', 39, 3},  {'K', 42, 3},  {'L', 45, 2},  {'M', 47, 4},  {'N', 51, 3},
    {'O', 54, 4},  {'P', 58, 5},  {'Q', 63, 6},  {'R', 69, 5},  {'S', 74, 5},  {'T', 79, 2},  {'U', 81, 3},
    {'V', 84, 2},  {'W', 86, 4},  {'X', 90, 2},  {'Y', 92, 3},  {'Z', 95, 3},  {'0', 98, 5},  {'1', 103, 2},
    {'2', 105, 4}, {'3', 109, 6}, {'4', 115, 3}, {'5', 118, 6}, {'6', 124, 5}, {'7', 129, 3}, {'8', 132, 5},
    {'9', 137, 5}, {'@', 142, 5}, {'.', 147, 2}, {',', 149, 3}, {'"', 152, 6}, {'~', 158, 3}, {'/', 161, 1},
    {':', 162, 4}, {'(', 166, 2}, {')', 168, 2}, {'-', 170, 1}, {'+', 171, 2}, {'%', 173, 3},
};

struct GlyphIndex {
    // Index into kGlyphs by character code, -1 where there is no glyph.
    int of[128];
    constexpr GlyphIndex() : of{} {
        for (int& i : of) i = -1;
        for (int g = 0; g < kStrokeGlyphCount; ++g) of[static_cast<unsigned char>(kGlyphs[g].ch)] = g;
        // A lower-case letter draws its capital.
        for (int c = 'a'; c <= 'z'; ++c) of[c] = of[c - 'a' + 'A'];
    }
};

constexpr GlyphIndex kIndex;

}  // namespace

std::span<const StrokeSegment> StrokeGlyph(unsigned char c) {
    if (c >= 128 || kIndex.of[c] < 0) return {};
    const GlyphEntry& g = kGlyphs[kIndex.of[c]];
    return {kSegments + g.first, static_cast<std::size_t>(g.count)};
}

namespace {

// Hands every segment of text centred on x to `stroke` in screen
// coordinates, in drawing order. Drawing and measuring share this walk, so a
// measure holds for exactly the lines that are drawn.
template <typename Stroke>
void ForEachStroke(const char* text, float x, float y, float size, Stroke&& stroke) {
    if (text == nullptr) return;
    const float f = size * 0.05f;
    const float m = f * 20.0f + 3.0f;
    const float n = static_cast<float>(std::strlen(text));
    float e = -n * m * 0.5f;
    for (const char* p = text; *p != '\0'; ++p) {
        for (const StrokeSegment& s : StrokeGlyph(static_cast<unsigned char>(*p)))
            stroke(x + e + s.x1 * f, y - s.y1 * f, x + e + s.x2 * f, y - s.y2 * f);
        e += m;
    }
}

}  // namespace

void DrawStrokeText(const char* text, float x, float y, float size) {
    ForEachStroke(text, x, y, size, [](float x1, float y1, float x2, float y2) { DrawLineClipped(x1, y1, x2, y2); });
}

StrokeSpan StrokeTextSpan(const char* text, float x, float size) {
    StrokeSpan span;
    ForEachStroke(text, x, 0.0f, size, [&span](float x1, float, float x2, float) {
        span.Left = std::min({span.Left, x1, x2});
        span.Right = std::max({span.Right, x1, x2});
    });
    return span;
}

float ShiftOntoScreen(StrokeSpan span) {
    if (span.Empty()) return 0.0f;
    const float lastColumn = static_cast<float>(Form1->ModeWidth - 1);
    if (span.Left >= 0.0f && span.Right <= lastColumn) return 0.0f;
    const float fromLeft = std::ceil(kScreenTextMargin - span.Left);
    if (span.Left < 0.0f) return fromLeft;
    const float fromRight = std::floor(lastColumn - kScreenTextMargin - span.Right);
    // Wider than the screen: its start stays readable.
    return span.Left + fromRight < 0.0f ? fromLeft : fromRight;
}

void DrawStrokeTextOnScreen(const char* text, float x, float y, float size) {
    DrawStrokeText(text, x + ShiftOntoScreen(StrokeTextSpan(text, x, size)), y, size);
}
