// A living ship's frame: regeneration, turning, the drives, planet pull and
// the speed limit, the soft walls, and crashing into planets.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "vx/vxsoundbuffer.h"
#include "tests/game/window_script.h"
#include "tests/game/world_fixture.h"

namespace {

constexpr int kFlightClass = 24;  // a user class: normal drive, acceleration 1, turn 3

class ShipFlightTest : public WorldFixture {
protected:
    void TearDown() override {
        if (!soundFolder_.empty()) std::filesystem::remove_all(soundFolder_);
        WorldFixture::TearDown();
    }

    // A ship of the flight class at rest at (x, y), heading along +x.
    Ship* Flyer(float x = 1000, float y = 1000, int side = 0) {
        Ship* ship = MakeShip(side, kFlightClass);
        ship->X = x;
        ship->Y = y;
        ship->Heading = 0;
        return ship;
    }

    // Sound on, with a silent device and a short sound in each slot.
    void EnableSound(std::initializer_list<int> slots) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        soundFolder_ = std::filesystem::path(VANTORRA_TEST_TMP) /
                       (std::string(info->test_suite_name()) + "_" + info->name() + "_" + std::to_string(::getpid()));
        const std::filesystem::path wav = soundFolder_ / "beep.wav";
        wintest::WriteWav(wav);
        Form1->SoundsOn = 1;
        Form1->SoundDevice = wintest::MakeSilentSoundDevice();
        for (int slot : slots) {
            auto& buffer = Form1->SoundSlots[static_cast<std::size_t>(slot)];
            buffer = std::make_unique<VXSoundBuffer>();
            buffer->Load(Form1->SoundDevice.get(), wav.c_str(), 1);
            ASSERT_FALSE(buffer->Voices.empty()) << slot;
        }
    }
    static bool Playing(int slot) {
        DWORD status = 0;
        Form1->SoundSlots[static_cast<std::size_t>(slot)]->Voices.at(0)->GetStatus(&status);
        return (status & DSBSTATUS_PLAYING) != 0;
    }

private:
    std::filesystem::path soundFolder_;
};

TEST_F(ShipFlightTest, ThrustFollowsTheEngineAndTheDrive) {
    struct Case {
        int engine, drive;
        bool thrust;
        float v0, vx, ramp;
    };
    const Case cases[] = {
        {kSubOk, 0, true, 1, 1.07f, 0},
        {kSubOk, 0, false, 1, 1, 0},
        {kSubOk, 1, true, 1, 0.94f, 0.6f},  // pushes with last frame's ramp, then drags
        {kSubOk, 1, false, 1, 0.94f, 0},
        {kSubOk, 2, true, 1, 5.6f, 0},
        {kSubOk, 2, false, 1, 0, 0},
        {kSubOk, 7, true, 1, 1, 0},
        {kSubDamaged, 0, true, 1, 1 + 0.07f / 3, 0},
        {kSubDamaged, 1, true, 1, 1 + 0.07f / 3, 0},
        {kSubDamaged, 2, true, 1, 1 + 0.07f / 3, 0},
        {kSubDamaged, 2, false, 1, 1, 0},
        {kSubBroken, 0, true, 1, 1, 0},
        {kSubBroken, 2, false, 1, 1, 0},
    };
    for (const Case& c : cases) {
        Ship* ship = Flyer();
        ship->Drive = c.drive;
        ship->Subsystems[kSubEngine] = c.engine;
        ship->VX = c.v0;
        ship->KeyDown[kCtlThrust] = c.thrust;
        ship->Update();
        EXPECT_NEAR(ship->VX, c.vx, 1e-5) << c.engine << " " << c.drive << " " << c.thrust;
        EXPECT_NEAR(ship->VY, 0, 1e-6);
        EXPECT_FLOAT_EQ(ship->DriveRamp, c.ramp);
        EXPECT_FLOAT_EQ(ship->X, 1000 + c.vx);
    }
}

TEST_F(ShipFlightTest, TheStarWarsDriveRampsUpAndCoastsAfterABurn) {
    Ship* ship = Flyer(200, 1000);
    ship->Drive = 1;
    ship->KeyDown[kCtlThrust] = 1;
    // A long burn on the spot, the ship kept clear of the walls.
    for (int f = 0; f < 300; ++f) {
        ship->X = 200;
        ship->Update();
    }
    EXPECT_FLOAT_EQ(ship->DriveRamp, 20);
    const float burnSpeed = ship->VX;
    // The drag sets a top speed: (v + 0.07 * 20 * 0.5) * 0.94 = v.
    EXPECT_NEAR(burnSpeed, 0.7 * 0.94 / 0.06, 1e-3);

    ship->KeyDown[kCtlThrust] = 0;
    float previous = burnSpeed;
    for (int f = 1; f <= 20; ++f) {
        ship->Update();
        EXPECT_NEAR(ship->DriveRamp, 20 - 0.1f * f, 1e-4);
        // The first frame still pushes with the full ramp of the burn.
        if (f == 1)
            EXPECT_NEAR(ship->VX, previous, 1e-4);
        else
            EXPECT_LT(ship->VX, previous);
        previous = ship->VX;
    }
    EXPECT_GT(previous, burnSpeed * 0.8f);
}

TEST_F(ShipFlightTest, TheSpeedLimitHoldsOnlyWhereThereIsAPlanet) {
    for (bool planet : {false, true}) {
        if (planet) SetPlanet(1000, 1900, 60, 0.001f);
        Ship* ship = Flyer(200, 1000);
        ship->Acceleration = 100;
        ship->KeyDown[kCtlThrust] = 1;
        for (int f = 0; f < 5; ++f) ship->Update();
        if (planet)
            EXPECT_FLOAT_EQ(ship->VX, 30);
        else
            EXPECT_NEAR(ship->VX, 35, 1e-4);
    }
}

TEST_F(ShipFlightTest, APlanetPullsAShipToTheLimitButNeverAnInertialessOne) {
    SetPlanet(1000, 1000, 60, 50);
    for (float side : {-1.0f, 1.0f}) {
        Ship* ship = Flyer(1000 + side * 100, 1000);
        ship->Update();
        EXPECT_FLOAT_EQ(ship->VX, -side * 30);
        EXPECT_NEAR(ship->VY, 0, 1e-6);

        Ship* drifting = Flyer(1000 + side * 100, 1000);
        drifting->Drive = 2;
        drifting->VX = 3;
        drifting->Update();
        EXPECT_EQ(drifting->VX, 0);
        EXPECT_EQ(drifting->VY, 0);
        EXPECT_EQ(drifting->X, 1000 + side * 100);
    }
}

TEST_F(ShipFlightTest, APullOutOfRangeIsClampedOnEachAxisOnItsOwn) {
    const Planet* planet = SetPlanet(1000, 1000, 60, 0.0f);
    Ship* ship = Flyer();
    ship->VX = -45;
    ship->VY = 12;
    ship->ApplyPlanetGravity(planet);
    EXPECT_EQ(ship->VX, -30);
    EXPECT_EQ(ship->VY, 12);
    ship->Drive = 2;
    ship->VY = 31;
    ship->ApplyPlanetGravity(planet);
    EXPECT_EQ(ship->VY, 30);
}

TEST_F(ShipFlightTest, TurningFollowsTheSteeringAndWrapsOnce) {
    struct Case {
        int steering, turn;
        float heading;
        int key;  // -1 none, else the ShipControl held
        float expected;
    };
    const Case cases[] = {
        {kSubOk, 3, 358, kCtlTurnRight, 1},
        {kSubOk, 3, 1, kCtlTurnLeft, 358},
        {kSubOk, 3, 359, -1, 359},
        {kSubOk, 3, 360, -1, 0},
        {kSubDamaged, 3, 100, kCtlTurnRight, 101},
        {kSubDamaged, 1, 100, kCtlTurnLeft, 100},
        {kSubBroken, 3, 100, kCtlTurnRight, 100},
        {kSubBroken, 3, 360, -1, 360},
    };
    for (const Case& c : cases) {
        Ship* ship = Flyer();
        ship->Subsystems[kSubSteering] = c.steering;
        ship->Turn = c.turn;
        ship->Heading = c.heading;
        if (c.key >= 0) ship->KeyDown[c.key] = 1;
        ship->Update();
        EXPECT_EQ(ship->Heading, c.expected) << c.steering << " " << c.turn << " " << c.heading;
    }
}

TEST_F(ShipFlightTest, TheWallsPushBackHarderTheFurtherOutWhileMovingOut) {
    struct Case {
        float position, velocity, after, velocityAfter;
    };
    const Case cases[] = {
        {2095, 5, 2100, 5 - 0.3f - 1.0f}, {2105, -5, 2100, -5.15f}, {-95, -5, -100, -5 + 0.3f + 1.0f},
        {-105, 5, -100, 5.15f},           {1000, 5, 1005, 5},       {1995, 5, 2000, 5},
    };
    for (const Case& c : cases) {
        Ship* ship = Flyer(c.position, 1000);
        ship->VX = c.velocity;
        ship->Update();
        EXPECT_FLOAT_EQ(ship->X, c.after);
        EXPECT_NEAR(ship->VX, c.velocityAfter, 1e-5) << c.position << " " << c.velocity;
        EXPECT_EQ(ship->VY, 0);

        Ship* vertical = Flyer(1000, c.position);
        vertical->VY = c.velocity;
        vertical->Update();
        EXPECT_FLOAT_EQ(vertical->Y, c.after);
        EXPECT_NEAR(vertical->VY, c.velocityAfter, 1e-5) << c.position << " " << c.velocity;
        EXPECT_EQ(vertical->VX, 0);
    }
}

bool InsideOnAxis(float v) { return v >= 0 && v <= 2000; }

// An inertialess ship stops dead when its keys are up, but beyond a wall it
// is brought back as a ship with any other drive is, and stops once inside.
TEST_F(ShipFlightTest, AnInertialessShipBeyondAWallWithItsKeysUpComesBackLikeAnyOther) {
    const struct { float x, y; } starts[] = {{-1017, 1000}, {3000, 700}, {1000, -400}, {1500, 2600}, {-300, 2300}};
    for (const auto& start : starts) {
        SCOPED_TRACE(testing::Message() << "from " << start.x << ", " << start.y);
        Ship* inertialess = Flyer(start.x, start.y, 0);
        inertialess->Drive = 2;
        Ship* normal = Flyer(start.x, start.y, 1);
        bool back = false;
        for (int frame = 0; frame < 1000 && !back; ++frame) {
            const float restX = inertialess->X;
            const float restY = inertialess->Y;
            inertialess->Update();
            normal->Update();
            // While the other ship is still out on an axis, the inertialess
            // one is beside it; once in, it stays where it entered.
            if (!InsideOnAxis(normal->X)) {
                EXPECT_EQ(inertialess->X, normal->X) << frame;
            } else if (InsideOnAxis(restX)) {
                EXPECT_EQ(inertialess->X, restX) << frame;
            }
            if (!InsideOnAxis(normal->Y)) {
                EXPECT_EQ(inertialess->Y, normal->Y) << frame;
            } else if (InsideOnAxis(restY)) {
                EXPECT_EQ(inertialess->Y, restY) << frame;
            }
            back = InsideOnAxis(inertialess->X) && InsideOnAxis(inertialess->Y);
        }
        ASSERT_TRUE(back);
        EXPECT_EQ(inertialess->VX, 0);
        EXPECT_EQ(inertialess->VY, 0);
        const float x = inertialess->X;
        const float y = inertialess->Y;
        for (int frame = 0; frame < 50; ++frame) inertialess->Update();
        EXPECT_EQ(inertialess->X, x);
        EXPECT_EQ(inertialess->Y, y);
    }
}

// Thrusting out through a wall, an inertialess ship is turned back by the
// wall like any other, and after every frame its velocity is the one it then
// flies with: no push is shown that the next frame throws away.
struct OutwardThrust {
    float heading, acceleration;
    bool planet;  // far off, massless: it only holds the speed to 30 a frame
    float furthestOut;
};

TEST_F(ShipFlightTest, AnInertialessShipThrustingOutShowsOnlyTheSpeedItFlies) {
    const OutwardThrust cases[] = {
        {180, 2, false, 150}, {0, 2, false, 150},  {270, 2, false, 150}, {90, 2, false, 150},
        {225, 2, false, 150}, {180, 8, true, 300}, {45, 8, true, 300},
    };
    for (const OutwardThrust& c : cases) {
        SCOPED_TRACE(testing::Message() << "heading " << c.heading << " acceleration " << c.acceleration);
        while (game->PlanetList) RemovePlanet(game, game->PlanetList);
        if (c.planet) SetPlanet(1000, 1000, 10, 0);
        Ship* ship = Flyer(1000 - 900 * CosDeg(c.heading), 1000 - 900 * SinDeg(c.heading));
        ship->Drive = 2;
        ship->Acceleration = c.acceleration;  // 5.6 units a frame per point
        ship->Heading = c.heading;
        ship->KeyDown[kCtlThrust] = 1;
        ship->Update();
        float furthestOut = 0;
        int returns = 0;
        bool wasOutside = false;
        for (int frame = 0; frame < 600; ++frame) {
            const float x = ship->X, y = ship->Y, vx = ship->VX, vy = ship->VY;
            ship->Update();
            EXPECT_NEAR(ship->X - x, vx, 1e-3) << frame;
            EXPECT_NEAR(ship->Y - y, vy, 1e-3) << frame;
            const float out = std::max({-ship->X, ship->X - 2000, -ship->Y, ship->Y - 2000});
            furthestOut = std::max(furthestOut, out);
            returns += wasOutside && out <= 0;
            wasOutside = out > 0;
        }
        EXPECT_GT(returns, 5);
        EXPECT_LT(furthestOut, c.furthestOut);
    }
}

// Every flight but the healthy inertialess drive, flown for 3000 frames by a
// fixed script of keys that takes the ship through the walls again and
// again, with and without a planet. The digests and end points were recorded
// from these flights and pin them bit for bit.
struct RecordedFlight {
    int engine, drive;
    bool planet;
    std::uint64_t digest;
    float x, y, vx, vy;
};

TEST_F(ShipFlightTest, EveryOtherDriveFliesItsRecordedCourseBitForBit) {
    const RecordedFlight flights[] = {
        {kSubOk, 0, false, 0xe5cc4e41b9169e37ull, 0x1.923014p+10f, 0x1.0ae6c2p+10f, -0x1.bdb06ep+3f, 0x1.243096p+4f},
        {kSubOk, 0, true, 0x8d709552221616a5ull, 0x1.81b99ap+10f, 0x1.f8467cp+9f, -0x1.e32516p+3f, 0x1.1a271ep+4f},
        {kSubOk, 1, false, 0x0c4216f58c3301b9ull, 0x1.f7cc4cp+5f, 0x1.16c188p+11f, -0x1.405ed4p+5f, -0x1.48cae2p+2f},
        {kSubOk, 1, true, 0x23bb4440ee431b49ull, 0x1.1ebf08p+8f, 0x1.18e3ecp+11f, -0x1.ep+4f, -0x1.8c1e2ep+1f},
        {kSubOk, 7, false, 0xfcedb81da7b2355aull, 0x1.2c3408p+7f, 0x1.e0f03cp+9f, -0x1.0df43cp+0f, -0x1.99adp-2f},
        {kSubDamaged, 0, true, 0x0d425d5bb2c0b604ull, 0x1.33b598p+10f, 0x1.4b6fdap+9f, 0x1.0797cp+3f, 0x1.939528p+2f},
        {kSubDamaged, 2, false, 0xacccd2a18c5d6104ull, 0x1.4f9acap+10f, 0x1.71a9aap+9f, 0x1.cd317p+2f, 0x1.87291ap+2f},
        {kSubBroken, 2, false, 0xfcedb81da7b2355aull, 0x1.2c3408p+7f, 0x1.e0f03cp+9f, -0x1.0df43cp+0f, -0x1.99adp-2f},
    };
    for (const RecordedFlight& f : flights) {
        SCOPED_TRACE(testing::Message() << "engine " << f.engine << " drive " << f.drive << " planet " << f.planet);
        while (game->PlanetList) RemovePlanet(game, game->PlanetList);
        if (f.planet) SetPlanet(1400, 700, 40, 0.3f);
        Ship* ship = Flyer(150, 1800);
        ship->Heading = 200;
        ship->Drive = f.drive;
        ship->Acceleration = 5;
        ship->VX = 1.5f;
        ship->VY = 0.5f;
        std::uint64_t digest = 14695981039346656037ull;
        const auto mix = [&digest](float v) {
            std::uint32_t bits;
            std::memcpy(&bits, &v, sizeof bits);
            for (int i = 0; i < 4; ++i) {
                digest ^= (bits >> (8 * i)) & 0xFF;
                digest *= 1099511628211ull;
            }
        };
        int returns = 0;  // times the walls brought the ship back in
        bool wasOutside = false;
        for (int frame = 0; frame < 3000; ++frame) {
            // The engine state is held against the ship's own repairs.
            ship->Subsystems[kSubEngine] = f.engine;
            ship->KeyDown[kCtlThrust] = (frame / 45) % 3 != 2;
            ship->KeyDown[kCtlTurnRight] = (frame / 70) % 4 == 1;
            ship->KeyDown[kCtlTurnLeft] = (frame / 110) % 5 == 3;
            ship->Update();
            for (float v : {ship->X, ship->Y, ship->VX, ship->VY, ship->Heading}) mix(v);
            const bool out = ship->X < 0 || ship->X > 2000 || ship->Y < 0 || ship->Y > 2000;
            returns += wasOutside && !out;
            wasOutside = out;
        }
        EXPECT_GE(returns, 2);
        EXPECT_EQ(digest, f.digest);
        EXPECT_EQ(ship->X, f.x);
        EXPECT_EQ(ship->Y, f.y);
        EXPECT_EQ(ship->VX, f.vx);
        EXPECT_EQ(ship->VY, f.vy);
    }
}

TEST_F(ShipFlightTest, ShieldsAndMountsRechargeByTheirSubsystems) {
    struct Case {
        int state;
        float shieldGain, mountGain;
    };
    const Case cases[] = {{kSubOk, 0.0025f, 0.01f}, {kSubDamaged, 0.0008333333f, 0.004f}, {kSubBroken, 0, 0}};
    for (const Case& c : cases) {
        Ship* ship = Flyer();
        ASSERT_EQ(ship->MountCount, 0);
        ship->MountCount = 2;
        ship->Subsystems[kSubShields] = c.state;
        ship->Subsystems[kSubGenerator] = c.state;
        ship->FrontShield = 10;
        ship->BackShield = 49.9999f;
        ship->MountEnergy[0] = 5;
        ship->MountEnergy[1] = 14.999f;
        ship->MountEnergy[2] = 5;
        ship->SpecialEnergy = 50;
        ship->Update();
        EXPECT_FLOAT_EQ(ship->FrontShield, 10 + c.shieldGain) << c.state;
        EXPECT_EQ(ship->BackShield, c.state == kSubBroken ? 49.9999f : 50.0f);
        EXPECT_FLOAT_EQ(ship->MountEnergy[0], 5 + c.mountGain);
        EXPECT_EQ(ship->MountEnergy[1], c.state == kSubBroken ? 14.999f : 15.0f);
        EXPECT_EQ(ship->MountEnergy[2], 5);  // beyond the fitted mounts
        EXPECT_FLOAT_EQ(ship->SpecialEnergy, 50.3f);
    }
    Ship* ship = Flyer();
    ship->SpecialEnergy = 99.9f;
    ship->Update();
    EXPECT_EQ(ship->SpecialEnergy, 100);
}

TEST_F(ShipFlightTest, TheAstroDroidWarnsOnceWhenTheHullFallsBelowThirty) {
    EnableSound({12});
    game->ShipClassTable.AstroDroid[kFlightClass] = 1;
    Ship* ship = Flyer();
    ASSERT_EQ(ship->AstroDroidArmed, 1);
    ship->Life = 30;
    ship->Update();
    EXPECT_EQ(ship->AstroDroidArmed, 1);
    EXPECT_FALSE(Playing(12));
    ship->Life = 29.5f;
    ship->Update();
    EXPECT_EQ(ship->AstroDroidArmed, 0);
    EXPECT_TRUE(Playing(12));

    // A class without the droid never warns.
    game->ShipClassTable.AstroDroid[kFlightClass] = 0;
    Ship* plain = Flyer();
    plain->Life = 5;
    plain->Update();
    EXPECT_EQ(plain->AstroDroidArmed, 0);
}

class PlanetCrashTest : public ShipFlightTest {
protected:
    void SetUp() override {
        ShipFlightTest::SetUp();
        EnableSound({19});
        planet = SetPlanet(1000, 1000, 60, 0.5f);
        enemy = MakeShip(1, kFlightClass);
        enemy->X = 1800;
        game->ShipClassTable.BoundingSphere[kFlightClass] = 20;
        ship = Flyer();
        ship->Heading = 270;
        ship->VX = 5;
        ship->VY = -10;
    }
    bool Crashed() const { return ship->Life == -1; }
    int Deaths() const { return game->Pilots[0]->CollisionDeaths; }

    Planet* planet = nullptr;
    Ship* enemy = nullptr;
    Ship* ship = nullptr;
};

TEST_F(PlanetCrashTest, ACrashKillsOnceAndIsNoKillForTheOpponent) {
    ship->CheckPlanetCollision();
    EXPECT_TRUE(Crashed());
    EXPECT_TRUE(Playing(19));
    EXPECT_EQ(Deaths(), 1);
    EXPECT_EQ(enemy->OpponentDown, 1);
    EXPECT_FLOAT_EQ(ship->VX, 1);
    EXPECT_FLOAT_EQ(ship->VY, -2);
    // The wreck stays in the planet without dying again.
    ship->CheckPlanetCollision();
    EXPECT_EQ(Deaths(), 1);
    EXPECT_FLOAT_EQ(ship->VX, 1);
    EXPECT_EQ(enemy->Life, enemy->HullMax);
}

TEST_F(PlanetCrashTest, TwoOverlappingPlanetsStillCrashTheShipOnce) {
    planet->Next = new Planet(60, 0.5f, 1010, 1000, nullptr, 150);
    ship->CheckPlanetCollision();
    EXPECT_TRUE(Crashed());
    EXPECT_EQ(Deaths(), 1);
}

TEST_F(PlanetCrashTest, APhasedShipPassesThroughButACloakedOneCrashes) {
    ship->CloakState = kCloakPhasing;
    ship->CheckPlanetCollision();
    EXPECT_FALSE(Crashed());
    EXPECT_EQ(Deaths(), 0);
    EXPECT_FALSE(Playing(19));
    ship->CloakState = kCloakNormal;
    ship->CheckPlanetCollision();
    EXPECT_TRUE(Crashed());
}

TEST_F(PlanetCrashTest, TheBoundingSphereReachesOnlyForALivingShip) {
    // Nose up, 85 units above the centre: the right rear probe is about 76
    // units out, within the sphere of 20 plus the radius of 60; the left one
    // and the nose lie outside the planet itself.
    ship->Y = 915;
    ship->Life = -5;  // already a wreck
    ship->CheckPlanetCollision();
    EXPECT_EQ(ship->Life, -5);
    EXPECT_EQ(Deaths(), 0);
    ship->Life = 10;
    ship->CheckPlanetCollision();
    EXPECT_TRUE(Crashed());
    EXPECT_EQ(Deaths(), 1);
}

TEST_F(PlanetCrashTest, AWreckDriftingIntoThePlanetIsASecondDeath) {
    game->Pilots[0]->CollisionDeaths = 0;
    game->Pilots[0]->ShotDeaths = 1;
    ship->Life = -5;
    ship->Y = 1000;
    ship->CheckPlanetCollision();
    EXPECT_TRUE(Crashed());
    EXPECT_EQ(Deaths(), 1);
    EXPECT_TRUE(Playing(19));
}

TEST_F(PlanetCrashTest, TheNoseProbeReachesFourAcrossAndFiveAlong) {
    ship->Life = -5;  // only the probes inside the planet count
    // Pointing along +y, 64.5 above: the nose probe is 59.5 from the centre.
    ship->Heading = 90;
    ship->X = 1000;
    ship->Y = 935.5f;
    ship->CheckPlanetCollision();
    EXPECT_TRUE(Crashed());

    // Pointing along +x, 64.5 to the left: it is 60.5 away.
    ship->Life = -5;
    ship->Heading = 0;
    ship->X = 935.5f;
    ship->Y = 1000;
    ship->CheckPlanetCollision();
    EXPECT_EQ(ship->Life, -5);
}

}  // namespace
