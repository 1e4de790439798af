// Cutting beams: following the mount, reaching out to the first touch,
// cutting ships and rocks, draining the mount and ending.
#include <cmath>

#include "tests/game/world_fixture.h"

namespace {

class BeamTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        owner = MakeShip(0, 0);
        enemy = MakeShip(1, 0);
        Place(*owner, 500, 500, 0);
        owner->MountEnergy[0] = 15;
        owner->KeyDown[kCtlFire] = 1;
        Place(*enemy, 500, 1900, 0);  // well out of reach
        enemy->BoundingSphere = 5;
    }

    static void Place(Ship& s, float x, float y, float heading) {
        s.X = x;
        s.Y = y;
        s.Heading = heading;
        s.Life = 100;
        s.CloakState = 0;
        s.FrontShield = s.BackShield = 100;
        s.FrontArmour = s.BackArmour = 100;
        s.WeaponX[0] = s.WeaponY[0] = 0;
        s.FireDirection[0] = 0;
        s.TurretCover[0] = 0;
    }

    Beam MakeBeam(int steps, std::uint8_t tracking = 0, float damage = 2.0f, int technology = 0) {
        Beam b(technology, &owner->MountEnergy[0], 0, tracking, damage, steps, owner);
        b.Jitter = 0;
        b.SetView(game->CameraX, game->CameraY);
        b.SetZoom(game->Zoom);
        return b;
    }

    // An update and a draw with the work surface locked, as the play frame does.
    void Frame(Beam& b) {
        LockWork();
        b.Update();
        b.Draw();
        UnlockWork();
    }

    Ship* owner = nullptr;
    Ship* enemy = nullptr;
};

TEST_F(BeamTest, CreationDrawsTheJitter) {
    SeedRandom(31);
    const int jitter = Random(25) - 12;
    SeedRandom(31);
    Beam b(6, &owner->MountEnergy[0], 3, 1, 1.5f, 80, owner);
    EXPECT_FLOAT_EQ(b.Jitter, static_cast<float>(jitter));
    EXPECT_FLOAT_EQ(b.Life, 1.0f);
    EXPECT_EQ(b.ReachedLength, 0);
}

TEST_F(BeamTest, FixedBeamThatTouchesNothingReachesOneStepShortOfItsRange) {
    struct Case {
        int steps, reached;
    };
    for (const Case& c : {Case{120, 1190}, Case{1, 0}, Case{2, 10}}) {
        owner->MountEnergy[0] = 15;
        owner->BeamCooldown = 0;
        Beam b = MakeBeam(c.steps);
        Frame(b);
        EXPECT_EQ(b.ReachedLength, c.reached) << c.steps;
        EXPECT_FLOAT_EQ(b.Life, 1.0f);
        EXPECT_EQ(owner->BeamCooldown, 5);
        EXPECT_FLOAT_EQ(owner->MountEnergy[0], 15.0f - 0.17f);
    }
    EXPECT_EQ(owner->Pilot->ShotsFired, 3);
    EXPECT_EQ(owner->Pilot->Hits, 0);
}

TEST_F(BeamTest, OriginAndAngleFollowTheMount) {
    owner->Heading = 90;
    owner->WeaponX[0] = 10;  // to the side
    owner->WeaponY[0] = 5;   // behind
    owner->FireDirection[0] = 300;
    Beam b = MakeBeam(10);
    b.Update();
    EXPECT_NEAR(b.X, 490.0f, 1e-3f);
    EXPECT_NEAR(b.Y, 495.0f, 1e-3f);
    EXPECT_FLOAT_EQ(b.Angle, 30.0f);
}

TEST_F(BeamTest, TouchingTheEnemyStopsTheBeamAndCutsTheFacingShield) {
    struct Case {
        float heading;
        bool front;
    };
    // The fifth step (550, 500) lies 2 units from the enemy: beyond it when
    // it faces away from the beam's origin, before it when it faces it.
    for (const Case& c : {Case{180, true}, Case{0, false}}) {
        Place(*enemy, 552, 500, c.heading);
        owner->Pilot->Hits = 0;
        Beam b = MakeBeam(120, 0, 2.0f);
        Frame(b);
        Frame(b);
        EXPECT_EQ(b.ReachedLength, 50);
        EXPECT_FLOAT_EQ(b.Life, 1.0f);
        EXPECT_EQ(owner->Pilot->Hits, 2);
        const float hit =
            c.front ? enemy->FrontShield + enemy->FrontShieldDamage : enemy->BackShield + enemy->BackShieldDamage;
        const float other =
            c.front ? enemy->BackShield + enemy->BackShieldDamage : enemy->FrontShield + enemy->FrontShieldDamage;
        EXPECT_FLOAT_EQ(hit, 96.0f) << c.heading;
        EXPECT_FLOAT_EQ(other, 100.0f) << c.heading;
    }
    // The drawn line ends at the touch point.
    EXPECT_EQ(At(520, 500), Form1->UIColours.ColourLightRed);
    EXPECT_EQ(At(550, 500), Form1->UIColours.ColourLightRed);
    EXPECT_EQ(At(562, 500), 0u);
}

TEST_F(BeamTest, AHitThatBreaksTheShieldSetsSmoke) {
    Place(*enemy, 552, 500, 180);
    enemy->FrontShield = 1.0f;
    Beam b = MakeBeam(120, 0, 2.0f);
    Frame(b);
    EXPECT_EQ(enemy->SmokeToEmit, 20);
}

TEST_F(BeamTest, PhasedOrLongDestroyedEnemyLetsTheBeamThrough) {
    Place(*enemy, 552, 500, 180);
    enemy->CloakState = kCloakPhasing;
    Beam b = MakeBeam(120);
    Frame(b);
    EXPECT_EQ(b.ReachedLength, 1190);

    enemy->CloakState = 0;
    enemy->Life = -1.5f;
    Frame(b);
    EXPECT_EQ(b.ReachedLength, 1190);

    // Destroyed only this round (Life between -1 and 0): still cut.
    enemy->Life = -0.5f;
    Frame(b);
    EXPECT_EQ(b.ReachedLength, 50);
    EXPECT_EQ(owner->Pilot->Hits, 1);
}

TEST_F(BeamTest, RockStopsTheBeamAtItsFirstStepInsideAndLosesTenAFrame) {
    Asteroid* rock = AddAsteroid(600, 500, 15);
    Beam b = MakeBeam(120);
    Frame(b);
    Frame(b);
    EXPECT_EQ(b.ReachedLength, 90);
    EXPECT_FLOAT_EQ(rock->Life, 30.0f);
    EXPECT_EQ(owner->Pilot->Hits, 2);
    EXPECT_FLOAT_EQ(b.Life, 1.0f);
}

TEST_F(BeamTest, PlanetStopsTheBeamWithoutCountingAHit) {
    SetPlanet(700, 500, 40, 0.1f);
    Beam b = MakeBeam(120);
    Frame(b);
    EXPECT_EQ(b.ReachedLength, 160);
    EXPECT_EQ(owner->Pilot->Hits, 0);
}

TEST_F(BeamTest, FifteenEnergyFeedsSixtyTrackingOrEightyNineFixedFrames) {
    struct Case {
        std::uint8_t tracking;
        int frames;
    };
    owner->TurretCover[0] = 360;  // the enemy is always inside the arc
    for (const Case& c : {Case{1, 60}, Case{0, 89}}) {
        owner->MountEnergy[0] = 15;
        Beam b = MakeBeam(2, c.tracking);
        int frames = 0;
        while (b.Life > 0 && frames < 200) {
            b.Update();
            ++frames;
        }
        EXPECT_EQ(frames, c.frames) << int(c.tracking);
    }
}

TEST_F(BeamTest, TrackingBeamAimsAtTheEnemyOffByTheJitter) {
    owner->TurretCover[0] = 120;
    const float bearing = 40;
    Place(*enemy, 500 + 1500 * static_cast<float>(CosDeg(bearing)), 500 + 1500 * static_cast<float>(SinDeg(bearing)),
          0);
    enemy->BoundingSphere = 5;
    Beam b = MakeBeam(10, 1);
    b.Update();
    EXPECT_NEAR(b.Angle, 40.0f, 0.02f);

    b.Jitter = 5;
    b.Update();
    EXPECT_FLOAT_EQ(b.Jitter, 4.85f);
    EXPECT_NEAR(b.Angle, 40.0f - 4.85f, 0.02f);
    EXPECT_EQ(owner->Pilot->ShotsFired, 2);
    EXPECT_FLOAT_EQ(owner->MountEnergy[0], 14.5f);
}

TEST_F(BeamTest, JitterCreepsIntoTheFirstStep) {
    owner->TurretCover[0] = 360;
    for (float start : {12.0f, -12.0f, 0.1f}) {
        owner->MountEnergy[0] = 15;
        Beam b = MakeBeam(2, 1);
        b.Jitter = start;
        for (int i = 0; i < 100; ++i) b.Update();
        EXPECT_GE(b.Jitter, 0.0f) << start;
        EXPECT_LE(b.Jitter, 0.15f) << start;
    }
}

TEST_F(BeamTest, TrackingBeamEndsWhenTheEnemyLeavesTheArc) {
    owner->TurretCover[0] = 120;
    Place(*enemy, 500, 1500, 0);  // bearing 90, outside the 60 degrees either side
    Beam b = MakeBeam(10, 1);
    Frame(b);
    EXPECT_FLOAT_EQ(b.Life, -1.0f);
    EXPECT_EQ(owner->Pilot->ShotsFired, 0);
    EXPECT_FLOAT_EQ(owner->MountEnergy[0], 15.0f);
    EXPECT_EQ(b.ReachedLength, 0);
}

TEST_F(BeamTest, ReleasedKeyOrDestroyedOwnerEndsTheBeamAfterOneMoreShot) {
    Beam b = MakeBeam(10);
    owner->KeyDown[kCtlFire] = 0;
    Frame(b);
    EXPECT_FLOAT_EQ(b.Life, -1.0f);
    EXPECT_EQ(owner->Pilot->ShotsFired, 1);
    for (PixelValue p : Pixels()) ASSERT_EQ(p, 0u);  // a dead beam is not drawn

    Beam c = MakeBeam(10);
    owner->KeyDown[kCtlFire] = 1;
    owner->Life = -0.5f;
    c.Update();
    EXPECT_FLOAT_EQ(c.Life, -1.0f);
}

TEST_F(BeamTest, WithoutAnOpponentFixedBeamsCutOnAndTrackingBeamsEnd) {
    owner->Opponent = nullptr;
    owner->TurretCover[0] = 360;
    Asteroid* rock = AddAsteroid(600, 500, 15);
    Beam fixed = MakeBeam(120);
    Frame(fixed);
    EXPECT_EQ(fixed.ReachedLength, 90);
    EXPECT_FLOAT_EQ(rock->Life, 40.0f);
    Beam tracking = MakeBeam(120, 1);
    Frame(tracking);
    EXPECT_FLOAT_EQ(tracking.Life, -1.0f);
}

TEST_F(BeamTest, ColourFollowsTheTechnology) {
    struct Case {
        int technology;
        PixelValue colour;
    };
    const UIColourSet& ui = Form1->UIColours;
    const Case cases[] = {{4, ui.ColourLightBlue}, {5, ui.ColourLightGreen}, {6, ui.ColourOrange},
                          {0, ui.ColourLightRed},  {3, ui.ColourLightRed},   {9, ui.ColourLightRed}};
    for (const Case& c : cases) {
        Clear();
        Beam b = MakeBeam(5, 0, 2.0f, c.technology);
        Frame(b);
        EXPECT_EQ(At(520, 500), c.colour) << c.technology;
    }
}

}  // namespace
