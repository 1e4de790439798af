// The editor's 20 ship designs, held field by field in the order and with the
// widths of one ships.dat record: design d of every array is the design in
// slot d, the record d of the file and the game's class 24 + d.
#pragma once

#include "shipdata/shipclassrecord.h"

#include <array>
#include <cstdint>

namespace hull {

constexpr int kDesigns = shipdata::kFileRecords;
constexpr int kSlots = shipdata::kWeaponSlots;
constexpr int kTextSize = shipdata::kNameSize; // 19 characters and the NUL
constexpr int kReservedSize = shipdata::kReservedSize;

constexpr int32_t kEmpty = shipdata::NoWeapon;
constexpr int32_t kLaser = shipdata::Laser;
constexpr int32_t kIonCannon = shipdata::IonCannon;
constexpr int32_t kCuttingBeam = shipdata::CuttingBeam;
constexpr int32_t kCustomImage = shipdata::CustomImage;

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
    PerDesign<std::array<int32_t, shipdata::kArmorCount>> Armor;
    PerDesign<std::array<uint8_t, kReservedSize>> Reserved;
    PerDesign<int32_t> LinkAll;
    PerDesign<std::array<int32_t, shipdata::kSpecialCount>> Specials;

    // Gives design d the values of a fresh design.
    void SetDefaults(int d);

    // Design d as one ships.dat record, and back, byte for byte: a text field
    // keeps all 20 bytes as stored (FieldText shows it up to its NUL, at most
    // 19 characters).
    shipdata::ShipClassRecord Record(int d) const;
    void SetRecord(int d, const shipdata::ShipClassRecord& record);
};

// Indexes of `Specials`.
constexpr int kDrive = shipdata::Drive;
constexpr int kCloak = shipdata::Cloak;
constexpr int kDeathBlossom = shipdata::DeathBlossom;
constexpr int kTeleport = shipdata::Teleport;

} // namespace hull
