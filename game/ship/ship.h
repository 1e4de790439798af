// A ship: one player's craft in the arena. It carries a copy of its class's
// values, the state of its weapons, specials, cloak, shields, armour and 25
// subsystems, its smoke, its pilot and opponent, and its player's ten keys.
//
// Its behaviour is split by subject: creation and reset (ship.cpp), flight
// (ship_flight.cpp), weapons (ship_weapons.cpp), specials (ship_specials.cpp),
// damage and repair (ship_damage.cpp), drawing, smoke, engine sound and status
// bars (ship_draw.cpp).
#pragma once

#include <cstdint>

#include "game/arena/world.h"
#include "vx/vxformat.h"

class Player;
class Planet;

inline constexpr int kMounts = 20;
inline constexpr int kSubsystemCount = 25;
inline constexpr int kSmokeSlots = 50;
inline constexpr int kShipControls = 10;
inline constexpr int kSpecialSlots = 10;

// Subsystem indices; mount m is subsystem kSubMount0 + m.
enum Subsystem : int {
    kSubMissiles = 0,
    kSubShields = 1,
    kSubEngine = 2,
    kSubSteering = 3,
    kSubGenerator = 4,
    kSubMount0 = 5,
};

// SubsystemState.
inline constexpr int kSubBroken = 0;
inline constexpr int kSubDamaged = 1;
inline constexpr int kSubOk = 2;
inline constexpr int kSubNotFitted = 100;

// ShipControl: the order of a ship's KeyCodes and KeyDown, and of each
// player's ten key bindings in KeyBindings (slots 0..9 player 1, 10..19
// player 2).
enum ShipControl : int {
    kCtlThrust = 0,
    kCtlShootNormal = 1,
    kCtlTurnLeft = 2,
    kCtlTurnRight = 3,
    kCtlFire = 4,  // always the same key as kCtlShootNormal
    kCtlActivateSpecial = 5,
    kCtlChangeSpecial = 6,
    kCtlChangeNormal = 7,
    kCtlChangeTarget = 8,
    kCtlCycleLinkMode = 9,
};

// WeaponGroup.
inline constexpr int kGroupLasers = 0;
inline constexpr int kGroupIons = 1;
inline constexpr int kGroupBeams = 2;
inline constexpr int kGroupMissiles = 3;

// LinkMode: how many mounts of the selected group fire at one press.
inline constexpr int kLinkChain = 1;   // one mount after the other
inline constexpr int kLinkDouble = 2;  // two at a time
inline constexpr int kLinkFull = 4;    // the whole group

// The energy a mount holds when full; a shot draws on it and the generator
// charges it back.
inline constexpr float kMountEnergyMax = 15.0f;

// SpecialKind.
inline constexpr int kSpecialCloak = 1;
inline constexpr int kSpecialBlossom = 2;
inline constexpr int kSpecialTeleport = 3;

// CloakKind.
inline constexpr int kCloakNone = 0;
inline constexpr int kCloakNormal = 1;
inline constexpr int kCloakPhasing = 2;

class Ship : public Object {
public:
    // Side 0 is blue (player 1, left), side 1 green (player 2, right). Sets
    // only the pilot, screen width, side, class, pan, colour and keys: the
    // caller must Reset the ship and set Opponent before it flies.
    Ship(int side, Player* pilot, int classIndex);

    // One frame of a living ship (ship_flight.cpp gives the order).
    void Update() override;
    // With the work surface locked and the side's colour set.
    void Draw() override;
    void DrawBrackets() override {}
    void Collide() override {}
    // Called right before Reset by the round and selection code.
    virtual void Respawn() {}

    // Prepares the ship for a round from its class.
    void Reset();

    // Flight.
    void ApplyPlanetGravity(const Planet* planet);
    void CheckPlanetCollision();

    // Weapons: step 8 of Update (firing, then the cooldowns), the
    // cycle-linkmode and change-normal keys of step 9, and step 10.
    void FireWeapons();
    void HandleWeaponKeys();
    void StorePreviousKeys();

    // Specials: the change-special and activate-special keys, the cloak fade,
    // the death blossom and the fire key's uncloak (step 9 of Update).
    void UpdateSpecials();

    // Damage and repair.
    void ResolveDamage();
    void RepairSubsystems();

    // Drawing, smoke, engine sound and status bars.
    void AfterDraw() {}
    void UpdateSmoke();
    void PlayEngineSound();
    void DrawStatus();

    int SoundPan = 0;
    int ScreenWidth = 0;
    int IonCooldown = 0;
    int MissileCooldown = 0;
    int LaserCooldown = 0;
    int Turn = 0;
    float Acceleration = 0;
    int ImageSelection = 0;
    int FrameCount = 0;
    int AimLine = 0;
    int LaserCount = 0;
    int IonCursor = 0;
    int LaserCursor = 0;
    int IonCount = 0;
    int IonCooldownBase = 0;
    int LaserCooldownBase = 0;
    int MountCount = 0;
    float MountEnergy[kMounts] = {};
    int BeamCount = 0;
    int EngineSoundKind = 0;
    int BeamCooldown = 0;
    int BeamCursor = 0;
    float TurretCover[kMounts] = {};
    float FireDirection[kMounts] = {};
    float WeaponX[kMounts] = {};
    float WeaponY[kMounts] = {};
    float Power[kMounts] = {};
    int Range[kMounts] = {};
    int Technology = 0;
    Player* Pilot = nullptr;
    int DrawScale = 0;
    int BoundingSphere = 0;
    int ClassIndex = 0;
    PixelValue ShipColour = 0;
    int Missiles = 0;
    int Side = 0;
    int WeaponGroup = 0;
    int AstroDroidArmed = 0;
    float Heading = 0;
    int PrevLinkKey = 0;
    int PrevGroupKey = 0;
    int PrevSpecialKey = 0;
    int PrevActivateKey = 0;
    int SelectedSpecial = -1;
    int SpecialCursor = 0;
    int BlossomTimer = 0;
    float SpecialEnergy = 0;
    float DriveRamp = 0;
    int CloakState = 0;
    int CloakWanted = 0;
    int Cloak = 0;
    int CloakLevel = 0;
    int CloakTarget = 0;
    int Drive = 0;
    float SmokeX[kSmokeSlots] = {};
    float SmokeY[kSmokeSlots] = {};
    int SmokeLife[kSmokeSlots] = {};
    float SmokeVX[kSmokeSlots] = {};
    float SmokeVY[kSmokeSlots] = {};
    std::uint8_t OpponentDown = 0;
    int KeyCodes[kShipControls] = {};
    std::uint8_t KeyDown[kShipControls] = {};
    int SmokeToEmit = 0;
    Ship* Opponent = nullptr;
    float AreaDamage = 0;
    float FrontShieldDamage = 0;
    float BackShieldDamage = 0;
    float FrontShieldOnlyDamage = 0;
    float BackShieldOnlyDamage = 0;
    float ShieldOnlyAreaDamage = 0;
    int ShipValue = 0;
    int Subsystems[kSubsystemCount] = {};
    int SpecialList[kSpecialSlots] = {};
    int LinkAll = 0;
    float FrontShield = 0;
    float BackShield = 0;
    int ShieldMax = 0;
    int HullMax = 0;
    int MissileCapacity = 0;
    int FrontArmourMax = 0;
    int BackArmourMax = 0;
    float FrontArmour = 0;
    float BackArmour = 0;
    int LinkMode = kLinkChain;
    // The velocity the inertialess drive set in the last update; beyond a
    // wall the ship keeps what was added to it since (ship_flight.cpp).
    float DriveVX = 0;
    float DriveVY = 0;
};
