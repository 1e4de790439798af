// One ship class as ships.dat stores it, and the file's two layouts.
//
// The game keeps its 44 classes and the editor its 20 designs as parallel
// arrays, one array per field. Both sides copy a class into this plain record
// to encode, decode or price it, and copy it back into their own arrays.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <ranges>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

namespace shipdata {

inline constexpr int kWeaponSlots = 20;
inline constexpr int kNameSize = 20;  // every text field is a 20-byte buffer
inline constexpr int kReservedSize = 356;
inline constexpr int kSpecialCount = 10;
inline constexpr int kArmorCount = 2;

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

// The 33 fields of a record in file order, as X(name, kind, count, offset).
// Int and Float are one little-endian 32-bit value, Ints and Floats `count`
// of them, Text a `count`-byte text buffer and Bytes `count` raw bytes. The
// struct, the offsets, the codec and every copy between a record and the
// programs' own arrays are expanded from this one list; the older record is
// the list cut after Range. Armor is [0] front, [1] back.
#define SHIPDATA_RECORD_FIELDS(X)               \
    X(Active, Int, 1, 0)                        \
    X(WeaponType, Ints, kWeaponSlots, 4)        \
    X(WeaponX, Ints, kWeaponSlots, 84)          \
    X(WeaponY, Ints, kWeaponSlots, 164)         \
    X(Aim, Floats, kWeaponSlots, 244)           \
    X(Convergence, Floats, kWeaponSlots, 324)   \
    X(FireDirection, Floats, kWeaponSlots, 404) \
    X(Technology, Int, 1, 484)                  \
    X(ImageSelection, Int, 1, 488)              \
    X(Missiles, Int, 1, 492)                    \
    X(IonCount, Int, 1, 496)                    \
    X(LaserCount, Int, 1, 500)                  \
    X(Turn, Int, 1, 504)                        \
    X(Acceleration, Float, 1, 508)              \
    X(Shield, Int, 1, 512)                      \
    X(Hull, Int, 1, 516)                        \
    X(DrawScale, Int, 1, 520)                   \
    X(BoundingSphere, Int, 1, 524)              \
    X(FrameCount, Int, 1, 528)                  \
    X(ImageFolder, Text, kNameSize, 532)        \
    X(ImageName, Text, kNameSize, 552)          \
    X(Name, Text, kNameSize, 572)               \
    X(AimLine, Int, 1, 592)                     \
    X(AstroDroid, Int, 1, 596)                  \
    X(EngineSoundKind, Int, 1, 600)             \
    X(TurretCover, Ints, kWeaponSlots, 604)     \
    X(BeamCount, Int, 1, 684)                   \
    X(Power, Ints, kWeaponSlots, 688)           \
    X(Range, Ints, kWeaponSlots, 768)           \
    X(Armor, Ints, kArmorCount, 848)            \
    X(Reserved, Bytes, kReservedSize, 856)      \
    X(LinkAll, Int, 1, 1212)                    \
    X(Specials, Ints, kSpecialCount, 1216)

enum class FieldKind { Int, Ints, Float, Floats, Text, Bytes };

namespace detail {
template <FieldKind Kind, std::size_t Count>
struct FieldShape;
template <>
struct FieldShape<FieldKind::Int, 1> {
    using type = std::int32_t;
};
template <>
struct FieldShape<FieldKind::Float, 1> {
    using type = float;
};
template <std::size_t Count>
struct FieldShape<FieldKind::Ints, Count> {
    using type = std::int32_t[Count];
};
template <std::size_t Count>
struct FieldShape<FieldKind::Floats, Count> {
    using type = float[Count];
};
template <std::size_t Count>
struct FieldShape<FieldKind::Text, Count> {
    using type = char[Count];
};
template <std::size_t Count>
struct FieldShape<FieldKind::Bytes, Count> {
    using type = std::uint8_t[Count];
};
}  // namespace detail

// The C++ type of a field of the list.
template <FieldKind Kind, std::size_t Count>
using FieldType = typename detail::FieldShape<Kind, Count>::type;

// The bytes a field takes in the file.
constexpr std::size_t FieldBytes(FieldKind kind, std::size_t count) {
    return kind == FieldKind::Text || kind == FieldKind::Bytes ? count : 4 * count;
}

// One member per field of the list. The in-memory layout of this struct does
// not matter: the codec reads and writes each field at its offset.
struct ShipClassRecord {
#define SHIPDATA_DECLARE_FIELD(name, kind, count, at) FieldType<FieldKind::kind, count> name;
    SHIPDATA_RECORD_FIELDS(SHIPDATA_DECLARE_FIELD)
#undef SHIPDATA_DECLARE_FIELD
};

// Byte offsets of the fields inside one record.
namespace offset {
#define SHIPDATA_FIELD_OFFSET(name, kind, count, at) inline constexpr std::size_t name = at;
SHIPDATA_RECORD_FIELDS(SHIPDATA_FIELD_OFFSET)
#undef SHIPDATA_FIELD_OFFSET
}  // namespace offset

// The list as data: what each field is and where it lies in the record.
struct FieldInfo {
    std::string_view Name;
    FieldKind Kind;
    std::size_t Count;   // values, or bytes of a Text or Bytes field
    std::size_t Offset;  // from the start of the record
    std::size_t Size;    // bytes in the file
    constexpr std::size_t End() const { return Offset + Size; }
};

inline constexpr FieldInfo kRecordFields[] = {
#define SHIPDATA_FIELD_INFO(name, kind, count, at) \
    {#name, FieldKind::kind, count, at, FieldBytes(FieldKind::kind, count)},
    SHIPDATA_RECORD_FIELDS(SHIPDATA_FIELD_INFO)
#undef SHIPDATA_FIELD_INFO
};

inline constexpr std::size_t kRecordSize = std::end(kRecordFields)[-1].End();  // 1256
inline constexpr int kFileRecords = 20;
inline constexpr std::size_t kFileSize = kRecordSize * kFileRecords;  // 25120

// The older file: the first 848 bytes of each record (Active .. Range), ten
// records.
inline constexpr std::size_t kLegacyRecordSize = offset::Range + sizeof ShipClassRecord::Range;
inline constexpr int kLegacyFileRecords = 10;
inline constexpr std::size_t kLegacyFileSize = kLegacyRecordSize * kLegacyFileRecords;  // 8480

namespace detail {
// Each field starts where the one before it ends, from byte 0 on.
constexpr bool FieldsFollowEachOther() {
    std::size_t at = 0;
    for (const FieldInfo& f : kRecordFields) {
        if (f.Offset != at) return false;
        at = f.End();
    }
    return true;
}
}  // namespace detail
static_assert(detail::FieldsFollowEachOther(), "a field of the list overlaps or leaves a gap");

#define SHIPDATA_CHECK_FIELD_SIZE(name, kind, count, at)                              \
    static_assert(sizeof ShipClassRecord::name == FieldBytes(FieldKind::kind, count), \
                  #name " is not as wide in memory as in the file");
SHIPDATA_RECORD_FIELDS(SHIPDATA_CHECK_FIELD_SIZE)
#undef SHIPDATA_CHECK_FIELD_SIZE

// Copies one field between a record and a program's own copy of it: a value,
// or a C array or std::array of the same type and length.
template <typename Dst, typename Src>
void CopyField(Dst& dst, const Src& src) {
    if constexpr (std::is_arithmetic_v<Src>) {
        static_assert(std::is_same_v<Dst, Src>);
        dst = src;
    } else {
        static_assert(std::is_same_v<std::ranges::range_value_t<Dst>, std::ranges::range_value_t<const Src>>);
        static_assert(sizeof(Dst) == sizeof(Src));
        std::ranges::copy(src, std::ranges::begin(dst));
    }
}

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
void DecodeLegacyRecord(std::span<const std::uint8_t, kLegacyRecordSize> in, ShipClassRecord& rec);

// The whole 25120-byte file of 20 records.
std::vector<std::uint8_t> EncodeFile(std::span<const ShipClassRecord, kFileRecords> records);

// Decodes a file of exactly 25120 bytes; anything else gives nothing.
std::optional<std::array<ShipClassRecord, kFileRecords>> DecodeFile(std::span<const std::uint8_t> bytes);

// Decodes a file of exactly 8480 bytes into records 0..9 of `records`,
// leaving their later fields and records 10..19 untouched. Returns false (and
// changes nothing) for any other length.
bool DecodeLegacyFile(std::span<const std::uint8_t> bytes, std::span<ShipClassRecord, kFileRecords> records);

// Copies a 20-byte text buffer so that the copy is cut at 19 characters and
// always NUL-terminated, with the rest zero-filled.
void CopyName(char (&dst)[kNameSize], const char* src, std::size_t srcSize = kNameSize);

}  // namespace shipdata
