// Korvanth driven as a player drives it: the real frame loop, handler table
// and screens, fed only key events through the platform's event queue. A
// script watches the frames the display shows and presses keys; the game
// folder it plays in (pictures, ships.dat, config.cfg, stats.dat) is written
// here, and stats.dat is read back field by field.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "game/data/shipclasses.h"
#include "platform/system/perfcounter.h"
#include "platform/input/scriptinput.h"
#include "shipdata/shipclassrecord.h"
#include "shipdata/shipvalue.h"
#include "tests/game/window_script.h"

namespace playscript {

namespace fs = std::filesystem;
using Frame = plat::PresentedFrame;

// The game's own screen table, before any test replaces an entry.
inline const std::array<ScreenHandler, 8> kRealScreens = ScreenHandlers;

// Dialog keys: focus starts on "Start Fullscreen"; Tab goes to the list.
inline void ChooseFirstModeAndStart() {
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

    // What to do when the steps run out: the steps done are dropped and
    // `more` adds the next ones (none ends the script). A long run adds its
    // steps a part at a time, so the script never grows with the run.
    void WhenDone(std::function<void(Script&)> more) { more_ = std::move(more); }

    void OnFrame(const Frame& f) {
        ++Frames;
        for (;;) {
            while (next_ < steps_.size()) {
                if (!steps_[next_](f, age_++)) return;
                ++next_;
                age_ = 0;
            }
            if (!more_ || !Failure.empty()) return;
            steps_.clear();
            next_ = 0;
            age_ = 0;
            auto more = std::move(more_);
            more(*this);
            if (steps_.empty()) return;
        }
    }
    bool Finished() const { return next_ == steps_.size() && Failure.empty(); }

    std::string Failure;
    int Frames = 0;

private:
    using Step = std::function<bool(const Frame&, int age)>;
    void Add(Step step) { steps_.push_back(std::move(step)); }
    std::vector<Step> steps_;
    std::function<void(Script&)> more_;
    std::size_t next_ = 0;
    int age_ = 0;
};

// The display that shows the frames hands each one to the script. It keeps
// only the latest frame, in one buffer, however long the game runs.
class ScriptedPresenter : public plat::RecordingPresenter {
public:
    explicit ScriptedPresenter(Script& script) : RecordingPresenter(1280, 1024), script_(script) {}
    void Present(const std::uint8_t* pixels, int pitch, int width, int height, bool vsync) override {
        frame_.width = width;
        frame_.height = height;
        frame_.vsync = vsync;
        frame_.pixels.resize(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            std::memcpy(frame_.pixels.data() + static_cast<std::size_t>(y) * width,
                        pixels + static_cast<std::size_t>(y) * pitch, static_cast<std::size_t>(width) * 2);
        ++PresentedCount;
        script_.OnFrame(frame_);
    }

private:
    Script& script_;
    Frame frame_;
};

// ---- what a player sees ---------------------------------------------------

inline int CountColour(const Frame& f, std::uint16_t colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = std::max(0, y0); y <= std::min(f.height - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(f.width - 1, x1); ++x) n += f.At(x, y) == colour;
    return n;
}

// 5-6-5 pixels of the interface colours on the 800 x 600 display.
inline constexpr std::uint16_t kPointerGreen = 0x07E0;  // the test's pointer picture
inline constexpr std::uint16_t kLightGreen = 0x5FEB;    // 0x5AFF5A: the green ship's figures
inline constexpr std::uint16_t kBlue = 0x001F;          // 0xFF0000
inline constexpr std::uint16_t kGreen = 0x0500;         // 0x00A000

// Menus show the mouse pointer (at 500, 350); play does not.
inline bool MenuShown(const Frame& f) { return f.width == 800 && f.At(490, 360) == kPointerGreen; }
inline bool PlayShown(const Frame& f) { return f.width == 800 && !MenuShown(f); }
// The green ship's hull figure at the top right shows while it flies.
inline bool GreenFlying(const Frame& f) { return PlayShown(f) && CountColour(f, kLightGreen, 745, 0, 795, 12) > 5; }

// ---- the game folder ------------------------------------------------------

inline void WriteFrames(const char* pattern, std::uint32_t rgb) {
    for (int k = 1; k <= 60; ++k) {
        char file[96];
        std::snprintf(file, sizeof file, pattern, k);
        wintest::WriteBmp(wintest::Local(file), 12, 12, rgb);
    }
}

// ships.dat holding these designs first, fresh records after them.
inline void WriteShipsDat(const std::vector<shipdata::ShipClassRecord>& designs) {
    std::array<shipdata::ShipClassRecord, shipdata::kFileRecords> records;
    records.fill(shipdata::FreshDesign());
    std::copy_n(designs.begin(), std::min<std::size_t>(designs.size(), records.size()), records.begin());
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

inline constexpr std::size_t kRecord = 59;

inline void PutInt(std::vector<std::uint8_t>& b, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}
inline std::int32_t GetInt(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{b[at + static_cast<std::size_t>(i)]} << (8 * i);
    return static_cast<std::int32_t>(v);
}

inline std::vector<std::uint8_t> EncodePilots(const std::vector<PilotFields>& pilots) {
    std::vector<std::uint8_t> b(kRecord * 10, 0);
    for (std::size_t r = 0; r < 10; ++r) {
        const std::size_t at = r * kRecord;
        b[at] = 59;
        if (r >= pilots.size()) continue;
        const PilotFields& p = pilots[r];
        std::memcpy(&b[at + 1], p.Name.data(), std::min<std::size_t>(p.Name.size(), 10));
        const std::int32_t fields[12] = {
            p.ShotsFired,      p.Hits, 0, 0, 0, p.Wins, p.Kills, p.Draws, p.Losses, p.ShotDeaths,
            p.CollisionDeaths, p.Score};
        for (int i = 0; i < 12; ++i) PutInt(b, at + 11 + 4 * static_cast<std::size_t>(i), fields[i]);
    }
    return b;
}

inline PilotFields DecodePilot(const std::vector<std::uint8_t>& b, std::size_t r) {
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

// stats.dat of three named pilots, two of whom the scripts choose: blue
// CYD (the last named), green BRICK. Returns the bytes written.
inline const std::vector<PilotFields> kThreePilots = {
    {"ADA", 30, 12, 4, 9, 1, 2, 2, 0, 120},
    {"BRICK", 10, 3, 2, 1, 0, 5, 2, 3, 40},
    {"CYD", 100, 40, 1, 2, 0, 3, 1, 2, 50},
};
inline std::vector<std::uint8_t> WriteStats(const std::vector<PilotFields>& pilots) {
    const std::vector<std::uint8_t> bytes = EncodePilots(pilots);
    std::ofstream("stats.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// Record r of two stats.dat images holds the same bytes.
inline ::testing::AssertionResult SameRecord(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                                             std::size_t r) {
    const auto at = static_cast<std::ptrdiff_t>(r * kRecord);
    if (a.size() < (r + 1) * kRecord || b.size() < (r + 1) * kRecord)
        return ::testing::AssertionFailure() << "record " << r << " missing";
    if (std::equal(a.begin() + at, a.begin() + at + static_cast<std::ptrdiff_t>(kRecord), b.begin() + at))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "record " << r << " changed";
}

inline std::vector<std::uint8_t> ReadAll(const char* file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Options: low gravity, no planet (nothing but the guns decides a round),
// the fewest asteroids, no music.
inline void WriteConfig() {
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
inline std::int32_t BuiltInValue(int cls) {
    GameStatePtr scratch = MakeGameState();
    SetUserClassDefaults(scratch.get());
    SetupShipClasses(scratch.get());
    return scratch->ShipValue[cls];
}

// The real screens, and frames paced by a clock that moves 5 ms a reading
// (a frame waits for 10 ms to pass, so no frame waits long), on an
// 800 x 600 display.
inline void UseRealScreensAndFastFrames() {
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
}

}  // namespace playscript
