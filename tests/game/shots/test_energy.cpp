// Laser and ion bolts: lifetime, hit tests against the enemy, planets and
// asteroids, the shield side and sound of a hit, and each bolt's look.
#include <algorithm>
#include <vector>

#include "tests/game/shot_fixture.h"

namespace {

// What a side has left once its pending damage is applied, while the shield
// holds it (the same before and after the damage is resolved).
float FrontLeft(const Ship& s) { return s.FrontShield + s.FrontShieldDamage + s.FrontShieldOnlyDamage; }
float BackLeft(const Ship& s) { return s.BackShield + s.BackShieldDamage + s.BackShieldOnlyDamage; }

}  // namespace

class EnergyTest : public ShotFixture {
protected:
    void SetUp() override {
        ShotFixture::SetUp();
        shooter = MakeShip(0, 0);
        target = MakeShip(1, 0);
        shooter->X = 100;
        shooter->Y = 100;
        target->X = 500;
        target->Y = 500;
        target->Heading = 0;
        target->BoundingSphere = 20;
        target->Life = 100;
        target->FrontShield = 100;
        target->BackShield = 100;
    }

    // A bolt owned by the shot list, with the fixture's view.
    Energy* Bolt(int type, float x, float y, float vx = 0, float vy = 0, float damage = 10, int lifetime = 100) {
        auto* e = new Energy(type, x, y, vx, vy, 0, damage, lifetime, shooter);
        e->SetView(0, 0);
        e->SetZoom(10);
        game->ShotList->Append(e);
        return e;
    }

    int Hits() const { return shooter->Pilot->Hits; }

    Ship* shooter = nullptr;
    Ship* target = nullptr;
};

TEST_F(EnergyTest, ABoltLivesItsLifetimeAndDiesInTheNextUpdateWithoutMoving) {
    Energy* e = Bolt(0, 100, 200, 3, 0, 10, 120);
    for (int i = 0; i < 120; ++i) {
        e->Update();
        ASSERT_EQ(e->Life, 1.0f) << "update " << i + 1;
    }
    EXPECT_FLOAT_EQ(e->X, 100 + 120 * 3);
    e->Update();
    EXPECT_EQ(e->Life, -1.0f);
    EXPECT_FLOAT_EQ(e->X, 100 + 120 * 3);
    EXPECT_EQ(e->Age, 121);
}

TEST_F(EnergyTest, TheEnemyIsHitWithinItsBoundingSphereUnlessPhasedOrLongDead) {
    struct Case {
        float distance;
        int cloak;
        float life;
        bool hit;
    } cases[] = {
        {20.0f, 0, 100, true},    // exactly on the sphere
        {20.5f, 0, 100, false},   // just outside
        {5.0f, 2, 100, false},    // phased: passes through
        {5.0f, 1, 100, true},     // a plain cloak does not protect
        {5.0f, 0, -0.5f, true},   // destroyed this round, still there
        {5.0f, 0, -1.0f, false},  // crashed wreck
    };
    for (const Case& c : cases) {
        target->CloakState = c.cloak;
        target->Life = c.life;
        shooter->Pilot->Hits = 0;
        Energy* e = Bolt(0, 500 - c.distance, 500);
        e->Update();
        EXPECT_EQ(e->Life == -1.0f, c.hit) << c.distance << " cloak " << c.cloak << " life " << c.life;
        EXPECT_EQ(Hits(), c.hit ? 1 : 0) << c.distance;
    }
}

TEST_F(EnergyTest, APhasedTargetLetsTheBoltOnToPlanetsAndAsteroids) {
    target->CloakState = kCloakPhasing;
    SetPlanet(500, 500, 30, 0.1f);
    Energy* onPlanet = Bolt(0, 490, 500);
    onPlanet->Update();
    EXPECT_EQ(onPlanet->Life, -1.0f);
    EXPECT_EQ(Hits(), 0);  // planets count no hit

    SetPlanet(1500, 1500, 30, 0.1f);
    Asteroid* a = AddAsteroid(500, 500, 15, 50);
    Energy* onRock = Bolt(0, 495, 500);
    onRock->Update();
    EXPECT_EQ(onRock->Life, -1.0f);
    EXPECT_EQ(Hits(), 1);
    EXPECT_EQ(a->Life, 40);
}

TEST_F(EnergyTest, TheSideHitFollowsTheBearingFromTheTargetsNose) {
    struct Case {
        float heading, x, y;
        bool front;
    } cases[] = {
        {0, 520, 500, true},   // dead ahead
        {0, 500, 520, true},   // bearing exactly 90
        {0, 500, 480, true},   // bearing exactly 270
        {0, 499, 515, false},  // just past 90
        {0, 480, 500, false},  // dead astern
        {90, 500, 515, true},  // the nose now points down
        {90, 500, 485, false},
    };
    for (const Case& c : cases) {
        target->Heading = c.heading;
        const float front = FrontLeft(*target), back = BackLeft(*target);
        Energy* e = Bolt(0, c.x, c.y, 0, 0, 10);
        e->Update();
        ASSERT_EQ(e->Life, -1.0f);
        EXPECT_FLOAT_EQ(FrontLeft(*target), c.front ? front - 10 : front) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(BackLeft(*target), c.front ? back : back - 10) << c.x << "," << c.y;
    }
}

TEST_F(EnergyTest, AShieldThatCannotHoldTheHitPlaysTheBreachSoundAndSmokes) {
    WatchSounds();
    struct Case {
        int type;
        float shield;
        int sound;
        int smoke;
    } cases[] = {
        {0, 8, 13, 20},
        {0, 10, 14, 0},
        {7, 8, 13, 50},
        {7, 10, 14, 0},
    };
    for (const Case& c : cases) {
        target->FrontShield = c.shield;
        target->SmokeToEmit = 0;
        target->Life = 100;
        Hush();
        Bolt(c.type, 510, 500, 0, 0, 10)->Update();
        EXPECT_EQ(Playing(), std::vector<int>{c.sound}) << "type " << c.type << " shield " << c.shield;
        EXPECT_EQ(target->SmokeToEmit, c.smoke) << "type " << c.type << " shield " << c.shield;
    }
}

TEST_F(EnergyTest, IonBoltsDrainShieldsOnlyAndLaserBoltsReachTheHull) {
    for (int type : {7, 0}) {
        target->FrontShield = 4;
        target->FrontArmour = 0;
        target->Life = 100;
        Bolt(type, 510, 500, 0, 0, 10)->Update();
        // Whether or not the damage is resolved yet, the hull's share is
        // the same: none for an ion bolt, the 6 the shield cannot hold for a laser.
        const float hullShare =
            target->Life + target->FrontArmour + std::min(0.0f, target->FrontShield + target->FrontShieldDamage);
        EXPECT_FLOAT_EQ(hullShare, type == 7 ? 100 : 94) << "type " << type;
        if (type == 7) {
            EXPECT_LT(target->FrontShield + target->FrontShieldOnlyDamage, 4.0f);
        }
        target->FrontShieldDamage = target->FrontShieldOnlyDamage = 0;
    }
}

TEST_F(EnergyTest, AsteroidsCountHitsAndOnlyLaserBoltsChipThem) {
    Asteroid* a = AddAsteroid(300, 300, 10, 50);
    Asteroid* b = AddAsteroid(310, 300, 10, 50);
    Energy* ion = Bolt(7, 305, 300);
    ion->Update();
    EXPECT_EQ(ion->Life, -1.0f);
    EXPECT_EQ(Hits(), 2);  // one call touches both
    EXPECT_EQ(a->Life, 50);
    EXPECT_EQ(b->Life, 50);

    Energy* laser = Bolt(2, 305, 300);
    laser->Update();
    EXPECT_EQ(Hits(), 4);
    EXPECT_EQ(a->Life, 40);
    EXPECT_EQ(b->Life, 40);
}

TEST_F(EnergyTest, TheTwoHalfStepsTestTwiceButHitOnce) {
    // Reaches the sphere only after its second half step.
    Energy* late = Bolt(0, 478, 500, 2, 0);
    late->Update();
    EXPECT_EQ(late->Life, -1.0f);
    EXPECT_FLOAT_EQ(late->X, 480);
    EXPECT_EQ(Hits(), 1);
    // Hits after the first half step, still makes the second, counts once.
    Energy* early = Bolt(0, 476, 500, 8, 0);
    early->Update();
    EXPECT_FLOAT_EQ(early->X, 484);
    EXPECT_EQ(Hits(), 2);
}

TEST_F(EnergyTest, EachBoltTypeHasItsLook) {
    const UIColourSet& c = Form1->UIColours;
    struct Dot {
        int x, y;
        PixelValue colour;
    };
    struct Case {
        int type;
        std::vector<Dot> dots;
    } cases[] = {
        {0, {{100, 100, c.ColourMidRed}, {111, 100, c.ColourMidRed}}},
        {1, {{106, 100, c.ColourLightGreen}}},
        {2, {{106, 100, c.ColourOrange}}},
        {3, {{106, 100, c.ColourOrange}}},
        {4,
         {{100, 100, c.ColourWhite},
          {97, 100, c.ColourBlue},
          {103, 100, c.ColourBlue},
          {100, 97, c.ColourBlue},
          {100, 103, c.ColourBlue},
          {102, 102, 0}}},
        {5, {{100, 100, c.ColourWhite}, {100, 103, c.ColourBlue}}},
        {6,
         {{102, 100, c.ColourWhite},
          {98, 100, c.ColourWhite},
          {102, 102, c.ColourBlue},
          {97, 97, c.ColourBlue},
          {101, 98, c.ColourBlue},
          {100, 103, 0}}},
        {7, {{105, 100, c.ColourBlue}, {114, 100, c.ColourLightBlue}, {121, 100, c.ColourPaleBlue}, {99, 100, 0}}},
        {8, {{100, 100, 0}, {106, 100, 0}}},
    };
    for (const Case& k : cases) {
        Clear();
        Energy bolt(k.type, 100, 100, 0, 0, 0, 10, 100, shooter);
        bolt.SetView(0, 0);
        bolt.SetZoom(10);
        LockWork();
        bolt.Draw();
        UnlockWork();
        for (const Dot& d : k.dots)
            EXPECT_EQ(At(d.x, d.y), d.colour) << "type " << k.type << " at " << d.x << "," << d.y;
    }
}

TEST_F(EnergyTest, ABoltDrawsAtItsZoomAndView) {
    Energy bolt(0, 100, 100, 0, 0, 0, 10, 100, shooter);
    bolt.SetView(20, 10);
    bolt.SetZoom(5);  // half size: the bolt at (30, 40), its line 6 pixels long
    LockWork();
    bolt.Draw();
    UnlockWork();
    EXPECT_EQ(At(33, 40), Form1->UIColours.ColourMidRed);
    EXPECT_EQ(At(38, 40), 0u);
}

TEST_F(EnergyTest, ABoltWithoutAnEnemyStillMeetsAsteroids) {
    shooter->Opponent = nullptr;
    Asteroid* a = AddAsteroid(300, 300, 10, 50);
    Energy* e = Bolt(0, 300, 300);
    e->Update();
    EXPECT_EQ(e->Life, -1.0f);
    EXPECT_EQ(a->Life, 40);
}
