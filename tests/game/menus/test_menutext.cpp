// Menu texts and item labels near the screen's edges: kept whole, and a
// label's two layers moved as one.
#include <gtest/gtest.h>

#include <vector>

#include "game/common/miscdraw.h"
#include "game/common/strokefont.h"
#include "game/menus/menu.h"
#include "tests/game/screen_fixture.h"

namespace {

constexpr PixelValue kBase = 0xF800, kHot = 0x07E0;

class MenuTextTest : public ScreenFixture {
protected:
    MenuTextTest() : ScreenFixture(800, 100) {}

    template <typename Draw>
    std::vector<PixelValue> Drawn(Draw draw) {
        Clear();
        LockWork();
        draw();
        UnlockWork();
        return Pixels();
    }

    // Both layers as DrawStrokeText draws them on one centre.
    std::vector<PixelValue> PlainLabel(const char* base, const char* overlay, float x, float size) {
        return Drawn([&] {
            SetDrawColour(kBase);
            DrawStrokeText(base, x, 60, size);
            SetDrawColour(kHot);
            DrawStrokeText(overlay, x, 60, size);
        });
    }

    std::vector<PixelValue> Label(const char* base, const char* overlay, float x, float size) {
        return Drawn([&] { DrawLabel(base, overlay, x, 60, size, kBase, kHot); });
    }
};

}  // namespace

TEST_F(MenuTextTest, ALabelOnTheScreenIsDrawnWhereItStands) {
    EXPECT_EQ(Label(" ack", "B   ", 400, 8), PlainLabel(" ack", "B   ", 400, 8));
    EXPECT_EQ(Label("Clear all   ", "          F5", 400, 8), PlainLabel("Clear all   ", "          F5", 400, 8));
}

// The hot letter decides how far a label moves when it is the part that
// would cross the edge: "B" of " ack" centred on 5 at size 8 starts at -17,
// so both layers move 19 pixels (the base alone would have needed 8); "F5"
// centred on 795 ends at 858 and both move back 61.
TEST_F(MenuTextTest, ALabelCrossingAnEdgeMovesWithItsHotLetters) {
    EXPECT_EQ(Label(" ack", "B   ", 5, 8), PlainLabel(" ack", "B   ", 24, 8));
    EXPECT_EQ(Label("Clear all   ", "          F5", 795, 8), PlainLabel("Clear all   ", "          F5", 734, 8));
}

// The text pages' hint centred on 80 would lose the upright of its "P" at
// column -1; it moves 3 pixels to start at 2.
TEST_F(MenuTextTest, AMenuTextCrossingTheEdgeMovesInWhole) {
    const std::vector<PixelValue> shown = Drawn([] { DrawMenuText("Press esc for menu", 80, 13, 6, kBase); });
    EXPECT_EQ(shown, Drawn([] {
                  SetDrawColour(kBase);
                  DrawStrokeText("Press esc for menu", 83, 13, 6);
              }));
    EXPECT_EQ(shown[13 * 800 + 2], kBase);  // the foot of the upright
    EXPECT_EQ(Drawn([] { DrawMenuText("Press esc for main menu", 105, 13, 6, kBase); }), Drawn([] {
                  SetDrawColour(kBase);
                  DrawStrokeText("Press esc for main menu", 105, 13, 6);
              }));
}
