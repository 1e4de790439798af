#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game/menus/menu.h"
#include "game/data/player.h"
#include "game/menus/selections.h"
#include "tests/game/menu_fixture.h"

namespace {

class SelectionsTest : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        for (int i = 0; i < kPilotCount; ++i) game->Pilots[i] = new Player();
        game->BluePilot = 0;
        game->GreenPilot = 1;
        for (int c = 0; c < kClassCount; ++c) {
            std::snprintf(game->ClassNames[c], kClassNameSize, "Class %d", c);
            game->ShipValue[c] = 10 + 5 * c;
            game->ClassAvailable[c] = 1;
        }
        game->PointLimit = 200;
    }
    Player& Blue() { return *game->Pilots[0]; }
    Player& Green() { return *game->Pilots[1]; }

    int Frame() { return RunHandler(ShipSelectionScreen); }
    int Tap(int key) { return TapKey(ShipSelectionScreen, key); }
    int Click(int y, bool right = false) { return ClickAt(ShipSelectionScreen, y, right); }
    // Puts ships of these classes into these slots, with their value.
    static void Fill(Player& p, std::initializer_list<std::pair<int, int>> slotClass, const GameState& g) {
        for (auto [slot, cls] : slotClass) {
            p.Fleet[slot] = cls;
            p.FleetValue += g.ShipValue[cls];
        }
    }
    int FilledCount(const Player& p) {
        int n = 0;
        for (int s = 0; s < kFleetSlots; ++s) n += FleetSlotFilled(p, s);
        return n;
    }
};

}  // namespace

TEST_F(SelectionsTest, DrawsItemsClassListsFleetsAndValues) {
    struct Case {
        int width, height;
        float rows;
    };
    // On a narrow display blue's long fleet name runs into the green class
    // list: both class lists are drawn first, then both fleets over them.
    for (const Case& k : {Case{800, 600, 80}, Case{1024, 768, 240}, Case{400, 300, 80}}) {
        Resize(k.width, k.height);
        game->ScreenWidth = k.width;
        game->ScreenHeight = k.height;
        std::snprintf(game->ClassNames[7], kClassNameSize, "%s", k.width == 400 ? "Heavy Lancer Mk XII" : "Class 7");
        Blue() = Player();
        Green() = Player();
        Fill(Blue(), {{4, 7}, {9, 2}}, *game);
        Fill(Green(), {{0, 43}}, *game);
        game->BlueClassCursor = 3;
        game->BlueInFleet = 0;
        game->GreenInFleet = 1;
        game->GreenFleetCursor = 0;
        game->GreenClassCursor = 5;
        EXPECT_EQ(Frame(), ScreenShipSelections);
        EXPECT_FALSE(WorkIsLocked());

        const UIColourSet& c = Form1->UIColours;
        const float mid = static_cast<float>(k.width / 2), quarter = static_cast<float>(k.width / 4);
        const float green = 0.8f * static_cast<float>(k.width);
        const std::vector<PixelValue> expected = Reference([&] {
            DrawMenuText("Press esc for main menu", 105, 13, 6, c.ColourWhite);
            DrawMenuText("Ship selections", mid, 90, 25, c.ColourYellow);
            DrawMenuText("Point limit      +        -  :  200", mid, 150, 8, c.ColourRed);
            DrawMenuText("             PGUP   PGDOWN         ", mid, 150, 8, c.ColourLightRed);
            DrawMenuText("Clear all   ", mid, 180, 8, c.ColourRed);
            DrawMenuText("          F5", mid, 180, 8, c.ColourLightRed);
            DrawMenuText(" ack", mid, 210, 8, c.ColourBlue);
            DrawMenuText("B   ", mid, 210, 8, c.ColourLightBlue);
            for (int i = 0; i < kClassCount; ++i) {
                char line[32];
                std::snprintf(line, sizeof line, "%-17s %3d", game->ClassNames[i], 10 + 5 * i);
                const float y = k.rows + static_cast<float>(11 * i);
                DrawMenuText(line, quarter - 90, y, 5, i == 3 ? c.ColourWhite : c.ColourBlue);
                DrawMenuText(line, green + 60, y, 5, c.ColourGreen);  // green's cursor is in its fleet
            }
            DrawMenuText(game->ClassNames[7], quarter + 130, 240, 6, c.ColourBlue);
            DrawMenuText("Class 2", quarter + 130, 251, 6, c.ColourBlue);
            DrawMenuText("Class 43", green - 140, 240, 6, c.ColourWhite);
            DrawMenuText("Fleet value :   65", quarter - 50, k.rows + 484, 6, c.ColourRed);
            DrawMenuText("Fleet value :  225", green + 50, k.rows + 484, 6, c.ColourRed);
            DrawMenuText("keys: a,s,w,d,space", quarter - 50, k.rows + 504, 6, c.ColourRed);
            DrawMenuText("keys: arrows,enter ", green + 50, k.rows + 504, 6, c.ColourRed);
        });
        ExpectScreen(expected);
    }
}

TEST_F(SelectionsTest, BuyingFillsTheLowestEmptySlotOfAvailableClasses) {
    game->BlueClassCursor = 6;
    Blue().Fleet[0] = 2;
    Blue().FleetValue = game->ShipValue[2];
    Tap(kKeySpace);
    EXPECT_EQ(Blue().Fleet[1], 6);
    EXPECT_EQ(Blue().FleetValue, 20 + 40);

    // A held key buys once.
    Press(kKeySpace);
    for (int i = 0; i < 4; ++i) Frame();
    Release(kKeySpace);
    Frame();
    EXPECT_EQ(Blue().Fleet[2], 6);
    EXPECT_EQ(Blue().Fleet[3], kEmptyFleetSlot);

    // An unavailable class buys nothing, but the press still takes the latch.
    game->ClassAvailable[6] = 0;
    Press(kKeySpace);
    Frame();
    EXPECT_EQ(FilledCount(Blue()), 3);
    EXPECT_EQ(game->BlueLatch, 1);
    Release(kKeySpace);
    Frame();

    // Green buys with Enter; the point limit does not stop buying.
    game->GreenClassCursor = 43;
    for (int i = 0; i < 3; ++i) Tap(kKeyEnter);
    EXPECT_EQ(Green().FleetValue, 3 * 225);
    EXPECT_GT(Green().FleetValue, game->PointLimit);
}

TEST_F(SelectionsTest, AFullFleetTakesNoThirtyFirstShip) {
    game->BlueClassCursor = 1;
    for (int i = 0; i < kFleetSlots + 1; ++i) Tap(kKeySpace);
    EXPECT_EQ(FilledCount(Blue()), kFleetSlots);
    EXPECT_EQ(Blue().FleetValue, kFleetSlots * 15);
}

TEST_F(SelectionsTest, SellingMovesTheCursorOnAndLastShipReturnsToClasses) {
    Fill(Blue(), {{3, 1}, {10, 2}, {29, 4}}, *game);
    game->BlueFleetCursor = 10;
    Tap('D');
    ASSERT_EQ(game->BlueInFleet, 1);
    Tap(kKeySpace);
    EXPECT_EQ(Blue().Fleet[10], kEmptyFleetSlot);
    EXPECT_EQ(game->BlueFleetCursor, 29);
    EXPECT_EQ(Blue().FleetValue, 15 + 30);
    Tap(kKeySpace);
    EXPECT_EQ(game->BlueFleetCursor, 3);  // wraps from 29 to 0
    Tap(kKeySpace);
    EXPECT_EQ(Blue().FleetValue, 0);
    EXPECT_EQ(FilledCount(Blue()), 0);
    EXPECT_EQ(game->BlueInFleet, 0);
    // Back in the class list Space buys again.
    Tap(kKeySpace);
    EXPECT_EQ(FilledCount(Blue()), 1);

    // Green sells with Enter.
    Fill(Green(), {{5, 0}}, *game);
    Tap(kKeyLeft);
    EXPECT_EQ(game->GreenInFleet, 1);
    EXPECT_EQ(game->GreenFleetCursor, 5);
    Tap(kKeyEnter);
    EXPECT_EQ(Green().FleetValue, 0);
    EXPECT_EQ(game->GreenInFleet, 0);
}

TEST_F(SelectionsTest, FleetCursorWrapsOverEmptySlots) {
    Fill(Blue(), {{3, 1}, {17, 2}, {29, 4}}, *game);
    game->BlueFleetCursor = 29;
    game->BlueInFleet = 1;
    Tap('S');
    EXPECT_EQ(game->BlueFleetCursor, 3);
    Tap('W');
    EXPECT_EQ(game->BlueFleetCursor, 29);
    Tap('W');
    EXPECT_EQ(game->BlueFleetCursor, 17);
    // A leaves the fleet, D comes back to the same ship.
    Tap('A');
    EXPECT_EQ(game->BlueInFleet, 0);
    Tap('D');
    EXPECT_EQ(game->BlueInFleet, 1);
    EXPECT_EQ(game->BlueFleetCursor, 17);

    // With one ship, the cursor stays.
    Fill(Green(), {{12, 3}}, *game);
    game->GreenFleetCursor = 0;
    Tap(kKeyLeft);  // the slot is empty: on to the next ship
    EXPECT_EQ(game->GreenFleetCursor, 12);
    Tap(kKeyUp);
    Tap(kKeyDown);
    EXPECT_EQ(game->GreenFleetCursor, 12);
    Tap(kKeyRight);
    EXPECT_EQ(game->GreenInFleet, 0);

    EXPECT_EQ(NextFilledSlot(Player(), 4), -1);
    EXPECT_EQ(PreviousFilledSlot(Green(), 12), -1);  // only the other 29 slots count
}

TEST_F(SelectionsTest, EnteringAnEmptyFleetKeepsTheClassList) {
    Tap('D');
    Tap(kKeyLeft);
    EXPECT_EQ(game->BlueInFleet, 0);
    EXPECT_EQ(game->GreenInFleet, 0);
    // W and S then still move the class cursor.
    Tap('S');
    EXPECT_EQ(game->BlueClassCursor, 1);
}

TEST_F(SelectionsTest, ClassCursorsWrapAtBothEnds) {
    Tap('W');
    EXPECT_EQ(game->BlueClassCursor, 43);
    Tap('S');
    EXPECT_EQ(game->BlueClassCursor, 0);
    Tap(kKeyUp);
    EXPECT_EQ(game->GreenClassCursor, 43);
    Tap(kKeyDown);
    Tap(kKeyDown);
    EXPECT_EQ(game->GreenClassCursor, 1);
    // W and S together: only W, the first in order, moves.
    Press('W');
    Press('S');
    Frame();
    ReleaseAll();
    Frame();
    EXPECT_EQ(game->BlueClassCursor, 43);
}

TEST_F(SelectionsTest, PointLimitStepsByKeysAndClicksWithinBounds) {
    Tap(kKeyPageUp);
    EXPECT_EQ(game->PointLimit, 250);
    Tap(kKeyPageDown);
    Tap(kKeyPageDown);
    EXPECT_EQ(game->PointLimit, 150);
    Click(140);
    EXPECT_EQ(game->PointLimit, 200);
    Click(140, true);
    EXPECT_EQ(game->PointLimit, 150);
    Click(130);  // the band is open at both ends
    EXPECT_EQ(game->PointLimit, 150);

    // Held, PgUp steps once.
    Press(kKeyPageUp);
    for (int i = 0; i < 5; ++i) Frame();
    Release(kKeyPageUp);
    Frame();
    EXPECT_EQ(game->PointLimit, 200);

    for (int i = 0; i < 50; ++i) Tap(kKeyPageUp);
    EXPECT_EQ(game->PointLimit, 2000);
    for (int i = 0; i < 50; ++i) Click(140, true);
    EXPECT_EQ(game->PointLimit, 50);
}

TEST_F(SelectionsTest, ClearAllEmptiesBothFleetsByKeyOrClick) {
    for (bool byClick : {false, true}) {
        Fill(Blue(), {{0, 1}, {6, 2}}, *game);
        Fill(Green(), {{29, 3}}, *game);
        game->BlueInFleet = 1;
        game->BlueFleetCursor = 6;
        game->BlueClassCursor = 9;
        game->GreenClassCursor = 12;
        if (byClick)
            Click(170);
        else
            Tap(kKeyF5);
        EXPECT_EQ(FilledCount(Blue()) + FilledCount(Green()), 0);
        EXPECT_EQ(Blue().FleetValue, 0);
        EXPECT_EQ(Green().FleetValue, 0);
        EXPECT_EQ(game->BlueInFleet, 0);
        EXPECT_EQ(game->BlueClassCursor, 0);
        EXPECT_EQ(game->GreenClassCursor, 0);
    }
}

TEST_F(SelectionsTest, LeavesOnlyWithinThePointLimit) {
    Fill(Blue(), {{0, 38}}, *game);  // 200: exactly the limit
    for (int key : {kKeyEscape, static_cast<int>('B')}) {
        game->MenuLatch = 0;
        Press(key);
        EXPECT_EQ(Frame(), ScreenBattleMenu);
        EXPECT_EQ(game->MenuLatch, 1);
        Release(key);
    }
    game->MenuLatch = 0;
    EXPECT_EQ(Click(200), ScreenBattleMenu);

    // A latched MenuLatch (PgUp held) keeps even the Back click from leaving.
    Press(kKeyPageUp);
    Frame();
    game->MouseY = 200;
    game->MouseLeft = 1;
    EXPECT_EQ(Frame(), ScreenShipSelections);
    ReleaseAll();
    game->MouseLeft = 0;
    Frame();
    game->PointLimit = 200;

    Fill(Green(), {{0, 39}}, *game);  // 205: over
    EXPECT_EQ(Click(200), ScreenShipSelections);
    EXPECT_EQ(game->FleetWarningTimer, 0);  // a click shows no warning
    Press(kKeyEscape);
    EXPECT_EQ(Frame(), ScreenShipSelections);
    EXPECT_EQ(game->FleetWarningTimer, 299);
    // Held, Esc keeps the warning at full length.
    Frame();
    EXPECT_EQ(game->FleetWarningTimer, 299);
    Release(kKeyEscape);
    Frame();
    EXPECT_EQ(game->FleetWarningTimer, 298);
}

TEST_F(SelectionsTest, WarningShowsForThreeHundredFrames) {
    Fill(Blue(), {{0, 43}}, *game);
    Tap(kKeyEscape);  // the press and the frame after it
    const PixelValue red = Form1->UIColours.ColourRed;
    auto warningInk = [&] {
        const std::vector<PixelValue> px = Pixels();
        int n = 0;
        for (int y = 285; y <= 300; ++y)
            for (int x = 250; x < 550; ++x) n += px[static_cast<std::size_t>(y) * 800 + x] == red;
        return n;
    };
    EXPECT_GT(warningInk(), 0);
    for (int i = 2; i < 300; ++i) Frame();
    EXPECT_GT(warningInk(), 0);
    EXPECT_EQ(game->FleetWarningTimer, 0);
    Frame();
    EXPECT_EQ(warningInk(), 0);
}

TEST_F(SelectionsTest, DamagedValuesStayInBounds) {
    // Fleet entries that are no class count as empty slots: not drawn, not
    // sold, and bought over.
    Blue().Fleet[0] = 77;
    Blue().Fleet[1] = -4;
    game->BlueClassCursor = 900;
    game->BlueFleetCursor = -7;
    game->BlueInFleet = 1;  // on no ship
    game->GreenFleetCursor = 31;
    game->GreenClassCursor = -1;
    EXPECT_EQ(Frame(), ScreenShipSelections);
    EXPECT_EQ(game->BlueClassCursor, 0);
    EXPECT_EQ(game->BlueFleetCursor, 0);
    EXPECT_EQ(game->BlueInFleet, 0);
    EXPECT_EQ(game->GreenFleetCursor, 0);
    EXPECT_EQ(game->GreenClassCursor, 0);
    EXPECT_FALSE(FleetSlotFilled(Blue(), 0));
    EXPECT_FALSE(FleetSlotFilled(Blue(), 30));
    Tap(kKeySpace);
    EXPECT_EQ(Blue().Fleet[0], 0);
    EXPECT_EQ(Blue().FleetValue, 10);

    // A side whose pilot index points nowhere has no fleet to change.
    game->GreenPilot = 40;
    Tap(kKeyEnter);
    Tap(kKeyLeft);
    Tap(kKeyDown);
    EXPECT_EQ(game->GreenClassCursor, 1);
    EXPECT_EQ(game->GreenInFleet, 0);
    Press(kKeyEscape);
    EXPECT_EQ(Frame(), ScreenBattleMenu);
}
