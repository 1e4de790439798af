#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/arena/asteroid.h"
#include "game/program/gamestate.h"
#include "game/program/initgame.h"
#include "game/data/keymap.h"
#include "game/data/player.h"
#include "game/common/random.h"
#include "game/arena/world.h"
#include "tests/game/support_datafolder.h"

namespace {

GameStatePtr StartGame(int width = 1024, int height = 768) {
    GameStatePtr game = MakeGameState();
    InitGame(game.get(), width, height);
    return game;
}

}  // namespace

TEST(InitGame, LaysOutAFirstFieldBetweenTheSentinelsAndAnEmptyShotList) {
    DataFolder folder;
    GameStatePtr game = StartGame();
    ASSERT_NE(game->AsteroidHead, nullptr);
    ASSERT_NE(game->AsteroidTail, nullptr);
    EXPECT_FLOAT_EQ(game->AsteroidHead->X, -3000.0f);
    EXPECT_FLOAT_EQ(game->AsteroidTail->Y, -3000.0f);
    int rocks = 0;
    const Asteroid* prev = game->AsteroidHead;
    for (const Asteroid* a = prev->Next; a && a != game->AsteroidTail; a = a->Next) {
        EXPECT_EQ(a->Prev, prev);
        prev = a;
        ++rocks;
    }
    EXPECT_EQ(game->AsteroidTail->Prev, prev);
    EXPECT_GE(rocks, 5);  // AsteroidOption 7: 5..11 rocks
    EXPECT_LE(rocks, 11);
    ASSERT_NE(game->ShotList, nullptr);
    game->ShotList->Rewind();
    game->ShotList->Next();
    EXPECT_EQ(game->ShotList->Current(), nullptr);
    EXPECT_EQ(game->PlanetList, nullptr);
}

TEST(InitGame, EmptyFolderGivesTheStartingState) {
    DataFolder folder;
    GameStatePtr game = StartGame();

    EXPECT_EQ(game->ScreenWidth, 1024);
    EXPECT_EQ(game->ScreenHeight, 768);
    EXPECT_EQ(game->GravityOption, 1);
    EXPECT_EQ(game->GravityStrength, 1000.0f);
    EXPECT_EQ(game->PlanetOption, 1);
    EXPECT_EQ(game->PlanetSize, 60);
    EXPECT_EQ(game->AsteroidOption, 7);
    EXPECT_EQ(game->EffectsVolume, 0);
    EXPECT_EQ(game->MusicVolume, 0);
    EXPECT_EQ(game->MusicOn, 1);
    EXPECT_EQ(game->PointLimit, 200);
    EXPECT_EQ(game->MainMenuPage, 0);
    EXPECT_EQ(game->Zoom, 2.5f);
    EXPECT_EQ(game->PilotsMessageTimer, 0);
    EXPECT_EQ(game->PlanetList, nullptr);
    EXPECT_EQ(game->BlueShip, nullptr);
    EXPECT_EQ(game->GreenShip, nullptr);

    // Pilots: ten named (from the new stats.dat) and two "NO Pilot".
    for (int i = 0; i < 12; ++i) ASSERT_NE(game->Pilots[i], nullptr) << i;
    EXPECT_EQ(game->Pilots[10]->Name(), "NO Pilot");
    EXPECT_EQ(game->Pilots[11]->Name(), "NO Pilot");
    EXPECT_EQ(game->Pilots[0]->Name(), "");
    EXPECT_EQ(game->BluePilot, 10);
    EXPECT_EQ(game->GreenPilot, 11);

    for (int k = 0; k < kKeyBindingCount; ++k) EXPECT_EQ(game->KeyBindings[k], kDefaultKeyBindings[k]);

    // No frame files and no ships.dat: nothing can be flown.
    for (int c = 0; c < kClassCount; ++c) {
        EXPECT_EQ(game->ClassAvailable[c], 0);
        EXPECT_EQ(std::string(game->ClassNames[c]), "Empty " + std::to_string(c));
    }
    EXPECT_EQ(game->ShipValue[0], 50);
    EXPECT_EQ(game->ShipValue[23], 145);
    // User classes keep the start-up defaults.
    EXPECT_EQ(game->ShipClassTable.ImageSelection[24], 100);
    EXPECT_EQ(game->ShipClassTable.Hull[43], 50);
    EXPECT_EQ(game->ShipClassTable.Convergence[30][7], 1000.0f);
    EXPECT_EQ(game->ShipClassTable.WeaponType[30][0], -1);
    EXPECT_EQ(game->ShipClassTable.Power[30][0], 0);

    // The menu starfield is laid out: its 999 stars move, the last slot is
    // unused.
    for (int s = 0; s < kMenuStarCount; ++s) ASSERT_GE(game->MenuStarSpeed[s], 0.5f) << s;
    EXPECT_EQ(game->MenuStarSpeed[kMenuStarCount], 0.0f);

    // The data files it creates.
    EXPECT_EQ(folder.Read("config.cfg").size(), 32u);
    EXPECT_EQ(folder.Read("stats.dat").size(), 590u);
    EXPECT_FALSE(folder.Exists("keys.map")) << "the game never writes keys.map";
    EXPECT_FALSE(folder.Exists("ships.dat"));
}

TEST(InitGame, MinimumZoomFollowsTheWidth) {
    DataFolder folder;
    EXPECT_EQ(StartGame(800, 600)->MinZoom, 4);
    EXPECT_EQ(StartGame(900, 700)->MinZoom, 4);
    EXPECT_EQ(StartGame(901, 700)->MinZoom, 5);
    EXPECT_EQ(StartGame(1280, 1024)->MinZoom, 5);
}

TEST(InitGame, PlayStarfieldIsTheSameEveryRun) {
    DataFolder folder;
    // Each run starts with the generator unseeded, in the state seeding with
    // 1 gives; the stars are drawn before InitGame seeds it from the clock.
    SeedRandom(1);
    GameStatePtr first = StartGame();
    SeedRandom(1);
    GameStatePtr second = StartGame();
    SeedRandom(1);
    for (int s = 0; s < kPlayStarCount; ++s) {
        const int range = s < 400 ? 4000 : s < 800 ? 5000 : 6000;
        const int offset = s < 400 ? 1000 : s < 800 ? 1500 : 2000;
        const int x = Random(range) - offset;
        const int y = Random(range) - offset;
        ASSERT_EQ(first->PlayStarX[s], x) << s;
        ASSERT_EQ(first->PlayStarY[s], y) << s;
        ASSERT_EQ(second->PlayStarX[s], x) << s;
        EXPECT_GE(x, -offset);
        EXPECT_LT(x, range - offset);
    }
}

TEST(InitGame, ReadsTheDataFiles) {
    DataFolder folder;
    folder.MakeAllBuiltInFrames(8);
    folder.Remove("img/tiefig/tief0033.bmp");
    std::vector<std::uint8_t> config(32);
    PutLE32(config, 0, 2);
    PutFloat(config, 4, 100.0f);
    PutLE32(config, 8, 3);
    PutLE32(config, 12, 20);
    PutLE32(config, 16, 12);
    PutLE32(config, 20, -500);
    PutLE32(config, 24, -10000);
    PutLE32(config, 28, 0);
    folder.Write("config.cfg", config);
    std::vector<std::uint8_t> keys = {65, 68, 17, 87, 83, 20, 81, 84, 82, 0, 37, 39, 13, 38, 90, 33, 34, 45, 35, 0};
    folder.Write("keys.map", keys);
    std::vector<std::uint8_t> stats(590, 0);
    std::memcpy(&stats[1], "Rook", 4);
    PutLE32(stats, 55, 350);
    folder.Write("stats.dat", stats);

    GameStatePtr game = StartGame();
    EXPECT_EQ(game->GravityOption, 2);
    EXPECT_EQ(game->GravityStrength, 100.0f);
    EXPECT_EQ(game->PlanetOption, 3);
    EXPECT_EQ(game->AsteroidOption, 12);
    EXPECT_EQ(game->EffectsVolume, -500);
    EXPECT_EQ(game->MusicVolume, -10000);
    EXPECT_EQ(game->MusicOn, 0);
    EXPECT_EQ(game->KeyBindings[11], 90);
    EXPECT_EQ(game->KeyBindings[14], 90);
    EXPECT_EQ(game->Pilots[0]->Name(), "Rook");
    EXPECT_EQ(game->Pilots[0]->Score, 350);

    EXPECT_EQ(game->ClassAvailable[0], 1);
    EXPECT_STREQ(game->ClassNames[0], "XWing");
    EXPECT_EQ(game->ClassAvailable[8], 0);
    EXPECT_STREQ(game->ClassNames[8], "Empty 8");
    EXPECT_STREQ(game->ClassNames[12], "Tie Defender");
    EXPECT_STREQ(game->ClassNames[13], "Skipray Blastboat");
}
