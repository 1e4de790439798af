// Pixels, lines, outlines, circles, fills and text on a surface.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "tests/vx/blit_fixture.h"

namespace {

using blittest::Rect;
using blittest::World;
using Points = std::set<std::pair<int, int>>;

// Every pixel that differs from `background`.
Points Changed(const VXSurface& s, std::uint32_t background = 0) {
    Points p;
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x)
            if (World::At(s, x, y) != background) p.insert({x, y});
    return p;
}

// A locked 16-bit surface to draw on, unlocked at the end of the scope.
struct Canvas {
    explicit Canvas(int w = 20, int h = 20, int depth = 16) : world(depth), s(world.Make(depth, w, h)) { s->Lock(); }
    ~Canvas() { s->Unlock(); }
    VXSurface* operator->() { return s.get(); }
    World world;
    std::unique_ptr<VXSurface> s;
};

TEST(PutPixel, ClipsToTheClipRectangle) {
    Canvas c(10, 8);
    c->SetClipRect(Rect(2, 1, 9, 7));
    c->PutPixel(8, 6, 5);  // last column and row inside
    c->PutPixel(9, 3, 5);  // x = clip right
    c->PutPixel(3, 7, 5);  // y = clip bottom
    c->PutPixel(1, 3, 5);  // left of the clip
    c->PutPixel(3, 0, 5);  // above it
    c->PutPixel(-1, -1, 5);
    c->PutPixel(2, 1, 5);  // top-left corner inside
    EXPECT_EQ(Changed(*c.s), (Points{{8, 6}, {2, 1}}));
}

TEST(PutPixel, StoresByDepth) {
    {
        Canvas c(2, 1, 32);
        World::Set(*c.s, 0, 0, 0xFF000000);
        c->PutPixel(0, 0, 0x12345678);
        EXPECT_EQ(World::At(*c.s, 0, 0), 0xFF345678u);  // fourth byte kept
        EXPECT_EQ(c->GetPixel(0, 0), 0xFF345678u);      // and read back
    }
    {
        Canvas c(2, 1, 24);
        c->PutPixel(1, 0, 0xAABBCCDD);
        EXPECT_EQ(World::At(*c.s, 1, 0), 0xBBCCDDu);
        EXPECT_EQ(c->GetPixel(1, 0), 0xBBCCDDu);
    }
    {
        Canvas c(2, 1, 16);
        c->PutPixel(1, 0, 0x1234FFFF);
        EXPECT_EQ(c->GetPixel(1, 0), 0xFFFFu);
        EXPECT_EQ(World::At(*c.s, 0, 0), 0u);
    }
    {
        Canvas c(2, 1, 8);
        c->PutPixel(0, 0, 0x1FE);
        EXPECT_EQ(c->GetPixel(0, 0), 0xFEu);
    }
}

TEST(PutPixel, NeedsALockWithPixels) {
    World w;
    auto s = w.Make(16, 4, 4);
    s->PutPixel(1, 1, 7);  // never locked
    s->Lock();
    s->Unlock();
    s->PutPixel(1, 1, 7);  // unlocked again
    s->DrawHLine(0, 3, 2, 7);
    s->DrawLine(0, 0, 3, 2, 7);
    s->DrawCircle(2, 2, 1, 7);
    EXPECT_EQ(World::CountNot(*s, 0), 0);
    EXPECT_EQ(s->GetPixel(1, 1), 0u);

    // A display depth that does not match the surface's pixels draws
    // nothing rather than stepping past the rows.
    w.screen.BitsPerPixel = 32;
    s->Lock();
    s->PutPixel(3, 3, 7);
    s->DrawHLine(0, 3, 3, 7);
    s->Unlock();
    EXPECT_EQ(World::CountNot(*s, 0), 0);

    VXSurface empty;
    empty.Lock();
    empty.PutPixel(0, 0, 1);
    EXPECT_EQ(empty.GetPixel(0, 0), 0u);
}

TEST(GetPixel, OutsideTheSurfaceReadsZero) {
    Canvas c(4, 4);
    World::FillAll(*c.s, 0x1234);
    EXPECT_EQ(c->GetPixel(3, 3), 0x1234u);
    EXPECT_EQ(c->GetPixel(4, 0), 0u);
    EXPECT_EQ(c->GetPixel(0, 4), 0u);
    EXPECT_EQ(c->GetPixel(-1, 0), 0u);
}

TEST(Lines, HorizontalAndVerticalEndsAndClipping) {
    struct Case {
        bool horizontal;
        int a, b, at;
        int from, to;  // drawn range, inclusive; from > to for none
    } cases[] = {
        {true, 10, 5, 3, 5, 10},                                                         // either order
        {true, 0, 19, 3, 0, 19},                                                         // includes the last column
        {true, 10, 70, 3, 10, 19},                                                       // ends at clip right - 1
        {true, -30, -1, 3, 1, 0},                                                        // wholly left
        {true, 0, 19, 20, 1, 0},                                                         // row outside
        {true, 7, 7, 3, 7, 7},                                                           // a single pixel
        {false, 12, 2, 4, 2, 12},  {false, -5, 40, 4, 0, 19}, {false, 0, 19, -1, 1, 0},  // column outside
    };
    for (const Case& k : cases) {
        Canvas c;
        if (k.horizontal)
            c->DrawHLine(k.a, k.b, k.at, 9);
        else
            c->DrawVLine(k.a, k.b, k.at, 9);
        Points want;
        for (int i = k.from; i <= k.to; ++i) want.insert(k.horizontal ? std::pair{i, k.at} : std::pair{k.at, i});
        EXPECT_EQ(Changed(*c.s), want) << k.horizontal << " " << k.a << " " << k.b << " " << k.at;
    }
}

TEST(Lines, HorizontalRunsAtEveryDepth) {
    for (int depth : {8, 15, 16, 24, 32}) {
        SCOPED_TRACE(depth);
        Canvas c(9, 2, depth);
        c->DrawHLine(1, 5, 1, 0x00ABCDEF);  // an odd count of 5
        const std::uint32_t want = depth == 8 ? 0xEF : depth <= 16 ? 0xCDEF : 0xABCDEF;
        Points drawn;
        for (int x = 1; x <= 5; ++x) {
            EXPECT_EQ(World::At(*c.s, x, 1), want);
            drawn.insert({x, 1});
        }
        EXPECT_EQ(Changed(*c.s), drawn);
    }
}

TEST(Lines, SlopingLinesTruncateSummedSteps) {
    struct Case {
        int x1, y1, x2, y2;
        Points want;
    } cases[] = {
        {0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
        {4, 2, 0, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},  // same line from the other end
        {3, 0, 0, 3, {{3, 0}, {2, 1}, {1, 2}, {0, 3}}},
        // Octants about (10, 10): right and down, left and down, right and up, steep.
        {10, 10, 18, 12, {{10, 10}, {11, 10}, {12, 10}, {13, 10}, {14, 11}, {15, 11}, {16, 11}, {17, 11}, {18, 12}}},
        {10, 10, 2, 12, {{2, 12}, {3, 11}, {4, 11}, {5, 11}, {6, 11}, {7, 10}, {8, 10}, {9, 10}, {10, 10}}},
        {10, 10, 18, 8, {{10, 10}, {11, 9}, {12, 9}, {13, 9}, {14, 9}, {15, 8}, {16, 8}, {17, 8}, {18, 8}}},
        {10, 10, 12, 18, {{10, 10}, {10, 11}, {10, 12}, {10, 13}, {11, 14}, {11, 15}, {11, 16}, {11, 17}, {12, 18}}},
        {12, 18, 10, 10, {{10, 10}, {10, 11}, {10, 12}, {10, 13}, {11, 14}, {11, 15}, {11, 16}, {11, 17}, {12, 18}}},
        // Steep, leaning left: x runs 12, 11.75, ... 10.0 and truncates, so
        // it leaves 12 after one row and reaches 10 four rows early.
        {12, 10, 10, 18, {{12, 10}, {11, 11}, {11, 12}, {11, 13}, {11, 14}, {10, 15}, {10, 16}, {10, 17}, {10, 18}}},
    };
    for (const Case& k : cases) {
        Canvas c;
        c->DrawLine(k.x1, k.y1, k.x2, k.y2, 3);
        EXPECT_EQ(Changed(*c.s), k.want) << k.x1 << "," << k.y1 << " " << k.x2 << "," << k.y2;
    }
}

TEST(Lines, TheLastPixelCanFallShort) {
    // 3/10 summed ten times stays just below 3.
    Canvas c;
    c->DrawLine(0, 0, 10, 3, 3);
    Points p = Changed(*c.s);
    EXPECT_EQ(p.size(), 11u);
    EXPECT_TRUE(p.count({10, 2}));
    EXPECT_FALSE(p.count({10, 3}));
}

TEST(Lines, FarOutsideEndPointsAreClipped) {
    Canvas c(10, 10);
    c->DrawLine(-2000000000, 5, 2000000000, 6, 1);
    c->DrawLine(5, -2147483647, 6, 2147483647, 1);
    // Both lines cross the surface; only in-surface pixels are written.
    const Points p = Changed(*c.s);
    EXPECT_FALSE(p.empty());
    for (auto [x, y] : p) EXPECT_TRUE(x >= 0 && x < 10 && y >= 0 && y < 10);
}

TEST(Outline, FourLinesWithTheirCorners) {
    Canvas c;
    c->DrawRectOutline(2, 2, 5, 4, 1);
    EXPECT_EQ(Changed(*c.s), (Points{{2, 2}, {3, 2}, {4, 2}, {5, 2}, {2, 3}, {5, 3}, {2, 4}, {3, 4}, {4, 4}, {5, 4}}));
}

TEST(Circle, SmallRadii) {
    struct Case {
        int r;
        std::size_t points;
    } cases[] = {{0, 1}, {1, 4}, {2, 12}, {3, 16}};
    for (const Case& k : cases) {
        Canvas c;
        c->DrawCircle(10, 10, k.r, 1);
        EXPECT_EQ(Changed(*c.s).size(), k.points) << k.r;
    }
    Canvas one;
    one->DrawCircle(10, 10, 1, 1);
    EXPECT_EQ(Changed(*one.s), (Points{{10, 9}, {10, 11}, {9, 10}, {11, 10}}));
    Canvas zero;
    zero->DrawCircle(10, 10, 0, 1);
    EXPECT_EQ(Changed(*zero.s), (Points{{10, 10}}));
}

TEST(Circle, EightfoldSymmetryAndClipping) {
    Canvas c(40, 40);
    c->DrawCircle(20, 20, 9, 1);
    const Points p = Changed(*c.s);
    for (auto [x, y] : p) {
        const int dx = x - 20, dy = y - 20;
        for (auto [mx, my] : {std::pair{-dx, dy}, {dx, -dy}, {dy, dx}, {-dy, -dx}})
            EXPECT_TRUE(p.count({20 + mx, 20 + my})) << dx << "," << dy;
        // Every point lies within half a pixel of the radius, rounded half up.
        EXPECT_NEAR(std::sqrt(double(dx * dx + dy * dy)), 9.0, 0.75);
    }
    EXPECT_TRUE(p.count({20, 11}));
    EXPECT_TRUE(p.count({29, 20}));

    Canvas edge(10, 10);
    edge->DrawCircle(0, 0, 5, 1);
    const Points q = Changed(*edge.s);
    // Only the quarter inside the surface is drawn.
    EXPECT_EQ(q, (Points{{0, 5}, {1, 5}, {2, 5}, {3, 4}, {4, 3}, {5, 2}, {5, 1}, {5, 0}}));
}

TEST(Circle, AHugeCircleDrawsOnlyItsVisibleArc) {
    // Centre on the surface, radius far beyond it: the walk stops once no
    // point can land, and the arc through the surface is still drawn.
    Canvas c(40, 40);
    c->DrawCircle(20, 20, 2000000000, 1);
    EXPECT_TRUE(Changed(*c.s).empty());
    Canvas arc(40, 40);
    arc->DrawCircle(20, -980, 1000, 1);  // dips 20 rows into the top
    const Points p = Changed(*arc.s);
    EXPECT_TRUE(p.count({20, 20}));
    for (auto [x, y] : p) EXPECT_LE(y, 20);
}

TEST(FillRect, RightAndBottomExclusive) {
    World w;
    auto s = w.Make(16, 20, 20);
    EXPECT_EQ(s->FillRect(0, 0, 10, 10, 0x1234), DD_OK);
    EXPECT_EQ(World::CountNot(*s, 0), 100);
    EXPECT_EQ(World::At(*s, 9, 9), 0x1234u);
    EXPECT_EQ(World::At(*s, 10, 9), 0u);
    // Whole rows 12 and 13 (one block through the row padding): the rows
    // above and below keep their pixels.
    EXPECT_EQ(s->FillRect(0, 12, 20, 14, 0x4321), DD_OK);
    for (int y = 11; y <= 14; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(World::At(*s, x, y), (y == 12 || y == 13) ? 0x4321u : 0u) << x << "," << y;
    World::FillAll(*s, 0);
    EXPECT_EQ(s->FillRect(0, 0, 10, 10, 0x1234), DD_OK);
    // A locked surface is not filled, and the display's refusal comes back.
    s->Lock();
    EXPECT_NE(s->FillRect(10, 10, 12, 12, 0x5555), DD_OK);
    s->Unlock();
    EXPECT_EQ(World::CountNot(*s, 0), 100);
    VXSurface empty;
    EXPECT_NE(empty.FillRect(0, 0, 1, 1, 1), DD_OK);
}

TEST(Text, DrawsThroughTheDeviceContext) {
    World w;
    auto s = w.Make(16, 120, 40);
    EXPECT_EQ(s->DrawText(2, 2, 0xFFFFFF, "Hi"), 0);  // no device context taken
    s->SetTextFont("Galactic.ttf", 0, 14, 700);
    EXPECT_NE(s->Font, nullptr);
    s->SetTextFont("Galactic.ttf", 0, 20, 400);  // replaces the first
    EXPECT_NE(s->Font, nullptr);
    ASSERT_NE(s->GetDC(), nullptr);
    // Red as a COLORREF (0x00BBGGRR), drawn over a dark blue background.
    World::FillAll(*s, 0x0008);
    EXPECT_NE(s->DrawText(2, 2, 0x0000FF, "FPS = 60"), 0);
    s->ReleaseDC();
    // Text drawn on a transparent background: only glyph pixels change, and
    // each of them takes the text colour.
    int glyph = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const std::uint32_t v = World::At(*s, x, y);
            if (v == 0x0008u) continue;
            ++glyph;
            EXPECT_EQ(v, 0xF800u) << x << "," << y;
        }
    EXPECT_GT(glyph, 0);
    EXPECT_LT(glyph, 120 * 40 / 2);
}

}  // namespace
