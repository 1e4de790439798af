#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/menus/menu.h"
#include "game/common/miscdraw.h"
#include "game/menus/pilotscreen.h"
#include "game/data/player.h"
#include "tests/game/menu_fixture.h"

namespace {

constexpr const char* kHeader =
    "Name      score  wins   losses   draws    win %   draw %  hit %   to col %  to shots %";

class PilotScreenTest : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        for (int i = 0; i < kPilotCount; ++i) game->Pilots[i] = new Player();
        game->Pilots[kNoPilotBlue]->SetName("NO Pilot");
        game->Pilots[kNoPilotGreen]->SetName("NO Pilot");
        // Named pilots at 1, 2, 5 and 8; the others are not offered.
        game->Pilots[1]->SetName("ARDEN");
        game->Pilots[2]->SetName("BRISK");
        game->Pilots[5]->SetName("CALLOWAY");
        game->Pilots[8]->SetName("DRUMMOND");
        game->BluePilot = kNoPilotBlue;
        game->GreenPilot = kNoPilotGreen;
        game->GameMode = ScreenBattleMenu;
    }
    int Frame() { return RunHandler(ChoosePilotsScreen); }
    int Tap(int key) { return TapKey(ChoosePilotsScreen, key); }
    int Click(int y) { return ClickAt(ChoosePilotsScreen, y); }

    // The statistics table for the two given rows.
    void DrawTable(const std::string& blueRow, const std::string& greenRow) {
        const UIColourSet& c = Form1->UIColours;
        SetDrawColour(c.ColourGrey);
        DrawRectClipped(50, 440, 750, 520);
        DrawMenuText(kHeader, 400, 435, 5, c.ColourGrey);
        DrawMenuText(blueRow.c_str(), 400, 455, 5, c.ColourLightBlue);
        DrawMenuText(greenRow.c_str(), 400, 480, 5, c.ColourLightGreen);
    }
};

}  // namespace

TEST_F(PilotScreenTest, DrawsBothListsWithTheChoicesInLightRed) {
    game->BluePilot = 2;
    game->GreenPilot = kNoPilotGreen;
    EXPECT_EQ(Frame(), ScreenChoosePilots);
    EXPECT_FALSE(WorkIsLocked());
    const UIColourSet& c = Form1->UIColours;
    const std::vector<PixelValue> expected = Reference([&] {
        DrawTable(PilotStatsRow(*game->Pilots[2]), PilotStatsRow(*game->Pilots[kNoPilotGreen]));
        DrawMenuText("Press esc for menu", 85, 13, 6, c.ColourWhite);
        DrawMenuText("Select with: Up and Down", 680, 50, 6, c.ColourGreen);
        DrawMenuText(" ack", 400, 50, 8, c.ColourBlue);
        DrawMenuText("B   ", 400, 50, 8, c.ColourLightBlue);
        const char* names[] = {"ARDEN", "BRISK", "CALLOWAY", "DRUMMOND", "NO PILOTS"};
        for (int row = 0; row < 5; ++row) {
            const float y = static_cast<float>(100 + 30 * row);
            DrawMenuText(names[row], 200, y, 8, row == 1 ? c.ColourLightRed : c.ColourBlue);
            DrawMenuText(names[row], 640, y, 8, row == 4 ? c.ColourLightRed : c.ColourGreen);
        }
    });
    ExpectScreen(expected);
    EXPECT_EQ(game->GreenPilot, kNoPilotGreen);
}

TEST_F(PilotScreenTest, StatisticsTableShowsBothChosenPilots) {
    Player& blue = *game->Pilots[5];
    blue.Score = 120;
    blue.Wins = 3;
    blue.Losses = 1;
    game->BluePilot = 5;
    EXPECT_EQ(PilotStatsRow(blue),
              "CALLOWAY  120    3        1        0      75      0       0       0         0         ");
    Frame();
    const std::vector<PixelValue> expected =
        Reference([&] { DrawTable(PilotStatsRow(blue), PilotStatsRow(*game->Pilots[kNoPilotGreen])); });
    // Only the table: everything below the pilot lists.
    const std::vector<PixelValue> got = Pixels();
    for (int y = 420; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * 800 + x;
            ASSERT_EQ(got[i], expected[i]) << x << "," << y;
        }
}

TEST_F(PilotScreenTest, StatisticsTableBlanksWhatItCovers) {
    Clear(0x1234);
    LockWork();
    DrawPilotStats(game);
    UnlockWork();
    EXPECT_EQ(At(60, 500), 0);                            // inside the box: black
    EXPECT_EQ(At(50, 500), Form1->UIColours.ColourGrey);  // its outline
    EXPECT_EQ(At(40, 500), 0x1234);                       // outside: untouched
}

TEST_F(PilotScreenTest, StatisticsRows) {
    struct Case {
        const char* name;
        int score, wins, losses, draws, fired, hits, collisions, shots;
        const char* row;
    };
    const Case cases[] = {
        // No finished rounds and no shots: every percentage is 0.
        {"ARDEN", 0, 0, 0, 0, 0, 0, 0, 0,
         "ARDEN     0      0        0        0      0       0       0       0         0         "},
        {"BRISK", 55, 1, 1, 1, 3, 2, 1, 1,
         "BRISK     55     1        1        1      33      33      67      50        50        "},
        // Ten name bytes with no NUL stay ten characters.
        {"TENLETTERS", 7, 2, 0, 0, 0, 5, 0, 0,
         "TENLETTERS7      2        0        0      100     0       0       0         0         "},
        // Counters from a damaged stats.dat: the sums do not overflow.
        {"HUGE", 1, 2147483647, 2147483647, 0, 0, 0, 2147483647, 0,
         "HUGE      1      2147483647     2147483647     0      50      0       0       100       0         "},
    };
    for (const Case& k : cases) {
        Player p;
        p.SetName(k.name);
        p.Score = k.score;
        p.Wins = k.wins;
        p.Losses = k.losses;
        p.Draws = k.draws;
        p.ShotsFired = k.fired;
        p.Hits = k.hits;
        p.CollisionDeaths = k.collisions;
        p.ShotDeaths = k.shots;
        EXPECT_EQ(PilotStatsRow(p), k.row) << k.name;
    }
    EXPECT_EQ(std::string(kHeader).size(), PilotStatsRow(Player()).size());
}

TEST_F(PilotScreenTest, CursorSkipsUnnamedPilotsAndWrapsThroughNoPilots) {
    game->BluePilot = 0;  // an unnamed pilot, as a damaged state may hold
    const std::vector<int> down = {1, 2, 5, 8, 10, 10};
    for (int want : down) {
        Tap('S');
        EXPECT_EQ(game->BluePilot, want);
    }
    const std::vector<int> up = {8, 5, 2, 1, 10, 8};
    for (int want : up) {
        Tap('W');
        EXPECT_EQ(game->BluePilot, want);
    }
    // The green side on the arrows; its "nobody" is entry 11 outside the frame.
    Tap(kKeyDown);
    EXPECT_EQ(game->GreenPilot, kNoPilotGreen);
    Tap(kKeyUp);
    EXPECT_EQ(game->GreenPilot, 8);
    Tap(kKeyDown);
    EXPECT_EQ(game->GreenPilot, kNoPilotGreen);
    EXPECT_EQ(game->BluePilot, 8);
}

TEST_F(PilotScreenTest, HeldKeysMoveOnceAndBlueWinsTogether) {
    game->BluePilot = 1;
    game->GreenPilot = 1;
    Press('S');
    Press(kKeyDown);
    for (int i = 0; i < 5; ++i) Frame();
    EXPECT_EQ(game->BluePilot, 2);
    EXPECT_EQ(game->GreenPilot, 1);
    // Down alone still waits: the latch holds until both are up.
    Release('S');
    Frame();
    EXPECT_EQ(game->GreenPilot, 1);
    ReleaseAll();
    Frame();
    Tap(kKeyDown);
    EXPECT_EQ(game->GreenPilot, 2);
}

TEST_F(PilotScreenTest, WithNoNamedPilotsOnlyNoPilotsIsOffered) {
    for (int i = 0; i < kNamedPilots; ++i) game->Pilots[i]->SetName("");
    // A missing pilot is skipped too.
    delete game->Pilots[3];
    game->Pilots[3] = nullptr;
    Tap('S');
    Tap('W');
    Tap(kKeyUp);
    EXPECT_EQ(game->BluePilot, kNoPilotBlue);
    EXPECT_EQ(game->GreenPilot, kNoPilotGreen);
    const UIColourSet& c = Form1->UIColours;
    const std::vector<PixelValue> expected = Reference([&] {
        DrawTable(PilotStatsRow(*game->Pilots[kNoPilotBlue]), PilotStatsRow(*game->Pilots[kNoPilotGreen]));
        DrawMenuText("Press esc for menu", 85, 13, 6, c.ColourWhite);
        DrawMenuText("Select with: Up and Down", 680, 50, 6, c.ColourGreen);
        DrawMenuText(" ack", 400, 50, 8, c.ColourBlue);
        DrawMenuText("B   ", 400, 50, 8, c.ColourLightBlue);
        DrawMenuText("NO PILOTS", 200, 100, 8, c.ColourLightRed);
        DrawMenuText("NO PILOTS", 640, 100, 8, c.ColourLightRed);
    });
    Frame();
    ExpectScreen(expected);
}

TEST_F(PilotScreenTest, LeavesOnlyWithNoPilotsOrTwoDifferentPilots) {
    struct Case {
        int blue, green, mode, result;
    };
    const Case cases[] = {
        {kNoPilotBlue, kNoPilotGreen, ScreenBattleMenu, ScreenBattleMenu},
        {1, 2, ScreenQuickGame, ScreenQuickGame},
        {8, 5, ScreenPlay, ScreenMainMenu},  // opened from elsewhere: back to the main menu
        {2, 2, ScreenBattleMenu, ScreenChoosePilots},
        {2, kNoPilotGreen, ScreenBattleMenu, ScreenChoosePilots},
        {kNoPilotBlue, 5, ScreenQuickGame, ScreenChoosePilots},
    };
    for (const Case& k : cases) {
        game->BluePilot = k.blue;
        game->GreenPilot = k.green;
        game->GameMode = k.mode;
        game->MenuLatch = 0;
        game->PilotsMessageTimer = 0;
        for (int key : {kKeyEscape, static_cast<int>('B')}) {
            Press(key);
            EXPECT_EQ(Frame(), k.result) << k.blue << " " << k.green << " key " << key;
            Release(key);
            const bool accepted = k.result != ScreenChoosePilots;
            EXPECT_EQ(game->MenuLatch, accepted ? 1 : 0);
            EXPECT_EQ(game->PilotsMessageTimer, accepted ? 0 : 200);
            EXPECT_EQ(game->GreenPilot, k.green);
            game->MenuLatch = 1;  // Esc and B are not latched
        }
    }
}

TEST_F(PilotScreenTest, BackBandLeavesLikeEsc) {
    game->GameMode = ScreenQuickGame;
    EXPECT_EQ(Click(40), ScreenQuickGame);
    game->MouseY = 50;  // the band is open at both ends
    game->MouseLeft = 1;
    EXPECT_EQ(Frame(), ScreenChoosePilots);
    game->MouseLeft = 0;
    Frame();
    game->BluePilot = 1;
    EXPECT_EQ(Click(31), ScreenChoosePilots);
    EXPECT_EQ(game->PilotsMessageTimer, 199);  // set by the click, counted by the next frame
}

TEST_F(PilotScreenTest, WarningShowsForTwoHundredFramesAndHoldingEscKeepsIt) {
    game->BluePilot = 1;
    game->GreenPilot = 1;
    Press(kKeyEscape);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(Frame(), ScreenChoosePilots);
    EXPECT_EQ(game->PilotsMessageTimer, 200);
    Release(kKeyEscape);
    const PixelValue warning = Form1->UIColours.ColourLightRed;
    auto warningInk = [&] {
        const std::vector<PixelValue> px = Pixels();
        int n = 0;
        for (int y = 280; y <= 300; ++y)
            for (int x = 0; x < 800; ++x) n += px[static_cast<std::size_t>(y) * 800 + x] == warning;
        return n;
    };
    for (int i = 0; i < 200; ++i) {
        Frame();
        ASSERT_GT(warningInk(), 0) << i;
    }
    EXPECT_EQ(game->PilotsMessageTimer, 0);
    Frame();
    EXPECT_EQ(warningInk(), 0);
}

TEST_F(PilotScreenTest, DamagedIndicesReadAsNoPilots) {
    game->BluePilot = 57;
    game->GreenPilot = -3;
    EXPECT_EQ(Frame(), ScreenChoosePilots);
    EXPECT_EQ(game->BluePilot, kNoPilotBlue);
    EXPECT_EQ(game->GreenPilot, kNoPilotGreen);
    EXPECT_EQ(SidePilot(*game, 0), game->Pilots[kNoPilotBlue]);

    game->BluePilot = 12;
    EXPECT_EQ(SidePilot(*game, 0), nullptr);
    LockWork();
    DrawPilotStats(game);  // no row for a pilot that is not there
    UnlockWork();
    Press(kKeyEscape);
    EXPECT_EQ(Frame(), ScreenBattleMenu);
}
