// A long run of Korvanth: the real frame loop, handler table and screens,
// driven only by key events, playing quick games and battles lap after lap
// for a set number of frames (VANTORRA_SOAK_FRAMES, 20,000 when unset). Two
// scripted pilots fly: each turns toward the other, closes in, fires, and
// switches weapons and specials as it goes, so every weapon kind and every
// special is used by some class. The run must end in a clean quit, with the
// rounds booked to the pilots in stats.dat and the live heap at the end
// within 5 % of the live heap after the first round.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define VANTORRA_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTORRA_SOAK_ASAN 1
#endif
#endif
#ifdef VANTORRA_SOAK_ASAN
#if __has_include(<sanitizer/allocator_interface.h>)
#include <sanitizer/allocator_interface.h>
#else
// GCC ships the sanitizer runtime without its headers; this is its entry.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif
#endif

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "game/menus/pilotscreen.h"
#include "game/arena/play.h"
#include "game/data/player.h"
#include "game/menus/selections.h"
#include "game/ship/ship.h"
#include "game/shots/shots.h"
#include "game/arena/world.h"
#include "tests/game/playthrough_script.h"
#include "tests/game/soak_crew.h"

namespace {

using namespace playscript;
using namespace soakcrew;

constexpr int kDefaultFrames = 20000;
constexpr int kRoundFrameLimit = 12000;  // a round not over by then is a fault
constexpr int kHighestLimit = 2000;

// Bytes the program holds on the heap now.
std::size_t LiveHeapBytes() {
#ifdef VANTORRA_SOAK_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
#endif
}

int SoakFrames() {
    const char* text = std::getenv("VANTORRA_SOAK_FRAMES");
    if (!text || !*text) return kDefaultFrames;
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (*end != '\0' || n <= 0 || n > 100000000) {
        ADD_FAILURE() << "VANTORRA_SOAK_FRAMES must be a positive number of frames, not \"" << text << "\"";
        return kDefaultFrames;
    }
    return static_cast<int>(n);
}

GameState& Game() { return *Form1->Game; }
int Screen() { return Form1->ScreenState; }

// Rounds booked to the pilots so far: each round adds a win and a loss, or
// two draws.
int RoundsBooked() {
    const GameState& g = Game();
    int n = 0;
    for (int i = 0; i < kNamedPilots; ++i)
        if (const Player* p = g.Pilots[i]) n += p->Wins + p->Losses + p->Draws;
    return n / 2;
}

bool FleetEmpty(const Player* pilot) {
    for (int slot = 0; slot < kFleetSlots; ++slot)
        if (FleetSlotFilled(*pilot, slot)) return false;
    return true;
}

// The whole run: its laps, what it has seen and its figures.
class Soak {
public:
    explicit Soak(int frames) : target_(frames) {}

    void Start(Script& s) {
        script_ = &s;
        s.Until(
            "the intro page", [](const Frame&) { return Screen() == ScreenMainMenu; }, 400);
        s.Until("the intro page drawn", MenuShown, 400);
        s.Tap("Escape");
        s.WhenDone([this](Script& next) { QuickGame(next); });
    }

    Usage Used;
    int Laps = 0;
    int QuickRounds = 0;
    int BattleRounds = 0;
    int BattlesWon = 0;
    int BattlesDrawn = 0;
    int Leaves = 0;
    std::size_t HeapAfterFirstRound = 0;
    std::size_t HeapAtEnd = 0;
    int FramesAtFirstRound = 0;
    bool Quit = false;

private:
    // Rounds booked since the last look go to the quick game or the battle,
    // and the pilots let go of their keys (the game has dropped them).
    void Observe() {
        const int now = RoundsBooked();
        if (booked_ < 0) booked_ = now;
        if (now == booked_) return;
        (Game().GameMode == ScreenBattlePick ? BattleRounds : QuickRounds) += now - booked_;
        booked_ = now;
        LetGo();
        if (HeapAfterFirstRound == 0) {
            HeapAfterFirstRound = LiveHeapBytes();
            FramesAtFirstRound = script_->Frames;
        }
    }
    int Rounds() const { return QuickRounds + BattleRounds; }

    void FlyBoth() {
        GameState& g = Game();
        if (Screen() != ScreenPlay || !g.BlueShip || !g.GreenShip) return;
        watcher_.Look(Used);
        blue_.Fly(*g.BlueShip, *g.GreenShip, Used);
        green_.Fly(*g.GreenShip, *g.BlueShip, Used);
    }

    // Both pilots fly until a round is booked.
    void Fight(Script& s) {
        auto start = std::make_shared<int>(-1);
        s.Until(
            "a round played to its end",
            [this, start](const Frame&) {
                if (*start < 0) *start = Rounds();
                Observe();
                if (Rounds() > *start) return true;
                FlyBoth();
                return false;
            },
            kRoundFrameLimit);
    }

    // Both pilots fly for `frames` frames, then Esc leaves the round for the
    // quick-game screen as soon as both ships fly (a round that ends in the
    // meantime is booked, and the next one is left).
    void Leave(Script& s, int frames) {
        auto tick = std::make_shared<int>(0);
        s.Until(
            "a round left with Esc",
            [this, tick, frames](const Frame&) {
                ++*tick;
                Observe();
                if (Screen() == ScreenQuickGame) {
                    plat::PushKey("Escape", false);
                    ++Leaves;
                    return true;
                }
                if (*tick < frames) {
                    FlyBoth();
                    return false;
                }
                if (*tick == frames) LetGo();
                plat::PushKey("Escape", (*tick - frames) % 2 == 0);
                return false;
            },
            kRoundFrameLimit);
    }

    void LetGo() {
        blue_.LetGo();
        green_.LetGo();
        watcher_.Reset();
    }

    void WaitFor(Script& s, const char* what, int screen, int limit = 20) {
        s.Until(
            what,
            [this, screen](const Frame&) {
                Observe();
                return Screen() == screen;
            },
            limit);
    }

    // Pressed on every other call: a key held that way meets its latch clear
    // at each press.
    static std::function<bool()> EveryOther() {
        auto tick = std::make_shared<int>(0);
        return [tick] { return ++*tick % 2 == 1; };
    }

    // Moves both class cursors (quick game and selections share them) onto
    // these classes, one latched key press at a time.
    void PointAt(Script& s, int blue, int green) {
        s.Until(
            "the class cursors on their classes",
            [blue, green, press = EveryOther()](const Frame&) {
                GameState& g = Game();
                const bool blueThere = g.BlueClassCursor == blue;
                const bool greenThere = g.GreenClassCursor == green;
                const bool down = press();
                const auto step = [](int from, int to) {
                    return ((to - from) % kClassCount + kClassCount) % kClassCount;
                };
                plat::PushKey(step(g.BlueClassCursor, blue) <= kClassCount / 2 ? "S" : "W", down && !blueThere);
                plat::PushKey(step(g.GreenClassCursor, green) <= kClassCount / 2 ? "Down" : "Up", down && !greenThere);
                if (blueThere && greenThere) {
                    for (const char* key : {"S", "W", "Down", "Up"}) plat::PushKey(key, false);
                    return true;
                }
                return false;
            },
            400);
        s.Wait(1);
    }

    // Which classes fly this lap: each lap all four, in turn on each side.
    int Pick(int k) const { return kFlown[(Laps + k) % 4]; }

    // A quick game of three rounds: one played out, one left with Esc and
    // resumed with R, and a third left for the main menu.
    void QuickGame(Script& s) {
        s.Tap("N");
        WaitFor(s, "the quick-game screen", ScreenQuickGame);
        if (Laps == 0) {
            // Blue CYD (the last named pilot), green BRICK.
            s.Tap("P");
            WaitFor(s, "the pilots screen", ScreenChoosePilots);
            s.Tap("W");
            s.Tap("Up", 2);
            s.Tap("Escape");
            WaitFor(s, "the quick-game screen again", ScreenQuickGame);
        }
        PointAt(s, Pick(0), Pick(1));
        s.Tap("N");
        WaitFor(s, "the first quick-game round", ScreenPlay);
        Fight(s);
        Leave(s, 300);
        s.Wait(2);
        s.Tap("R");
        WaitFor(s, "the resumed round", ScreenPlay);
        Fight(s);
        Leave(s, 200);
        s.Wait(2);
        s.Tap("B");
        WaitFor(s, "the main menu", ScreenMainMenu);
        s.WhenDone([this](Script& next) { BuyFleets(next); });
    }

    // Two ships a side, bought on the selections screen under the highest
    // point limit, then the battle started.
    void BuyFleets(Script& s) {
        s.Tap("A");
        WaitFor(s, "the battle menu", ScreenBattleMenu);
        s.Tap("E");
        WaitFor(s, "the ship selections", ScreenShipSelections);
        s.Tap("F5");  // clears both fleets and puts the cursors on the first class
        s.Until(
            "the highest point limit",
            [press = EveryOther()](const Frame&) {
                const bool down = press();
                const bool there = Game().PointLimit >= kHighestLimit;
                plat::PushKey("PageUp", down && !there);
                return there && !down;
            },
            200);
        PointAt(s, Pick(2), Pick(3));
        s.Tap("Space");
        s.Tap("Return");
        PointAt(s, Pick(0), Pick(1));
        s.Tap("Space");
        s.Tap("Return");
        s.Do([this](const Frame&) {
            const GameState& g = Game();
            fleetsBought_ = !FleetEmpty(SidePilot(g, 0)) && !FleetEmpty(SidePilot(g, 1));
        });
        s.Tap("Escape");
        WaitFor(s, "the battle menu with the fleets", ScreenBattleMenu);
        s.Tap("T");
        WaitFor(s, "the battle pick", ScreenBattlePick);
        s.WhenDone([this](Script& next) {
            if (!fleetsBought_) {
                next.Failure = "no fleets were bought";
                plat::PushWindowClose();
                return;
            }
            BattleRound(next);
        });
    }

    // At the battle pick: the next round, or the battle is over.
    void BattleRound(Script& s) {
        const GameState& g = Game();
        const bool blueOut = FleetEmpty(SidePilot(g, 0));
        const bool greenOut = FleetEmpty(SidePilot(g, 1));
        if (blueOut || greenOut) {
            (blueOut && greenOut ? BattlesDrawn : BattlesWon) += 1;
            s.Tap("Escape");
            WaitFor(s, "the battle menu after the battle", ScreenBattleMenu);
            s.Tap("Escape");
            WaitFor(s, "the main menu after the battle", ScreenMainMenu);
            s.WhenDone([this](Script& next) { LapDone(next); });
            return;
        }
        // A destroyed ship left its slot empty: that side's cursor moves on.
        s.Until(
            "both fleet cursors on a ship",
            [press = EveryOther()](const Frame&) {
                GameState& g = Game();
                const bool down = press();
                const bool blueOn = FleetSlotFilled(*SidePilot(g, 0), g.BlueFleetCursor);
                const bool greenOn = FleetSlotFilled(*SidePilot(g, 1), g.GreenFleetCursor);
                plat::PushKey("S", down && !blueOn);
                plat::PushKey("Down", down && !greenOn);
                return blueOn && greenOn && !down;
            },
            200);
        s.Tap("T");
        WaitFor(s, "a battle round", ScreenPlay);
        Fight(s);
        WaitFor(s, "the battle pick after the round", ScreenBattlePick, 50);
        s.Wait(2);
        s.WhenDone([this](Script& next) { BattleRound(next); });
    }

    void LapDone(Script& s) {
        ++Laps;
        if (s.Frames < target_) {
            QuickGame(s);
            return;
        }
        s.Do([this](const Frame&) {
            HeapAtEnd = LiveHeapBytes();
            Quit = true;
        });
        s.Down("Q");  // QUIT: the statistics are saved and the game ends
    }

    int target_;
    int booked_ = -1;
    Script* script_ = nullptr;
    bool fleetsBought_ = false;
    Pilot blue_{kBlueKeys};
    Pilot green_{kGreenKeys};
    Watcher watcher_;
};

class SoakRun : public wintest::GameRunTest {};

TEST_F(SoakRun, QuickGamesAndBattlesRunForTheWholeLengthWithoutTheHeapGrowing) {
    const int frames = SoakFrames();
    wintest::WriteStartUpMedia();
    for (int cls : {kBWing, kNial, kShadeFrames, kWraithFrames}) WriteFrames(kFramePatterns[cls], 0x40A040);
    const shipdata::ShipClassRecord shade = ShadeDesign();
    const shipdata::ShipClassRecord wraith = WraithDesign();
    // Each side buys two of the four classes; any two must fit the limit.
    const std::int32_t values[] = {BuiltInValue(kBWing), BuiltInValue(kNial), shipdata::ShipValue(shade),
                                   shipdata::ShipValue(wraith)};
    for (std::int32_t a : values)
        for (std::int32_t b : values) ASSERT_LE(a + b, kHighestLimit);
    WriteShipsDat({shade, wraith});
    WriteConfig();
    const std::vector<PilotFields>& before = kThreePilots;
    const std::vector<std::uint8_t> statsBefore = WriteStats(before);
    UseRealScreensAndFastFrames();

    Script s;
    Soak soak(frames);
    soak.Start(s);
    Presenter = plat::InstallPresenter(std::make_unique<ScriptedPresenter>(s));
    ChooseFirstModeAndStart();
    EXPECT_EQ(WinMain(), 0);

    RecordProperty("frames", s.Frames);
    RecordProperty("laps", soak.Laps);
    RecordProperty("quick_rounds", soak.QuickRounds);
    RecordProperty("battle_rounds", soak.BattleRounds);
    RecordProperty("battles_won", soak.BattlesWon);
    RecordProperty("heap_after_first_round", std::to_string(soak.HeapAfterFirstRound));
    RecordProperty("heap_at_end", std::to_string(soak.HeapAtEnd));
    std::printf(
        "soak: %d frames, %d laps, %d quick-game rounds, %d battle rounds, %d battles won, %d drawn, "
        "%d rounds left and resumed\n",
        s.Frames, soak.Laps, soak.QuickRounds, soak.BattleRounds, soak.BattlesWon, soak.BattlesDrawn, soak.Leaves);
    std::printf("soak: live heap %zu bytes after the first round (frame %d), %zu at the end (%+.2f %%)\n",
                soak.HeapAfterFirstRound, soak.FramesAtFirstRound, soak.HeapAtEnd,
                soak.HeapAfterFirstRound ? 100.0 * (static_cast<double>(soak.HeapAtEnd) - soak.HeapAfterFirstRound) /
                                               soak.HeapAfterFirstRound
                                         : 0.0);
    for (const auto& [kind, classes] : soak.Used.ByKind) {
        std::string list;
        for (int c : classes) list += " " + std::to_string(c);
        std::printf("soak: %s used by class%s\n", kind.c_str(), list.c_str());
    }

    ASSERT_TRUE(s.Finished()) << s.Failure << " (after " << s.Frames << " frames)";
    ASSERT_TRUE(soak.Quit);
    EXPECT_GE(s.Frames, frames);
    EXPECT_TRUE(GameBoxes().empty());

    // Every weapon kind and every special was used by some class.
    for (const char* kind : kEveryKind) EXPECT_TRUE(soak.Used.ByKind.count(kind)) << kind << " never used";

    EXPECT_GE(soak.BattlesWon, 1);
    EXPECT_GE(soak.QuickRounds, 3);

    // The live heap did not grow (nor shrink) by more than 5 % over the run.
    ASSERT_GT(soak.HeapAfterFirstRound, 0u);
    const double first = static_cast<double>(soak.HeapAfterFirstRound);
    const double change = std::fabs(static_cast<double>(soak.HeapAtEnd) - first);
    EXPECT_LE(change, 0.05 * first) << soak.HeapAfterFirstRound << " bytes after the first round, " << soak.HeapAtEnd
                                    << " at the end";

    // stats.dat: the same ten records, every round booked to CYD or BRICK,
    // ADA and the empty records as they were.
    const std::vector<std::uint8_t> after = ReadAll("stats.dat");
    ASSERT_EQ(after.size(), statsBefore.size());
    int booked = 0;
    for (std::size_t r : {1u, 2u}) {
        const PilotFields was = before[r];
        const PilotFields now = DecodePilot(after, r);
        EXPECT_EQ(now.Name, was.Name);
        EXPECT_GT(now.ShotsFired, was.ShotsFired);
        EXPECT_GE(now.Hits, was.Hits);
        EXPECT_LE(now.Hits - was.Hits, now.ShotsFired - was.ShotsFired);
        EXPECT_GE(now.Wins, was.Wins);
        EXPECT_GE(now.Losses, was.Losses);
        EXPECT_GE(now.Draws, was.Draws);
        EXPECT_GE(now.Score, was.Score);
        booked += (now.Wins - was.Wins) + (now.Losses - was.Losses) + (now.Draws - was.Draws);
    }
    EXPECT_EQ(booked, 2 * (soak.QuickRounds + soak.BattleRounds));
    for (std::size_t r : {0u, 3u, 4u, 5u, 6u, 7u, 8u, 9u}) EXPECT_TRUE(SameRecord(after, statsBefore, r));
}

}  // namespace
