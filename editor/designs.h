// The editor's 20 ship designs, held field by field in the order and with the
// widths of one ships.dat record: design d of every array is the design in
// slot d, the record d of the file and the game's class 24 + d.
#pragma once

#include "shipdata/shipclassrecord.h"

#include <array>
#include <cstdint>

namespace hull {

constexpr int kDesigns = 20;
constexpr int kSlots = 20;
constexpr int kTextSize = 20;     // 19 characters and the NUL
constexpr int kReservedSize = 356;

enum WeaponKind : int32_t { kEmpty = -1, kLaser = 0, kIonCannon = 1, kCuttingBeam = 2 };
constexpr int32_t kCustomImage = 100;

template <typename T>
using PerDesign = std::array<T, kDesigns>;
template <typename T>
using PerSlot = std::array<std::array<T, kSlots>, kDesigns>;
using Text = std::array<char, kTextSize>;

struct Designs {
    PerDesign<int32_t> Active;
    PerSlot<int32_t> WeaponType;
    PerSlot<int32_t> WeaponX;
    PerSlot<int32_t> WeaponY;
    PerSlot<float> Aim;
    PerSlot<float> Convergence;
    PerSlot<float> FireDirection;
    PerDesign<int32_t> Technology;
    PerDesign<int32_t> ImageSelection;
    PerDesign<int32_t> Missiles;
    PerDesign<int32_t> IonCount;
    PerDesign<int32_t> LaserCount;
    PerDesign<int32_t> Turn;
    PerDesign<float> Acceleration;
    PerDesign<int32_t> Shield;
    PerDesign<int32_t> Hull;
    PerDesign<int32_t> DrawScale;
    PerDesign<int32_t> BoundingSphere;
    PerDesign<int32_t> FrameCount;
    PerDesign<Text> ImageFolder;
    PerDesign<Text> ImageName;
    PerDesign<Text> Name;
    PerDesign<int32_t> AimLine;
    PerDesign<int32_t> AstroDroid;
    PerDesign<int32_t> EngineSoundKind;
    PerSlot<int32_t> TurretCover;
    PerDesign<int32_t> BeamCount;
    PerSlot<int32_t> Power;
    PerSlot<int32_t> Range;
    PerDesign<std::array<int32_t, 2>> Armor;
    PerDesign<std::array<uint8_t, kReservedSize>> Reserved;
    PerDesign<int32_t> LinkAll;
    PerDesign<std::array<int32_t, 10>> Specials;

    // Gives design d the values of a fresh design.
    void SetDefaults(int d);
    // Empties weapon slot s of design d (type, place, aim, convergence,
    // direction, cover, power and range).
    void ClearSlot(int d, int s);

    // Design d as one ships.dat record, and back. Text fields are read up to
    // their NUL and at most 19 characters.
    shipdata::ShipClassRecord Record(int d) const;
    void SetRecord(int d, const shipdata::ShipClassRecord& record);
};

// Indexes of `Specials`.
constexpr int kDrive = 0;
constexpr int kCloak = 1;
constexpr int kDeathBlossom = 2;
constexpr int kTeleport = 3;

} // namespace hull
