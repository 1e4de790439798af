// One ship class as ships.dat stores it, and the file's two layouts.
//
// The game keeps its 44 classes and the editor its 20 designs as parallel
// arrays, one array per field. Both sides copy a class into this plain record
// to encode, decode or price it, and copy it back into their own arrays.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace shipdata {

inline constexpr int kWeaponSlots = 20;
inline constexpr int kNameSize = 20;       // every text field is a 20-byte buffer
inline constexpr int kReservedSize = 356;
inline constexpr int kSpecialCount = 10;
inline constexpr int kArmorCount = 2;

inline constexpr std::size_t kRecordSize = 1256;
inline constexpr int kFileRecords = 20;
inline constexpr std::size_t kFileSize = kRecordSize * kFileRecords;  // 25120

// The older file: the first 848 bytes of each record (Active .. Range), ten
// records.
inline constexpr std::size_t kLegacyRecordSize = 848;
inline constexpr int kLegacyFileRecords = 10;
inline constexpr std::size_t kLegacyFileSize = kLegacyRecordSize * kLegacyFileRecords;  // 8480

// WeaponType values.
enum WeaponKind : std::int32_t {
    NoWeapon = -1,
    Laser = 0,
    IonCannon = 1,
    CuttingBeam = 2,
};

// ImageSelection 0..23 borrows the frames of that built-in class; 100 uses
// the record's own ImageFolder/ImageName files.
inline constexpr std::int32_t CustomImage = 100;

// Indices into Specials.
enum SpecialIndex : int {
    Drive = 0,         // DriveSystem: 1 "Star Wars", 0 "Normal"
    Cloak = 1,         // CloakKind: 0 none, 1 cloak, 2 phasing cloak
    DeathBlossom = 2,  // 0/1
    Teleport = 3,      // 0/1
};

// The 33 fields in file order. The in-memory layout of this struct does not
// matter: the codec reads and writes each field at its fixed offset.
struct ShipClassRecord {
    std::int32_t Active;
    std::int32_t WeaponType[kWeaponSlots];
    std::int32_t WeaponX[kWeaponSlots];
    std::int32_t WeaponY[kWeaponSlots];
    float Aim[kWeaponSlots];
    float Convergence[kWeaponSlots];
    float FireDirection[kWeaponSlots];
    std::int32_t Technology;
    std::int32_t ImageSelection;
    std::int32_t Missiles;
    std::int32_t IonCount;
    std::int32_t LaserCount;
    std::int32_t Turn;
    float Acceleration;
    std::int32_t Shield;
    std::int32_t Hull;
    std::int32_t DrawScale;
    std::int32_t BoundingSphere;
    std::int32_t FrameCount;
    char ImageFolder[kNameSize];
    char ImageName[kNameSize];
    char Name[kNameSize];
    std::int32_t AimLine;
    std::int32_t AstroDroid;
    std::int32_t EngineSoundKind;
    std::int32_t TurretCover[kWeaponSlots];
    std::int32_t BeamCount;
    std::int32_t Power[kWeaponSlots];
    std::int32_t Range[kWeaponSlots];
    // ---- not in the older 848-byte record ----
    std::int32_t Armor[kArmorCount];  // [0] front, [1] back
    std::uint8_t Reserved[kReservedSize];
    std::int32_t LinkAll;
    std::int32_t Specials[kSpecialCount];
};

// Byte offsets of the fields inside one record.
namespace offset {
inline constexpr std::size_t Active = 0;
inline constexpr std::size_t WeaponType = 4;
inline constexpr std::size_t WeaponX = 84;
inline constexpr std::size_t WeaponY = 164;
inline constexpr std::size_t Aim = 244;
inline constexpr std::size_t Convergence = 324;
inline constexpr std::size_t FireDirection = 404;
inline constexpr std::size_t Technology = 484;
inline constexpr std::size_t ImageSelection = 488;
inline constexpr std::size_t Missiles = 492;
inline constexpr std::size_t IonCount = 496;
inline constexpr std::size_t LaserCount = 500;
inline constexpr std::size_t Turn = 504;
inline constexpr std::size_t Acceleration = 508;
inline constexpr std::size_t Shield = 512;
inline constexpr std::size_t Hull = 516;
inline constexpr std::size_t DrawScale = 520;
inline constexpr std::size_t BoundingSphere = 524;
inline constexpr std::size_t FrameCount = 528;
inline constexpr std::size_t ImageFolder = 532;
inline constexpr std::size_t ImageName = 552;
inline constexpr std::size_t Name = 572;
inline constexpr std::size_t AimLine = 592;
inline constexpr std::size_t AstroDroid = 596;
inline constexpr std::size_t EngineSoundKind = 600;
inline constexpr std::size_t TurretCover = 604;
inline constexpr std::size_t BeamCount = 684;
inline constexpr std::size_t Power = 688;
inline constexpr std::size_t Range = 768;
inline constexpr std::size_t Armor = 848;
inline constexpr std::size_t Reserved = 856;
inline constexpr std::size_t LinkAll = 1212;
inline constexpr std::size_t Specials = 1216;
}  // namespace offset

// A record filled with zeros.
ShipClassRecord ZeroRecord();

// A fresh editor design: inactive, no weapons (type -1, convergence 1000,
// power 10, range 120), custom image with 60 frames, missiles 4, turn 3,
// acceleration 1.0, shield and hull 50, draw scale and sphere 25, astro
// droid not fitted, empty strings, no armour or specials.
ShipClassRecord FreshDesign();

// Writes the record's 1256 bytes into `out` (which must hold kRecordSize).
void EncodeRecord(const ShipClassRecord& rec, std::span<std::uint8_t, kRecordSize> out);
std::array<std::uint8_t, kRecordSize> EncodeRecord(const ShipClassRecord& rec);

// Reads all 33 fields from a 1256-byte record.
void DecodeRecord(std::span<const std::uint8_t, kRecordSize> in, ShipClassRecord& rec);

// Reads the first 29 fields (Active .. Range) of an older 848-byte record.
// Armor, Reserved, LinkAll and Specials of `rec` are left as they were.
void DecodeLegacyRecord(std::span<const std::uint8_t, kLegacyRecordSize> in,
                        ShipClassRecord& rec);

// The whole 25120-byte file of 20 records.
std::vector<std::uint8_t> EncodeFile(std::span<const ShipClassRecord, kFileRecords> records);

// Decodes a file of exactly 25120 bytes; anything else gives nothing.
std::optional<std::array<ShipClassRecord, kFileRecords>> DecodeFile(
    std::span<const std::uint8_t> bytes);

// Decodes a file of exactly 8480 bytes into records 0..9 of `records`,
// leaving their later fields and records 10..19 untouched. Returns false (and
// changes nothing) for any other length.
bool DecodeLegacyFile(std::span<const std::uint8_t> bytes,
                      std::span<ShipClassRecord, kFileRecords> records);

// Copies a 20-byte text buffer so that the copy is cut at 19 characters and
// always NUL-terminated, with the rest zero-filled.
void CopyName(char (&dst)[kNameSize], const char* src, std::size_t srcSize = kNameSize);

}  // namespace shipdata
