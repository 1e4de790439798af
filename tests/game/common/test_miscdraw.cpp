#include <gtest/gtest.h>

#include <vector>

#include "game/common/miscdraw.h"
#include "tests/game/screen_fixture.h"

namespace {

class ClippedDrawTest : public ScreenFixture {
protected:
    ClippedDrawTest() : ScreenFixture(200, 100) {}
    void SetUp() override {
        ScreenFixture::SetUp();
        Clear();
        LockWork();
        SetDrawColour(kInk);
    }
    int Inked() {
        UnlockWork();
        int n = 0;
        for (PixelValue p : Pixels()) n += p == kInk;
        LockWork();
        return n;
    }
    PixelValue PixelAt(int x, int y) {
        UnlockWork();
        const PixelValue p = At(x, y);
        LockWork();
        return p;
    }
    static constexpr PixelValue kInk = 0x1F;
};

}  // namespace

TEST_F(ClippedDrawTest, LineIsDrawnWhenEitherEndIsOnScreen) {
    DrawLineClipped(-50, 10, 100, 10);
    EXPECT_EQ(Inked(), 101);  // x = 0 .. 100
    EXPECT_EQ(PixelAt(0, 10), kInk);
    EXPECT_EQ(PixelAt(100, 10), kInk);
    EXPECT_EQ(PixelAt(101, 10), 0u);

    DrawLineClipped(150, 20, 5000, 20);  // first end off, second on
    EXPECT_EQ(Inked(), 101 + 50);
}

TEST_F(ClippedDrawTest, LineWithBothEndsOffScreenIsSkipped) {
    DrawLineClipped(-50, 10, 5000, 10);
    DrawLineClipped(-1, -1, 200, 100);  // corner to corner, just outside
    DrawRectClipped(-10, -10, 300, 300);
    EXPECT_EQ(Inked(), 0);
}

TEST_F(ClippedDrawTest, OnScreenTestUsesTheLastPixelAsEdge) {
    PutPixelClipped(199, 99, kInk);
    PutPixelClipped(199.5f, 50, kInk);  // beyond ModeWidth - 1
    PutPixelClipped(-0.5f, 50, kInk);
    PutPixelClipped(0, 0, 0x3E0);
    EXPECT_EQ(PixelAt(199, 99), kInk);
    EXPECT_EQ(PixelAt(0, 0), 0x3E0u);  // the pixel takes its own colour
    EXPECT_EQ(Inked(), 1);
}

TEST_F(ClippedDrawTest, CircleNeedsItsCentreOnScreen) {
    DrawCircleClipped(-1, 50, 10);  // rim would show, centre is off
    DrawCircleClipped(100, 100, 10);
    EXPECT_EQ(Inked(), 0);
    DrawCircleClipped(0, 50, 10.9f);  // radius truncated to 10
    EXPECT_EQ(PixelAt(10, 50), kInk);
    EXPECT_EQ(PixelAt(0, 40), kInk);
    EXPECT_EQ(PixelAt(11, 50), 0u);
}

TEST_F(ClippedDrawTest, RectangleOutlineAndFill) {
    DrawRectClipped(10.7f, 20.2f, 30, 40);
    EXPECT_EQ(PixelAt(10, 20), kInk);
    EXPECT_EQ(PixelAt(30, 40), kInk);
    EXPECT_EQ(PixelAt(20, 30), 0u);
    EXPECT_EQ(Inked(), 2 * 21 + 2 * 19);

    SetDrawColour(0x7C00);
    FillRectClipped(100, 50, 110, 60);  // right and bottom exclusive
    EXPECT_EQ(PixelAt(100, 50), 0x7C00u);
    EXPECT_EQ(PixelAt(109, 59), 0x7C00u);
    EXPECT_EQ(PixelAt(110, 59), 0u);
    EXPECT_EQ(PixelAt(109, 60), 0u);
}

TEST_F(ClippedDrawTest, FillLeavesTheSurfaceLockedAsItFoundIt) {
    FillRectClipped(0, 0, 10, 10);
    EXPECT_TRUE(WorkIsLocked());
    // Drawing straight after the fill still reaches the pixels.
    DrawLineClipped(50, 50, 60, 50);
    EXPECT_EQ(PixelAt(55, 50), kInk);
    EXPECT_EQ(PixelAt(5, 5), kInk);
}
