#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "game/menus/menu.h"
#include "game/common/miscdraw.h"
#include "game/menus/pilotscreen.h"
#include "game/menus/quickgame.h"
#include "tests/game/match_fixture.h"

namespace {

constexpr int kKeyControl = 17;  // player 1's thrust

class QuickGameTest : public MatchFixture {
protected:
    int Frame() { return RunHandler(QuickGameScreen); }
    int Tap(int key) { return TapKey(QuickGameScreen, key); }
    int Click(int y) { return ClickAt(QuickGameScreen, y); }

    // A quick game of the two classes, as N starts it.
    void StartGame(int blueClass, int greenClass) {
        game->BlueClassCursor = blueClass;
        game->GreenClassCursor = greenClass;
        ASSERT_EQ(Tap('N'), ScreenPlay);
        game->MenuLatch = 0;
    }

    static bool AnyKeyHeld() {
        return std::any_of(std::begin(Form1->KeyState), std::end(Form1->KeyState), [](int k) { return k != 0; });
    }

    // One carousel as the screen draws it: box, label, five names and hint.
    void DrawCarousel(float x, const std::vector<int>& classes, const char* label, const char* hint,
                      const char* overlay, PixelValue colour) {
        const UIColourSet& c = Form1->UIColours;
        SetDrawColour(0);
        FillRectClipped(x - 80, 285, x + 80, 390);
        SetDrawColour(colour);
        DrawRectClipped(x - 80, 285, x + 80, 390);
        DrawMenuText(label, x, 280, 8, colour);
        for (std::size_t i = 0; i < classes.size(); ++i) {
            const std::string name = "Class " + std::to_string(classes[i]);
            DrawMenuText(name.c_str(), x, static_cast<float>(300 + 20 * i), 6, i == 2 ? c.ColourWhite : colour);
        }
        DrawMenuText(hint, x, 405, 6, c.ColourRed);
        DrawMenuText(overlay, x, 405, 6, c.ColourLightRed);
    }
};

}  // namespace

TEST_F(QuickGameTest, DrawsItemsCarouselsWrappedAtBothEndsAndThePilotsStatistics) {
    game->BlueClassCursor = 0;
    game->GreenClassCursor = 43;
    Blue().Wins = 3;
    EXPECT_EQ(Frame(), ScreenQuickGame);
    EXPECT_FALSE(WorkIsLocked());

    const UIColourSet& c = Form1->UIColours;
    const std::vector<PixelValue> expected = Reference([&] {
        DrawMenuText("Press esc for main menu", 105, 13, 6, c.ColourWhite);
        DrawMenuText("Quick game", 400, 90, 25, c.ColourYellow);
        DrawMenuText(" EW QUICK GAME", 400, 150, 8, c.ColourRed);
        DrawMenuText("N             ", 400, 150, 8, c.ColourLightRed);
        DrawMenuText(" ESUME QUICK GAME", 400, 180, 8, c.ColourRed);
        DrawMenuText("R                ", 400, 180, 8, c.ColourLightRed);
        DrawMenuText("CHOOSE  ILOTS", 400, 210, 8, c.ColourRed);
        DrawMenuText("       P     ", 400, 210, 8, c.ColourLightRed);
        DrawMenuText(" ack", 400, 240, 8, c.ColourBlue);
        DrawMenuText("B   ", 400, 240, 8, c.ColourLightBlue);
        // Below class 0 come 43 and 42; above 43 come 0 and 1.
        DrawCarousel(200, {42, 43, 0, 1, 2}, "Blue ship", "use   and   keys to select", "    w     s               ",
                     c.ColourBlue);
        DrawCarousel(640, {41, 42, 43, 0, 1}, "green ship", "use    and      keys to select",
                     "    UP     DOWN               ", c.ColourGreen);
        DrawPilotStats(game);
    });
    ExpectScreen(expected);
}

TEST_F(QuickGameTest, TheCursorsTurnOneClassPerPressAndWrapBothWays) {
    struct Case {
        int back, forward;
        std::int32_t GameState::*cursor;
    };
    for (const Case& k :
         {Case{'W', 'S', &GameState::BlueClassCursor}, Case{kKeyUp, kKeyDown, &GameState::GreenClassCursor}}) {
        std::int32_t& cursor = game->*k.cursor;
        cursor = 41;
        std::vector<int> seen;
        for (int i = 0; i < 4; ++i) {
            Tap(k.forward);
            seen.push_back(cursor);
        }
        for (int i = 0; i < 4; ++i) {
            Tap(k.back);
            seen.push_back(cursor);
        }
        EXPECT_EQ(seen, (std::vector<int>{42, 43, 0, 1, 0, 43, 42, 41}));

        // A held key moves the cursor once.
        Press(k.forward);
        for (int i = 0; i < 5; ++i) Frame();
        Release(k.forward);
        Frame();
        EXPECT_EQ(cursor, 42);

        // Both keys together: one step back only.
        Press(k.back);
        Press(k.forward);
        Frame();
        Frame();
        ReleaseAll();
        Frame();
        EXPECT_EQ(cursor, 41);
    }
}

TEST_F(QuickGameTest, NewGameIsInertOnAnUnavailableClassWhileTheCursorsStillMove) {
    game->BlueClassCursor = 0;  // class 0 cannot be flown here
    game->GreenClassCursor = 2;
    Press('N');
    Press('S');
    EXPECT_EQ(Frame(), ScreenQuickGame);
    EXPECT_EQ(game->BlueShip, nullptr);
    EXPECT_EQ(game->BlueClassCursor, 1);
    EXPECT_EQ(game->MenuLatch, 0);
    // N still held, now on a class that can be flown: the game starts.
    Release('S');
    EXPECT_EQ(Frame(), ScreenPlay);
    ASSERT_NE(game->BlueShip, nullptr);
    EXPECT_EQ(game->BlueShip->ClassIndex, 1);
    ReleaseAll();

    // A click is inert in the same way, with the green cursor moving.
    game->MenuLatch = 0;
    game->GreenClassCursor = 4;
    Ship* running = game->BlueShip;
    Press(kKeyUp);
    game->MouseY = 140;
    game->MouseLeft = 1;
    EXPECT_EQ(Frame(), ScreenQuickGame);
    EXPECT_EQ(game->BlueShip, running);
    EXPECT_EQ(game->GreenClassCursor, 3);
}

TEST_F(QuickGameTest, NewGameBuildsBothShipsInANewArenaAndStartsTheirEngines) {
    WatchEngines();
    StartGame(1, 1);
    // A game under way: damage, a shot in flight, an arena of its own.
    game->BlueShip->Life = 3;
    AddShot();
    ASSERT_NE(game->PlanetList, nullptr);
    game->PlanetList->X = -777;  // no new planet lies there
    game->RoundEndCounter = 17;
    game->Zoom = 11;
    game->GameMode = ScreenBattlePick;
    ASSERT_EQ(FramesHeld(1), 60);

    game->BlueClassCursor = 3;
    game->GreenClassCursor = 2;
    Press(kKeyControl);
    Press('N');
    EXPECT_EQ(Frame(), ScreenPlay);

    ExpectFreshShips(3, 2);
    ASSERT_TRUE(game->BlueShip && game->GreenShip);
    // Reset for the round, at the two starting places.
    EXPECT_GT(game->BlueShip->Life, 3.0f);
    EXPECT_LE(game->BlueShip->X, 200.0f);
    EXPECT_GE(game->GreenShip->X, 1800.0f);
    EXPECT_EQ(ShotCount(), 0);
    EXPECT_GE(AsteroidCount(), 5);
    EXPECT_LE(AsteroidCount(), 6);
    ASSERT_NE(game->PlanetList, nullptr);
    EXPECT_GE(game->PlanetList->X, 751.0f);
    EXPECT_EQ(game->GameMode, ScreenQuickGame);
    EXPECT_EQ(game->MenuLatch, 1);
    EXPECT_EQ(game->Zoom, 4.0f);
    EXPECT_EQ(game->RoundEndCounter, 0);
    EXPECT_FALSE(AnyKeyHeld());
    // The frames of the two classes, and no others.
    EXPECT_EQ(FramesHeld(3), 60);
    EXPECT_EQ(FramesHeld(2), 60);
    EXPECT_EQ(FramesHeld(1), 0);
    EXPECT_TRUE(SlotLooping(kEngineSlot[3]));
    EXPECT_TRUE(SlotLooping(kEngineSlot[2]));
    EXPECT_FALSE(SlotLooping(kEngineSlot[1]));
}

TEST_F(QuickGameTest, HeldNewGameKeyFromTheMainMenuWaitsForARelease) {
    game->BlueClassCursor = 1;
    game->GreenClassCursor = 2;
    game->MenuLatch = 1;  // as the main menu's N leaves it
    Press('N');
    EXPECT_EQ(Frame(), ScreenQuickGame);
    EXPECT_EQ(Frame(), ScreenQuickGame);
    EXPECT_EQ(game->BlueShip, nullptr);
    Release('N');
    Frame();
    EXPECT_EQ(Tap('N'), ScreenPlay);
}

TEST_F(QuickGameTest, ResumeWithoutAGameStaysAndChangesNothing) {
    game->GameMode = ScreenBattleMenu;
    Press('R');
    Press(kKeyControl);
    EXPECT_EQ(Frame(), ScreenQuickGame);
    EXPECT_EQ(game->BlueShip, nullptr);
    EXPECT_EQ(game->GreenShip, nullptr);
    EXPECT_EQ(game->GameMode, ScreenBattleMenu);
    EXPECT_EQ(Form1->KeyState[kKeyControl], 1);
    ReleaseAll();

    // One ship alone is no game either.
    game->BlueShip = NewShip(game, 0, &Blue(), 1);
    EXPECT_EQ(Click(170), ScreenQuickGame);
    EXPECT_EQ(game->GreenShip, nullptr);
}

TEST_F(QuickGameTest, ResumeGoesOnWithTheSameShipsKeysClearedAndEnginesRestarted) {
    WatchEngines();
    StartGame(3, 2);
    Ship* blue = game->BlueShip;
    Ship* green = game->GreenShip;
    blue->Life = 7;
    green->X = 1234;
    AddShot();
    // A battle left with Esc is resumed under its own rules.
    game->GameMode = ScreenBattlePick;
    Frame();  // the screen stops the engines
    ASSERT_FALSE(SlotLooping(kEngineSlot[3]));

    Press('R');
    Press(kKeyControl);
    EXPECT_EQ(Frame(), ScreenPlay);
    EXPECT_EQ(game->BlueShip, blue);
    EXPECT_EQ(game->GreenShip, green);
    EXPECT_EQ(blue->Life, 7.0f);
    EXPECT_EQ(green->X, 1234.0f);
    EXPECT_EQ(ShotCount(), 1);
    EXPECT_EQ(game->GameMode, ScreenBattlePick);
    EXPECT_FALSE(AnyKeyHeld());
    EXPECT_TRUE(SlotLooping(kEngineSlot[3]));
    EXPECT_TRUE(SlotLooping(kEngineSlot[2]));
}

TEST_F(QuickGameTest, ResumeAfterABookedBattleRoundStaysAndBooksNothingAgain) {
    StartGame(3, 2);
    // The battle round is over and booked: the loser is still a wreck.
    game->GameMode = ScreenBattlePick;
    game->GreenShip->Life = -1;
    game->RoundEndCounter = 200;
    Blue().Wins = 1;
    EXPECT_EQ(Tap('R'), ScreenQuickGame);
    EXPECT_EQ(Click(170), ScreenQuickGame);
    EXPECT_EQ(Blue().Wins, 1);
}

TEST_F(QuickGameTest, ChoosePilotsAndBackLeaveByKeyOrClick) {
    struct Case {
        int key;  // or 0
        int row;  // mouse row when no key
        int want;
        std::uint8_t latchAfter;
    };
    const Case cases[] = {
        {'P', 0, ScreenChoosePilots, 0},    {0, 200, ScreenChoosePilots, 0}, {'B', 0, ScreenMainMenu, 1},
        {kKeyEscape, 0, ScreenMainMenu, 1}, {0, 230, ScreenMainMenu, 0},
    };
    for (const Case& k : cases) {
        game->GameMode = ScreenBattleMenu;
        game->MenuLatch = 0;
        game->MouseLatch = 0;
        if (k.key) Press(k.key);
        game->MouseY = k.row;
        game->MouseLeft = k.key ? 0 : 1;
        EXPECT_EQ(Frame(), k.want) << k.key << " " << k.row;
        EXPECT_EQ(game->MenuLatch, k.latchAfter) << k.key << " " << k.row;
        if (k.want == ScreenChoosePilots) {
            EXPECT_EQ(game->GameMode, ScreenQuickGame);
        }
        ReleaseAll();
        game->MouseLeft = 0;
    }
    // Latched keys wait for the latch.
    game->MenuLatch = 1;
    Press('B');
    EXPECT_EQ(Frame(), ScreenQuickGame);
    Press('P');
    EXPECT_EQ(Frame(), ScreenQuickGame);
}

TEST_F(QuickGameTest, ADamagedStateStartsNothingAndCrashesNothing) {
    // Cursors outside the classes go back to class 0.
    game->BlueClassCursor = -5;
    game->GreenClassCursor = 99;
    EXPECT_EQ(Frame(), ScreenQuickGame);
    EXPECT_EQ(game->BlueClassCursor, 0);
    EXPECT_EQ(game->GreenClassCursor, 0);

    // A side without a pilot cannot fly.
    game->BlueClassCursor = 1;
    game->GreenClassCursor = 2;
    game->BluePilot = 57;
    EXPECT_EQ(Tap('N'), ScreenQuickGame);
    EXPECT_EQ(game->BlueShip, nullptr);
    EXPECT_EQ(game->GreenShip, nullptr);
}
