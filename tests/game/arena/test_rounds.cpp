// The start of a round, the round-end banner and the bookings after it.
#include <cstdio>
#include <string>

#include "tests/game/play_fixture.h"

namespace {

class RoundsTest : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        bluePilot = blue->Pilot;
        greenPilot = green->Pilot;
        blue->ShipValue = 35;
        green->ShipValue = 55;
    }

    // Runs the round end n times and returns the last result.
    int RunRoundEnd(int n) {
        int result = -1;
        for (int i = 0; i < n; ++i) result = RoundEnd(game);
        return result;
    }

    // A battle in which blue flies slot 3 (class 5) and green slot 7 (class 9).
    void StartBattle() {
        game->GameMode = ScreenBattlePick;
        game->BluePickSlot = 3;
        game->GreenPickSlot = 7;
        bluePilot->Fleet[3] = 5;
        greenPilot->Fleet[7] = 9;
        bluePilot->FleetValue = 1000;
        greenPilot->FleetValue = 1000;
    }

    Player* bluePilot = nullptr;
    Player* greenPilot = nullptr;
};

TEST_F(RoundsTest, ResetRoundStartsAtZoomFourWithNoKeyHeld) {
    game->Zoom = 13;
    game->RoundEndCounter = 77;
    Form1->KeyState[0] = Form1->KeyState[65] = Form1->KeyState[127] = 1;
    ResetRound(game);
    EXPECT_FLOAT_EQ(game->Zoom, 4.0f);
    EXPECT_EQ(game->RoundEndCounter, 0);
    for (int k = 0; k < 128; ++k) EXPECT_EQ(Form1->KeyState[k], 0) << k;
}

TEST_F(RoundsTest, NothingHappensWhileBothShipsFly) {
    EXPECT_EQ(RoundEnd(game), ScreenPlay);
    EXPECT_EQ(game->RoundEndCounter, 0);
    EXPECT_EQ(CountLit(Pixels()), 0);
}

TEST_F(RoundsTest, TheBannerShowsForTwoHundredFramesBeforeTheRoundIsBooked) {
    green->Life = -1;
    EXPECT_EQ(RoundEnd(game), ScreenPlay);
    EXPECT_EQ(game->RoundEndCounter, 1);
    EXPECT_EQ(green->SmokeToEmit, 500);  // the wreck's smoke, asked for once
    green->SmokeToEmit = 0;
    EXPECT_EQ(RunRoundEnd(199), ScreenPlay);
    EXPECT_EQ(game->RoundEndCounter, 200);
    EXPECT_EQ(green->SmokeToEmit, 0);
    EXPECT_EQ(bluePilot->Wins, 0);
    EXPECT_FALSE(WorkIsLocked());

    // Frame 201 books the round and starts the next one.
    blue->OpponentDown = 1;
    blue->FrontShield = 7;
    blue->Life = 12;
    blue->X = 321;
    game->Zoom = 9;
    Form1->KeyState[40] = 1;
    EXPECT_EQ(RoundEnd(game), ScreenPlay);
    EXPECT_EQ(bluePilot->Score, 55);
    EXPECT_EQ(bluePilot->Wins, 1);
    EXPECT_EQ(greenPilot->Losses, 1);
    EXPECT_EQ(greenPilot->Wins + bluePilot->Losses + bluePilot->Draws + greenPilot->Draws, 0);
    EXPECT_EQ(blue->OpponentDown, 0);
    EXPECT_EQ(game->RoundEndCounter, 0);
    EXPECT_FLOAT_EQ(game->Zoom, 4.0f);
    EXPECT_EQ(Form1->KeyState[40], 0);
    // The survivor keeps its damage and place into the next round.
    EXPECT_FLOAT_EQ(blue->FrontShield, 7);
    EXPECT_FLOAT_EQ(blue->Life, 12);
    EXPECT_FLOAT_EQ(blue->X, 321);
}

TEST_F(RoundsTest, ThePlayFrameEndsWithTheRoundEnd) {
    blue->Life = -1;
    for (int frame = 0; frame < 200; ++frame) ASSERT_EQ(PlayFrame(game), ScreenPlay) << frame;
    EXPECT_EQ(game->RoundEndCounter, 200);
    EXPECT_EQ(greenPilot->Wins, 0);
    PlayFrame(game);
    EXPECT_EQ(greenPilot->Wins, 1);
    EXPECT_EQ(greenPilot->Score, 35);
    EXPECT_EQ(bluePilot->Losses, 1);
    EXPECT_EQ(game->RoundEndCounter, 0);
}

TEST_F(RoundsTest, ABattleRoundStrikesTheLosersShipFromItsFleet) {
    StartBattle();
    green->Life = -1;
    RunRoundEnd(200);
    EXPECT_EQ(RoundEnd(game), ScreenBattlePick);
    EXPECT_EQ(bluePilot->Wins, 1);
    EXPECT_EQ(bluePilot->Score, 55);
    EXPECT_EQ(greenPilot->Losses, 1);
    EXPECT_EQ(greenPilot->Fleet[7], kEmptyFleetSlot);
    EXPECT_EQ(greenPilot->FleetValue, 1000 - game->ShipValue[9]);
    EXPECT_EQ(bluePilot->Fleet[3], 5);
    EXPECT_EQ(bluePilot->FleetValue, 1000);
    // The wreck is left for the battle-pick screen.
    EXPECT_FLOAT_EQ(green->Life, -1);
    EXPECT_EQ(game->RoundEndCounter, 200);
}

TEST_F(RoundsTest, BothShipsDownIsATie) {
    blue->Life = -1;
    green->Life = -2;
    for (int frame = 0; frame < 200; ++frame) {
        ASSERT_EQ(RoundEnd(game), ScreenPlay);
        // Smoke is asked for in every banner frame.
        ASSERT_EQ(blue->SmokeToEmit, frame);
        ASSERT_EQ(green->SmokeToEmit, frame);
    }
    EXPECT_EQ(RoundEnd(game), ScreenPlay);
    EXPECT_EQ(bluePilot->Draws, 1);
    EXPECT_EQ(greenPilot->Draws, 1);
    EXPECT_EQ(bluePilot->Score + greenPilot->Score + bluePilot->Wins + greenPilot->Wins, 0);
    EXPECT_EQ(game->RoundEndCounter, 0);
}

TEST_F(RoundsTest, ATiedBattleEmptiesBothFleetSlots) {
    StartBattle();
    blue->Life = green->Life = -1;
    RunRoundEnd(200);
    EXPECT_EQ(RoundEnd(game), ScreenBattlePick);
    EXPECT_EQ(bluePilot->Fleet[3], kEmptyFleetSlot);
    EXPECT_EQ(greenPilot->Fleet[7], kEmptyFleetSlot);
    EXPECT_EQ(bluePilot->FleetValue, 1000 - game->ShipValue[5]);
    EXPECT_EQ(greenPilot->FleetValue, 1000 - game->ShipValue[9]);
    EXPECT_EQ(bluePilot->Draws + greenPilot->Draws, 2);
}

TEST_F(RoundsTest, TheSecondLossDuringTheBannerTurnsItIntoATie) {
    blue->Life = -1;
    RunRoundEnd(50);
    green->Life = -1;
    EXPECT_EQ(RunRoundEnd(150), ScreenPlay);
    EXPECT_EQ(game->RoundEndCounter, 200);
    EXPECT_EQ(green->SmokeToEmit, 199);
    RoundEnd(game);
    EXPECT_EQ(bluePilot->Draws, 1);
    EXPECT_EQ(greenPilot->Draws, 1);
    EXPECT_EQ(greenPilot->Wins, 0);
}

struct BadSlotCase {
    std::int32_t Slot;
    std::int32_t Class;
};

TEST_F(RoundsTest, AFleetSlotOutsideTheTablesChangesNoFleet) {
    const BadSlotCase cases[] = {{-1, 5}, {30, 5}, {3, kEmptyFleetSlot}, {3, -4}, {3, kClassCount}};
    for (const BadSlotCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.Slot << " class " << c.Class);
        StartBattle();
        game->RoundEndCounter = 200;
        game->BluePickSlot = c.Slot;
        bluePilot->Fleet[3] = c.Class;
        blue->Life = -1;
        green->Life = 10;
        EXPECT_EQ(RoundEnd(game), ScreenBattlePick);
        EXPECT_EQ(bluePilot->FleetValue, 1000);
        EXPECT_EQ(bluePilot->Fleet[3], c.Class);
    }
}

struct BannerCase {
    float BlueLife, GreenLife;
    const char* Title;
    PixelValue UIColourSet::*Colour;
};

// The banner, centred on the screen's middle column, below its centre, with
// the pilots' totals at the time: the round's kill already in, its win not.
TEST_F(RoundsTest, TheBannerNamesTheWinnerAndTheTotals) {
    const BannerCase cases[] = {
        {100, -1, "BLUE wins", &UIColourSet::ColourLightBlue},
        {-1, 100, "GREEN prevails", &UIColourSet::ColourLightGreen},
        {-1, -1, "Its a tie", &UIColourSet::ColourLightRed},
    };
    bluePilot->Kills = 3;
    greenPilot->Kills = 12;
    bluePilot->Wins = 2;
    greenPilot->Wins = 7;
    const UIColourSet& c = Form1->UIColours;
    for (const BannerCase& bc : cases) {
        SCOPED_TRACE(bc.Title);
        blue->Life = bc.BlueLife;
        green->Life = bc.GreenLife;
        game->RoundEndCounter = 0;
        const std::vector<PixelValue> expected = Expected({
            {bc.Title, 400, 400, 10, c.*bc.Colour},
            {"Kills: ", 400, 430, 5, c.ColourRed},
            {"  BLUE   3", 400, 445, 5, c.ColourLightBlue},
            {"  GREEN  12", 400, 455, 5, c.ColourLightGreen},
            {"Wins: ", 400, 475, 5, c.ColourRed},
            {"  BLUE   2", 400, 490, 5, c.ColourLightBlue},
            {"  GREEN  7", 400, 500, 5, c.ColourLightGreen},
            {"Current round not yet resolved", 400, 550, 5, c.ColourRed},
        });
        RoundEnd(game);
        EXPECT_EQ(Pixels(), expected);
        Clear();
    }
}

TEST_F(RoundsTest, TheBannerFollowsTheScreenSize) {
    game->ScreenWidth = 641;
    game->ScreenHeight = 481;
    green->Life = -1;
    const UIColourSet& c = Form1->UIColours;
    const std::vector<PixelValue> expected = Expected({
        {"BLUE wins", 320, 340, 10, c.ColourLightBlue},
        {"Kills: ", 320, 370, 5, c.ColourRed},
        {"  BLUE   0", 320, 385, 5, c.ColourLightBlue},
        {"  GREEN  0", 320, 395, 5, c.ColourLightGreen},
        {"Wins: ", 320, 415, 5, c.ColourRed},
        {"  BLUE   0", 320, 430, 5, c.ColourLightBlue},
        {"  GREEN  0", 320, 440, 5, c.ColourLightGreen},
        {"Current round not yet resolved", 320, 490, 5, c.ColourRed},
    });
    RoundEnd(game);
    EXPECT_EQ(Pixels(), expected);
}

}  // namespace
