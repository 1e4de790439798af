#include "shipdata/shipclassrecord.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "shipdata/bytes.h"

namespace shipdata {

namespace {

// Little-endian field writer and reader over one record's bytes.
class Writer {
public:
    explicit Writer(std::uint8_t* base) : base_(base) {}

    void Int(std::size_t at, std::int32_t v) { WriteLE32(base_ + at, v); }
    void Float(std::size_t at, float v) { Int(at, std::bit_cast<std::int32_t>(v)); }
    template <std::size_t N>
    void Ints(std::size_t at, const std::int32_t (&v)[N]) {
        for (std::size_t i = 0; i < N; ++i) Int(at + 4 * i, v[i]);
    }
    template <std::size_t N>
    void Floats(std::size_t at, const float (&v)[N]) {
        for (std::size_t i = 0; i < N; ++i) Float(at + 4 * i, v[i]);
    }
    template <std::size_t N>
    void Bytes(std::size_t at, const char (&v)[N]) { std::memcpy(base_ + at, v, N); }
    template <std::size_t N>
    void Bytes(std::size_t at, const std::uint8_t (&v)[N]) { std::memcpy(base_ + at, v, N); }

private:
    std::uint8_t* base_;
};

class Reader {
public:
    explicit Reader(const std::uint8_t* base) : base_(base) {}

    std::int32_t Int(std::size_t at) const { return ReadLE32(base_ + at); }
    float Float(std::size_t at) const { return std::bit_cast<float>(Int(at)); }
    template <std::size_t N>
    void Ints(std::size_t at, std::int32_t (&v)[N]) const {
        for (std::size_t i = 0; i < N; ++i) v[i] = Int(at + 4 * i);
    }
    template <std::size_t N>
    void Floats(std::size_t at, float (&v)[N]) const {
        for (std::size_t i = 0; i < N; ++i) v[i] = Float(at + 4 * i);
    }
    template <std::size_t N>
    void Bytes(std::size_t at, char (&v)[N]) const { std::memcpy(v, base_ + at, N); }
    template <std::size_t N>
    void Bytes(std::size_t at, std::uint8_t (&v)[N]) const { std::memcpy(v, base_ + at, N); }

private:
    const std::uint8_t* base_;
};

// The 29 fields the older record shares with the current one.
void ReadCommonFields(const Reader& r, ShipClassRecord& rec) {
    rec.Active = r.Int(offset::Active);
    r.Ints(offset::WeaponType, rec.WeaponType);
    r.Ints(offset::WeaponX, rec.WeaponX);
    r.Ints(offset::WeaponY, rec.WeaponY);
    r.Floats(offset::Aim, rec.Aim);
    r.Floats(offset::Convergence, rec.Convergence);
    r.Floats(offset::FireDirection, rec.FireDirection);
    rec.Technology = r.Int(offset::Technology);
    rec.ImageSelection = r.Int(offset::ImageSelection);
    rec.Missiles = r.Int(offset::Missiles);
    rec.IonCount = r.Int(offset::IonCount);
    rec.LaserCount = r.Int(offset::LaserCount);
    rec.Turn = r.Int(offset::Turn);
    rec.Acceleration = r.Float(offset::Acceleration);
    rec.Shield = r.Int(offset::Shield);
    rec.Hull = r.Int(offset::Hull);
    rec.DrawScale = r.Int(offset::DrawScale);
    rec.BoundingSphere = r.Int(offset::BoundingSphere);
    rec.FrameCount = r.Int(offset::FrameCount);
    r.Bytes(offset::ImageFolder, rec.ImageFolder);
    r.Bytes(offset::ImageName, rec.ImageName);
    r.Bytes(offset::Name, rec.Name);
    rec.AimLine = r.Int(offset::AimLine);
    rec.AstroDroid = r.Int(offset::AstroDroid);
    rec.EngineSoundKind = r.Int(offset::EngineSoundKind);
    r.Ints(offset::TurretCover, rec.TurretCover);
    rec.BeamCount = r.Int(offset::BeamCount);
    r.Ints(offset::Power, rec.Power);
    r.Ints(offset::Range, rec.Range);
}

}  // namespace

ShipClassRecord ZeroRecord() {
    ShipClassRecord rec;
    std::memset(&rec, 0, sizeof rec);
    return rec;
}

ShipClassRecord FreshDesign() {
    ShipClassRecord rec = ZeroRecord();
    for (int s = 0; s < kWeaponSlots; ++s) {
        rec.WeaponType[s] = NoWeapon;
        rec.Convergence[s] = 1000.0f;
        rec.Power[s] = 10;
        rec.Range[s] = 120;
    }
    rec.ImageSelection = CustomImage;
    rec.Missiles = 4;
    rec.Turn = 3;
    rec.Acceleration = 1.0f;
    rec.Shield = 50;
    rec.Hull = 50;
    rec.DrawScale = 25;
    rec.BoundingSphere = 25;
    rec.FrameCount = 60;
    rec.AstroDroid = 2;
    return rec;
}

void EncodeRecord(const ShipClassRecord& rec, std::span<std::uint8_t, kRecordSize> out) {
    Writer w(out.data());
    w.Int(offset::Active, rec.Active);
    w.Ints(offset::WeaponType, rec.WeaponType);
    w.Ints(offset::WeaponX, rec.WeaponX);
    w.Ints(offset::WeaponY, rec.WeaponY);
    w.Floats(offset::Aim, rec.Aim);
    w.Floats(offset::Convergence, rec.Convergence);
    w.Floats(offset::FireDirection, rec.FireDirection);
    w.Int(offset::Technology, rec.Technology);
    w.Int(offset::ImageSelection, rec.ImageSelection);
    w.Int(offset::Missiles, rec.Missiles);
    w.Int(offset::IonCount, rec.IonCount);
    w.Int(offset::LaserCount, rec.LaserCount);
    w.Int(offset::Turn, rec.Turn);
    w.Float(offset::Acceleration, rec.Acceleration);
    w.Int(offset::Shield, rec.Shield);
    w.Int(offset::Hull, rec.Hull);
    w.Int(offset::DrawScale, rec.DrawScale);
    w.Int(offset::BoundingSphere, rec.BoundingSphere);
    w.Int(offset::FrameCount, rec.FrameCount);
    w.Bytes(offset::ImageFolder, rec.ImageFolder);
    w.Bytes(offset::ImageName, rec.ImageName);
    w.Bytes(offset::Name, rec.Name);
    w.Int(offset::AimLine, rec.AimLine);
    w.Int(offset::AstroDroid, rec.AstroDroid);
    w.Int(offset::EngineSoundKind, rec.EngineSoundKind);
    w.Ints(offset::TurretCover, rec.TurretCover);
    w.Int(offset::BeamCount, rec.BeamCount);
    w.Ints(offset::Power, rec.Power);
    w.Ints(offset::Range, rec.Range);
    w.Ints(offset::Armor, rec.Armor);
    w.Bytes(offset::Reserved, rec.Reserved);
    w.Int(offset::LinkAll, rec.LinkAll);
    w.Ints(offset::Specials, rec.Specials);
}

std::array<std::uint8_t, kRecordSize> EncodeRecord(const ShipClassRecord& rec) {
    std::array<std::uint8_t, kRecordSize> out{};
    EncodeRecord(rec, std::span<std::uint8_t, kRecordSize>(out));
    return out;
}

void DecodeRecord(std::span<const std::uint8_t, kRecordSize> in, ShipClassRecord& rec) {
    Reader r(in.data());
    ReadCommonFields(r, rec);
    r.Ints(offset::Armor, rec.Armor);
    r.Bytes(offset::Reserved, rec.Reserved);
    rec.LinkAll = r.Int(offset::LinkAll);
    r.Ints(offset::Specials, rec.Specials);
}

void DecodeLegacyRecord(std::span<const std::uint8_t, kLegacyRecordSize> in,
                        ShipClassRecord& rec) {
    ReadCommonFields(Reader(in.data()), rec);
}

std::vector<std::uint8_t> EncodeFile(std::span<const ShipClassRecord, kFileRecords> records) {
    std::vector<std::uint8_t> bytes(kFileSize);
    for (int i = 0; i < kFileRecords; ++i) {
        EncodeRecord(records[i],
                     std::span<std::uint8_t, kRecordSize>(bytes.data() + i * kRecordSize,
                                                          kRecordSize));
    }
    return bytes;
}

std::optional<std::array<ShipClassRecord, kFileRecords>> DecodeFile(
    std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kFileSize) return std::nullopt;
    std::array<ShipClassRecord, kFileRecords> records;
    for (int i = 0; i < kFileRecords; ++i) {
        DecodeRecord(std::span<const std::uint8_t, kRecordSize>(bytes.data() + i * kRecordSize,
                                                                kRecordSize),
                     records[i]);
    }
    return records;
}

bool DecodeLegacyFile(std::span<const std::uint8_t> bytes,
                      std::span<ShipClassRecord, kFileRecords> records) {
    if (bytes.size() != kLegacyFileSize) return false;
    for (int i = 0; i < kLegacyFileRecords; ++i) {
        DecodeLegacyRecord(std::span<const std::uint8_t, kLegacyRecordSize>(
                               bytes.data() + i * kLegacyRecordSize, kLegacyRecordSize),
                           records[i]);
    }
    return true;
}

void CopyName(char (&dst)[kNameSize], const char* src, std::size_t srcSize) {
    std::size_t n = 0;
    if (src) {
        const std::size_t limit = std::min<std::size_t>(srcSize, kNameSize - 1);
        while (n < limit && src[n] != '\0') ++n;
        std::memmove(dst, src, n);
    }
    std::memset(dst + n, 0, kNameSize - n);
}

}  // namespace shipdata
