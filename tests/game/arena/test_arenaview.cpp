// Placing round bodies on the screen, the part of their picture that shows
// when they are cut by the screen edges, and the stretch through the scratch
// surface.
#include "tests/game/arena_pictures.h"
#include "game/arena/arenaview.h"
#include "tests/game/world_fixture.h"

namespace {

constexpr PixelValue kLeftColour = 0xF800;
constexpr PixelValue kRightColour = 0x07E0;

class ArenaViewTest : public WorldFixture {};

TEST_F(ArenaViewTest, CutEdgesTakeTheMatchingPartOfTheFrame) {
    struct Case {
        float x, y;
        RECT src;  // left, top, right, bottom
    };
    // Squares of 30 pixels (radius 15 at zoom 10) on the 800 x 600 screen; a
    // 10-pixel cut is a third of the side, 33.33 pixels of a 100-pixel frame.
    // The near edges keep 33, the far edges trunc(100 - 33.33) = 66.
    const Case cases[] = {
        {400, 300, {0, 0, 100, 100}},  // whole
        {5, 5, {33, 33, 100, 100}},    // cut at the left and the top
        {795, 595, {0, 0, 66, 66}},    // cut at the right and the bottom
        {800, 300, {0, 0, 50, 100}},   // right half off: an exact half
    };
    for (const Case& c : cases) {
        const BodyScreenBox box = PlaceBody(*game, c.x, c.y, 15, Width(), Height());
        const RECT r = box.SourceRect(100);
        EXPECT_EQ(r.left, c.src.left) << c.x << "," << c.y;
        EXPECT_EQ(r.top, c.src.top) << c.x << "," << c.y;
        EXPECT_EQ(r.right, c.src.right) << c.x << "," << c.y;
        EXPECT_EQ(r.bottom, c.src.bottom) << c.x << "," << c.y;
    }
}

TEST_F(ArenaViewTest, StretchThroughScratchScalesCopiesOutAndClearsTheScratch) {
    auto picture = MakeSplitPicture(100, 50, kLeftColour, kRightColour);
    picture->SetSrcRect(0, 0, 100, 100);
    GiveScratchSurface();
    VXSurface& scratch = *Form1->ScratchSurface;
    RECT handed{-1, -1, -1, -1};
    StretchThroughScratch(*picture, scratch, 40, 20, [&](const RECT& r) {
        handed = r;
        scratch.DrawKeyedRect(Form1->WorkSurface.get(), 10, 10, r);
    });
    EXPECT_EQ(handed.left, 0);
    EXPECT_EQ(handed.top, 0);
    EXPECT_EQ(handed.right, 40);
    EXPECT_EQ(handed.bottom, 20);
    EXPECT_EQ(At(10, 10), kLeftColour);
    EXPECT_EQ(At(29, 29), kLeftColour);
    EXPECT_EQ(At(30, 10), kRightColour);
    EXPECT_EQ(At(49, 29), kRightColour);
    EXPECT_EQ(At(50, 10), 0u);
    EXPECT_EQ(At(10, 30), 0u);
    scratch.Lock();
    EXPECT_EQ(scratch.GetPixel(5, 5), 0u);
    EXPECT_EQ(scratch.GetPixel(35, 15), 0u);
    scratch.Unlock();
}

// Only the stretched square is cleared after each picture, so the scratch
// surface must come out wholly black after any sequence of sizes, the ones
// the scratch cannot hold included (their stretch fails and draws nothing).
TEST_F(ArenaViewTest, TheScratchIsWhollyBlackAfterEveryStretch) {
    auto picture = MakeSplitPicture(100, 50, kLeftColour, kRightColour);
    picture->SetSrcRect(0, 0, 100, 100);
    GiveScratchSurface();
    VXSurface& scratch = *Form1->ScratchSurface;
    auto allBlack = [&] {
        scratch.Lock();
        int lit = 0;
        for (int y = 0; y < 500; ++y)
            for (int x = 0; x < 500; ++x) lit += scratch.GetPixel(x, y) != 0;
        scratch.Unlock();
        return lit == 0;
    };
    for (auto [w, h] : {std::pair{27, 27}, {108, 40}, {500, 500}, {499, 3}, {0, 10}, {600, 20}, {20, 501}}) {
        RECT handed{};
        StretchThroughScratch(*picture, scratch, w, h, [&](const RECT& r) {
            handed = r;
            scratch.DrawKeyedRect(Form1->WorkSurface.get(), 0, 0, r);
        });
        EXPECT_EQ(handed.right, w);
        EXPECT_TRUE(allBlack()) << w << "x" << h;
    }
    // The scratch is lost while a picture is stretched: the copy-out
    // restores it with whatever it then holds, and the whole surface is
    // cleared again.
    scratch.DirectDrawSurface->SetLost(true);
    StretchThroughScratch(*picture, scratch, 30, 30,
                          [&](const RECT& r) { scratch.DrawKeyedRect(Form1->WorkSurface.get(), 0, 0, r); });
    ASSERT_EQ(scratch.DirectDrawSurface->IsLost(), DD_OK);
    EXPECT_TRUE(allBlack());
}

}  // namespace
