#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <string>
#include <vector>

#include "game/common/miscdraw.h"
#include "game/common/strokefont.h"
#include "tests/game/screen_fixture.h"

namespace {

class StrokeFontTest : public ScreenFixture {
protected:
    StrokeFontTest() : ScreenFixture(800, 100) {}

    // Pixels set by drawing text on a cleared surface.
    template <class Draw>
    std::vector<PixelValue> RenderWith(Draw draw) {
        Clear();
        LockWork();
        SetDrawColour(kInk);
        draw();
        UnlockWork();
        return Pixels();
    }
    std::vector<PixelValue> Render(const char* text, float x, float y, float size) {
        return RenderWith([&] { DrawStrokeText(text, x, y, size); });
    }

    static constexpr PixelValue kInk = 0x7BEF;
};

}  // namespace

TEST(StrokeGlyphs, TableHasAllGlyphsWithinTheirBox) {
    int glyphs = 0, segments = 0;
    for (int c = 0; c < 256; ++c) {
        if (c >= 'a' && c <= 'z') continue;
        const auto segs = StrokeGlyph(static_cast<unsigned char>(c));
        if (segs.empty()) continue;
        ++glyphs;
        segments += static_cast<int>(segs.size());
        for (const StrokeSegment& s : segs) {
            for (int x : {s.x1, s.x2}) {
                EXPECT_GE(x, 0) << char(c);
                EXPECT_LE(x, 20) << char(c);
            }
            for (int y : {s.y1, s.y2}) {
                EXPECT_GE(y, -2) << char(c);
                EXPECT_LE(y, 31) << char(c);
            }
        }
    }
    EXPECT_EQ(glyphs, kStrokeGlyphCount);
    EXPECT_EQ(segments, kStrokeSegmentCount);

    for (char c : std::string("0123456789@.,\"~/:()-+%")) EXPECT_FALSE(StrokeGlyph(c).empty()) << c;
    for (int c : {32, '#' + 0, '!' + 0, '?' + 0, '\'' + 0, '_' + 0, '[' + 0, 127, 128, 200, 255})
        EXPECT_TRUE(StrokeGlyph(c).empty()) << c;
    EXPECT_EQ(StrokeGlyph('B').size(), 8u);
    EXPECT_EQ(StrokeGlyph('I').size(), 1u);
    // The comma dips below the baseline, the double quote above the top.
    EXPECT_EQ(StrokeGlyph(',')[2].y2, -2);
    EXPECT_EQ(StrokeGlyph('"')[0].y2, 31);
}

TEST(StrokeGlyphs, LowerCaseDrawsTheCapital) {
    for (char c = 'a'; c <= 'z'; ++c) {
        const auto lower = StrokeGlyph(c), upper = StrokeGlyph(c - 'a' + 'A');
        ASSERT_EQ(lower.data(), upper.data()) << c;
        ASSERT_EQ(lower.size(), upper.size()) << c;
    }
}

TEST_F(StrokeFontTest, GoldenLine) {
    // "HELLO" at size 10 centred on x 36, baseline 20: advance 13, so the
    // letters start at 3.5, 16.5, 29.5, 42.5 and 55.5; glyph unit 0.5 pixel.
    Resize(72, 24);
    const std::vector<PixelValue> got = Render("HELLO", 36, 20, 10);
    const char* expected[24] = {
        "........................................................................",
        "........................................................................",
        "........................................................................",
        "........................................................................",
        "........................................................................",
        "...#.........#..###########..#............#............###########......",
        "...#.........#..#............#............#............#.........#......",
        "...#.........#..#............#............#............#.........#......",
        "...#.........#..#............#............#............#.........#......",
        "...#.........#..#............#............#............#.........#......",
        "...#.........#..#............#............#............#.........#......",
        "...#.........#..#............#............#............#.........#......",
        "...###########..#########....#............#............#.........#......",
        "...#.........#..#............#............#............#.........#......",
        "...#.........#..#............#............#............#.........#......",
        "...#.........#..#............#............#............#.........#......",
        "...#.........#..#............#............#............#.........#......",
        "...#.........#..#............#............#............#.........#......",
        "...#.........#..#............#............#............#.........#......",
        "...#.........#..#............#............#............#.........#......",
        "...#.........#..###########..###########..###########..###########......",
        "........................................................................",
        "........................................................................",
        "........................................................................",
    };
    for (int y = 0; y < 24; ++y) {
        std::string row;
        for (int x = 0; x < 72; ++x) row += got[y * 72 + x] == kInk ? '#' : got[y * 72 + x] == 0 ? '.' : '?';
        EXPECT_EQ(row, expected[y]) << "row " << y;
    }
}

TEST_F(StrokeFontTest, TwoLettersAreCentredWithTheTrailingGap) {
    // "AB" at size 20 on x 400: A's left edge at 400 - 23 = 377, B's at 400.
    const std::vector<PixelValue> px = Render("AB", 400, 60, 20);
    auto columnInked = [&](int x) {
        for (int y = 0; y < Height(); ++y)
            if (px[y * Width() + x] == kInk) return true;
        return false;
    };
    int leftmost = -1, rightmost = -1;
    for (int x = 0; x < Width(); ++x)
        if (columnInked(x)) {
            if (leftmost < 0) leftmost = x;
            rightmost = x;
        }
    EXPECT_EQ(leftmost, 377);
    EXPECT_TRUE(columnInked(397));  // A's right leg
    EXPECT_FALSE(columnInked(398));
    EXPECT_FALSE(columnInked(399));
    EXPECT_TRUE(columnInked(400));  // B's spine
    EXPECT_EQ(rightmost, 420);
    // Glyphs are 1.5 x size tall above the baseline.
    EXPECT_EQ(px[60 * Width() + 400], kInk);
    EXPECT_EQ(px[30 * Width() + 400], kInk);
    EXPECT_NE(px[29 * Width() + 400], kInk);
}

TEST_F(StrokeFontTest, LowerCaseRendersLikeUpperCase) {
    EXPECT_EQ(Render("vantorra 2.80", 300, 60, 12), Render("VANTORRA 2.80", 300, 60, 12));
}

TEST_F(StrokeFontTest, CharactersWithoutGlyphLeaveAGapOfOneAdvance) {
    // Three characters advance 23 each at size 20: A starts at x - 34.5 and
    // B at x + 11.5, exactly where A and B alone centred 23 to either side go.
    const std::vector<PixelValue> spaced = Render("A B", 400, 60, 20);
    EXPECT_EQ(Render("A#B", 400, 60, 20), spaced);
    EXPECT_EQ(Render("A\xE9"
                     "B",
                     400, 60, 20),
              spaced);

    Clear();
    LockWork();
    SetDrawColour(kInk);
    DrawStrokeText("A", 377, 60, 20);
    DrawStrokeText("B", 423, 60, 20);
    UnlockWork();
    EXPECT_EQ(Pixels(), spaced);
}

TEST_F(StrokeFontTest, EmptyStringDrawsNothing) {
    EXPECT_EQ(Render("", 400, 60, 20), Render("   ", 400, 60, 20));
    for (PixelValue p : Render("", 400, 60, 20)) ASSERT_EQ(p, 0u);
    for (PixelValue p : Render("    ", 400, 60, 20)) ASSERT_EQ(p, 0u);
}

TEST_F(StrokeFontTest, SmallSizeCollapsesShortSegmentsToPixels) {
    // At size 5 the full stop's two one-unit strokes are a quarter pixel
    // long and a quarter apart: one pixel.
    const std::vector<PixelValue> dot = Render(".", 20, 20.5f, 5);
    int inked = 0;
    for (PixelValue p : dot) inked += p == kInk;
    EXPECT_EQ(inked, 1);
    EXPECT_EQ(dot[20 * Width() + 16], kInk);

    // A glyph is 5 x 7.5 pixels: "L" from x 16 to 21, rows 12 to 20.
    const std::vector<PixelValue> l = Render("L", 20, 20, 5);
    EXPECT_EQ(l[20 * Width() + 16], kInk);
    EXPECT_EQ(l[20 * Width() + 21], kInk);
    EXPECT_EQ(l[12 * Width() + 16], kInk);
    EXPECT_NE(l[11 * Width() + 16], kInk);
    EXPECT_NE(l[20 * Width() + 22], kInk);
}

TEST_F(StrokeFontTest, SegmentsWithBothEndsOffScreenAreSkipped) {
    Resize(100, 40);
    // A minus at size 200 centred on 50 runs from -31.5 to 128.5 on row 20:
    // both ends are off screen, so nothing shows although the line crosses
    // the screen.
    for (PixelValue p : Render("-", 50, 170, 200)) ASSERT_EQ(p, 0u);
    // Centred on 30 at size 150 the right end (88.5, 17.5) is on screen: the
    // line is drawn, clipped at the left edge.
    const std::vector<PixelValue> px = Render("-", 30, 130, 150);
    const int row = 17;
    for (int x = 0; x <= 88; ++x) EXPECT_EQ(px[row * 100 + x], kInk) << x;
    EXPECT_NE(px[row * 100 + 89], kInk);
}

namespace {

// Where a text's lit pixels lie and how many there are.
struct Ink {
    int Lit = 0;
    int Left = -1, Right = -1, Top = -1, Bottom = -1;
};

Ink InkOf(const std::vector<PixelValue>& px, int width) {
    Ink ink;
    const int height = static_cast<int>(px.size()) / width;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (px[static_cast<std::size_t>(y) * width + x] == 0) continue;
            ++ink.Lit;
            ink.Left = ink.Left < 0 ? x : std::min(ink.Left, x);
            ink.Right = std::max(ink.Right, x);
            ink.Top = ink.Top < 0 ? y : std::min(ink.Top, y);
            ink.Bottom = std::max(ink.Bottom, y);
        }
    return ink;
}

class ScreenTextTest : public StrokeFontTest {
protected:
    std::vector<PixelValue> RenderOnScreen(const char* text, float x, float y, float size) {
        return RenderWith([&] { DrawStrokeTextOnScreen(text, x, y, size); });
    }
};

}  // namespace

namespace {

// A text of a table case, placed by its distance from one edge.
struct PlacedText {
    const char* Text;
    float X;  // from the left edge, or back from the right one
    bool FromRight;
    float Size;
};

}  // namespace

// Texts that already lie on the screen, some of them touching its first or
// last column, are drawn exactly as DrawStrokeText draws them.
TEST_F(ScreenTextTest, ATextOnTheScreenStaysWhereItIs) {
    const PlacedText cases[] = {
        {"LASER", 30, false, 4},
        {"FULL LNK", 30, false, 4},
        {"FULL LNK", 30, true, 4},
        {"CHAIN", 30, true, 4},
        {"Phaser", 30, false, 4},
        {" 50   3", 30, false, 5},
        {"100 100", 30, true, 5},
        {"PHASING CLOAK", 190, false, 4},
        {"DEATH BLOSSOM", 190, true, 4},
        {"I", 1.5f, false, 20},  // its one stroke on column 0
        {"I", -0.5f, true, 20},  // and on the last column
        {"Press esc for main menu", 105, false, 6},
        {"Select with: Up and Down", 120, true, 6},
    };
    for (int width : {800, 1600}) {
        Resize(width, 100);
        for (const PlacedText& c : cases) {
            const float x = c.FromRight ? static_cast<float>(width) - c.X : c.X;
            SCOPED_TRACE(testing::Message() << width << " wide: \"" << c.Text << "\" at " << x);
            const std::vector<PixelValue> plain = Render(c.Text, x, 60, c.Size);
            ASSERT_GT(InkOf(plain, width).Lit, 0);
            EXPECT_EQ(RenderOnScreen(c.Text, x, 60, c.Size), plain);
        }
    }
}

namespace {

// The leftmost and rightmost x of a text's segment ends, laid out as the font
// lays it out: each character takes size + 3 pixels, the whole run centred on
// x, a glyph unit size / 20 pixels.
std::pair<float, float> SegmentEnds(const char* text, float x, float size) {
    const float f = size * 0.05f;
    const float m = f * 20.0f + 3.0f;
    float e = -static_cast<float>(std::strlen(text)) * m * 0.5f;
    float lo = 1e9f, hi = -1e9f;
    for (const char* p = text; *p; ++p, e += m)
        for (const StrokeSegment& s : StrokeGlyph(static_cast<unsigned char>(*p)))
            for (int gx : {s.x1, s.x2}) {
                lo = std::min(lo, x + e + gx * f);
                hi = std::max(hi, x + e + gx * f);
            }
    return {lo, hi};
}

}  // namespace

// The in-game display's long names at the columns' centres, 30 pixels from
// either edge, the shields of a strong ship, and the text pages' hint: each
// is drawn as the plain text moved inward by whole pixels, just far enough
// for every segment end to lie kScreenTextMargin or more inside the screen.
// A segment with both ends on the screen is drawn whole, so no pixel is lost;
// on the right, where the screen can be made wider, the pixels show it.
TEST_F(ScreenTextTest, ATextThatWouldCrossAnEdgeMovesInJustFarEnoughToShowWhole) {
    const PlacedText cases[] = {
        {"ion CANNON", 30, false, 4},         {"ion CANNON", 30, true, 4},
        {"Laser Torpedo", 30, false, 4},      {"Laser Torpedo", 30, true, 4},
        {"Pulse Cannon", 30, false, 4},       {"Pulse Cannon", 30, true, 4},
        {"Pulse phaser", 30, false, 4},       {"Pulse phaser", 30, true, 4},
        {"X-Ray P Beam", 30, false, 4},       {"X-Ray P Beam", 30, true, 4},
        {"Neutron Beam", 30, false, 4},       {"Neutron Beam", 30, true, 4},
        {"photon torpedo", 30, false, 4},     {"photon torpedo", 30, true, 4},
        {"1000 1000", 30, false, 5},          {"1000 1000", 30, true, 5},
        {"Press esc for menu", 80, false, 6}, {"Press esc for battle menu", 105, false, 6},
    };
    const float margin = kScreenTextMargin;
    for (int width : {800, 1600}) {
        const auto lastColumn = static_cast<float>(width - 1);
        for (const PlacedText& c : cases) {
            const float x = c.FromRight ? static_cast<float>(width) - c.X : c.X;
            SCOPED_TRACE(testing::Message() << width << " wide: \"" << c.Text << "\" at " << x);
            const auto [lo, hi] = SegmentEnds(c.Text, x, c.Size);
            // Where it stands, part of it lies past the edge.
            ASSERT_TRUE(c.FromRight ? hi > lastColumn : lo < 0.0f);
            const float move = c.FromRight ? std::floor(lastColumn - margin - hi) : std::ceil(margin - lo);
            const auto [movedLo, movedHi] = SegmentEnds(c.Text, x + move, c.Size);
            EXPECT_GE(movedLo, margin);
            EXPECT_LE(movedHi, lastColumn - margin);
            // One pixel less would not do.
            EXPECT_TRUE(c.FromRight ? movedHi + 1.0f > lastColumn - margin : movedLo - 1.0f < margin);

            Resize(width, 100);
            const std::vector<PixelValue> shown = RenderOnScreen(c.Text, x, 60, c.Size);
            EXPECT_EQ(shown, Render(c.Text, x + move, 60, c.Size));
            if (c.FromRight) {
                Resize(3 * width, 100);
                const std::vector<PixelValue> wide = Render(c.Text, x + move, 60, c.Size);
                int litShown = 0, litWide = 0;
                for (PixelValue p : shown) litShown += p != 0;
                for (PixelValue p : wide) litWide += p != 0;
                EXPECT_EQ(litShown, litWide);
                EXPECT_EQ(InkOf(wide, 3 * width).Right, InkOf(shown, width).Right);
            }
        }
    }
}

TEST_F(ScreenTextTest, ATextWiderThanTheScreenShowsItsStart) {
    Resize(100, 40);
    const Ink ink = InkOf(RenderOnScreen("HHHHHHHHHHHHHHHH", 95, 30, 5), 100);
    EXPECT_EQ(ink.Left, static_cast<int>(kScreenTextMargin));
    EXPECT_EQ(ink.Right, 99);
    // Blank and empty texts have nothing to keep on the screen.
    EXPECT_TRUE(StrokeTextSpan("   ", -500, 10).Empty());
    EXPECT_TRUE(StrokeTextSpan("", 50, 10).Empty());
    EXPECT_EQ(ShiftOntoScreen(StrokeTextSpan("   ", -500, 10)), 0.0f);
    for (PixelValue p : RenderOnScreen("   ", -500, 30, 10)) ASSERT_EQ(p, 0u);
}
