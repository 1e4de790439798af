// Specials: choosing and switching on the cloak, the death blossom and the
// subspace teleport, the cloak's fade in and out, the blossom's spin and the
// fire key's uncloak. All of them run on the one SpecialEnergy reserve.
#include "game/common/random.h"
#include "game/ship/ship.h"
#include "game/program/winmain.h"

namespace {

// Cloak levels: a normal cloak fades the ship out completely, a phasing cloak
// leaves it half visible.
constexpr int kCloakLevelNormal = 256;
constexpr int kCloakLevelPhasing = 128;

constexpr float kCloakEnergy = 80.0f;
constexpr float kUncloakEnergy = 20.0f;
constexpr float kFullEnergy = 100.0f;
constexpr int kBlossomFrames = 100;
constexpr float kBlossomCharge = 0.05f;

// Starts fading the ship back in; the cloak stays in force until the fade ends.
void Uncloak(Ship& ship) {
    PlayOnce(SoundUncloaking);
    ship.CloakWanted = kCloakNone;
    ship.SpecialEnergy = 0;
    ship.CloakTarget = 0;
}

void ChangeSpecial(Ship& ship) {
    if (ship.SpecialList[0] == -1) return;
    if (ship.Technology == 6)
        PlayOnce(SoundStarFleetBeep2);
    else if (ship.Technology == 4 || ship.Technology == 5)
        PlayOnce(SoundAllianceBeep2);
    else
        PlayOnce(SoundSelect2);
    int next = ship.SpecialCursor + 1;
    if (next < 0 || next >= kSpecialSlots || ship.SpecialList[next] == -1) next = 0;
    ship.SpecialCursor = next;
    ship.SelectedSpecial = ship.SpecialList[next];
}

void ActivateCloak(Ship& ship) {
    if (ship.CloakState == kCloakNone && ship.SpecialEnergy > kCloakEnergy) {
        ship.CloakWanted = ship.Cloak;
        if (ship.Cloak == kCloakPhasing) {
            PlayOnce(SoundPhasing);
            ship.CloakTarget = kCloakLevelPhasing;
        } else {
            PlayOnce(SoundCloaking);
            ship.CloakTarget = kCloakLevelNormal;
        }
        ship.CloakLevel = 0;
        ship.SpecialEnergy = 0;
    } else if (ship.SpecialEnergy > kUncloakEnergy && ship.CloakState != kCloakNone) {
        Uncloak(ship);
    }
}

void ActivateBlossom(Ship& ship) {
    if (ship.SpecialEnergy >= kFullEnergy && ship.BlossomTimer == 0) {
        ship.BlossomTimer = kBlossomFrames;
        ship.SpecialEnergy = 0;
    } else if (ship.BlossomTimer > 0) {
        ship.BlossomTimer = 0;
    }
}

void ActivateTeleport(Ship& ship) {
    if (ship.SpecialEnergy < kFullEnergy) return;
    PlayOnce(SoundTeleport);
    ship.X = static_cast<float>(Random(static_cast<int>(kArenaSize)));
    ship.Y = static_cast<float>(Random(static_cast<int>(kArenaSize)));
    ship.SpecialEnergy = 0;
}

void ActivateSpecial(Ship& ship) {
    switch (ship.SelectedSpecial) {
        case kSpecialCloak: ActivateCloak(ship); break;
        case kSpecialBlossom: ActivateBlossom(ship); break;
        case kSpecialTeleport: ActivateTeleport(ship); break;
        default: break;  // none selected, or a kind that does nothing
    }
}

// A normal cloak fades twice as fast as a phasing one, so both take 129
// frames; the state changes only when the fade ends.
void FadeCloak(Ship& ship) {
    const int step = ship.Cloak == kCloakNormal ? 2 : 1;
    if (ship.CloakWanted == kCloakNone) {
        ship.CloakLevel -= step;
        if (ship.CloakLevel < 0) {
            ship.CloakState = kCloakNone;
            ship.CloakLevel = 0;
        }
    } else {
        ship.CloakLevel += step;
        if (ship.CloakLevel > ship.CloakTarget) {
            ship.CloakState = ship.CloakWanted;
            ship.CloakLevel = ship.CloakTarget;
        }
    }
}

// The blossom spins the ship and keeps its energy weapons ready; the firing
// steps do the shooting while BlossomTimer runs.
void SpinBlossom(Ship& ship) {
    if (ship.BlossomTimer <= 0) return;
    ship.Heading += static_cast<float>(Random(10) + 5);
    if (ship.Heading > 359.0f) ship.Heading -= 360.0f;
    --ship.BlossomTimer;
    ship.LaserCooldown = 0;
    ship.IonCooldown = 0;
    ship.MissileCooldown = 0;
    int energyMounts = ship.MountCount - ship.BeamCount;
    if (energyMounts > kMounts) energyMounts = kMounts;
    for (int m = 0; m < energyMounts; ++m) {
        ship.MountEnergy[m] += kBlossomCharge;
        if (ship.MountEnergy[m] > kMountEnergyMax) ship.MountEnergy[m] = kMountEnergyMax;
    }
}

}  // namespace

void Ship::UpdateSpecials() {
    if (KeyDown[kCtlChangeSpecial] && PrevSpecialKey == 0) ChangeSpecial(*this);
    if (KeyDown[kCtlActivateSpecial] && PrevActivateKey == 0 && SelectedSpecial != -1) ActivateSpecial(*this);
    FadeCloak(*this);
    SpinBlossom(*this);
    // The fire key drops a cloak that is fully in force.
    if (KeyDown[kCtlFire] && CloakState != kCloakNone && CloakWanted == CloakState) Uncloak(*this);
}
