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
constexpr int kTextSize = shipdata::kNameSize;  // 19 characters and the NUL
constexpr int kReservedSize = shipdata::kReservedSize;

constexpr int32_t kEmpty = shipdata::NoWeapon;
constexpr int32_t kLaser = shipdata::Laser;
constexpr int32_t kIonCannon = shipdata::IonCannon;
constexpr int32_t kCuttingBeam = shipdata::CuttingBeam;
constexpr int32_t kCustomImage = shipdata::CustomImage;
// A design's frame count runs 1..kMaxFrameCount, the range of the "Frame
// count" bar; the game itself takes custom sets of up to 360 frames.
constexpr int kMaxFrameCount = 180;

template <typename T>
using PerDesign = std::array<T, kDesigns>;
using Text = std::array<char, kTextSize>;

// What a design holds of one record field: the value itself, or the record's
// C array as a std::array.
template <typename Field>
struct DesignValueOf {
    using type = Field;
};
template <typename T, size_t N>
struct DesignValueOf<T[N]> {
    using type = std::array<T, N>;
};
template <typename Field>
using DesignValue = typename DesignValueOf<Field>::type;

struct Designs {
    // One array per record field, named as in the record: PerDesign of a
    // value, or of a std::array as long as the record's array.
#define HULL_DESIGN_FIELD(name, kind, count, at) PerDesign<DesignValue<decltype(shipdata::ShipClassRecord::name)>> name;
    SHIPDATA_RECORD_FIELDS(HULL_DESIGN_FIELD)
#undef HULL_DESIGN_FIELD

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

}  // namespace hull
