#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "shipdata/shipclassrecord.h"

using namespace shipdata;

namespace {

// Builds the bytes of one record by hand, straight from the field offsets, so
// the codec is checked against the file layout rather than against itself.
struct RecordBytes {
    std::vector<std::uint8_t> bytes;
    explicit RecordBytes(std::size_t size) : bytes(size, 0) {}
    void Int(std::size_t at, std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int b = 0; b < 4; ++b) bytes[at + b] = static_cast<std::uint8_t>(u >> (8 * b));
    }
    void Float(std::size_t at, float v) {
        std::uint32_t u;
        std::memcpy(&u, &v, 4);
        Int(at, static_cast<std::int32_t>(u));
    }
    void Text(std::size_t at, const char* s) { std::memcpy(&bytes[at], s, std::strlen(s)); }
};

// A record with a distinct value in every field, written by hand.
RecordBytes SampleBytes(std::size_t size) {
    RecordBytes b(size);
    b.Int(0, 1);
    for (int s = 0; s < 20; ++s) {
        b.Int(4 + 4 * s, s % 4 - 1);
        b.Int(84 + 4 * s, -s);
        b.Int(164 + 4 * s, 100 + s);
        b.Float(244 + 4 * s, 1.5f * s);
        b.Float(324 + 4 * s, 1000.0f + s);
        b.Float(404 + 4 * s, -0.25f * s);
        b.Int(604 + 4 * s, 3 * s);
        b.Int(688 + 4 * s, 10 + s);
        b.Int(768 + 4 * s, 120 + s);
    }
    b.Int(484, 6);
    b.Int(488, 100);
    b.Int(492, 40);
    b.Int(496, 5);
    b.Int(500, 6);
    b.Int(504, 4);
    b.Float(508, 1.8f);
    b.Int(512, 150);
    b.Int(516, 175);
    b.Int(520, 33);
    b.Int(524, 30);
    b.Int(528, 12);
    b.Text(532, "myfolder");
    b.Text(552, "stem");
    b.Text(572, "Longboat");
    b.Int(592, 1);
    b.Int(596, 2);
    b.Int(600, 11);
    b.Int(684, 5);
    if (size >= kRecordSize) {
        b.Int(848, 20);
        b.Int(852, -7);
        for (int k = 0; k < 356; ++k) b.bytes[856 + k] = static_cast<std::uint8_t>(k * 7);
        b.Int(1212, 1);
        for (int k = 0; k < 10; ++k) b.Int(1216 + 4 * k, k + 1);
    }
    return b;
}

void ExpectCommonSample(const ShipClassRecord& r) {
    EXPECT_EQ(r.Active, 1);
    for (int s = 0; s < 20; ++s) {
        EXPECT_EQ(r.WeaponType[s], s % 4 - 1);
        EXPECT_EQ(r.WeaponX[s], -s);
        EXPECT_EQ(r.WeaponY[s], 100 + s);
        EXPECT_EQ(r.Aim[s], 1.5f * s);
        EXPECT_EQ(r.Convergence[s], 1000.0f + s);
        EXPECT_EQ(r.FireDirection[s], -0.25f * s);
        EXPECT_EQ(r.TurretCover[s], 3 * s);
        EXPECT_EQ(r.Power[s], 10 + s);
        EXPECT_EQ(r.Range[s], 120 + s);
    }
    EXPECT_EQ(r.Technology, 6);
    EXPECT_EQ(r.ImageSelection, 100);
    EXPECT_EQ(r.Missiles, 40);
    EXPECT_EQ(r.IonCount, 5);
    EXPECT_EQ(r.LaserCount, 6);
    EXPECT_EQ(r.Turn, 4);
    EXPECT_EQ(r.Acceleration, 1.8f);
    EXPECT_EQ(r.Shield, 150);
    EXPECT_EQ(r.Hull, 175);
    EXPECT_EQ(r.DrawScale, 33);
    EXPECT_EQ(r.BoundingSphere, 30);
    EXPECT_EQ(r.FrameCount, 12);
    EXPECT_STREQ(r.ImageFolder, "myfolder");
    EXPECT_STREQ(r.ImageName, "stem");
    EXPECT_STREQ(r.Name, "Longboat");
    EXPECT_EQ(r.AimLine, 1);
    EXPECT_EQ(r.AstroDroid, 2);
    EXPECT_EQ(r.EngineSoundKind, 11);
    EXPECT_EQ(r.BeamCount, 5);
}

}  // namespace

TEST(ShipClassRecordFields, ListCoversBothFileForms) {
    struct Row {
        const char* name;
        std::size_t offset;
        std::size_t size;
    };
    const Row rows[] = {
        {"Active", 0, 4},
        {"WeaponType", 4, 80},
        {"WeaponX", 84, 80},
        {"WeaponY", 164, 80},
        {"Aim", 244, 80},
        {"Convergence", 324, 80},
        {"FireDirection", 404, 80},
        {"Technology", 484, 4},
        {"ImageSelection", 488, 4},
        {"Missiles", 492, 4},
        {"IonCount", 496, 4},
        {"LaserCount", 500, 4},
        {"Turn", 504, 4},
        {"Acceleration", 508, 4},
        {"Shield", 512, 4},
        {"Hull", 516, 4},
        {"DrawScale", 520, 4},
        {"BoundingSphere", 524, 4},
        {"FrameCount", 528, 4},
        {"ImageFolder", 532, 20},
        {"ImageName", 552, 20},
        {"Name", 572, 20},
        {"AimLine", 592, 4},
        {"AstroDroid", 596, 4},
        {"EngineSoundKind", 600, 4},
        {"TurretCover", 604, 80},
        {"BeamCount", 684, 4},
        {"Power", 688, 80},
        {"Range", 768, 80},
        {"Armor", 848, 8},
        {"Reserved", 856, 356},
        {"LinkAll", 1212, 4},
        {"Specials", 1216, 40},
    };
    ASSERT_EQ(std::size(kRecordFields), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(kRecordFields[i].Name, rows[i].name) << i;
        EXPECT_EQ(kRecordFields[i].Offset, rows[i].offset) << rows[i].name;
        EXPECT_EQ(kRecordFields[i].Size, rows[i].size) << rows[i].name;
    }
    EXPECT_EQ(kRecordSize, 1256u);
    // The older record is the list cut after Range: its first 29 fields.
    EXPECT_EQ(kLegacyRecordSize, 848u);
    EXPECT_EQ(kRecordFields[28].Name, "Range");
    EXPECT_EQ(kRecordFields[28].End(), kLegacyRecordSize);
}

TEST(ShipClassRecordCodec, DecodesEveryFieldAtItsOffset) {
    const RecordBytes b = SampleBytes(kRecordSize);
    ShipClassRecord r = ZeroRecord();
    DecodeRecord(std::span<const std::uint8_t, kRecordSize>(b.bytes.data(), kRecordSize), r);
    ExpectCommonSample(r);
    EXPECT_EQ(r.Armor[0], 20);
    EXPECT_EQ(r.Armor[1], -7);
    for (int k = 0; k < 356; ++k) EXPECT_EQ(r.Reserved[k], static_cast<std::uint8_t>(k * 7));
    EXPECT_EQ(r.LinkAll, 1);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(r.Specials[k], k + 1);
}

TEST(ShipClassRecordCodec, EncodeWritesTheSameBytes) {
    const RecordBytes b = SampleBytes(kRecordSize);
    ShipClassRecord r = ZeroRecord();
    DecodeRecord(std::span<const std::uint8_t, kRecordSize>(b.bytes.data(), kRecordSize), r);
    const auto out = EncodeRecord(r);
    EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.end()), b.bytes);
}

TEST(ShipClassRecordCodec, FreshDesignBytes) {
    const auto out = EncodeRecord(FreshDesign());
    RecordBytes want(kRecordSize);
    for (int s = 0; s < 20; ++s) {
        want.Int(4 + 4 * s, -1);
        want.Float(324 + 4 * s, 1000.0f);
        want.Int(688 + 4 * s, 10);
        want.Int(768 + 4 * s, 120);
    }
    want.Int(488, 100);
    want.Int(492, 4);
    want.Int(504, 3);
    want.Float(508, 1.0f);
    want.Int(512, 50);
    want.Int(516, 50);
    want.Int(520, 25);
    want.Int(524, 25);
    want.Int(528, 60);
    want.Int(596, 2);
    EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.end()), want.bytes);
}

TEST(ShipsDatFile, OnlyTheExactLengthDecodes) {
    std::array<ShipClassRecord, kFileRecords> records;
    for (int i = 0; i < kFileRecords; ++i) {
        records[i] = FreshDesign();
        records[i].Missiles = i;
        records[i].Reserved[i] = static_cast<std::uint8_t>(i + 1);
    }
    std::vector<std::uint8_t> bytes = EncodeFile(records);
    ASSERT_EQ(bytes.size(), 25120u);
    // Record i starts at 1256 * i.
    for (int i = 0; i < kFileRecords; ++i) EXPECT_EQ(bytes[i * 1256 + 492], i);

    const auto decoded = DecodeFile(bytes);
    ASSERT_TRUE(decoded.has_value());
    for (int i = 0; i < kFileRecords; ++i) {
        EXPECT_EQ((*decoded)[i].Missiles, i);
        EXPECT_EQ((*decoded)[i].Reserved[i], i + 1);
    }
    EXPECT_EQ(EncodeFile(*decoded), bytes);

    for (std::size_t size : {std::size_t{0}, std::size_t{25119}, std::size_t{25121}, std::size_t{8480}}) {
        std::vector<std::uint8_t> other(size, 0);
        EXPECT_FALSE(DecodeFile(other).has_value()) << size;
    }
}

TEST(ShipsDatFile, LegacyFormFillsTheFirstTenRecordsUpToRange) {
    const RecordBytes one = SampleBytes(kLegacyRecordSize);
    std::vector<std::uint8_t> file;
    for (int k = 0; k < kLegacyFileRecords; ++k) file.insert(file.end(), one.bytes.begin(), one.bytes.end());
    ASSERT_EQ(file.size(), 8480u);

    std::array<ShipClassRecord, kFileRecords> records;
    for (auto& r : records) {
        r = FreshDesign();
        r.Armor[0] = 9;
        r.LinkAll = 1;
        r.Specials[3] = 1;
        r.Reserved[0] = 0xAB;
    }
    ASSERT_TRUE(DecodeLegacyFile(file, records));
    for (int k = 0; k < kLegacyFileRecords; ++k) {
        ExpectCommonSample(records[k]);
        // Fields after Range keep what memory held.
        EXPECT_EQ(records[k].Armor[0], 9);
        EXPECT_EQ(records[k].LinkAll, 1);
        EXPECT_EQ(records[k].Specials[3], 1);
        EXPECT_EQ(records[k].Reserved[0], 0xAB);
    }
    for (int k = kLegacyFileRecords; k < kFileRecords; ++k) {
        EXPECT_EQ(records[k].Active, 0);
        EXPECT_EQ(records[k].Hull, 50);
    }

    std::vector<std::uint8_t> shortFile(8479, 0);
    EXPECT_FALSE(DecodeLegacyFile(shortFile, records));
    EXPECT_EQ(records[0].Hull, 175);
}

TEST(CopyName, CutsAtNineteenAndTerminates) {
    char dst[20];
    std::memset(dst, 'x', sizeof dst);
    char full[20];
    std::memset(full, 'A', sizeof full);  // no NUL anywhere
    CopyName(dst, full);
    EXPECT_EQ(std::strlen(dst), 19u);
    EXPECT_EQ(dst[19], '\0');

    CopyName(dst, "Short");
    EXPECT_STREQ(dst, "Short");
    for (int k = 5; k < 20; ++k) EXPECT_EQ(dst[k], '\0');

    CopyName(dst, "abcdef", 3);
    EXPECT_STREQ(dst, "abc");
    CopyName(dst, nullptr);
    EXPECT_STREQ(dst, "");
}
