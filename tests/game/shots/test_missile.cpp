// Homing missiles: flight, steering toward the aim point, losing the target,
// the direct hit, the proximity burst, planets, asteroids and the two looks.
#include <cmath>
#include <vector>

#include "tests/game/shot_fixture.h"

class MissileTest : public ShotFixture {
protected:
    void SetUp() override {
        ShotFixture::SetUp();
        shooter = MakeShip(0, 0);
        target = MakeShip(1, 0);
        shooter->X = 100;
        shooter->Y = 100;
        target->X = 1500;
        target->Y = 1500;
        target->BoundingSphere = 20;
        target->Life = 100;
        target->FrontShield = 100;
        target->BackShield = 100;
    }

    Missile* Launch(float x, float y, float vx = 0, float vy = 0, float angle = 0) {
        auto* m = new Missile(0, x, y, vx, vy, angle, shooter, target);
        m->SetView(0, 0);
        m->SetZoom(10);
        game->ShotList->Append(m);
        return m;
    }

    int Hits() const { return shooter->Pilot->Hits; }

    Ship* shooter = nullptr;
    Ship* target = nullptr;
};

TEST_F(MissileTest, SpeedSettlesAtTenAndNeverPassesIt) {
    target->CloakState = kCloakNormal;  // not followed: the missile flies straight
    Missile* m = Launch(100, 1000);
    float speed = 0;
    for (int i = 0; i < 300; ++i) {
        m->Update();
        speed = std::hypot(m->VX, m->VY);
        ASSERT_LE(speed, 10.0001f) << "update " << i + 1;
    }
    EXPECT_GT(speed, 9.999f);
    EXPECT_EQ(m->Angle, 0.0f);
    EXPECT_EQ(m->Life, 1.0f);
}

TEST_F(MissileTest, ItTurnsFourDegreesTowardTheAimPoint) {
    // The missile ends at (1000, 1000) after its move; the aim point is the
    // target itself (at rest).
    struct Case {
        float angle, aimX, aimY, after;
    } cases[] = {
        {0, 1000, 1200, 4},    // bearing 90: right
        {0, 1000, 800, 356},   // bearing 270: left
        {0, 800, 1000, 356},   // exactly behind: left
        {0, 800, 1000.4f, 4},  // bearing 179.9: right
        {358, 1200, 1100, 2},  // 362 wraps to 2
        {2, 1200, 900, 358},   // -2 wraps to 358
    };
    for (const Case& c : cases) {
        target->X = c.aimX;
        target->Y = c.aimY;
        const float vx = static_cast<float>(CosDeg(c.angle)) * 0.4f;
        const float vy = static_cast<float>(SinDeg(c.angle)) * 0.4f;
        Missile* m = Launch(1000 - vx, 1000 - vy, 0, 0, c.angle);
        m->Update();
        EXPECT_NEAR(m->Angle, c.after, 1e-3) << c.angle << " toward " << c.aimX << "," << c.aimY;
        EXPECT_EQ(m->Life, 1.0f);
    }
}

TEST_F(MissileTest, TheAimPointLeadsTheTargetByFiveFrames) {
    target->VX = 2;
    target->VY = -1;
    Missile* m = Launch(100, 100);
    m->Update();
    EXPECT_FLOAT_EQ(m->AimX, 1510);
    EXPECT_FLOAT_EQ(m->AimY, 1495);
    EXPECT_EQ(m->TargetLost, 0);
}

TEST_F(MissileTest, ACloakedTargetIsNotFollowedButStillAimedAtAndHit) {
    target->CloakState = kCloakNormal;
    Missile* m = Launch(100, 100, 0, 0, 0);
    m->Update();
    EXPECT_EQ(m->Angle, 0.0f);
    EXPECT_FLOAT_EQ(m->AimX, 1500);
    EXPECT_EQ(m->TargetLost, 0);

    Missile* onSphere = Launch(1500 - 19.6f, 1500);  // 0.4 of thrust brings it to 20
    onSphere->Update();
    EXPECT_EQ(onSphere->Life, -1.0f);
    EXPECT_EQ(Hits(), 1);

    target->CloakState = kCloakPhasing;
    Missile* through = Launch(1500 - 0.4f, 1500);
    through->Update();
    EXPECT_EQ(through->Life, 1.0f);
    EXPECT_EQ(Hits(), 1);
}

TEST_F(MissileTest, ItStopsHomingForGoodWhenTheTargetDiesOrTheOwnerTurnsElsewhere) {
    // The target dies: this frame still turns toward the last aim point.
    target->X = 1000;
    target->Y = 1200;
    target->Life = -0.5f;
    Missile* m = Launch(1000 - 0.4f, 1000);
    m->Update();
    EXPECT_EQ(m->TargetLost, 1);
    EXPECT_EQ(m->Angle, 4.0f);
    target->Life = 100;
    m->Update();
    EXPECT_EQ(m->TargetLost, 1);
    EXPECT_EQ(m->Angle, 4.0f);

    // The owner fights another ship now: one last turn toward the old aim
    // point, then straight on.
    Missile* n = Launch(1000 - 0.4f, 1000);
    n->Update();
    EXPECT_EQ(n->Angle, 4.0f);
    Ship other(1, game->Pilots[2], 0);
    shooter->Opponent = &other;
    n->Update();
    EXPECT_EQ(n->TargetLost, 1);
    EXPECT_EQ(n->Angle, 8.0f);
    shooter->Opponent = target;
    n->Update();
    EXPECT_EQ(n->Angle, 8.0f);
}

TEST_F(MissileTest, ItDiesInItsSixHundredAndFirstUpdate) {
    target->CloakState = kCloakNormal;
    Missile* m = Launch(100, 1000, 0, 0, 90);
    for (int i = 0; i < 600; ++i) {
        m->Update();
        ASSERT_EQ(m->Life, 1.0f) << "update " << i + 1;
        m->Y = 1000;  // keep it inside the arena and clear of everything
    }
    m->Update();
    EXPECT_EQ(m->Life, -1.0f);
    EXPECT_EQ(m->TargetLost, 1);
}

TEST_F(MissileTest, ADirectHitTakesThirtyFromTheFacingShieldEvenOffADeadEnemy) {
    WatchSounds();
    shooter->OpponentDown = 1;  // the wreck's death is counted already: no kill sound
    struct Case {
        float life, shield;
        int sound, smoke;
    } cases[] = {
        {100, 100, 14, 0}, {100, 29, 13, 30}, {-1.0f, 100, 14, 0},  // a crashed wreck is still there to hit
    };
    for (const Case& c : cases) {
        target->Life = c.life;
        target->FrontShield = c.shield;
        target->SmokeToEmit = 0;
        const float front = target->FrontShield + target->FrontShieldDamage;
        Hush();
        shooter->Pilot->Hits = 0;
        Missile* m = Launch(1510 - 0.4f, 1500);  // ahead of the target's nose (heading 0)
        m->Update();
        EXPECT_EQ(m->Life, -1.0f);
        EXPECT_EQ(Hits(), 1);
        EXPECT_EQ(Playing(), std::vector<int>{c.sound}) << c.shield;
        EXPECT_EQ(target->SmokeToEmit, c.smoke);
        if (c.shield >= 30) {
            EXPECT_FLOAT_EQ(target->FrontShield + target->FrontShieldDamage, front - 30);
        }
        target->FrontShieldDamage = 0;
    }
}

TEST_F(MissileTest, ANearMissBurstsWithAreaDamageAndCountsNoHit) {
    WatchSounds();
    target->BoundingSphere = 10;
    target->CloakState = kCloakNormal;  // flies straight down past the target
    const float shields = target->FrontShield + target->BackShield;
    Missile* m = Launch(1500 - 17.5f, 1500 - 0.4f, 0, 0, 90);  // ends 17.5 to its left
    m->Update();
    EXPECT_EQ(m->Life, -1.0f);
    EXPECT_EQ(Hits(), 0);
    EXPECT_EQ(Playing(), std::vector<int>{16});
    // Half of the 25, truncated, on each shield once it is resolved.
    const float left = target->FrontShield + target->BackShield + 2 * std::trunc(target->AreaDamage * 0.5f);
    EXPECT_FLOAT_EQ(left, shields - 24);

    Missile* far = Launch(1500 - 18.0f, 1500 - 0.4f, 0, 0, 90);
    far->Update();
    EXPECT_EQ(far->Life, 1.0f);  // exactly 18 away is no burst
}

TEST_F(MissileTest, PlanetsPullItAndStopIt) {
    SetPlanet(1000, 1000, 50, 1.0f);
    target->CloakState = kCloakNormal;
    Missile* m = Launch(900, 1000, 0, 0, 270);  // pointing up, the planet 100 to the right
    m->Update();
    EXPECT_GT(m->VX, 0.9f);  // a pull of 1 per frame at 100 units, after the drag
    Missile* in = Launch(960, 1000, 0, 0, 270);
    in->Update();
    EXPECT_EQ(in->Life, -1.0f);
    EXPECT_EQ(Hits(), 0);
}

TEST_F(MissileTest, TwoAsteroidsTouchedAtOnceBothLoseThirtyAndCount) {
    target->CloakState = kCloakNormal;
    Asteroid* a = AddAsteroid(500, 500, 10, 50);
    Asteroid* b = AddAsteroid(505, 500, 10, 50);
    Missile* m = Launch(502 - 0.4f, 500);
    m->Update();
    EXPECT_EQ(m->Life, -1.0f);
    EXPECT_EQ(Hits(), 2);
    EXPECT_EQ(a->Life, 20);
    EXPECT_EQ(b->Life, 20);
}

TEST_F(MissileTest, MissilesAndTorpedoesLookTheirPart) {
    const UIColourSet& c = Form1->UIColours;
    Missile m(0, 100, 100, 0, 0, 0, shooter, target);
    m.SetView(0, 0);
    m.SetZoom(10);
    LockWork();
    m.Draw();
    UnlockWork();
    EXPECT_EQ(At(100, 100), c.ColourLightRed);
    EXPECT_EQ(At(103, 100), c.ColourGrey);
    EXPECT_EQ(At(97, 100), c.ColourGrey);
    int exhaust = 0;
    for (int x = 86; x <= 96; ++x) exhaust += At(x, 100) == c.ColourWhite;
    EXPECT_GE(exhaust, 1);  // two pixels 4..10 behind, maybe on one spot
    EXPECT_LE(exhaust, 2);

    Clear();
    shooter->Technology = 6;
    LockWork();
    m.Draw();
    UnlockWork();
    EXPECT_EQ(At(101, 100), c.ColourWhite);  // along the heading
    EXPECT_EQ(At(99, 100), c.ColourWhite);
    EXPECT_EQ(At(100, 103), c.ColourLightRed);  // at 90 - angle
    EXPECT_EQ(At(104, 104), c.ColourRed);       // at 45 - angle
    EXPECT_EQ(At(97, 102), c.ColourRed);        // at 135 - angle
    EXPECT_EQ(At(90, 100), 0u);                 // no exhaust
}

TEST_F(MissileTest, TheTorpedoStarTurnsAgainstTheHeading) {
    const UIColourSet& c = Form1->UIColours;
    shooter->Technology = 6;
    Missile m(0, 100, 100, 0, 0, 45, shooter, target);
    m.SetView(0, 0);
    m.SetZoom(10);
    LockWork();
    m.Draw();
    UnlockWork();
    // 45 - 45 = 0: a red arm along +x; 90 - 45 = 45: a light red one diagonal.
    EXPECT_EQ(At(105, 100), c.ColourRed);
    EXPECT_EQ(At(102, 102), c.ColourLightRed);
}
