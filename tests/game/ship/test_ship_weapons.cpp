// A ship's firing: weapon groups, link modes, mount readiness, cooldowns,
// turrets, missiles, beams, the death blossom and the two weapon keys.
#include <cmath>
#include <utility>
#include <vector>

#include "tests/game/shot_fixture.h"

class ShipWeaponsTest : public ShotFixture {
protected:
    void SetUp() override {
        ShotFixture::SetUp();
        ship = MakeShip(0, 0);
        enemy = MakeShip(1, 0);
        enemy->X = 1000;
        enemy->Y = 500;  // dead ahead of the ship's nose
        Arm(4, 0, 0, 0);
    }

    // The ship at (1000, 1000), nose up, at rest, with the given mounts (each
    // ok, full of energy, its WeaponX its mount number), as a reset would
    // leave it.
    void Arm(int lasers, int ions, int beams, int missiles) {
        ship->X = 1000;
        ship->Y = 1000;
        ship->VX = ship->VY = 0;
        ship->Heading = 270;
        ship->Life = 100;
        ship->Technology = 0;
        ship->LaserCount = lasers;
        ship->IonCount = ions;
        ship->BeamCount = beams;
        ship->MountCount = lasers + ions + beams;
        ship->Missiles = missiles;
        ship->LaserCooldownBase = FloatToInt(SafeDivide(4, static_cast<float>(lasers)) * 8);
        ship->IonCooldownBase = FloatToInt(SafeDivide(4, static_cast<float>(ions)) * 8);
        ship->LaserCursor = 5;
        ship->IonCursor = lasers + 5;
        ship->BeamCursor = lasers + ions + 5;
        ship->LaserCooldown = ship->IonCooldown = ship->BeamCooldown = ship->MissileCooldown = 0;
        ship->LinkMode = 1;
        ship->LinkAll = 0;
        ship->CloakState = 0;
        ship->BlossomTimer = 0;
        ship->WeaponGroup = lasers > 0  ? kGroupLasers
                            : ions > 0  ? kGroupIons
                            : beams > 0 ? kGroupBeams
                                        : kGroupMissiles;
        for (int k = 0; k < kSubsystemCount; ++k) ship->Subsystems[k] = kSubOk;
        for (int m = 0; m < kMounts; ++m) {
            ship->Subsystems[kSubMount0 + m] = m < ship->MountCount ? kSubOk : kSubNotFitted;
            ship->MountEnergy[m] = 15;
            ship->TurretCover[m] = 0;
            ship->FireDirection[m] = 0;
            ship->WeaponX[m] = static_cast<float>(m);
            ship->WeaponY[m] = 0;
            ship->Power[m] = 10 + static_cast<float>(m);
            ship->Range[m] = 100 + m;
        }
        for (auto& k : ship->KeyDown) k = 0;
        ship->PrevLinkKey = ship->PrevGroupKey = ship->PrevSpecialKey = ship->PrevActivateKey = 0;
    }

    void HoldFire(bool down = true) { ship->KeyDown[kCtlFire] = down ? 1 : 0; }

    // Copies of the shots of one kind in the list; the list is emptied
    // unless `clear` is false.
    template <class T>
    std::vector<T> Take(bool clear = true) {
        std::vector<T> out;
        Iterator* list = game->ShotList;
        for (Item* i = list->Head->Next; i; i = i->Next)
            if (auto* s = dynamic_cast<T*>(i->Data)) out.push_back(*s);
        if (clear) list->Clear();
        return out;
    }

    // At heading 270 a mount's WeaponX lies along +x, so a bolt's X tells
    // the mount it left from.
    static int MountOf(const Energy& e) { return static_cast<int>(std::lround(e.X - 1000)); }

    // Frames 0..frames-1 of holding fire: which mounts fired in which frame.
    std::vector<std::pair<int, int>> FireFor(int frames) {
        std::vector<std::pair<int, int>> fired;
        HoldFire();
        for (int f = 0; f < frames; ++f) {
            ship->FireWeapons();
            for (const Energy& e : Take<Energy>()) fired.emplace_back(f, MountOf(e));
        }
        return fired;
    }

    Ship* ship = nullptr;
    Ship* enemy = nullptr;
};

using Fired = std::vector<std::pair<int, int>>;

TEST_F(ShipWeaponsTest, ChainModeFiresTheLasersInTurnOneEveryEightFrames) {
    EXPECT_EQ(FireFor(33), (Fired{{0, 0}, {8, 1}, {16, 2}, {24, 3}, {32, 0}}));
    EXPECT_EQ(ship->Pilot->ShotsFired, 5);
}

TEST_F(ShipWeaponsTest, AMountThatIsNotReadyStillUsesItsTurnAndTheCooldown) {
    struct Case {
        int state;
        float energy;
    } cases[] = {{kSubDamaged, 15}, {kSubBroken, 15}, {kSubOk, 1.99f}};
    for (const Case& c : cases) {
        Arm(2, 0, 0, 0);
        ship->Subsystems[kSubMount0 + 0] = c.state;
        ship->MountEnergy[0] = c.energy;
        EXPECT_EQ(FireFor(17), (Fired{{16, 1}})) << c.state << " " << c.energy;
        EXPECT_EQ(ship->Pilot->ShotsFired, 1);
        EXPECT_EQ(ship->MountEnergy[0], c.energy);
        ship->Pilot->ShotsFired = 0;
    }
}

TEST_F(ShipWeaponsTest, ABoltLeavesItsMountAlongTheFireDirectionWithTheShipsSpeed) {
    WatchSounds();
    Arm(1, 1, 0, 0);
    ship->Technology = 4;
    ship->LinkMode = 4;
    ship->VX = 1;
    ship->VY = -2;
    ship->WeaponX[0] = 5;   // to the right of the axis: +x at heading 270
    ship->WeaponY[0] = 10;  // toward the back: +y
    ship->FireDirection[0] = 90;
    HoldFire();
    ship->FireWeapons();
    const std::vector<Energy> bolts = Take<Energy>();
    ASSERT_EQ(bolts.size(), 2u);
    const Energy& ion = bolts[0];  // ion cannons fire first
    const Energy& laser = bolts[1];
    EXPECT_EQ(ion.BoltType, 7);
    EXPECT_EQ(laser.BoltType, 4);
    EXPECT_NEAR(laser.X, 1005, 1e-3);
    EXPECT_NEAR(laser.Y, 1010, 1e-3);
    EXPECT_NEAR(laser.VX, 13, 1e-3);  // 12 along 270 + 90 = 0, plus the ship's 1
    EXPECT_NEAR(laser.VY, -2, 1e-3);
    EXPECT_FLOAT_EQ(laser.Angle, 360);
    EXPECT_FLOAT_EQ(laser.Damage, 10);
    EXPECT_EQ(laser.Lifetime, 100);
    EXPECT_EQ(laser.Owner, ship);
    EXPECT_EQ(laser.Life, 1.0f);
    EXPECT_NEAR(ion.VY, -14, 1e-3);
    EXPECT_FLOAT_EQ(ion.Damage, 11);
    EXPECT_EQ(ion.Lifetime, 101);
    EXPECT_EQ(Playing(), (std::vector<int>{10, 26}));
    EXPECT_FLOAT_EQ(ship->MountEnergy[0], 13);
    EXPECT_FLOAT_EQ(ship->MountEnergy[1], 13);
}

TEST_F(ShipWeaponsTest, LinkedModesFireSeveralMountsAndWaitLonger) {
    struct Case {
        int lasers, linkMode;
        Fired fired;
        int cooldown;  // after the frame's own countdown
    } cases[] = {
        {1, 2, {{0, 0}, {0, 0}}, 63},          // one mount fires twice
        {3, 2, {{0, 0}, {0, 1}, {0, 2}}, 19},  // three fire together
        {4, 2, {{0, 0}, {0, 1}}, 15},         {4, 4, {{0, 0}, {0, 1}, {0, 2}, {0, 3}}, 31},
        {2, 4, {{0, 0}, {0, 1}}, 31},
    };
    for (const Case& c : cases) {
        Arm(c.lasers, 0, 0, 0);
        ship->LinkMode = c.linkMode;
        EXPECT_EQ(FireFor(1), c.fired) << c.lasers << " lasers, link " << c.linkMode;
        EXPECT_EQ(ship->LaserCooldown, c.cooldown) << c.lasers << " lasers, link " << c.linkMode;
    }
    EXPECT_FLOAT_EQ(ship->MountEnergy[0], 13);
    Arm(1, 0, 0, 0);
    ship->LinkMode = 2;
    FireFor(1);
    EXPECT_FLOAT_EQ(ship->MountEnergy[0], 11);
}

TEST_F(ShipWeaponsTest, FullLinkFiresLasersAndIonCannonsFromEitherGroup) {
    for (int group : {kGroupLasers, kGroupIons}) {
        Arm(2, 2, 0, 0);
        ship->LinkMode = 4;
        ship->WeaponGroup = group;
        const Fired fired = FireFor(1);
        EXPECT_EQ(fired, (Fired{{0, 2}, {0, 3}, {0, 0}, {0, 1}})) << group;
        EXPECT_EQ(ship->IonCooldown, 31);
        EXPECT_EQ(ship->LaserCooldown, 31);
    }
    // Chain mode keeps them apart.
    Arm(2, 2, 0, 0);
    ship->WeaponGroup = kGroupIons;
    EXPECT_EQ(FireFor(17), (Fired{{0, 2}, {16, 3}}));
}

TEST_F(ShipWeaponsTest, ATurretFiresOnlyAtAnEnemyInsideItsArc) {
    Arm(1, 0, 0, 0);
    ship->TurretCover[0] = 120;  // 45 degrees off, plus up to 8 of aiming error, is inside
    ship->FireDirection[0] = 0;
    enemy->X = 1100;  // 45 degrees right of the nose
    enemy->Y = 900;
    Fired fired = FireFor(1);
    ASSERT_EQ(fired.size(), 1u);
    ship->LaserCooldown = 0;
    // The bolt heads for the enemy within the 8 degrees of aiming error.
    HoldFire();
    ship->FireWeapons();
    const std::vector<Energy> bolts = Take<Energy>();
    ASSERT_EQ(bolts.size(), 1u);
    const float toEnemy = NormaliseAngle(bolts[0].Angle) - 315.0f;
    EXPECT_LE(std::fabs(toEnemy), 8.0f);
    EXPECT_FLOAT_EQ(std::hypot(bolts[0].VX, bolts[0].VY), 12.0f);

    // Behind the ship: nothing flies, the energy stays, the shot counts.
    enemy->X = 1000;
    enemy->Y = 1500;
    ship->LaserCooldown = 0;
    ship->Pilot->ShotsFired = 0;
    const float energy = ship->MountEnergy[0];
    EXPECT_TRUE(FireFor(1).empty());
    EXPECT_EQ(ship->MountEnergy[0], energy);
    EXPECT_EQ(ship->Pilot->ShotsFired, 1);
    EXPECT_GT(ship->LaserCooldown, 0);
}

TEST_F(ShipWeaponsTest, NothingFiresWhileCloakedOrPhased) {
    for (int cloak : {kCloakNormal, kCloakPhasing}) {
        Arm(2, 2, 1, 3);
        ship->CloakState = cloak;
        ship->LinkMode = 4;
        ship->LinkAll = 1;
        ship->BlossomTimer = 50;
        HoldFire();
        ship->FireWeapons();
        EXPECT_EQ(game->ShotList->Head->Next, nullptr) << cloak;
        EXPECT_EQ(ship->Missiles, 3);
    }
}

TEST_F(ShipWeaponsTest, AMissileLeavesTheNoseAtEightAndTheLauncherReloads) {
    WatchSounds();
    Arm(0, 0, 0, 2);
    ship->Heading = 0;
    ship->VX = 1;
    ship->VY = 0.5f;
    HoldFire();
    ship->FireWeapons();
    const std::vector<Missile> missiles = Take<Missile>();
    ASSERT_EQ(missiles.size(), 1u);
    const Missile& m = missiles[0];
    EXPECT_FLOAT_EQ(m.X, 1001);
    EXPECT_FLOAT_EQ(m.Y, 1000);
    EXPECT_FLOAT_EQ(m.VX, 9);
    EXPECT_FLOAT_EQ(m.VY, 0.5f);
    EXPECT_EQ(m.Angle, 0.0f);
    EXPECT_EQ(m.Owner, ship);
    EXPECT_EQ(m.Target, enemy);
    EXPECT_EQ(ship->Missiles, 1);
    EXPECT_EQ(ship->MissileCooldown, 69);
    EXPECT_EQ(ship->Pilot->ShotsFired, 1);
    EXPECT_EQ(Playing(), std::vector<int>{11});

    Hush();
    Arm(0, 0, 0, 2);
    ship->Technology = 6;
    HoldFire();
    ship->FireWeapons();
    EXPECT_EQ(Playing(), std::vector<int>{30});
}

TEST_F(ShipWeaponsTest, ADamagedLauncherFiresEvery280FramesAndABrokenOneNever) {
    struct Case {
        int state;
        Fired launches;
    } cases[] = {
        {kSubDamaged, {{0, 0}, {280, 0}}}, {kSubOk, {{0, 0}, {70, 0}, {140, 0}, {210, 0}, {280, 0}}}, {kSubBroken, {}}};
    for (const Case& c : cases) {
        Arm(0, 0, 0, 10);
        ship->Subsystems[kSubMissiles] = c.state;
        HoldFire();
        Fired launches;
        for (int f = 0; f < 281; ++f) {
            ship->FireWeapons();
            for (size_t n = Take<Missile>().size(); n > 0; --n) launches.emplace_back(f, 0);
        }
        EXPECT_EQ(launches, c.launches) << c.state;
    }
}

TEST_F(ShipWeaponsTest, OutOfMissilesTheShipTurnsToItsEnergyWeapons) {
    struct Case {
        int lasers, ions, beams, group;
    } cases[] = {{2, 2, 1, kGroupBeams}, {2, 2, 0, kGroupIons}, {2, 0, 0, kGroupLasers}, {0, 0, 0, kGroupMissiles}};
    for (const Case& c : cases) {
        Arm(c.lasers, c.ions, c.beams, 0);
        ship->WeaponGroup = kGroupMissiles;
        HoldFire();
        ship->FireWeapons();
        EXPECT_EQ(ship->WeaponGroup, c.group);
        const int wait = c.group == kGroupMissiles ? 0 : 39;
        EXPECT_EQ(ship->LaserCooldown, wait);
        EXPECT_EQ(ship->IonCooldown, wait);
        EXPECT_EQ(ship->BeamCooldown, wait);
        EXPECT_EQ(game->ShotList->Head->Next, nullptr);
    }
    // The last missile goes, and the switch follows at once.
    Arm(2, 0, 0, 1);
    ship->WeaponGroup = kGroupMissiles;
    HoldFire();
    ship->FireWeapons();
    EXPECT_EQ(Take<Missile>().size(), 1u);
    EXPECT_EQ(ship->WeaponGroup, kGroupLasers);
}

TEST_F(ShipWeaponsTest, ADeathBlossomFiresOneOfEachWithoutTheFireKey) {
    Arm(2, 2, 1, 3);
    ship->BlossomTimer = 50;
    ship->LinkMode = 4;
    ship->LaserCooldown = 10;  // not consulted during a blossom
    ship->FireWeapons();
    EXPECT_EQ(Take<Missile>(false).size(), 1u);
    EXPECT_TRUE(Take<Beam>(false).empty());  // beams need the fire key
    Fired bolts;
    for (const Energy& e : Take<Energy>()) bolts.emplace_back(e.BoltType, MountOf(e));
    EXPECT_EQ(bolts, (Fired{{7, 2}, {0, 0}}));
    // Held fire in the beam group adds every beam at once (while missiles
    // last: without them the launcher's regrouping holds the beams back).
    Arm(1, 0, 3, 5);
    ship->BlossomTimer = 50;
    ship->WeaponGroup = kGroupBeams;
    HoldFire();
    ship->FireWeapons();
    EXPECT_EQ(Take<Beam>().size(), 3u);
}

TEST_F(ShipWeaponsTest, AFixedBeamStartsWithItsMountsEnergyAndSpacesTheNext) {
    WatchSounds();
    Arm(1, 0, 2, 0);
    ship->WeaponGroup = kGroupBeams;
    ship->Technology = 4;
    HoldFire();
    ship->FireWeapons();
    std::vector<Beam> beams = Take<Beam>();
    ASSERT_EQ(beams.size(), 1u);
    EXPECT_EQ(beams[0].Mount, 1);
    EXPECT_EQ(beams[0].MountEnergyRef, &ship->MountEnergy[1]);
    EXPECT_EQ(beams[0].Tracking, 0);
    EXPECT_FLOAT_EQ(beams[0].Damage, 1.1f);
    EXPECT_EQ(beams[0].Steps, 101);
    EXPECT_EQ(beams[0].Technology, 4);
    EXPECT_EQ(beams[0].Owner, ship);
    EXPECT_EQ(ship->BeamCooldown, 29);
    EXPECT_EQ(ship->Pilot->ShotsFired, 0);  // the beam counts its own shots
    EXPECT_EQ(Playing(), std::vector<int>{35});
    for (int f = 0; f < 29; ++f) ship->FireWeapons();
    EXPECT_TRUE(Take<Beam>().empty());
    ship->FireWeapons();
    beams = Take<Beam>();
    ASSERT_EQ(beams.size(), 1u);
    EXPECT_EQ(beams[0].Mount, 2);
}

TEST_F(ShipWeaponsTest, ABeamTurretStartsOnlyAtAVisibleEnemyInItsArc) {
    struct Case {
        float enemyX, enemyY;
        int cloak;
        bool starts;
    } cases[] = {{1000, 500, 0, true}, {1000, 1500, 0, false}, {1000, 500, kCloakNormal, false}};
    for (const Case& c : cases) {
        Arm(0, 0, 1, 0);
        ship->TurretCover[0] = 60;
        enemy->X = c.enemyX;
        enemy->Y = c.enemyY;
        enemy->CloakState = c.cloak;
        HoldFire();
        ship->FireWeapons();
        const std::vector<Beam> beams = Take<Beam>();
        ASSERT_EQ(beams.size(), c.starts ? 1u : 0u) << c.enemyY << " cloak " << c.cloak;
        if (c.starts) {
            EXPECT_EQ(beams[0].Tracking, 1);
            EXPECT_EQ(ship->BeamCooldown, 29);
        } else {
            EXPECT_EQ(ship->BeamCooldown, 0);  // set only when a beam starts
        }
    }
}

TEST_F(ShipWeaponsTest, BeamsFireInTheirGroupOrWithLinkAllInFullLink) {
    struct Case {
        int group, linkMode, linkAll;
        size_t beams;
    } cases[] = {
        {kGroupBeams, 1, 0, 1},  {kGroupBeams, 2, 0, 3},  {kGroupBeams, 4, 0, 3},
        {kGroupLasers, 4, 1, 3}, {kGroupLasers, 4, 0, 0}, {kGroupLasers, 2, 1, 0},
    };
    for (const Case& c : cases) {
        Arm(1, 0, 3, 0);
        ship->WeaponGroup = c.group;
        ship->LinkMode = c.linkMode;
        ship->LinkAll = c.linkAll;
        HoldFire();
        ship->FireWeapons();
        EXPECT_EQ(Take<Beam>().size(), c.beams) << c.group << " " << c.linkMode << " " << c.linkAll;
    }
}

TEST_F(ShipWeaponsTest, TheCycleLinkModeKeyOffersFullLinkOnlyWhereItHelps) {
    struct Case {
        int lasers, ions, beams;
        std::vector<int> modes;
    } cases[] = {
        {2, 2, 0, {2, 4, 1}}, {2, 0, 0, {2, 1, 2}}, {4, 0, 0, {2, 4, 1}}, {0, 0, 4, {2, 4, 1}}, {0, 3, 3, {2, 1}},
    };
    for (const Case& c : cases) {
        Arm(c.lasers, c.ions, c.beams, 0);
        std::vector<int> modes;
        for (size_t i = 0; i < c.modes.size(); ++i) {
            ship->KeyDown[kCtlCycleLinkMode] = 1;
            ship->HandleWeaponKeys();
            ship->StorePreviousKeys();
            ship->HandleWeaponKeys();  // held: no second change
            ship->KeyDown[kCtlCycleLinkMode] = 0;
            ship->StorePreviousKeys();
            modes.push_back(ship->LinkMode);
        }
        EXPECT_EQ(modes, c.modes) << c.lasers << " " << c.ions << " " << c.beams;
    }
}

TEST_F(ShipWeaponsTest, TheChangeNormalKeyMovesToTheNextArmedGroup) {
    WatchSounds();
    struct Case {
        int lasers, ions, beams, missiles, from, to;
    } cases[] = {
        {1, 1, 1, 1, kGroupLasers, kGroupIons},     {1, 0, 1, 1, kGroupLasers, kGroupBeams},
        {1, 0, 0, 1, kGroupLasers, kGroupMissiles}, {1, 0, 0, 0, kGroupLasers, kGroupLasers},
        {1, 1, 0, 0, kGroupIons, kGroupLasers},     {0, 1, 1, 0, kGroupBeams, kGroupIons},
        {1, 1, 1, 1, kGroupMissiles, kGroupLasers}, {0, 0, 1, 1, kGroupMissiles, kGroupBeams},
    };
    for (const Case& c : cases) {
        Arm(c.lasers, c.ions, c.beams, c.missiles);
        ship->WeaponGroup = c.from;
        Hush();
        ship->KeyDown[kCtlChangeNormal] = 1;
        ship->HandleWeaponKeys();
        EXPECT_EQ(ship->WeaponGroup, c.to) << c.from;
        EXPECT_EQ(Playing(), std::vector<int>{20}) << c.from;  // even when it stays
        ship->StorePreviousKeys();
        Hush();
        ship->HandleWeaponKeys();
        EXPECT_EQ(ship->WeaponGroup, c.to) << "held key acts once";
        EXPECT_TRUE(Playing().empty());
    }
}

TEST_F(ShipWeaponsTest, WeaponKeySoundsFollowTheTechnology) {
    WatchSounds();
    struct Case {
        int technology, change, cycle;
    } cases[] = {{0, 20, 21}, {3, 20, 21}, {4, 38, 39}, {5, 38, 39}, {6, 36, 37}, {9, -1, -1}};
    for (const Case& c : cases) {
        ship->Technology = c.technology;
        ship->PrevGroupKey = ship->PrevLinkKey = 0;
        Hush();
        ship->KeyDown[kCtlChangeNormal] = 1;
        ship->KeyDown[kCtlCycleLinkMode] = 0;
        ship->HandleWeaponKeys();
        EXPECT_EQ(Playing(), c.change < 0 ? std::vector<int>{} : std::vector<int>{c.change}) << c.technology;
        Hush();
        ship->KeyDown[kCtlChangeNormal] = 0;
        ship->KeyDown[kCtlCycleLinkMode] = 1;
        ship->HandleWeaponKeys();
        EXPECT_EQ(Playing(), c.cycle < 0 ? std::vector<int>{} : std::vector<int>{c.cycle}) << c.technology;
    }
}

TEST_F(ShipWeaponsTest, ThePreviousKeysFollowTheirFourKeys) {
    const int keys[4] = {kCtlCycleLinkMode, kCtlChangeNormal, kCtlChangeSpecial, kCtlActivateSpecial};
    int* const prev[4] = {&ship->PrevLinkKey, &ship->PrevGroupKey, &ship->PrevSpecialKey, &ship->PrevActivateKey};
    for (int i = 0; i < 4; ++i) {
        for (auto& k : ship->KeyDown) k = 1;
        ship->KeyDown[keys[i]] = 0;
        ship->StorePreviousKeys();
        for (int j = 0; j < 4; ++j) EXPECT_EQ(*prev[j], j == i ? 0 : 1) << i << " " << j;
    }
}

TEST_F(ShipWeaponsTest, CountsBeyondTheTwentyMountsFireNoPhantomMounts) {
    Arm(4, 0, 0, 0);
    ship->LaserCount = 30;  // as a damaged ships.dat may give
    ship->LinkMode = 4;
    ship->LaserCursor = 24;  // the last mount; the cursor then runs past it
    EXPECT_EQ(FireFor(1), (Fired{{0, 0}, {0, 1}, {0, 2}, {0, 3}}));
    EXPECT_EQ(ship->LaserCursor, 24);  // 30 turns: 19..29, then 0..18
}

TEST_F(ShipWeaponsTest, AResetShipFiresAndChangesModeThroughItsUpdate) {
    Ship* s = MakeShip(0, 0);  // a built-in class, as a round starts it
    ASSERT_GT(s->LaserCount + s->IonCount, 0);
    s->KeyDown[kCtlFire] = 1;
    s->Update();
    EXPECT_NE(game->ShotList->Head->Next, nullptr);
    EXPECT_GE(s->Pilot->ShotsFired, 1);
    // The cycle-linkmode key held over two updates acts once.
    s->KeyDown[kCtlFire] = 0;
    s->KeyDown[kCtlCycleLinkMode] = 1;
    s->Update();
    s->Update();
    EXPECT_EQ(s->LinkMode, 2);
    EXPECT_EQ(s->PrevLinkKey, 1);
}
