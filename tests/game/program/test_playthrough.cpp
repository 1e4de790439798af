// Korvanth played from start to quit: the real frame loop, handler table and
// screens, driven only by key events put into the platform's event queue.
// A script watches the frames the display shows (the mouse pointer marks a
// menu, the green ship's hull figure marks it alive) and presses keys as a
// player would; the outcome is read afterwards from stats.dat.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/game/playthrough_script.h"

namespace {

using namespace playscript;

constexpr int kGreenClass = 3;      // BWing, a built-in class
constexpr int kBorrowedFrames = 5;  // the user design is drawn with EWing's frames

// A heavily armed design: eight strong turret lasers that cover every bearing,
// thick shields and hull, drawn with a built-in class's frames.
shipdata::ShipClassRecord LancerDesign() {
    shipdata::ShipClassRecord r = shipdata::FreshDesign();
    r.Active = 1;
    r.ImageSelection = kBorrowedFrames;
    r.FrameCount = 60;
    r.Technology = 0;
    r.Missiles = 0;
    r.LaserCount = 8;
    r.Shield = 300;
    r.Hull = 500;
    r.Armor[0] = r.Armor[1] = 50;
    r.DrawScale = 30;
    r.BoundingSphere = 26;
    r.EngineSoundKind = 0;
    for (int s = 0; s < 8; ++s) {
        r.WeaponType[s] = shipdata::Laser;
        r.WeaponX[s] = (s % 2 == 0 ? -1 : 1) * (4 + s);
        r.WeaponY[s] = -10;
        r.TurretCover[s] = 360;
        r.Power[s] = 60;
        r.Range[s] = 120;
    }
    shipdata::CopyName(r.Name, "LANCER");
    return r;
}

// ---- the rounds -----------------------------------------------------------

// Blue holds its trigger; green turns to face blue (90 degrees at 3 a
// frame), thrusts for 50 frames (its drive then carries it some 1300 units
// and stops it within blue's range) and fires until it is destroyed.
void FightUntilGreenIsDown(Script& s) {
    s.Until("a round in play", GreenFlying, 50);
    s.Down("S");
    s.Down("Left");
    s.Wait(30);
    s.Up("Left");
    s.Down("Return");
    s.Down("Down");
    s.Wait(50);
    s.Up("Return");
    s.Until(
        "the green ship destroyed", [](const Frame& f) { return PlayShown(f) && !GreenFlying(f); }, 3000);
    s.Up("Down");
    s.Up("S");
}

class Playthrough : public wintest::GameRunTest {};

TEST_F(Playthrough, AQuickGameAndABattleArePlayedAndBookedToTheirPilots) {
    wintest::WriteStartUpMedia();
    WriteFrames(kFramePatterns[kGreenClass], 0x40A040);
    WriteFrames(kFramePatterns[kBorrowedFrames], 0x4040C0);
    const shipdata::ShipClassRecord lancer = LancerDesign();
    ASSERT_LE(2 * shipdata::ShipValue(lancer), 2000) << "two of the design must fit the highest point limit";
    WriteShipsDat({lancer});
    WriteConfig();
    const std::vector<PilotFields>& before = kThreePilots;
    const std::vector<std::uint8_t> statsBefore = WriteStats(before);

    UseRealScreensAndFastFrames();

    Script s;
    bool blueWonTheBattle = false, greenNamedTheWinner = false;
    s.Until("the intro page", MenuShown, 200);
    s.Tap("Escape");
    s.Tap("N");  // NEW QUICK GAME on the main menu
    // Choose pilots: blue CYD (the last named), green BRICK.
    s.Tap("P");
    s.Tap("W");
    s.Tap("Up", 2);
    s.Tap("Escape");
    // Blue flies the user design (class 24, the first user class: 20 steps
    // back from class 0),
    // green the BWing.
    s.Tap("W", 20);
    s.Tap("Down", kGreenClass);
    s.Tap("N");
    FightUntilGreenIsDown(s);
    // The banner runs, the round is booked and green flies again.
    s.Until("the next quick-game round", GreenFlying, 400);
    s.Tap("Escape");
    s.Until("the quick-game screen", MenuShown, 10);
    s.Tap("R");
    s.Until("the resumed round", GreenFlying, 10);
    s.Wait(10);
    s.Tap("Escape");
    s.Until("the quick-game screen again", MenuShown, 10);
    s.Tap("B");

    // The battle: two ships each under a point limit of 2000.
    s.Tap("A");
    s.Tap("E");
    s.Tap("W", 20);
    s.Tap("Space", 2);
    s.Tap("Down", kGreenClass);
    s.Tap("Return", 2);
    s.Tap("PageUp", 36);
    s.Tap("Escape");
    s.Tap("T");  // START on the battle menu
    s.Tap("T");  // the first round
    FightUntilGreenIsDown(s);
    s.Until("the battle pick after round 1", MenuShown, 400);
    // Green's destroyed ship left slot 0 empty: green moves on to slot 1.
    s.Tap("Down");
    s.Tap("T");
    FightUntilGreenIsDown(s);
    s.Until("the battle pick after round 2", MenuShown, 400);
    s.Wait(2);
    s.Do([&](const Frame& f) {
        blueWonTheBattle = CountColour(f, kBlue, 250, 205, 550, 221) > 50;
        greenNamedTheWinner = CountColour(f, kGreen, 250, 205, 550, 221) > 0;
    });
    s.Tap("T");  // no ship left in green's fleet: nothing starts
    s.Until("the battle pick still", MenuShown, 3);
    s.Tap("Escape");
    s.Tap("Escape");
    s.Down("Q");  // QUIT: the statistics are saved and the game ends

    Presenter = plat::InstallPresenter(std::make_unique<ScriptedPresenter>(s));
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);
    RecordProperty("frames", s.Frames);

    ASSERT_TRUE(s.Finished()) << s.Failure << " (after " << s.Frames << " frames)";
    EXPECT_TRUE(GameBoxes().empty());
    EXPECT_TRUE(blueWonTheBattle);
    EXPECT_FALSE(greenNamedTheWinner);

    // Three rounds, all won by CYD's LANCER against BRICK's BWings.
    const std::vector<std::uint8_t> after = ReadAll("stats.dat");
    ASSERT_EQ(after.size(), statsBefore.size());
    const std::int32_t bwing = BuiltInValue(kGreenClass);
    const PilotFields blue = DecodePilot(after, 2);
    const PilotFields green = DecodePilot(after, 1);
    EXPECT_EQ(blue.Name, "CYD");
    EXPECT_EQ(blue.Wins, 1 + 3);
    EXPECT_EQ(blue.Kills, 2 + 3);
    EXPECT_EQ(blue.Score, 50 + 3 * bwing);
    EXPECT_EQ(blue.Losses, 3);
    EXPECT_EQ(blue.Draws, 0);
    EXPECT_EQ(blue.ShotDeaths, 1);
    EXPECT_GT(blue.ShotsFired, 100);
    EXPECT_GT(blue.Hits, 40);
    EXPECT_EQ(green.Name, "BRICK");
    EXPECT_EQ(green.Losses, 5 + 3);
    EXPECT_EQ(green.ShotDeaths, 2 + 3);
    EXPECT_EQ(green.CollisionDeaths, 3);
    EXPECT_EQ(green.Wins, 2);
    EXPECT_EQ(green.Kills, 1);
    EXPECT_EQ(green.Score, 40);
    EXPECT_GT(green.ShotsFired, 10);
    // ADA did not fly, and the empty records stay as they were.
    for (std::size_t r : {0u, 3u, 4u, 5u, 6u, 7u, 8u, 9u}) EXPECT_TRUE(SameRecord(after, statsBefore, r));
}

}  // namespace
