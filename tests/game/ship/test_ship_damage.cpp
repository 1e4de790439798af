// Damage: pending damage through shields, armour and hull, subsystem hits,
// the booking of a destroyed ship, and repair by chance.
#include <array>
#include <vector>

#include "tests/game/sound_watch.h"
#include "tests/game/world_fixture.h"

namespace {

class ShipDamage : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        ship = MakeShip(0, 0);
        other = MakeShip(1, 0);
        for (Ship* s : {ship, other}) {
            s->Life = 50;
            s->FrontShield = s->BackShield = 4;
            s->FrontArmour = s->BackArmour = 3;
            s->OpponentDown = 0;
            SetAll(*s, kSubOk);
        }
    }

    static void SetAll(Ship& s, int state) {
        for (int& sub : s.Subsystems) sub = state;
    }
    std::vector<int> Changed(int from) const {
        std::vector<int> out;
        for (int k = 0; k < kSubsystemCount; ++k)
            if (ship->Subsystems[k] != from) out.push_back(k);
        return out;
    }

    Ship* ship = nullptr;
    Ship* other = nullptr;
};

TEST_F(ShipDamage, DamageTheShieldsHoldTouchesNothingElse) {
    struct Case {
        const char* name;
        float Ship::*field;
        float amount;
        float front, back;
    };
    const Case cases[] = {
        {"front hit", &Ship::FrontShieldDamage, -3.0f, 1.0f, 4.0f},
        {"back hit to exactly 0", &Ship::BackShieldDamage, -4.0f, 4.0f, 0.0f},
        {"area 7 takes 3 from each", &Ship::AreaDamage, -7.0f, 1.0f, 1.0f},
        {"ion bolt on the front", &Ship::FrontShieldOnlyDamage, -2.5f, 1.5f, 4.0f},
        {"shield-only area halved, not truncated", &Ship::ShieldOnlyAreaDamage, -3.0f, 2.5f, 2.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ship->FrontShield = ship->BackShield = 4;
        ship->*c.field = c.amount;
        ship->ResolveDamage();
        EXPECT_FLOAT_EQ(ship->FrontShield, c.front);
        EXPECT_FLOAT_EQ(ship->BackShield, c.back);
        EXPECT_FLOAT_EQ(ship->FrontArmour, 3.0f);
        EXPECT_FLOAT_EQ(ship->BackArmour, 3.0f);
        EXPECT_FLOAT_EQ(ship->Life, 50.0f);
        EXPECT_TRUE(Changed(kSubOk).empty());
        EXPECT_FLOAT_EQ(ship->*c.field, 0.0f);
    }
}

TEST_F(ShipDamage, AHardHitSpillsThroughShieldAndArmourAndDamagesSubsystemK) {
    SeedRandom(3);
    const int k = Random(kSubsystemCount);
    const int state = Random(2);
    SeedRandom(3);
    ship->FrontShieldDamage = -10;
    ship->ResolveDamage();
    EXPECT_FLOAT_EQ(ship->FrontShield, 0.0f);
    EXPECT_FLOAT_EQ(ship->FrontArmour, 0.0f);
    EXPECT_FLOAT_EQ(ship->Life, 47.0f);
    EXPECT_FLOAT_EQ(ship->BackShield, 4.0f);
    EXPECT_EQ(Changed(kSubOk), std::vector<int>{k});
    EXPECT_EQ(ship->Subsystems[k], state);
    EXPECT_FLOAT_EQ(ship->FrontShieldDamage, 0.0f);
}

TEST_F(ShipDamage, ArmourAbsorbsBeforeTheHull) {
    ship->BackShieldDamage = -6;  // 4 shield, 2 of 3 armour
    ship->ResolveDamage();
    EXPECT_FLOAT_EQ(ship->BackShield, 0.0f);
    EXPECT_FLOAT_EQ(ship->BackArmour, 1.0f);
    EXPECT_FLOAT_EQ(ship->Life, 50.0f);
    EXPECT_TRUE(Changed(kSubOk).empty());
}

TEST_F(ShipDamage, ALightHullHitDamagesSubsystemKOnlyByChance) {
    // A front hit of 2 that reaches the hull: one chance in trunc(5 + 2) = 7.
    // Damaged subsystems make the outcome independent of a second draw.
    int hits = 0;
    for (std::uint64_t i = 1; i <= 60; ++i) {
        const std::uint64_t seed = i * 0x9E3779B97F4A7C15ull;
        SeedRandom(seed);
        const int k = Random(kSubsystemCount);
        const bool chance = Random(7) == 1;
        SeedRandom(seed);
        SetAll(*ship, kSubDamaged);
        ship->FrontShield = 0;
        ship->FrontArmour = 0;
        ship->Life = 50;
        ship->FrontShieldDamage = -2;
        ship->ResolveDamage();
        EXPECT_FLOAT_EQ(ship->Life, 48.0f);
        const std::vector<int> changed = Changed(kSubDamaged);
        if (chance) {
            ++hits;
            EXPECT_EQ(changed, std::vector<int>{k}) << seed;
            EXPECT_EQ(ship->Subsystems[k], kSubBroken);
        } else {
            EXPECT_TRUE(changed.empty()) << seed;
        }
    }
    EXPECT_GT(hits, 0);
    EXPECT_LT(hits, 60);
}

TEST_F(ShipDamage, AreaDamageReachesBothHullSidesThroughTheSameSubsystem) {
    SetAll(*ship, kSubDamaged);
    SeedRandom(5);
    const int k = Random(kSubsystemCount);
    SeedRandom(5);
    ship->AreaDamage = -20;  // 10 a side: 4 shield, 3 armour, 3 hull
    ship->ResolveDamage();
    EXPECT_FLOAT_EQ(ship->Life, 44.0f);
    EXPECT_FLOAT_EQ(ship->FrontArmour, 0.0f);
    EXPECT_FLOAT_EQ(ship->BackArmour, 0.0f);
    // Damaged, then broken by the second side: no further draw.
    EXPECT_EQ(Changed(kSubDamaged), std::vector<int>{k});
    EXPECT_EQ(ship->Subsystems[k], kSubBroken);
}

TEST_F(ShipDamage, IonDamageThatDrainsAShieldHitsTwoSubsystemsNeverTheHull) {
    SetAll(*ship, kSubDamaged);
    SeedRandom(9);
    const int k1 = Random(kSubsystemCount);
    const int k2 = Random(kSubsystemCount);
    SeedRandom(9);
    ship->FrontShieldOnlyDamage = -30;
    ship->ResolveDamage();
    EXPECT_FLOAT_EQ(ship->FrontShield, 0.0f);
    EXPECT_FLOAT_EQ(ship->FrontArmour, 3.0f);
    EXPECT_FLOAT_EQ(ship->Life, 50.0f);
    std::vector<int> expected{std::min(k1, k2)};
    if (k1 != k2) expected.push_back(std::max(k1, k2));
    EXPECT_EQ(Changed(kSubDamaged), expected);
    for (int k : expected) EXPECT_EQ(ship->Subsystems[k], kSubBroken);
    EXPECT_FLOAT_EQ(ship->FrontShieldOnlyDamage, 0.0f);

    // Both shields drained: the back goes on from the front's second pick.
    SetAll(*ship, kSubDamaged);
    ship->FrontShield = ship->BackShield = 1;
    SeedRandom(4);
    std::array<int, 3> k{};
    for (int& pick : k) pick = Random(kSubsystemCount);
    SeedRandom(4);
    ship->ShieldOnlyAreaDamage = -10;
    ship->ResolveDamage();
    for (int pick : k) EXPECT_EQ(ship->Subsystems[pick], kSubBroken) << pick;
    for (int changed : Changed(kSubDamaged)) EXPECT_TRUE(changed == k[0] || changed == k[1] || changed == k[2]);
    EXPECT_FLOAT_EQ(ship->Life, 50.0f);
}

TEST_F(ShipDamage, NotFittedSubsystemsAreNeverDamagedOrRepaired) {
    SetAll(*ship, kSubNotFitted);
    for (int i = 0; i < 50; ++i) {
        ship->FrontShield = 0;
        ship->Life = 1000;
        ship->FrontShieldDamage = -20;
        ship->BackShieldOnlyDamage = -20;
        ship->ResolveDamage();
    }
    for (int i = 0; i < 5000; ++i) ship->RepairSubsystems();
    EXPECT_TRUE(Changed(kSubNotFitted).empty());
}

TEST_F(ShipDamage, ADestroyedShipIsBookedOnce) {
    ship->Life = 1;
    ship->FrontShieldDamage = -20;
    ship->ResolveDamage();
    EXPECT_LT(ship->Life, 0.0f);
    EXPECT_EQ(other->Pilot->Kills, 1);
    EXPECT_EQ(ship->Pilot->ShotDeaths, 1);
    EXPECT_EQ(other->OpponentDown, 1);
    EXPECT_EQ(ship->Pilot->Kills, 0);
    EXPECT_EQ(other->Pilot->ShotDeaths, 0);
    // The play frame resolves it again every frame, and hits go on landing.
    ship->AreaDamage = -10;
    ship->ResolveDamage();
    ship->ResolveDamage();
    EXPECT_EQ(other->Pilot->Kills, 1);
    EXPECT_EQ(ship->Pilot->ShotDeaths, 1);
}

TEST_F(ShipDamage, TheDestructionSoundPlaysOnlyWhenTheDeathIsBooked) {
    SoundWatch sounds;
    ship->FrontShieldDamage = -2;
    ship->ResolveDamage();
    EXPECT_TRUE(SoundWatch::PlayingSlots().empty());
    ship->Life = -1;
    ship->ResolveDamage();
    EXPECT_EQ(SoundWatch::PlayingSlots(), std::vector<int>{19});
    EXPECT_FALSE(SoundWatch::Looping(19));
    SoundWatch::StopAll();
    ship->ResolveDamage();
    EXPECT_TRUE(SoundWatch::PlayingSlots().empty());
}

TEST_F(ShipDamage, ADeathAlreadyCountedByAPlanetCrashAddsNoKill) {
    ship->Life = -1;
    other->OpponentDown = 1;
    ship->FrontShieldDamage = -20;
    ship->ResolveDamage();
    EXPECT_EQ(other->Pilot->Kills, 0);
    EXPECT_EQ(ship->Pilot->ShotDeaths, 0);
}

TEST_F(ShipDamage, BothShipsDestroyedInOneFrameBothCount) {
    ship->Life = other->Life = -5;
    ship->ResolveDamage();
    other->ResolveDamage();
    EXPECT_EQ(ship->Pilot->Kills, 1);
    EXPECT_EQ(other->Pilot->Kills, 1);
    EXPECT_EQ(ship->Pilot->ShotDeaths, 1);
    EXPECT_EQ(other->Pilot->ShotDeaths, 1);
    EXPECT_EQ(ship->OpponentDown, 1);
    EXPECT_EQ(other->OpponentDown, 1);
}

TEST_F(ShipDamage, AShipWithoutOpponentOrPilotIsNotBooked) {
    ship->Opponent = nullptr;
    ship->Life = -1;
    ship->ResolveDamage();
    EXPECT_EQ(other->Pilot->Kills, 0);
    EXPECT_EQ(other->OpponentDown, 0);

    ship->Opponent = other;
    ship->Pilot = nullptr;
    other->Pilot = nullptr;
    ship->ResolveDamage();
    EXPECT_EQ(other->OpponentDown, 1);
}

TEST_F(ShipDamage, RepairBringsSubsystemsBackOneStepOnA555) {
    // A seed under which some subsystem draws 555.
    std::uint64_t seed = 0;
    std::array<bool, kSubsystemCount> lucky{};
    for (std::uint64_t s = 1; s < 100000 && seed == 0; ++s) {
        SeedRandom(s);
        for (int k = 0; k < kSubsystemCount; ++k) lucky[k] = Random(1200) == 555;
        for (bool l : lucky)
            if (l) seed = s;
    }
    ASSERT_NE(seed, 0u);
    struct Case {
        int before, lucky;
    };
    for (Case c : {Case{kSubBroken, kSubDamaged}, Case{kSubDamaged, kSubOk}, Case{kSubOk, kSubOk}}) {
        SCOPED_TRACE(c.before);
        SetAll(*ship, c.before);
        SeedRandom(seed);
        ship->RepairSubsystems();
        for (int k = 0; k < kSubsystemCount; ++k) EXPECT_EQ(ship->Subsystems[k], lucky[k] ? c.lucky : c.before) << k;
    }
    // Exactly one value is drawn per subsystem.
    SeedRandom(seed);
    for (int k = 0; k < kSubsystemCount; ++k) Random(1200);
    const std::uint32_t next = NextRandomValue();
    SeedRandom(seed);
    ship->RepairSubsystems();
    EXPECT_EQ(NextRandomValue(), next);
}

}  // namespace
