#include <gtest/gtest.h>

#include <filesystem>

#include "game/data/config.h"
#include "game/program/gamestate.h"
#include "tests/game/support_datafolder.h"

namespace {

struct Options {
    std::int32_t gravity;
    float strength;
    std::int32_t planet, planetSize, asteroids, effects, music, musicOn;
};

// A config file built by hand from the field offsets.
std::vector<std::uint8_t> ConfigBytes(const Options& o) {
    std::vector<std::uint8_t> b(32);
    PutLE32(b, 0, o.gravity);
    PutFloat(b, 4, o.strength);
    PutLE32(b, 8, o.planet);
    PutLE32(b, 12, o.planetSize);
    PutLE32(b, 16, o.asteroids);
    PutLE32(b, 20, o.effects);
    PutLE32(b, 24, o.music);
    PutLE32(b, 28, o.musicOn);
    return b;
}

Options Read(const GameState& g) {
    return {g.GravityOption,  g.GravityStrength, g.PlanetOption, g.PlanetSize,
            g.AsteroidOption, g.EffectsVolume,   g.MusicVolume,  g.MusicOn};
}

bool operator==(const Options& a, const Options& b) {
    return a.gravity == b.gravity && a.strength == b.strength && a.planet == b.planet && a.planetSize == b.planetSize &&
           a.asteroids == b.asteroids && a.effects == b.effects && a.music == b.music && a.musicOn == b.musicOn;
}

const Options kDefaults = {1, 1000.0f, 1, 60, 7, 0, 0, 1};
const Options kCustom = {0, 3500.0f, 3, 20, 17, -1500, -10000, 0};

GameStatePtr StateWithDefaults() {
    GameStatePtr game = MakeGameState();
    SetDefaultOptions(game.get());
    return game;
}

}  // namespace

TEST(LoadConfig, MissingFileIsCreatedWithTheDefaults) {
    DataFolder folder;
    GameStatePtr game = StateWithDefaults();
    LoadConfig(game.get());
    EXPECT_TRUE(Read(*game) == kDefaults);
    EXPECT_EQ(folder.Read("config.cfg"), ConfigBytes(kDefaults));
}

TEST(LoadConfig, ReadsEveryValueAsStored) {
    DataFolder folder;
    folder.Write("config.cfg", ConfigBytes(kCustom));
    GameStatePtr game = StateWithDefaults();
    LoadConfig(game.get());
    EXPECT_TRUE(Read(*game) == kCustom);
    EXPECT_EQ(game->MusicOn, 0);
}

TEST(LoadConfig, ShortFileGivesAllDefaults) {
    DataFolder folder;
    std::vector<std::uint8_t> bytes = ConfigBytes(kCustom);
    bytes.resize(31);
    folder.Write("config.cfg", bytes);
    GameStatePtr game = MakeGameState();  // zeros: the defaults must come from the loader
    LoadConfig(game.get());
    EXPECT_TRUE(Read(*game) == kDefaults);
    EXPECT_EQ(folder.Read("config.cfg"), bytes) << "a short file stays as it is until a save";
}

TEST(LoadConfig, OutOfRangeValuesFallBackFieldByField) {
    struct Case {
        const char* what;
        Options file;
        Options want;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {"gravity 5", {5, 3500.0f, 3, 20, 17, -1500, -100, 0}, {1, 3500.0f, 3, 20, 17, -1500, -100, 0}},
        {"gravity -1", {-1, 100.0f, 2, 20, 2, 0, 0, 1}, {1, 100.0f, 2, 20, 2, 0, 0, 1}},
        {"strength NaN", {2, nan, 0, 200, 12, 0, 0, 1}, {2, 1000.0f, 0, 200, 12, 0, 0, 1}},
        {"strength negative", {2, -5.0f, 0, 200, 12, 0, 0, 1}, {2, 1000.0f, 0, 200, 12, 0, 0, 1}},
        {"planet 4", {0, 3500.0f, 4, 20, 7, 0, 0, 1}, {0, 3500.0f, 1, 20, 7, 0, 0, 1}},
        {"planet size negative", {0, 3500.0f, 0, -1, 7, 0, 0, 1}, {0, 3500.0f, 0, 60, 7, 0, 0, 1}},
        {"asteroids 3", {0, 3500.0f, 0, 200, 3, 0, 0, 1}, {0, 3500.0f, 0, 200, 7, 0, 0, 1}},
        {"asteroids 0", {0, 3500.0f, 0, 200, 0, 0, 0, 1}, {0, 3500.0f, 0, 200, 7, 0, 0, 1}},
        {"effects 50", {1, 1000.0f, 1, 60, 7, 50, -200, 1}, {1, 1000.0f, 1, 60, 7, 0, -200, 1}},
        {"effects -2100", {1, 1000.0f, 1, 60, 7, -2100, -200, 1}, {1, 1000.0f, 1, 60, 7, 0, -200, 1}},
        {"music -150", {1, 1000.0f, 1, 60, 7, -300, -150, 1}, {1, 1000.0f, 1, 60, 7, -300, 0, 1}},
        {"music on 2", {1, 1000.0f, 1, 60, 7, 0, 0, 2}, {1, 1000.0f, 1, 60, 7, 0, 0, 1}},
    };
    for (const Case& c : cases) {
        DataFolder folder;
        folder.Write("config.cfg", ConfigBytes(c.file));
        GameStatePtr game = StateWithDefaults();
        LoadConfig(game.get());
        EXPECT_TRUE(Read(*game) == c.want) << c.what;
    }
}

TEST(LoadConfig, UnreadableFileLeavesTheDefaults) {
    DataFolder folder;
    // A folder in the file's place: it can be neither created nor read.
    std::filesystem::create_directory(folder.Path() / "config.cfg");
    GameStatePtr game = StateWithDefaults();
    LoadConfig(game.get());
    EXPECT_TRUE(Read(*game) == kDefaults);
    SaveConfig(game.get());  // fails quietly, the folder stays
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "config.cfg"));
}

TEST(SaveConfig, WritesTheHandBuiltLayout) {
    DataFolder folder;
    folder.Write("config.cfg", ConfigBytes(kDefaults));
    GameStatePtr game = StateWithDefaults();
    LoadConfig(game.get());
    game->GravityOption = kCustom.gravity;
    game->GravityStrength = kCustom.strength;
    game->PlanetOption = kCustom.planet;
    game->PlanetSize = kCustom.planetSize;
    game->AsteroidOption = kCustom.asteroids;
    game->EffectsVolume = kCustom.effects;
    game->MusicVolume = kCustom.music;
    game->MusicOn = kCustom.musicOn;
    SaveConfig(game.get());
    EXPECT_EQ(folder.Read("config.cfg"), ConfigBytes(kCustom));

    GameStatePtr again = StateWithDefaults();
    LoadConfig(again.get());
    EXPECT_TRUE(Read(*again) == kCustom);
}

TEST(SaveConfig, LongerFileKeepsItsTail) {
    DataFolder folder;
    std::vector<std::uint8_t> bytes = ConfigBytes(kCustom);
    for (int k = 0; k < 8; ++k) bytes.push_back(static_cast<std::uint8_t>(0xA0 + k));
    folder.Write("config.cfg", bytes);
    GameStatePtr game = StateWithDefaults();
    LoadConfig(game.get());
    EXPECT_TRUE(Read(*game) == kCustom);
    game->MusicOn = 1;
    SaveConfig(game.get());
    std::vector<std::uint8_t> want = ConfigBytes({0, 3500.0f, 3, 20, 17, -1500, -10000, 1});
    want.insert(want.end(), bytes.begin() + 32, bytes.end());
    EXPECT_EQ(folder.Read("config.cfg"), want);
}

TEST(SaveConfig, VanishedFileIsWrittenAnew) {
    DataFolder folder;
    GameStatePtr game = StateWithDefaults();
    LoadConfig(game.get());
    folder.Remove("config.cfg");
    game->AsteroidOption = 12;
    SaveConfig(game.get());
    Options want = kDefaults;
    want.asteroids = 12;
    EXPECT_EQ(folder.Read("config.cfg"), ConfigBytes(want));
}
