// Making a ship and preparing it for a round from its class.
#include <algorithm>

#include "tests/game/world_fixture.h"

namespace {

constexpr int kUserClass = 24;

class ShipResetTest : public WorldFixture {
protected:
    // User class 24 with the given weapon counts, shield and missiles.
    ClassTable& Class(int lasers, int ions, int beams, int shield = 50, int missiles = 4) {
        ClassTable& t = game->ShipClassTable;
        t.LaserCount[kUserClass] = lasers;
        t.IonCount[kUserClass] = ions;
        t.BeamCount[kUserClass] = beams;
        t.Shield[kUserClass] = shield;
        t.Missiles[kUserClass] = missiles;
        return t;
    }
};

TEST_F(ShipResetTest, EachSideTakesItsColourPanKeysAndTheScreenWidth) {
    for (int k = 0; k < kKeyBindingCount; ++k) game->KeyBindings[k] = 40 + k;
    game->ScreenWidth = 1024;
    const Ship blue(0, game->Pilots[3], 5);
    const Ship green(1, game->Pilots[4], 6);
    // Light blue 0xFF6464 and light green 0x5AFF5A on the 5-6-5 work surface.
    EXPECT_EQ(blue.ShipColour, 0x633Fu);
    EXPECT_EQ(green.ShipColour, 0x5FEBu);
    EXPECT_EQ(blue.SoundPan, -9000);
    EXPECT_EQ(green.SoundPan, 9000);
    for (int k = 0; k < kShipControls; ++k) {
        EXPECT_EQ(blue.KeyCodes[k], 40 + k);
        EXPECT_EQ(green.KeyCodes[k], 50 + k);
    }
    EXPECT_EQ(blue.ScreenWidth, 1024);
    EXPECT_EQ(blue.Pilot, game->Pilots[3]);
    EXPECT_EQ(green.ClassIndex, 6);
    EXPECT_EQ(green.Side, 1);
}

TEST_F(ShipResetTest, SidesStartAtTheirEndsOfTheArenaNoseUp) {
    int blueLow = 1000, blueHigh = 0, greenLow = 3000, greenHigh = 0;
    for (int i = 0; i < 300; ++i) {
        const Ship* blue = MakeShip(0, 0);
        const Ship* green = MakeShip(1, 0);
        blueLow = std::min(blueLow, static_cast<int>(blue->X));
        blueHigh = std::max(blueHigh, static_cast<int>(blue->X));
        greenLow = std::min(greenLow, static_cast<int>(green->X));
        greenHigh = std::max(greenHigh, static_cast<int>(green->X));
        ASSERT_EQ(blue->Y, 1000);
        ASSERT_EQ(green->Y, 1000);
        ASSERT_EQ(blue->Heading, 270);
    }
    EXPECT_EQ(blueLow, 171);
    EXPECT_EQ(blueHigh, 200);
    EXPECT_EQ(greenLow, 1800);
    EXPECT_EQ(greenHigh, 1829);
}

TEST_F(ShipResetTest, CooldownBasesSpreadThirtyTwoFramesOverTheMounts) {
    const int bases[][2] = {{0, 0}, {1, 24}, {2, 16}, {3, 10}, {4, 8}, {5, 6}, {8, 4}};
    for (const auto& b : bases) {
        Class(b[0], b[0], 0);
        const Ship* ship = MakeShip(0, kUserClass);
        EXPECT_EQ(ship->LaserCooldownBase, b[1]) << b[0] << " lasers";
        EXPECT_EQ(ship->IonCooldownBase, b[1]) << b[0] << " ion cannons";
    }
}

TEST_F(ShipResetTest, TheFirstWeaponGroupIsTheFirstOneFitted) {
    // lasers, ion cannons, beams, missiles -> group
    const int cases[][5] = {{2, 1, 1, 4, kGroupLasers},   {0, 3, 1, 4, kGroupIons}, {0, 0, 2, 4, kGroupBeams},
                            {0, 0, 0, 4, kGroupMissiles}, {0, 2, 0, 0, kGroupIons}, {0, 0, 0, 0, kGroupMissiles}};
    for (const auto& c : cases) {
        Class(c[0], c[1], c[2], 50, c[3]);
        EXPECT_EQ(MakeShip(1, kUserClass)->WeaponGroup, c[4]) << c[0] << c[1] << c[2] << c[3];
    }
}

TEST_F(ShipResetTest, MountsAreFittedInCountOrderWithTheirCursors) {
    Class(2, 3, 1);
    const Ship* ship = MakeShip(0, kUserClass);
    EXPECT_EQ(ship->MountCount, 6);
    for (int m = 0; m < kMounts; ++m) {
        EXPECT_EQ(ship->Subsystems[kSubMount0 + m], m < 6 ? kSubOk : kSubNotFitted) << m;
        EXPECT_EQ(ship->MountEnergy[m], 15.0f);
    }
    for (int s = 0; s < kSubMount0; ++s) EXPECT_EQ(ship->Subsystems[s], kSubOk) << s;
    EXPECT_EQ(ship->LaserCursor, 5);
    EXPECT_EQ(ship->IonCursor, 7);
    EXPECT_EQ(ship->BeamCursor, 10);
}

TEST_F(ShipResetTest, AClassWithoutShieldsOrMissilesHasNeitherFitted) {
    Class(1, 0, 0, 0, 0);
    Ship* ship = MakeShip(0, kUserClass);
    EXPECT_EQ(ship->Subsystems[kSubShields], kSubNotFitted);
    EXPECT_EQ(ship->Subsystems[kSubMissiles], kSubNotFitted);
    EXPECT_EQ(ship->Subsystems[kSubEngine], kSubOk);
    EXPECT_EQ(ship->FrontShield, 0);
    EXPECT_EQ(ship->BackShield, 0);
    EXPECT_EQ(ship->Missiles, 0);
    // Not-fitted shields still trickle, but the cap keeps them at 0.
    for (int f = 0; f < 100; ++f) ship->Update();
    EXPECT_EQ(ship->FrontShield, 0);
    EXPECT_EQ(ship->BackShield, 0);
}

TEST_F(ShipResetTest, ClassValuesAreCopiedAndConverted) {
    ClassTable& t = Class(1, 1, 1, 70, 6);
    const int c = kUserClass;
    t.Hull[c] = 90;
    t.Armor[c][0] = 12;
    t.Armor[c][1] = 7;
    t.Technology[c] = 4;
    t.ImageSelection[c] = 100;
    t.AimLine[c] = 5;
    t.Turn[c] = 4;
    t.Acceleration[c] = 1.5f;
    t.DrawScale[c] = 33;
    t.BoundingSphere[c] = 21;
    t.FrameCount[c] = 90;
    t.AstroDroid[c] = 1;
    t.EngineSoundKind[c] = 7;
    t.LinkAll[c] = 1;
    t.Specials[c][0] = 2;
    t.Specials[c][1] = 2;
    t.Specials[c][3] = 1;
    t.Specials[c][7] = 4;
    t.WeaponX[c][2] = -6;
    t.WeaponY[c][2] = 9;
    t.FireDirection[c][2] = 12.5f;
    t.TurretCover[c][2] = 90;
    t.Power[c][2] = 30;
    t.Range[c][2] = 150;
    game->ShipValue[c] = 115;

    const Ship* ship = MakeShip(0, c);
    EXPECT_EQ(ship->Life, 90);
    EXPECT_EQ(ship->HullMax, 90);
    EXPECT_EQ(ship->FrontShield, 70);
    EXPECT_EQ(ship->BackShield, 70);
    EXPECT_EQ(ship->Missiles, 6);
    EXPECT_EQ(ship->FrontArmour, 12);
    EXPECT_EQ(ship->BackArmour, 7);
    EXPECT_EQ(ship->Technology, 4);
    EXPECT_EQ(ship->ImageSelection, c);  // 100: the class's own frames
    EXPECT_EQ(ship->AimLine, 1);
    EXPECT_EQ(ship->Turn, 4);
    EXPECT_EQ(ship->Acceleration, 1.5f);
    EXPECT_EQ(ship->DrawScale, 33);
    EXPECT_EQ(ship->BoundingSphere, 21);
    EXPECT_EQ(ship->FrameCount, 90);
    EXPECT_EQ(ship->AstroDroidArmed, 1);
    EXPECT_EQ(ship->EngineSoundKind, 7);
    EXPECT_EQ(ship->ShipValue, 115);
    EXPECT_EQ(ship->LinkAll, 1);
    EXPECT_EQ(ship->Drive, 2);
    EXPECT_EQ(ship->Cloak, 2);
    const int specials[kSpecialSlots] = {1, 3, 7, -1, -1, -1, -1, -1, -1, -1};
    EXPECT_TRUE(std::equal(specials, specials + kSpecialSlots, ship->SpecialList));
    EXPECT_EQ(ship->SelectedSpecial, 1);
    EXPECT_EQ(ship->WeaponX[2], -6.0f);
    EXPECT_EQ(ship->WeaponY[2], 9.0f);
    EXPECT_EQ(ship->FireDirection[2], 12.5f);
    EXPECT_EQ(ship->TurretCover[2], 90.0f);
    EXPECT_EQ(ship->Power[2], 30.0f);
    EXPECT_EQ(ship->Range[2], 150);
}

TEST_F(ShipResetTest, ABuiltInClassKeepsItsOwnFrameRowAndHasNoSpecials) {
    const Ship* ship = MakeShip(1, 3);
    EXPECT_EQ(ship->ImageSelection, 3);
    EXPECT_EQ(ship->SelectedSpecial, -1);
    EXPECT_EQ(ship->SpecialList[0], -1);
    EXPECT_EQ(ship->Drive, game->ShipClassTable.Specials[3][0]);
    EXPECT_EQ(ship->LinkAll, 0);
    EXPECT_EQ(ship->ShipValue, game->ShipValue[3]);
    EXPECT_EQ(ship->Life, static_cast<float>(game->ShipClassTable.Hull[3]));
}

TEST_F(ShipResetTest, AResetStartsTheRoundAfreshAndClearsHeldKeys) {
    Ship* ship = MakeShip(0, 2);
    ship->Life = -1;
    ship->VX = 4;
    ship->Heading = 10;
    ship->Missiles = 0;
    ship->FrontShield = 1;
    ship->FrontArmour = 0;
    ship->Subsystems[kSubEngine] = kSubBroken;
    ship->Subsystems[kSubMount0] = kSubDamaged;
    ship->AreaDamage = -5;
    ship->BackShieldOnlyDamage = -3;
    ship->SmokeX[4] = 10;
    ship->SmokeLife[4] = 30;
    ship->SmokeToEmit = 9;
    ship->LinkMode = 4;
    ship->LaserCooldown = ship->IonCooldown = ship->MissileCooldown = ship->BeamCooldown = 12;
    ship->CloakState = ship->CloakWanted = 1;
    ship->CloakLevel = 256;
    ship->SpecialEnergy = 3;
    ship->DriveRamp = 15;
    ship->BlossomTimer = 40;
    ship->PrevLinkKey = ship->PrevActivateKey = 1;
    ship->OpponentDown = 1;
    ship->MountEnergy[0] = 0;
    Form1->KeyState[38] = 1;
    Form1->KeyState[127] = 1;

    ship->Reset();
    EXPECT_EQ(ship->Life, ship->HullMax);
    EXPECT_EQ(ship->VX, 0);
    EXPECT_EQ(ship->Heading, 270);
    EXPECT_EQ(ship->Missiles, ship->MissileCapacity);
    EXPECT_EQ(ship->FrontShield, ship->ShieldMax);
    EXPECT_EQ(ship->FrontArmour, ship->FrontArmourMax);
    EXPECT_EQ(ship->Subsystems[kSubEngine], kSubOk);
    EXPECT_EQ(ship->Subsystems[kSubMount0], kSubOk);
    EXPECT_EQ(ship->AreaDamage, 0);
    EXPECT_EQ(ship->BackShieldOnlyDamage, 0);
    EXPECT_EQ(ship->SmokeX[4], 3000);
    EXPECT_EQ(ship->SmokeLife[4], 0);
    EXPECT_EQ(ship->SmokeToEmit, 0);
    EXPECT_EQ(ship->LinkMode, 1);
    EXPECT_EQ(ship->LaserCooldown + ship->IonCooldown + ship->MissileCooldown + ship->BeamCooldown, 0);
    EXPECT_EQ(ship->CloakState, 0);
    EXPECT_EQ(ship->CloakWanted, 0);
    EXPECT_EQ(ship->CloakLevel, 0);
    EXPECT_EQ(ship->SpecialEnergy, 100);
    EXPECT_EQ(ship->DriveRamp, 0);
    EXPECT_EQ(ship->BlossomTimer, 0);
    EXPECT_EQ(ship->PrevLinkKey + ship->PrevActivateKey, 0);
    EXPECT_EQ(ship->OpponentDown, 0);
    EXPECT_EQ(ship->MountEnergy[0], 15);
    EXPECT_TRUE(std::all_of(std::begin(Form1->KeyState), std::end(Form1->KeyState), [](int k) { return k == 0; }));
}

TEST_F(ShipResetTest, AHeldThrustKeyHasNoEffectUntilPressedAgain) {
    for (int k = 0; k < kKeyBindingCount; ++k) game->KeyBindings[k] = 65 + k;
    Class(1, 0, 0);  // the normal drive: thrust shows in the first frame
    Ship* ship = MakeShip(0, kUserClass);
    ASSERT_EQ(ship->Drive, 0);
    Form1->KeyState[ship->KeyCodes[kCtlThrust]] = 1;
    ship->Reset();
    // The play frame fills KeyDown from the key flags before each update.
    ship->KeyDown[kCtlThrust] = static_cast<std::uint8_t>(Form1->KeyState[ship->KeyCodes[kCtlThrust]]);
    ship->Update();
    EXPECT_EQ(ship->VX, 0);
    EXPECT_EQ(ship->VY, 0);
    // Pressed again, it thrusts.
    Form1->KeyState[ship->KeyCodes[kCtlThrust]] = 1;
    ship->KeyDown[kCtlThrust] = static_cast<std::uint8_t>(Form1->KeyState[ship->KeyCodes[kCtlThrust]]);
    ship->Update();
    EXPECT_LT(ship->VY, -0.06f);
}

TEST_F(ShipResetTest, AnUnknownClassClosesTheMainWindowAndReadsNoClass) {
    int closes = 0;
    Form1->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    for (int cls : {-1, kClassCount, 1000000}) {
        Ship ship(1, game->Pilots[0], cls);
        ship.Reset();
        EXPECT_EQ(ship.Life, 0) << cls;
        EXPECT_EQ(ship.MountCount, 0);
        EXPECT_EQ(ship.WeaponGroup, kGroupMissiles);
        EXPECT_EQ(ship.Subsystems[kSubShields], kSubNotFitted);
        EXPECT_EQ(ship.Subsystems[kSubMissiles], kSubNotFitted);
        EXPECT_EQ(ship.Subsystems[kSubMount0], kSubNotFitted);
        EXPECT_EQ(ship.BoundingSphere, 0);
        EXPECT_EQ(ship.Acceleration, 0);
        EXPECT_GE(ship.X, 1800);  // placed as any ship
        EXPECT_LT(ship.X, 1830);
    }
    EXPECT_EQ(closes, 3);
}

}  // namespace
