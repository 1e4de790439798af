// Korvanth played from start to quit: the real frame loop, handler table and
// screens, driven only by key events put into the platform's event queue.
// A script watches the frames the display shows (the mouse pointer marks a
// menu, the green ship's hull figure marks it alive) and presses keys as a
// player would; the outcome is read afterwards from stats.dat.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "game/shipclasses.h"
#include "platform/perfcounter.h"
#include "platform/scriptinput.h"
#include "shipdata/shipclassrecord.h"
#include "shipdata/shipvalue.h"
#include "window_script.h"

namespace {

namespace fs = std::filesystem;
using Frame = plat::PresentedFrame;

constexpr int kGreenClass = 3;      // BWing, a built-in class
constexpr int kBorrowedFrames = 5;  // the user design is drawn with EWing's frames

// The game's own screen table, before any test replaces an entry.
const std::array<ScreenHandler, 8> kRealScreens = ScreenHandlers;

// Dialog keys: focus starts on "Start Fullscreen"; Tab goes to the list.
void ChooseFirstModeAndStart() {
    plat::PushKeyPress("Tab");
    plat::PushKeyPress("Down");
    plat::PushKeyPress("Tab", true);
    plat::PushKeyPress("Return");
}

// ---- the script -----------------------------------------------------------

// Steps run one after another as frames are shown. A step may finish in the
// frame it starts in (a key event) or wait for later frames.
class Script {
public:
    using Check = std::function<bool(const Frame&)>;

    void Down(const char* key) {
        Add([key](const Frame&, int) {
            plat::PushKey(key, true);
            return true;
        });
    }
    void Up(const char* key) {
        Add([key](const Frame&, int) {
            plat::PushKey(key, false);
            return true;
        });
    }
    // n more frames.
    void Wait(int n) {
        Add([n](const Frame&, int age) { return age >= n; });
    }
    // Down for one frame, then up for one, so that the next key meets every
    // latch clear.
    void Tap(const char* key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            Down(key);
            Wait(1);
            Up(key);
            Wait(1);
        }
    }
    // Until a shown frame passes the check; the game is closed when none
    // does within `limit` frames.
    void Until(std::string what, Check check, int limit) {
        Add([this, what = std::move(what), check = std::move(check), limit](const Frame& f, int age) {
            if (check(f)) return true;
            if (age < limit) return false;
            Failure = "no frame showed " + what;
            plat::PushWindowClose();
            next_ = steps_.size();
            return false;
        });
    }
    void Do(std::function<void(const Frame&)> action) {
        Add([action = std::move(action)](const Frame& f, int) {
            action(f);
            return true;
        });
    }

    void OnFrame(const Frame& f) {
        ++Frames;
        while (next_ < steps_.size()) {
            if (!steps_[next_](f, age_++)) return;
            ++next_;
            age_ = 0;
        }
    }
    bool Finished() const { return next_ == steps_.size() && Failure.empty(); }

    std::string Failure;
    int Frames = 0;

private:
    using Step = std::function<bool(const Frame&, int age)>;
    void Add(Step step) { steps_.push_back(std::move(step)); }
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int age_ = 0;
};

// The display that shows the frames hands each one to the script.
class ScriptedPresenter : public plat::RecordingPresenter {
public:
    explicit ScriptedPresenter(Script& script) : RecordingPresenter(1280, 1024), script_(script) {}
    void Present(const std::uint8_t* pixels, int pitch, int width, int height, bool vsync) override {
        RecordingPresenter::Present(pixels, pitch, width, height, vsync);
        script_.OnFrame(Frames.back());
    }

private:
    Script& script_;
};

// ---- what a player sees ---------------------------------------------------

int CountColour(const Frame& f, std::uint16_t colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = std::max(0, y0); y <= std::min(f.height - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(f.width - 1, x1); ++x) n += f.At(x, y) == colour;
    return n;
}

// 5-6-5 pixels of the interface colours on the 800 x 600 display.
constexpr std::uint16_t kPointerGreen = 0x07E0;  // the test's pointer picture
constexpr std::uint16_t kLightGreen = 0x5FEB;    // 0x5AFF5A: the green ship's figures
constexpr std::uint16_t kBlue = 0x001F;          // 0xFF0000
constexpr std::uint16_t kGreen = 0x0500;         // 0x00A000

// Menus show the mouse pointer (at 500, 350); play does not.
bool MenuShown(const Frame& f) { return f.width == 800 && f.At(490, 360) == kPointerGreen; }
bool PlayShown(const Frame& f) { return f.width == 800 && !MenuShown(f); }
// The green ship's hull figure at the top right shows while it flies.
bool GreenFlying(const Frame& f) { return PlayShown(f) && CountColour(f, kLightGreen, 745, 0, 795, 12) > 5; }

// ---- the game folder ------------------------------------------------------

void WriteFrames(const char* pattern, std::uint32_t rgb) {
    for (int k = 1; k <= 60; ++k) {
        char file[96];
        std::snprintf(file, sizeof file, pattern, k);
        wintest::WriteBmp(wintest::Local(file), 12, 12, rgb);
    }
}

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

void WriteShipsDat(const shipdata::ShipClassRecord& design) {
    std::array<shipdata::ShipClassRecord, shipdata::kFileRecords> records;
    records.fill(shipdata::FreshDesign());
    records[0] = design;
    const std::vector<std::uint8_t> bytes = shipdata::EncodeFile(records);
    std::ofstream("ships.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// One pilot's record of stats.dat, field by field as the file lays it out.
struct PilotFields {
    std::string Name;
    std::int32_t ShotsFired = 0, Hits = 0, Wins = 0, Kills = 0, Draws = 0, Losses = 0, ShotDeaths = 0,
                 CollisionDeaths = 0, Score = 0;
};

constexpr std::size_t kRecord = 59;

void PutInt(std::vector<std::uint8_t>& b, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}
std::int32_t GetInt(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{b[at + static_cast<std::size_t>(i)]} << (8 * i);
    return static_cast<std::int32_t>(v);
}

std::vector<std::uint8_t> EncodePilots(const std::vector<PilotFields>& pilots) {
    std::vector<std::uint8_t> b(kRecord * 10, 0);
    for (std::size_t r = 0; r < 10; ++r) {
        const std::size_t at = r * kRecord;
        b[at] = 59;
        if (r >= pilots.size()) continue;
        const PilotFields& p = pilots[r];
        std::memcpy(&b[at + 1], p.Name.data(), std::min<std::size_t>(p.Name.size(), 10));
        const std::int32_t fields[12] = {p.ShotsFired, p.Hits, 0, 0, 0, p.Wins, p.Kills, p.Draws,
                                         p.Losses, p.ShotDeaths, p.CollisionDeaths, p.Score};
        for (int i = 0; i < 12; ++i) PutInt(b, at + 11 + 4 * static_cast<std::size_t>(i), fields[i]);
    }
    return b;
}

PilotFields DecodePilot(const std::vector<std::uint8_t>& b, std::size_t r) {
    const std::size_t at = r * kRecord;
    PilotFields p;
    p.Name.assign(reinterpret_cast<const char*>(&b[at + 1]), strnlen(reinterpret_cast<const char*>(&b[at + 1]), 10));
    auto field = [&](int i) { return GetInt(b, at + 11 + 4 * static_cast<std::size_t>(i)); };
    p.ShotsFired = field(0);
    p.Hits = field(1);
    p.Wins = field(5);
    p.Kills = field(6);
    p.Draws = field(7);
    p.Losses = field(8);
    p.ShotDeaths = field(9);
    p.CollisionDeaths = field(10);
    p.Score = field(11);
    return p;
}

std::vector<std::uint8_t> ReadAll(const char* file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Options: low gravity, no planet (nothing but the guns decides a round),
// the fewest asteroids, no music.
void WriteConfig() {
    std::vector<std::uint8_t> b(32, 0);
    PutInt(b, 0, 2);
    const float strength = 100.0f;
    std::int32_t bits;
    std::memcpy(&bits, &strength, 4);
    PutInt(b, 4, bits);
    PutInt(b, 8, 3);
    PutInt(b, 12, 20);
    PutInt(b, 16, 2);
    std::ofstream("config.cfg", std::ios::binary).write(reinterpret_cast<const char*>(b.data()), 32);
}

// The point value of a built-in class, as the game prices it.
std::int32_t BuiltInValue(int cls) {
    GameStatePtr scratch = MakeGameState();
    SetUserClassDefaults(scratch.get());
    SetupShipClasses(scratch.get());
    return scratch->ShipValue[cls];
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
    s.Until("the green ship destroyed", [](const Frame& f) { return PlayShown(f) && !GreenFlying(f); }, 3000);
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
    WriteShipsDat(lancer);
    WriteConfig();
    const std::vector<PilotFields> before = {
        {"ADA", 30, 12, 4, 9, 1, 2, 2, 0, 120},
        {"BRICK", 10, 3, 2, 1, 0, 5, 2, 3, 40},
        {"CYD", 100, 40, 1, 2, 0, 3, 1, 2, 50},
    };
    const std::vector<std::uint8_t> statsBefore = EncodePilots(before);
    std::ofstream("stats.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(statsBefore.data()), static_cast<std::streamsize>(statsBefore.size()));

    // The real screens, and frames paced by a clock that moves 5 ms a reading.
    ScreenHandlers = kRealScreens;
    auto clock = std::make_shared<std::int64_t>(0);
    plat::SetPerformanceCounter({[clock](std::int64_t* c) {
                                     *c = (*clock += 5000);
                                     return true;
                                 },
                                 [](std::int64_t* f) {
                                     *f = 1000000;
                                     return true;
                                 }});
    plat::SetEnumeratedModes({{800, 600, 16}});

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
    for (std::size_t r : {0u, 3u, 4u, 5u, 6u, 7u, 8u, 9u})
        EXPECT_TRUE(std::equal(after.begin() + static_cast<std::ptrdiff_t>(r * kRecord),
                               after.begin() + static_cast<std::ptrdiff_t>((r + 1) * kRecord),
                               statsBefore.begin() + static_cast<std::ptrdiff_t>(r * kRecord)))
            << "record " << r;
}

}  // namespace
