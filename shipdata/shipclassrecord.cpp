#include "shipdata/shipclassrecord.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "shipdata/bytes.h"

namespace shipdata {

namespace {

// One field's little-endian bytes: a 32-bit value, a run of them, or a text
// or byte buffer copied as it stands.
void WriteField(std::uint8_t* at, std::int32_t v) { WriteLE32(at, v); }
void WriteField(std::uint8_t* at, float v) { WriteLE32(at, std::bit_cast<std::int32_t>(v)); }
template <typename T, std::size_t N>
void WriteField(std::uint8_t* at, const T (&v)[N]) {
    if constexpr (sizeof(T) == 1) {
        std::memcpy(at, v, N);
    } else {
        for (std::size_t i = 0; i < N; ++i) WriteField(at + 4 * i, v[i]);
    }
}

void ReadField(const std::uint8_t* at, std::int32_t& v) { v = ReadLE32(at); }
void ReadField(const std::uint8_t* at, float& v) { v = std::bit_cast<float>(ReadLE32(at)); }
template <typename T, std::size_t N>
void ReadField(const std::uint8_t* at, T (&v)[N]) {
    if constexpr (sizeof(T) == 1) {
        std::memcpy(v, at, N);
    } else {
        for (std::size_t i = 0; i < N; ++i) ReadField(at + 4 * i, v[i]);
    }
}

// Calls visit(offset, field) for every field of `rec`, in file order.
template <typename Record, typename Visit>
void ForEachField(Record& rec, Visit&& visit) {
#define SHIPDATA_VISIT_FIELD(name, kind, count, at) visit(offset::name, rec.name);
    SHIPDATA_RECORD_FIELDS(SHIPDATA_VISIT_FIELD)
#undef SHIPDATA_VISIT_FIELD
}

// Reads every field that lies wholly inside `in`: all of them from a current
// record, Active .. Range from an older one. The rest keep their values.
void ReadFields(std::span<const std::uint8_t> in, ShipClassRecord& rec) {
    ForEachField(rec, [&](std::size_t at, auto& field) {
        if (at + sizeof field <= in.size()) ReadField(in.data() + at, field);
    });
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
    ForEachField(rec, [&](std::size_t at, const auto& field) { WriteField(out.data() + at, field); });
}

std::array<std::uint8_t, kRecordSize> EncodeRecord(const ShipClassRecord& rec) {
    std::array<std::uint8_t, kRecordSize> out{};
    EncodeRecord(rec, std::span<std::uint8_t, kRecordSize>(out));
    return out;
}

void DecodeRecord(std::span<const std::uint8_t, kRecordSize> in, ShipClassRecord& rec) { ReadFields(in, rec); }

void DecodeLegacyRecord(std::span<const std::uint8_t, kLegacyRecordSize> in, ShipClassRecord& rec) {
    ReadFields(in, rec);
}

std::vector<std::uint8_t> EncodeFile(std::span<const ShipClassRecord, kFileRecords> records) {
    std::vector<std::uint8_t> bytes(kFileSize);
    for (int i = 0; i < kFileRecords; ++i) {
        EncodeRecord(records[i], std::span<std::uint8_t, kRecordSize>(bytes.data() + i * kRecordSize, kRecordSize));
    }
    return bytes;
}

std::optional<std::array<ShipClassRecord, kFileRecords>> DecodeFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kFileSize) return std::nullopt;
    std::array<ShipClassRecord, kFileRecords> records;
    for (int i = 0; i < kFileRecords; ++i) {
        DecodeRecord(std::span<const std::uint8_t, kRecordSize>(bytes.data() + i * kRecordSize, kRecordSize),
                     records[i]);
    }
    return records;
}

bool DecodeLegacyFile(std::span<const std::uint8_t> bytes, std::span<ShipClassRecord, kFileRecords> records) {
    if (bytes.size() != kLegacyFileSize) return false;
    for (int i = 0; i < kLegacyFileRecords; ++i) {
        DecodeLegacyRecord(
            std::span<const std::uint8_t, kLegacyRecordSize>(bytes.data() + i * kLegacyRecordSize, kLegacyRecordSize),
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
