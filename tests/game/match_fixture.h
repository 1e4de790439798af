// The screens that start rounds, driven frame by frame: the menu fixture with
// the built-in classes set up (all named "Class n"), only classes 1, 2 and 3
// flyable (their frame files are in the scratch folder), two named pilots on
// the two sides, an empty shot list and arena, and a
// display for the frames to load on.
#pragma once

#include <cstdio>
#include <memory>

#include "game/arena/arena.h"
#include "game/arena/asteroid.h"
#include "game/arena/matchsetup.h"
#include "game/arena/planet.h"
#include "game/common/misc.h"
#include "game/data/player.h"
#include "game/ship/ship.h"
#include "game/data/shipclasses.h"
#include "game/shots/shots.h"
#include "game/arena/world.h"
#include "tests/game/menu_fixture.h"
#include "vx/vxscreen.h"

class MatchFixture : public MenuFixture {
protected:
    static constexpr int kFlyable[] = {1, 2, 3};
    // Engine sound slots of classes 1, 2 and 3.
    static constexpr int kEngineSlot[] = {-1, 5, 1, 2};

    void SetUp() override {
        MenuFixture::SetUp();
        BuildSineTable();
        Form1->Display = std::make_unique<VXScreen>();
        for (int i = 0; i < kImageSets; ++i)
            Form1->FramePattern[static_cast<std::size_t>(i)] = kFramePatterns[static_cast<std::size_t>(i)];

        SetUserClassDefaults(game);
        SetupShipClasses(game);
        for (int c = 0; c < kClassCount; ++c) {
            std::snprintf(game->ClassNames[c], kClassNameSize, "Class %d", c);
            game->ClassAvailable[c] = 0;
        }
        for (int c : kFlyable) {
            game->ClassAvailable[c] = 1;
            for (int k = 1; k <= 60; ++k) {
                char file[96];
                std::snprintf(file, sizeof file, kFramePatterns[static_cast<std::size_t>(c)], k);
                wintest::WriteBmp(wintest::Local(file), 4, 4, 0xC0C0C0);
            }
        }
        for (int i = 0; i < kPilotCount; ++i) game->Pilots[i] = new Player();
        game->Pilots[0]->SetName("ARDEN");
        game->Pilots[1]->SetName("BRISK");
        game->Pilots[kNoPilotBlue]->SetName("NO Pilot");
        game->Pilots[kNoPilotGreen]->SetName("NO Pilot");
        game->BluePilot = 0;
        game->GreenPilot = 1;
        game->ShotList = new Iterator();
        CreateAsteroidSentinels(game);
        game->AsteroidOption = 2;
        game->PlanetOption = 1;
        game->PlanetSize = 60;
        game->GravityStrength = 1000.0f;
        game->PointLimit = 200;
    }

    Player& Blue() { return *game->Pilots[0]; }
    Player& Green() { return *game->Pilots[1]; }

    // Frames of class row `row` held by the main window.
    static int FramesHeld(int row) {
        int n = 0;
        for (const auto& f : Form1->ShipFrameTable[static_cast<std::size_t>(row)]) n += f != nullptr;
        return n;
    }

    int AsteroidCount() const {
        int n = 0;
        for (Asteroid* a = game->AsteroidHead->Next; a && a != game->AsteroidTail; a = a->Next) ++n;
        return n;
    }

    int ShotCount() const {
        int n = 0;
        for (Item* i = game->ShotList->Head->Next; i; i = i->Next) ++n;
        return n;
    }

    // A live shot of the blue ship in the shot list.
    void AddShot() { game->ShotList->Append(new Energy(0, 100, 100, 1, 0, 0, 10, 50, game->BlueShip)); }

    // Both ships built for a round: of these classes, on their sides, flown
    // by the two pilots, each other's opponents, with full hulls.
    void ExpectFreshShips(int blueClass, int greenClass) {
        Ship* blue = game->BlueShip;
        Ship* green = game->GreenShip;
        ASSERT_NE(blue, nullptr);
        ASSERT_NE(green, nullptr);
        EXPECT_EQ(blue->ClassIndex, blueClass);
        EXPECT_EQ(green->ClassIndex, greenClass);
        EXPECT_EQ(blue->Side, 0);
        EXPECT_EQ(green->Side, 1);
        EXPECT_EQ(blue->Pilot, &Blue());
        EXPECT_EQ(green->Pilot, &Green());
        EXPECT_EQ(Blue().CurrentShip, blue);
        EXPECT_EQ(Green().CurrentShip, green);
        EXPECT_EQ(blue->Opponent, green);
        EXPECT_EQ(green->Opponent, blue);
        EXPECT_EQ(blue->Life, static_cast<float>(blue->HullMax));
        EXPECT_EQ(green->Life, static_cast<float>(green->HullMax));
    }

    // Every engine slot watched, silent.
    void WatchEngines() { EnableSound({1, 2, 5}); }
};
