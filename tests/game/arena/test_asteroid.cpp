// Asteroids: spin, drift, the speed limit near planets, the soft walls,
// collisions with ships, rocks and planets, and drawing through the scratch
// surface.
#include <cmath>
#include <limits>

#include "tests/game/arena_pictures.h"
#include "tests/game/world_fixture.h"

namespace {

constexpr PixelValue kLeftColour = 0xF800;
constexpr PixelValue kRightColour = 0x07E0;
constexpr PixelValue kOtherFrame = 0x001F;

class AsteroidTest : public WorldFixture {
protected:
    // A ship of the blue side at a point with a given bounding sphere and
    // enough shields that a knock stays in them.
    Ship* ShipAt(float x, float y, int sphere) {
        Ship* s = MakeShip(0, 0);
        s->X = x;
        s->Y = y;
        s->VX = s->VY = 0;
        s->BoundingSphere = sphere;
        s->Life = 100;
        s->CloakState = 0;
        s->FrontShield = s->BackShield = 100;
        s->AreaDamage = 0;
        return s;
    }

    // What a ship has lost to area damage, pending or already taken from its shields.
    static float AreaLoss(const Ship& s) { return 200.0f - (s.FrontShield + s.BackShield + s.AreaDamage); }

    // Gives every frame but frame 0 another colour, and frame 0 a left and a right half.
    void GiveFrames() {
        for (int k = 0; k < kAsteroidFrameCount; ++k)
            Form1->AsteroidFrames[static_cast<std::size_t>(k)] =
                k == 0 ? MakeSplitPicture(100, 50, kLeftColour, kRightColour) : MakePicture(100, 100, kOtherFrame);
        GiveScratchSurface();
    }
};

TEST_F(AsteroidTest, CreationDrawsRotationThenSpin) {
    SeedRandom(77);
    const int rotation = Random(30) * 12;
    const int spin = Random(21) - 10;
    SeedRandom(77);
    Asteroid a(40, 3, 20, 100, 200, 1, -1, 100);
    EXPECT_EQ(a.RotationAngle, rotation);
    EXPECT_EQ(a.Spin, spin);
    EXPECT_FLOAT_EQ(a.Life, 40.0f);
    EXPECT_EQ(a.Next, nullptr);
    EXPECT_EQ(a.Prev, nullptr);
}

TEST_F(AsteroidTest, SpinWrapsOncePerFrameAndDriftMoves) {
    struct Case {
        int angle, spin, expected;
    };
    const Case cases[] = {{354, 7, 1}, {355, 5, 360}, {3, -5, 358}, {0, 0, 0}, {10, -10, 0}};
    for (const Case& c : cases) {
        Asteroid* a = AddAsteroid(1000, 1000, 20);
        a->RotationAngle = c.angle;
        a->Spin = c.spin;
        a->VX = 1.5f;
        a->VY = -2;
        a->Update();
        EXPECT_EQ(a->RotationAngle, c.expected) << c.angle << " + " << c.spin;
        EXPECT_FLOAT_EQ(a->X, 1001.5f);
        EXPECT_FLOAT_EQ(a->Y, 998.0f);
    }
}

TEST_F(AsteroidTest, SpeedIsLimitedPerAxisOnlyWhenAPlanetPulls) {
    Asteroid* a = AddAsteroid(1000, 1000, 20);
    a->VX = 50;
    a->VY = -45;
    a->Update();
    EXPECT_FLOAT_EQ(a->VX, 50.0f);
    EXPECT_FLOAT_EQ(a->VY, -45.0f);

    // A massless planet pulls with nothing but still brings the limit.
    SetPlanet(200, 200, 50, 0.0f);
    a->X = a->Y = 1000;
    a->VX = 50;
    a->VY = -45;
    a->Update();
    EXPECT_FLOAT_EQ(a->VX, 30.0f);
    EXPECT_FLOAT_EQ(a->VY, -30.0f);

    // Not a number (a pull from zero distance) ends up at the upper limit.
    a->X = a->Y = 1000;
    a->VX = std::numeric_limits<float>::quiet_NaN();
    a->VY = 12;
    a->Update();
    EXPECT_FLOAT_EQ(a->VX, 30.0f);
    EXPECT_FLOAT_EQ(a->VY, 12.0f);
}

TEST_F(AsteroidTest, PlanetPullsTowardItsCentreUpToTheLimit) {
    // Mass 1 at distance 100: a pull of 1 unit per frame toward the centre.
    SetPlanet(1000, 1000, 50, 1.0f);
    Asteroid* below = AddAsteroid(1000, 1100, 10);
    Asteroid* left = AddAsteroid(900, 1000, 10);
    below->Update();
    left->Update();
    EXPECT_NEAR(below->VX, 0.0f, 1e-3f);
    EXPECT_NEAR(below->VY, -1.0f, 1e-3f);
    EXPECT_NEAR(left->VX, 1.0f, 1e-3f);
    EXPECT_NEAR(left->VY, 0.0f, 1e-3f);

    // Mass 20 at distance 10 would pull with 2000: each axis stops at 30.
    SetPlanet(1000, 1000, 5, 20.0f);
    Asteroid* close = AddAsteroid(993, 993, 1);
    close->Update();
    EXPECT_FLOAT_EQ(close->VX, 30.0f);
    EXPECT_FLOAT_EQ(close->VY, 30.0f);
}

TEST_F(AsteroidTest, SoftWallsPushBackIntoTheArena) {
    struct Case {
        float x, y, vx, vy;
    };
    const Case cases[] = {{-10, 1000, 0.15f, 0},   {2010, 1000, -0.15f, 0}, {1000, -5, 0, 0.15f},
                          {1000, 2005, 0, -0.15f}, {-1, -1, 0.15f, 0.15f},  {2000, 0, 0, 0}};
    for (const Case& c : cases) {
        Asteroid* a = AddAsteroid(c.x, c.y, 20);
        a->Update();
        EXPECT_FLOAT_EQ(a->VX, c.vx) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(a->VY, c.vy) << c.x << "," << c.y;
    }
}

TEST_F(AsteroidTest, ShipContactStartsEightUnitsInside) {
    // Sphere 25 + radius 20 - 8: touching below 37, not at 37.
    for (float d : {36.9f, 37.0f}) {
        Ship* s = ShipAt(500 + d, 500, 25);
        s->VX = 1;
        Asteroid* a = AddAsteroid(500, 500, 20);
        a->Collide();
        const bool touched = d < 37.0f;
        EXPECT_EQ(s->VX == 1.0f, !touched) << d;
        RemoveAsteroid(game, a);
    }
}

TEST_F(AsteroidTest, KnockCostsTruncatedRelativeSpeedAndSwapsScaledVelocities) {
    Ship* s = ShipAt(530, 500, 25);
    s->VX = -2;
    s->VY = 0;
    Asteroid* a = AddAsteroid(500, 500, 20);
    a->VX = 3.9f;  // relative speed 5.9
    a->VY = 0;
    a->Collide();
    EXPECT_FLOAT_EQ(a->Life, 45.0f);
    EXPECT_FLOAT_EQ(AreaLoss(*s), 5 * 20 * 0.1f);
    EXPECT_FLOAT_EQ(s->VX, 3.9f * 20.0f / 25.0f);
    EXPECT_FLOAT_EQ(a->VX, -2.0f * 25.0f / 20.0f);
}

TEST_F(AsteroidTest, PhasedOrDestroyedShipsPassThrough) {
    Ship* s = ShipAt(510, 500, 25);
    s->VX = 4;
    Asteroid* a = AddAsteroid(500, 500, 20);
    s->CloakState = kCloakPhasing;
    a->Collide();
    s->CloakState = 0;
    s->Life = -0.5f;
    a->Collide();
    EXPECT_FLOAT_EQ(s->VX, 4.0f);
    EXPECT_FLOAT_EQ(a->Life, 50.0f);
    EXPECT_FLOAT_EQ(AreaLoss(*s), 0.0f);
}

TEST_F(AsteroidTest, ShipWithoutBoundingSphereGetsNoEndlessSpeed) {
    Ship* s = ShipAt(500, 500, 0);
    s->VX = 2;
    Asteroid* a = AddAsteroid(505, 500, 20);
    a->VX = -3;
    a->Collide();
    EXPECT_TRUE(std::isfinite(s->VX));
    EXPECT_TRUE(std::isfinite(a->VX));
    EXPECT_FLOAT_EQ(a->Life, 45.0f);
}

TEST_F(AsteroidTest, OverlappingRocksSwapDampedVelocitiesEveryCollide) {
    Asteroid* a = AddAsteroid(500, 500, 20);
    Asteroid* b = AddAsteroid(530, 500, 15);
    Asteroid* far = AddAsteroid(900, 900, 30);
    a->VX = 1;
    b->VX = -2;
    a->Collide();
    EXPECT_FLOAT_EQ(b->VX, 0.9f);
    EXPECT_FLOAT_EQ(a->VX, -1.8f);
    b->Collide();
    EXPECT_FLOAT_EQ(a->VX, 0.81f);
    EXPECT_FLOAT_EQ(b->VX, -1.62f);
    EXPECT_FLOAT_EQ(a->Life, 48.0f);
    EXPECT_FLOAT_EQ(b->Life, 48.0f);
    EXPECT_FLOAT_EQ(far->Life, 50.0f);

    // Radii adding up to exactly the distance do not touch.
    b->X = 535;
    a->Collide();
    EXPECT_FLOAT_EQ(a->Life, 48.0f);
}

TEST_F(AsteroidTest, ADestroyedRockNeitherRamsNorIsRammed) {
    Ship* s = ShipAt(520, 500, 25);
    s->VX = 8;
    Asteroid* dead = AddAsteroid(500, 500, 20, 50);
    Asteroid* live = AddAsteroid(530, 500, 15);
    dead->Life = -0.5f;
    dead->VX = -4;
    live->VX = 2;
    dead->Collide();
    EXPECT_FLOAT_EQ(s->VX, 8.0f);
    EXPECT_FLOAT_EQ(AreaLoss(*s), 0.0f);
    EXPECT_FLOAT_EQ(live->VX, 2.0f);
    EXPECT_FLOAT_EQ(live->Life, 50.0f);

    // The live rock knocks the ship but passes through the dead one.
    live->Collide();
    EXPECT_FLOAT_EQ(s->VX, 2.0f * 15.0f / 25.0f);
    EXPECT_GT(AreaLoss(*s), 0.0f);
    EXPECT_FLOAT_EQ(live->Life, 50.0f - 6.0f);
    EXPECT_FLOAT_EQ(dead->VX, -4.0f);
    EXPECT_FLOAT_EQ(dead->Life, -0.5f);
}

TEST_F(AsteroidTest, ARockThatDiesRammingTheBlueShipSparesTheGreenOne) {
    Ship* blue = ShipAt(470, 500, 25);
    Ship* green = MakeShip(1, 0);
    green->X = 530;
    green->Y = 500;
    green->VX = green->VY = 0;
    green->BoundingSphere = 25;
    green->FrontShield = green->BackShield = 100;
    blue->VX = 6;  // relative speed 6: six hit points off a rock that has five
    Asteroid* rock = AddAsteroid(500, 500, 20, 5);
    Asteroid* next = AddAsteroid(520, 520, 20);
    rock->Collide();
    EXPECT_FLOAT_EQ(rock->Life, -1.0f);
    EXPECT_NE(blue->VX, 6.0f);
    EXPECT_EQ(green->VX, 0);
    EXPECT_FLOAT_EQ(green->FrontShield + green->BackShield + green->AreaDamage, 200.0f);
    EXPECT_FLOAT_EQ(next->Life, 50.0f);
}

TEST_F(AsteroidTest, ShotsPassThroughADestroyedRock) {
    Ship* owner = ShipAt(100, 100, 10);
    Asteroid* dead = AddAsteroid(500, 500, 20, 50);
    dead->Life = -1;
    EXPECT_EQ(HitAsteroids(505, 500, owner, 10), 0);
    EXPECT_FLOAT_EQ(dead->Life, -1.0f);
    EXPECT_EQ(owner->Pilot->Hits, 0);
    Asteroid* live = AddAsteroid(510, 500, 20, 50);
    EXPECT_EQ(HitAsteroids(505, 500, owner, 10), 1);
    EXPECT_FLOAT_EQ(live->Life, 40.0f);
    EXPECT_EQ(owner->Pilot->Hits, 1);
}

TEST_F(AsteroidTest, RockReachingAPlanetDies) {
    SetPlanet(1000, 1000, 50, 0.1f);
    Asteroid* clear = AddAsteroid(1060, 1000, 10);
    Asteroid* touching = AddAsteroid(1000, 1059.9f, 10);
    clear->Collide();
    touching->Collide();
    EXPECT_FLOAT_EQ(clear->Life, 50.0f);
    EXPECT_FLOAT_EQ(touching->Life, -1.0f);
}

TEST_F(AsteroidTest, DrawsItsFrameScaledAndKeyed) {
    GiveFrames();
    Asteroid* a = AddAsteroid(100, 100, 20);  // 40 x 40 on screen at zoom 10
    a->RotationAngle = 5;                     // frame 0
    a->Draw();
    EXPECT_EQ(a->ScreenLeft, 80);
    EXPECT_EQ(a->ScreenTop, 80);
    EXPECT_EQ(a->ScreenRight, 120);
    EXPECT_EQ(a->ScreenBottom, 120);
    EXPECT_EQ(At(80, 100), kLeftColour);
    EXPECT_EQ(At(99, 100), kLeftColour);
    EXPECT_EQ(At(100, 100), kRightColour);
    EXPECT_EQ(At(119, 119), kRightColour);
    EXPECT_EQ(At(120, 100), 0u);
    EXPECT_EQ(At(79, 100), 0u);
    EXPECT_FALSE(WorkIsLocked());

    // The scratch surface is left clear for the next rock.
    Form1->ScratchSurface->Lock();
    EXPECT_EQ(Form1->ScratchSurface->GetPixel(10, 10), 0u);
    Form1->ScratchSurface->Unlock();
}

TEST_F(AsteroidTest, FrameThirtyIsDrawnAsFrameZero) {
    GiveFrames();
    Asteroid* a = AddAsteroid(100, 100, 20);
    a->RotationAngle = 360;
    a->Draw();
    EXPECT_EQ(At(85, 100), kLeftColour);
    a->RotationAngle = 12;  // frame 1
    a->Draw();
    EXPECT_EQ(At(85, 100), kOtherFrame);
}

TEST_F(AsteroidTest, RockPartlyOffTheLeftShowsTheMatchingPartFromXZero) {
    GiveFrames();
    Asteroid* a = AddAsteroid(0, 100, 20);  // screen -20..20: only the right half shows
    a->RotationAngle = 0;
    a->Draw();
    EXPECT_EQ(a->ScreenLeft, -20);
    const auto px = Pixels();
    int right = 0, left = 0;
    for (PixelValue p : px) {
        right += p == kRightColour;
        left += p == kLeftColour;
    }
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 20 * 40);
    EXPECT_EQ(At(0, 100), kRightColour);
    EXPECT_EQ(At(19, 100), kRightColour);
    EXPECT_EQ(At(20, 100), 0u);
}

TEST_F(AsteroidTest, RockOffScreenOrWithoutPicturesDrawsNothing) {
    GiveFrames();
    Asteroid* off = AddAsteroid(-100, 100, 20);
    off->Draw();
    EXPECT_EQ(off->ScreenLeft, -120);
    EXPECT_EQ(off->ScreenRight, -80);
    Form1->AsteroidFrames[0].reset();
    Asteroid* bare = AddAsteroid(100, 100, 20);
    bare->RotationAngle = 0;
    bare->Draw();
    for (PixelValue p : Pixels()) ASSERT_EQ(p, 0u);
}

}  // namespace
