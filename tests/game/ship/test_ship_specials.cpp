// Specials: choosing and activating them, the cloak's fade, the death blossom,
// the teleport and the fire key's uncloak.
#include <initializer_list>

#include "tests/game/sound_watch.h"
#include "tests/game/world_fixture.h"

namespace {

class ShipSpecials : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        ship = MakeShip(0, 0);
        MakeShip(1, 0);
        Fresh();
    }

    // Fresh for a round, whatever Reset gives.
    void Fresh() {
        ship->SpecialEnergy = 100;
        ship->CloakState = ship->CloakWanted = ship->CloakLevel = 0;
        ship->BlossomTimer = 0;
        ship->PrevSpecialKey = ship->PrevActivateKey = 0;
        for (auto& k : ship->KeyDown) k = 0;
        Fit({});
    }

    // The kinds fitted, in ascending order; the first one selected.
    void Fit(std::initializer_list<int> kinds, int cloak = kCloakNone) {
        for (int& s : ship->SpecialList) s = -1;
        int i = 0;
        for (int k : kinds) ship->SpecialList[i++] = k;
        ship->SpecialCursor = 0;
        ship->SelectedSpecial = ship->SpecialList[0];
        ship->Cloak = cloak;
    }

    // One frame of the specials with these keys down; the keys are then
    // remembered as the frame's end does.
    void Frame(std::initializer_list<ShipControl> down = {}) {
        for (auto& k : ship->KeyDown) k = 0;
        for (ShipControl c : down) ship->KeyDown[c] = 1;
        ship->UpdateSpecials();
        ship->PrevSpecialKey = ship->KeyDown[kCtlChangeSpecial];
        ship->PrevActivateKey = ship->KeyDown[kCtlActivateSpecial];
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }
    void Press(ShipControl c) {
        Frame();
        Frame({c});
        Frame();
    }

    Ship* ship = nullptr;
};

TEST_F(ShipSpecials, AShipWithoutSpecialsIgnoresBothKeys) {
    Frame({kCtlChangeSpecial, kCtlActivateSpecial});
    EXPECT_EQ(ship->SelectedSpecial, -1);
    EXPECT_EQ(ship->SpecialCursor, 0);
    EXPECT_FLOAT_EQ(ship->SpecialEnergy, 100.0f);
    EXPECT_EQ(ship->CloakWanted, 0);
    EXPECT_EQ(ship->BlossomTimer, 0);
}

TEST_F(ShipSpecials, ChangeSpecialCyclesOncePerPress) {
    Fit({kSpecialCloak, kSpecialTeleport}, kCloakNormal);
    EXPECT_EQ(ship->SelectedSpecial, kSpecialCloak);
    Frame({kCtlChangeSpecial});
    EXPECT_EQ(ship->SelectedSpecial, kSpecialTeleport);
    EXPECT_EQ(ship->SpecialCursor, 1);
    // Held down, the key does not repeat.
    Frame({kCtlChangeSpecial});
    EXPECT_EQ(ship->SelectedSpecial, kSpecialTeleport);
    Frame();
    Frame({kCtlChangeSpecial});
    EXPECT_EQ(ship->SelectedSpecial, kSpecialCloak);
    EXPECT_EQ(ship->SpecialCursor, 0);

    // A full list wraps after its tenth entry.
    for (int& s : ship->SpecialList) s = 9;
    ship->SpecialCursor = 9;
    Press(kCtlChangeSpecial);
    EXPECT_EQ(ship->SpecialCursor, 0);
}

TEST_F(ShipSpecials, EachActionPlaysItsSound) {
    SoundWatch sounds;
    const auto playsOnly = [](int slot) {
        EXPECT_EQ(SoundWatch::PlayingSlots(), std::vector<int>{slot});
        SoundWatch::StopAll();
    };
    Fit({kSpecialCloak, kSpecialTeleport}, kCloakNormal);
    struct Tech {
        int technology, slot;
    };
    for (Tech t : {Tech{0, 21}, Tech{3, 21}, Tech{4, 39}, Tech{5, 39}, Tech{6, 37}}) {
        SCOPED_TRACE(t.technology);
        ship->Technology = t.technology;
        Press(kCtlChangeSpecial);
        playsOnly(t.slot);
    }
    ASSERT_EQ(ship->SelectedSpecial, kSpecialTeleport);
    Press(kCtlActivateSpecial);
    playsOnly(43);
    // Teleport again without energy: silent.
    Press(kCtlActivateSpecial);
    EXPECT_TRUE(SoundWatch::PlayingSlots().empty());

    Fit({kSpecialCloak}, kCloakNormal);
    ship->SpecialEnergy = 100;
    Press(kCtlActivateSpecial);
    playsOnly(41);
    Frames(130);
    Frame({kCtlFire});
    playsOnly(42);

    Fit({kSpecialCloak}, kCloakPhasing);
    ship->SpecialEnergy = 100;
    ship->CloakState = ship->CloakLevel = 0;
    Press(kCtlActivateSpecial);
    playsOnly(40);
}

TEST_F(ShipSpecials, BothCloaksTake129FramesAndTakeEffectOnlyAtTheEnd) {
    struct Case {
        int cloak;
        int target;
    };
    for (Case c : {Case{kCloakNormal, 256}, Case{kCloakPhasing, 128}}) {
        SCOPED_TRACE(c.cloak);
        Fresh();
        Fit({kSpecialCloak}, c.cloak);
        Frame({kCtlActivateSpecial});
        EXPECT_EQ(ship->CloakWanted, c.cloak);
        EXPECT_EQ(ship->CloakTarget, c.target);
        EXPECT_FLOAT_EQ(ship->SpecialEnergy, 0.0f);
        Frames(127);  // 128 frames so far: fully faded but not in force
        EXPECT_EQ(ship->CloakLevel, c.target);
        EXPECT_EQ(ship->CloakState, kCloakNone);
        Frame();
        EXPECT_EQ(ship->CloakState, c.cloak);
        EXPECT_EQ(ship->CloakLevel, c.target);
        Frames(10);
        EXPECT_EQ(ship->CloakLevel, c.target);

        // The activate key uncloaks with more than 20 energy; the cloak stays
        // in force while the ship fades back in over another 129 frames.
        ship->SpecialEnergy = 20.0f;
        Press(kCtlActivateSpecial);
        EXPECT_EQ(ship->CloakWanted, c.cloak);
        ship->SpecialEnergy = 20.5f;
        Frame({kCtlActivateSpecial});
        EXPECT_EQ(ship->CloakWanted, kCloakNone);
        EXPECT_EQ(ship->CloakTarget, 0);
        EXPECT_FLOAT_EQ(ship->SpecialEnergy, 0.0f);
        Frames(127);
        EXPECT_EQ(ship->CloakState, c.cloak);
        Frame();
        EXPECT_EQ(ship->CloakState, kCloakNone);
        EXPECT_EQ(ship->CloakLevel, 0);
    }
}

TEST_F(ShipSpecials, ActivatingDuringTheFadeOutDoesNothing) {
    Fit({kSpecialCloak}, kCloakNormal);
    Press(kCtlActivateSpecial);
    const int level = ship->CloakLevel;
    ship->SpecialEnergy = 50.0f;  // below 80, and the cloak not yet in force
    Frame({kCtlActivateSpecial});
    EXPECT_EQ(ship->CloakWanted, kCloakNormal);
    EXPECT_EQ(ship->CloakLevel, level + 2);
    EXPECT_FLOAT_EQ(ship->SpecialEnergy, 50.0f);
}

TEST_F(ShipSpecials, CloakingNeedsMoreThan80Energy) {
    Fit({kSpecialCloak}, kCloakNormal);
    ship->SpecialEnergy = 80.0f;
    Frame({kCtlActivateSpecial});
    EXPECT_EQ(ship->CloakWanted, kCloakNone);
    EXPECT_EQ(ship->CloakLevel, 0);
    EXPECT_FLOAT_EQ(ship->SpecialEnergy, 80.0f);
}

TEST_F(ShipSpecials, TheFireKeyUncloaksAFullCloakAtAnyEnergy) {
    Fit({kSpecialCloak}, kCloakNormal);
    ship->CloakState = ship->CloakWanted = kCloakNormal;
    ship->CloakLevel = ship->CloakTarget = 256;
    ship->SpecialEnergy = 0;
    Frame({kCtlFire});
    EXPECT_EQ(ship->CloakWanted, kCloakNone);
    EXPECT_EQ(ship->CloakTarget, 0);
    EXPECT_EQ(ship->CloakState, kCloakNormal);
    // Fire held on while fading back in changes nothing more.
    ship->SpecialEnergy = 10.0f;
    Frame({kCtlFire});
    EXPECT_FLOAT_EQ(ship->SpecialEnergy, 10.0f);
    EXPECT_EQ(ship->CloakLevel, 256 - 2);

    // Nor does fire while the cloak is still fading out.
    Fresh();
    Fit({kSpecialCloak}, kCloakPhasing);
    Press(kCtlActivateSpecial);
    Frame({kCtlFire});
    EXPECT_EQ(ship->CloakWanted, kCloakPhasing);
}

TEST_F(ShipSpecials, DeathBlossomSpinsChargesAndEndsOnASecondPress) {
    Fit({kSpecialBlossom});
    ship->LaserCount = 1;
    ship->IonCount = 1;
    ship->BeamCount = 1;
    ship->MountCount = 3;
    ship->MountEnergy[0] = 10.0f;
    ship->MountEnergy[1] = 14.98f;
    ship->MountEnergy[2] = 5.0f;
    ship->Heading = 355.0f;
    ship->LaserCooldown = ship->IonCooldown = ship->MissileCooldown = 40;

    SeedRandom(7);
    const int spin = Random(10) + 5;
    SeedRandom(7);
    Frame({kCtlActivateSpecial});
    EXPECT_EQ(ship->BlossomTimer, 99);
    EXPECT_FLOAT_EQ(ship->SpecialEnergy, 0.0f);
    const float expected = 355.0f + static_cast<float>(spin);
    EXPECT_FLOAT_EQ(ship->Heading, expected > 359.0f ? expected - 360.0f : expected);
    EXPECT_GE(ship->Heading, 0.0f);
    EXPECT_LT(ship->Heading, 360.0f);
    EXPECT_EQ(ship->LaserCooldown, 0);
    EXPECT_EQ(ship->IonCooldown, 0);
    EXPECT_EQ(ship->MissileCooldown, 0);
    EXPECT_FLOAT_EQ(ship->MountEnergy[0], 10.05f);
    EXPECT_FLOAT_EQ(ship->MountEnergy[1], 15.0f);  // capped
    EXPECT_FLOAT_EQ(ship->MountEnergy[2], 5.0f);   // beams are not charged

    Frames(9);
    EXPECT_EQ(ship->BlossomTimer, 90);
    Frame({kCtlActivateSpecial});
    EXPECT_EQ(ship->BlossomTimer, 0);
    const float heading = ship->Heading;
    Frames(3);
    EXPECT_FLOAT_EQ(ship->Heading, heading);

    // Without full energy a press starts nothing.
    ship->SpecialEnergy = 99.9f;
    Press(kCtlActivateSpecial);
    EXPECT_EQ(ship->BlossomTimer, 0);
}

TEST_F(ShipSpecials, ABlossomRunsOutAfter100Frames) {
    Fit({kSpecialBlossom});
    Press(kCtlActivateSpecial);
    Frames(97);
    EXPECT_EQ(ship->BlossomTimer, 1);
    Frame();
    EXPECT_EQ(ship->BlossomTimer, 0);
}

TEST_F(ShipSpecials, TeleportNeedsFullEnergyAndKeepsTheSpeed) {
    Fit({kSpecialTeleport});
    ship->X = 500;
    ship->Y = 600;
    ship->VX = 3;
    ship->VY = -2;
    ship->Heading = 123;
    ship->SpecialEnergy = 99.9f;
    Press(kCtlActivateSpecial);
    EXPECT_FLOAT_EQ(ship->X, 500.0f);
    EXPECT_FLOAT_EQ(ship->SpecialEnergy, 99.9f);

    ship->SpecialEnergy = 100.0f;
    SeedRandom(11);
    const int x = Random(2000);
    const int y = Random(2000);
    SeedRandom(11);
    Frame({kCtlActivateSpecial});
    EXPECT_FLOAT_EQ(ship->X, static_cast<float>(x));
    EXPECT_FLOAT_EQ(ship->Y, static_cast<float>(y));
    EXPECT_FLOAT_EQ(ship->VX, 3.0f);
    EXPECT_FLOAT_EQ(ship->VY, -2.0f);
    EXPECT_FLOAT_EQ(ship->Heading, 123.0f);
    EXPECT_FLOAT_EQ(ship->SpecialEnergy, 0.0f);
}

TEST_F(ShipSpecials, KindsAbove3DoNothing) {
    Fit({4, 9});
    const float x = ship->X;
    Frame({kCtlActivateSpecial});
    EXPECT_FLOAT_EQ(ship->SpecialEnergy, 100.0f);
    EXPECT_FLOAT_EQ(ship->X, x);
    EXPECT_EQ(ship->BlossomTimer, 0);
    EXPECT_EQ(ship->CloakWanted, 0);
    Frame({kCtlChangeSpecial});
    EXPECT_EQ(ship->SelectedSpecial, 9);
}

}  // namespace
