#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "shipdata/shipvalue.h"

using shipdata::FreshDesign;
using shipdata::RoundShipValue;
using shipdata::ShipClassRecord;
using shipdata::ShipValue;

namespace {

ShipClassRecord XWingByHand() {
    ShipClassRecord rec = FreshDesign();
    for (int s = 0; s < 4; ++s) rec.WeaponType[s] = shipdata::Laser;
    rec.Shield = 50;
    rec.Hull = 50;
    rec.Acceleration = 0.9f;
    rec.Turn = 3;
    rec.Missiles = 4;
    rec.BoundingSphere = 23;
    return rec;
}

}  // namespace

TEST(RoundShipValue, RoundsUpToTheNextMultipleOfFive) {
    struct Case {
        float sum;
        int value;
    };
    const Case cases[] = {
        {12.7f, 15},    {15.0f, 20}, {0.4f, 5},  {0.0f, 5},  {44.997f, 45},
        {48.2376f, 50}, {-3.2f, 4},  {-7.5f, 0}, {4.99f, 5}, {5.0f, 10},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundShipValue(c.sum), c.value) << "sum " << c.sum;
}

TEST(ShipValue, FreshDesignAndOneLaser) {
    ShipClassRecord rec = FreshDesign();
    EXPECT_EQ(ShipValue(rec), 25);
    rec.WeaponType[0] = shipdata::Laser;
    EXPECT_EQ(ShipValue(rec), 30);
}

TEST(ShipValue, XWingWorkedExample) { EXPECT_EQ(ShipValue(XWingByHand()), 50); }

TEST(ShipValue, EachFurtherWeaponOfAKindCostsMore) {
    // Weapons only: a tiny ship whose systems term is small and known.
    ShipClassRecord rec = FreshDesign();
    rec.Shield = 0;
    rec.Hull = 20;
    rec.Acceleration = 0.0f;
    rec.Turn = 0;
    rec.Missiles = 0;
    // Systems term is 0, so the sum is the weapons alone.
    EXPECT_EQ(ShipValue(rec), 5);  // 0 -> 5
    rec.WeaponType[0] = shipdata::Laser;
    rec.WeaponType[5] = shipdata::Laser;  // 5 + 6 = 11, whatever lies between
    EXPECT_EQ(ShipValue(rec), 15);
    // A beam's range counts from 60.
    rec.Range[2] = rec.Range[3] = 60;
    rec.WeaponType[2] = shipdata::CuttingBeam;  // + 8 = 19
    EXPECT_EQ(ShipValue(rec), 20);
    rec.WeaponType[3] = shipdata::CuttingBeam;  // + 10.4 = 29.4
    EXPECT_EQ(ShipValue(rec), 30);
    rec.WeaponType[4] = shipdata::IonCannon;  // + 4 = 33.4
    EXPECT_EQ(ShipValue(rec), 35);
}

TEST(ShipValue, SpecialsAndArmour) {
    ShipClassRecord base = FreshDesign();
    base.Shield = 0;
    base.Hull = 20;
    base.Acceleration = 0.0f;
    base.Turn = 0;
    base.Missiles = 0;  // systems term 0
    struct Case {
        int cloak, blossom, teleport, front, back, shield;
        int value;
    };
    const Case cases[] = {
        {1, 0, 0, 0, 0, 0, 15},  // 10
        {2, 0, 0, 0, 0, 0, 35},  // 30
        {3, 0, 0, 0, 0, 0, 5},   // unknown cloak kind adds nothing
        {0, 1, 0, 0, 0, 0, 20},  // 15
        {0, 0, 1, 0, 0, 0, 45},  // 40
    };
    for (const Case& c : cases) {
        ShipClassRecord rec = base;
        rec.Specials[shipdata::Cloak] = c.cloak;
        rec.Specials[shipdata::DeathBlossom] = c.blossom;
        rec.Specials[shipdata::Teleport] = c.teleport;
        rec.Armor[0] = c.front;
        rec.Armor[1] = c.back;
        rec.Shield = c.shield;
        EXPECT_EQ(ShipValue(rec), c.value) << c.cloak << c.blossom << c.teleport;
    }
    // Armour with a shield adds 30 on top of what the shield and armour add
    // through the systems term.
    ShipClassRecord shielded = base;
    shielded.Shield = 1;
    shielded.Armor[0] = 1;  // a = 0: the armour changes nothing but the bonus
    ShipClassRecord noArmour = shielded;
    noArmour.Armor[0] = 0;
    EXPECT_EQ(ShipValue(shielded) - ShipValue(noArmour), 30);
}

TEST(ShipValue, LowPowerAndRangeCanMakeTheSumNegative) {
    ShipClassRecord rec = FreshDesign();
    rec.Shield = 0;
    rec.Hull = 20;
    rec.Acceleration = 0.0f;
    rec.Turn = 0;
    rec.Missiles = 0;
    rec.WeaponType[0] = shipdata::Laser;
    rec.Power[0] = 1;   // (1-10)*0.1*10 = -9
    rec.Range[0] = 10;  // (10-120)/120*10 = -9.1667
    // 5 - 9 - 9.1667 = -13.1667: u = -13, r = -3, S = -13.1667 + 8 -> -5
    EXPECT_EQ(ShipValue(rec), -5);
}

TEST(ShipValue, OutOfRangeRecordsGetAFiniteDefinedValue) {
    // A hull below 20 counts the hull's power term from 0, as hull 20 does;
    // the other terms still see the lower hull: 15.45 -> 15 against 20.47 -> 20.
    ShipClassRecord rec = FreshDesign();
    rec.Hull = 0;
    EXPECT_EQ(ShipValue(rec), 15);
    rec.Hull = 20;
    EXPECT_EQ(ShipValue(rec), 20);

    // A shield and armour below zero count the shield's power term from 0:
    // the sum -45.89 rounds through the signed remainder to -40.
    ShipClassRecord negative = FreshDesign();
    negative.Shield = -500;
    negative.Armor[0] = -100;
    EXPECT_EQ(ShipValue(negative), -40);

    // A bounding sphere below 1 counts as 1.
    ShipClassRecord one = FreshDesign();
    one.BoundingSphere = 1;
    EXPECT_EQ(ShipValue(one), 505);
    for (int sphere : {0, -40}) {
        ShipClassRecord rec0 = FreshDesign();
        rec0.BoundingSphere = sphere;
        EXPECT_EQ(ShipValue(rec0), 505) << "sphere " << sphere;
    }

    ShipClassRecord wild = FreshDesign();
    wild.Acceleration = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(ShipValue(wild), 0);
    wild.Acceleration = std::numeric_limits<float>::infinity();
    EXPECT_EQ(ShipValue(wild), 2000000000) << "held inside the int range";

    ShipClassRecord huge = FreshDesign();
    huge.Hull = std::numeric_limits<std::int32_t>::max();
    huge.Shield = std::numeric_limits<std::int32_t>::max();
    huge.Armor[0] = huge.Armor[1] = std::numeric_limits<std::int32_t>::max();
    huge.Missiles = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(ShipValue(huge), 2000000000);
}
