#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "game/program/gamestate.h"
#include "game/data/builtinclasses.h"
#include "game/program/initgame.h"
#include "game/data/shipclasses.h"
#include "game/program/winmain.h"
#include "shipdata/shipclassrecord.h"
#include "shipdata/shipvalue.h"
#include "tests/game/support_datafolder.h"

namespace {

// A user record that a valid editor could have written, flying borrowed or
// custom frames.
shipdata::ShipClassRecord ValidUserRecord(const char* name) {
    shipdata::ShipClassRecord rec = shipdata::FreshDesign();
    rec.Active = 1;
    rec.LaserCount = 2;
    rec.WeaponType[0] = rec.WeaponType[1] = shipdata::Laser;
    rec.WeaponX[0] = -5;
    rec.WeaponX[1] = 5;
    rec.Technology = 3;
    rec.EngineSoundKind = 7;
    rec.FrameCount = 12;
    std::strcpy(rec.ImageFolder, "custom");
    std::strcpy(rec.ImageName, "cus");
    std::strcpy(rec.Name, name);
    return rec;
}

std::vector<std::uint8_t> ShipsFile(const std::array<shipdata::ShipClassRecord, 20>& records) {
    return shipdata::EncodeFile(records);
}

std::array<shipdata::ShipClassRecord, 20> InactiveRecords() {
    std::array<shipdata::ShipClassRecord, 20> records;
    records.fill(shipdata::FreshDesign());
    return records;
}

// Runs the class steps of start-up on a fresh state, as InitGame does.
GameStatePtr LoadClasses() {
    GameStatePtr game = MakeGameState();
    SetUserClassDefaults(game.get());
    SetupShipClasses(game.get());
    LoadShipClasses(game.get());
    SetupShipClasses(game.get());
    NameShipClasses(game.get());
    return game;
}

}  // namespace

TEST(SetupShipClasses, BuiltInValues) {
    const int want[24] = {50, 45, 40, 95, 70, 60, 30, 25,  20, 30, 35,  55,
                          75, 80, 55, 70, 40, 35, 85, 145, 55, 95, 120, 145};
    GameStatePtr game = MakeGameState();
    SetupShipClasses(game.get());
    for (int c = 0; c < 24; ++c) EXPECT_EQ(game->ShipValue[c], want[c]) << "class " << c;
}

TEST(SetupShipClasses, SlotsFollowTheCounts) {
    GameStatePtr game = MakeGameState();
    SetupShipClasses(game.get());
    const ClassTable& t = game->ShipClassTable;

    // YWing: laser, laser, ion, ion, then empty.
    const int ywing[5] = {0, 0, 1, 1, -1};
    for (int s = 0; s < 5; ++s) EXPECT_EQ(t.WeaponType[1][s], ywing[s]);
    for (int s = 4; s < 20; ++s) EXPECT_EQ(t.WeaponType[1][s], -1);
    EXPECT_FLOAT_EQ(t.FireDirection[1][2], 0.22f);
    EXPECT_EQ(t.WeaponY[1][0], -35);

    // Runabout: four turreted beams, the last two pointing left and right.
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(t.WeaponType[23][s], 2);
        EXPECT_EQ(t.TurretCover[23][s], 90);
    }
    EXPECT_EQ(t.WeaponType[23][4], -1);
    EXPECT_FLOAT_EQ(t.FireDirection[23][2], 270.0f);
    EXPECT_FLOAT_EQ(t.FireDirection[23][3], 90.0f);
    EXPECT_EQ(t.Power[23][2], 6);
    EXPECT_EQ(t.Range[23][3], 60);
    EXPECT_EQ(t.Power[23][0], 10);
    EXPECT_EQ(t.Range[23][0], 120);

    // StarFury: ranges and powers that differ from the shared ones.
    EXPECT_EQ(t.Range[18][0], 140);
    EXPECT_EQ(t.Power[18][4], 7);
    EXPECT_EQ(t.Range[18][5], 100);
    EXPECT_EQ(t.Armor[18][0], 50);
    EXPECT_EQ(t.Armor[18][1], 40);

    // Drive: "Star Wars" for 0..15, "Normal" for 16..23.
    for (int c = 0; c < 24; ++c) {
        EXPECT_EQ(t.Specials[c][0], c < 16 ? 1 : 0) << c;
        EXPECT_EQ(t.ImageSelection[c], c);
        EXPECT_EQ(t.FrameCount[c], 60);
        EXPECT_EQ(t.Active[c], 0) << "only the frame check sets Active";
    }
    EXPECT_FLOAT_EQ(t.Acceleration[1], 0.76f);
    EXPECT_EQ(t.AstroDroid[0], 1);
    EXPECT_EQ(t.AimLine[8], 1);
    EXPECT_EQ(t.EngineSoundKind[18], 11);
}

TEST(SetupShipClasses, SecondCallPricesTheUserClasses) {
    GameStatePtr game = MakeGameState();
    SetUserClassDefaults(game.get());
    SetupShipClasses(game.get());
    const int builtInYWing = game->ShipValue[1];
    RecordToClass(ValidUserRecord("Bolt"), game->ShipClassTable, 30);
    SetupShipClasses(game.get());
    EXPECT_EQ(game->ShipValue[1], builtInYWing);
    EXPECT_EQ(game->ShipValue[30], shipdata::ShipValue(ValidUserRecord("Bolt")));

    // A class is priced by its WeaponType entries, whatever its counts say,
    // and keeps its counts for arming: two lasers on a fresh design's
    // systems (20.2 + 5 + 6) are worth 35, not the bare design's 25.
    shipdata::ShipClassRecord odd = ValidUserRecord("Odd");
    odd.LaserCount = 0;
    RecordToClass(odd, game->ShipClassTable, 31);
    SetupShipClasses(game.get());
    EXPECT_EQ(game->ShipValue[31], 35);
    EXPECT_EQ(game->ShipClassTable.LaserCount[31], 0);
}

TEST(ClassRecordCopy, RoundTripsEveryField) {
    const auto bytes = shipdata::EncodeRecord(ValidUserRecord("Round"));
    shipdata::ShipClassRecord rec = shipdata::ZeroRecord();
    shipdata::DecodeRecord(bytes, rec);
    rec.Reserved[100] = 9;
    rec.Specials[3] = 1;
    rec.Armor[1] = 12;
    rec.LinkAll = 1;
    GameStatePtr game = MakeGameState();
    RecordToClass(rec, game->ShipClassTable, 43);
    shipdata::ShipClassRecord back = shipdata::ZeroRecord();
    ClassToRecord(game->ShipClassTable, 43, back);
    EXPECT_EQ(shipdata::EncodeRecord(back), shipdata::EncodeRecord(rec));
}

TEST(LoadShipClasses, ExactLengthFileLoadsUserClasses) {
    DataFolder folder;
    folder.MakeAllBuiltInFrames();
    folder.MakeCustomFrames("custom", "cus", 12);
    auto records = InactiveRecords();
    records[0] = ValidUserRecord("Bolt");
    records[3] = ValidUserRecord("Dart");
    folder.Write("ships.dat", ShipsFile(records));

    GameStatePtr game = LoadClasses();
    for (int c = 0; c < 24; ++c) EXPECT_EQ(game->ClassAvailable[c], 1) << c;
    EXPECT_EQ(game->ClassAvailable[24], 1);
    EXPECT_EQ(game->ShipClassTable.Active[24], 1);
    EXPECT_STREQ(game->ClassNames[24], "Bolt");
    EXPECT_STREQ(game->ClassNames[27], "Dart");
    EXPECT_STREQ(game->ClassNames[25], "Empty 25");
    EXPECT_EQ(game->ClassAvailable[25], 0);
    EXPECT_STREQ(game->ClassNames[0], "XWing");
    EXPECT_STREQ(game->ClassNames[23], "Runabout");
    EXPECT_EQ(game->ShipValue[24], shipdata::ShipValue(ValidUserRecord("Bolt")));
    EXPECT_EQ(game->ShipClassTable.WeaponX[24][1], 5);
    EXPECT_EQ(game->ShipClassTable.LaserCount[24], 2);
}

TEST(LoadShipClasses, WrongLengthsLoadNothing) {
    auto records = InactiveRecords();
    for (auto& r : records) {
        r = ValidUserRecord("Bolt");
        r.Hull = 120;  // unlike the start-up default of 50
    }
    const std::vector<std::uint8_t> good = ShipsFile(records);
    DataFolder folder;
    folder.MakeAllBuiltInFrames();
    folder.MakeCustomFrames("custom", "cus", 12);
    {
        // The same records at the right length do load.
        folder.Write("ships.dat", good);
        GameStatePtr game = LoadClasses();
        ASSERT_EQ(game->ClassAvailable[24], 1);
        ASSERT_EQ(game->ShipClassTable.Hull[43], 120);
    }
    std::vector<std::vector<std::uint8_t>> files;
    files.emplace_back(good.begin(), good.end() - 1);  // 25119
    files.push_back(good);
    files.back().push_back(0);  // 25121
    // The older form: ten 848-byte records of the same valid classes.
    std::vector<std::uint8_t> older;
    for (int i = 0; i < shipdata::kLegacyFileRecords; ++i) {
        const auto rec = shipdata::EncodeRecord(records[static_cast<std::size_t>(i)]);
        older.insert(older.end(), rec.begin(), rec.begin() + shipdata::kLegacyRecordSize);
    }
    ASSERT_EQ(older.size(), 8480u);
    files.push_back(older);
    files.emplace_back();  // empty
    for (const auto& file : files) {
        folder.Write("ships.dat", file);
        GameStatePtr game = LoadClasses();
        for (int c = 24; c < 44; ++c) {
            EXPECT_EQ(game->ClassAvailable[c], 0) << file.size() << " class " << c;
            EXPECT_EQ(game->ShipClassTable.Hull[c], 50) << "defaults kept";
            EXPECT_EQ(std::string(game->ClassNames[c]), "Empty " + std::to_string(c));
        }
    }
}

TEST(LoadShipClasses, MissingFileLeavesUserClassesEmpty) {
    DataFolder folder;
    folder.MakeAllBuiltInFrames();
    GameStatePtr game = LoadClasses();
    for (int c = 24; c < 44; ++c) {
        EXPECT_EQ(game->ClassAvailable[c], 0);
        EXPECT_EQ(game->ShipClassTable.Active[c], 0);
        EXPECT_EQ(std::string(game->ClassNames[c]), "Empty " + std::to_string(c));
    }
}

TEST(CheckClassSprites, FrameFilesDecideAvailability) {
    DataFolder folder;
    folder.MakeAllBuiltInFrames(3);
    folder.Remove("img/bwing/bwing0060.bmp");  // class 3 misses only its last frame
    folder.MakeCustomFrames("custom", "cus", 12);
    folder.MakeCustomFrames("part", "p", 11);  // one short of 12

    auto records = InactiveRecords();
    records[0] = ValidUserRecord("Twelve");  // custom, all 12 present
    records[1] = ValidUserRecord("Short");
    std::strcpy(records[1].ImageFolder, "part");
    std::strcpy(records[1].ImageName, "p");
    records[2] = ValidUserRecord("Borrow5");
    records[2].ImageSelection = 5;
    records[2].FrameCount = 12;  // a borrowed set always has 60
    records[3] = ValidUserRecord("Borrow3");
    records[3].ImageSelection = 3;
    records[4] = ValidUserRecord("Asleep");
    records[4].Active = 0;  // files present, but inactive
    folder.Write("ships.dat", ShipsFile(records));

    GameStatePtr game = LoadClasses();
    EXPECT_EQ(game->ClassAvailable[3], 0);
    EXPECT_EQ(game->ShipClassTable.Active[3], 0);
    EXPECT_STREQ(game->ClassNames[3], "Empty 3");
    EXPECT_EQ(game->ShipValue[3], 95) << "an unavailable class keeps its values";
    EXPECT_EQ(game->ClassAvailable[4], 1);

    EXPECT_EQ(game->ClassAvailable[24], 1);
    EXPECT_EQ(game->ClassAvailable[25], 0);
    EXPECT_EQ(game->ShipClassTable.Active[25], 0);
    EXPECT_EQ(game->ClassAvailable[26], 1);
    EXPECT_EQ(game->ShipClassTable.FrameCount[26], 60);
    EXPECT_STREQ(game->ClassNames[26], "Borrow5");
    EXPECT_EQ(game->ClassAvailable[27], 0) << "set 3 misses a frame";
    EXPECT_EQ(game->ClassAvailable[28], 0);
    EXPECT_STREQ(game->ClassNames[28], "Empty 28");
}

TEST(CheckClassSprites, FrameNames) {
    GameStatePtr game = MakeGameState();
    SetUserClassDefaults(game.get());
    SetupShipClasses(game.get());
    EXPECT_EQ(ClassFrameName(game.get(), 1, 7), "img\\ywing\\ywink0007.bmp");
    EXPECT_EQ(ClassFrameName(game.get(), 7, 60), "img\\hhunt\\hh0060.bmp");
    std::strcpy(game->ShipClassTable.ImageFolder[30], "f");
    std::strcpy(game->ShipClassTable.ImageName[30], "s");
    EXPECT_EQ(ClassFrameName(game.get(), 30, 100), "img\\f\\s00100.bmp");
    game->ShipClassTable.ImageSelection[31] = 12;
    EXPECT_EQ(ClassFrameName(game.get(), 31, 1), "img\\tiedef\\tied0001.bmp");
    game->ShipClassTable.ImageSelection[32] = 50;
    EXPECT_EQ(ClassFrameName(game.get(), 32, 1), "");
    EXPECT_EQ(ClassFrameCount(game.get(), 32), 0);
}

TEST(PrepareUserRecord, RejectsWhatNoEditorWrites) {
    using Rec = shipdata::ShipClassRecord;
    struct Case {
        const char* what;
        void (*spoil)(Rec&);
    };
    const Case cases[] = {
        {"image selection 24", [](Rec& r) { r.ImageSelection = 24; }},
        {"image selection -1", [](Rec& r) { r.ImageSelection = -1; }},
        {"image selection 99", [](Rec& r) { r.ImageSelection = 99; }},
        {"frame count 0", [](Rec& r) { r.FrameCount = 0; }},
        {"frame count 361", [](Rec& r) { r.FrameCount = 361; }},
        {"negative lasers", [](Rec& r) { r.LaserCount = -1; }},
        {"negative ions", [](Rec& r) { r.IonCount = -2; }},
        {"negative beams", [](Rec& r) { r.BeamCount = -1; }},
        {"counts past 20",
         [](Rec& r) {
             r.LaserCount = 10;
             r.IonCount = 6;
             r.BeamCount = 5;
         }},
        {"counts overflowing",
         [](Rec& r) {
             r.LaserCount = 0x7fffffff;
             r.IonCount = 0x7fffffff;
         }},
        {"technology 7", [](Rec& r) { r.Technology = 7; }},
        {"technology -1", [](Rec& r) { r.Technology = -1; }},
        {"engine sound 12", [](Rec& r) { r.EngineSoundKind = 12; }},
        {"engine sound -1", [](Rec& r) { r.EngineSoundKind = -1; }},
        {"sphere 0", [](Rec& r) { r.BoundingSphere = 0; }},
        {"draw scale -3", [](Rec& r) { r.DrawScale = -3; }},
    };
    for (const Case& c : cases) {
        Rec rec = ValidUserRecord("Bad");
        c.spoil(rec);
        EXPECT_FALSE(PrepareUserRecord(rec)) << c.what;
    }

    // Valid records pass unchanged, at the edges of their ranges too.
    Rec edge = ValidUserRecord("Edge");
    edge.FrameCount = 360;
    edge.LaserCount = 10;
    edge.IonCount = 5;
    edge.BeamCount = 5;
    edge.Technology = 6;
    edge.EngineSoundKind = 11;
    const auto before = shipdata::EncodeRecord(edge);
    EXPECT_TRUE(PrepareUserRecord(edge));
    EXPECT_EQ(shipdata::EncodeRecord(edge), before);

    // A borrowed set with any frame count gets 60; the count does not
    // reject it.
    Rec borrowed = ValidUserRecord("Borrow");
    borrowed.ImageSelection = 23;
    borrowed.FrameCount = 0;
    EXPECT_TRUE(PrepareUserRecord(borrowed));
    EXPECT_EQ(borrowed.FrameCount, 60);

    // Text fields are cut at 19 characters and terminated.
    Rec unterminated = ValidUserRecord("x");
    std::memset(unterminated.Name, 'N', 20);
    std::memset(unterminated.ImageFolder, 'F', 20);
    std::memset(unterminated.ImageName, 'S', 20);
    EXPECT_TRUE(PrepareUserRecord(unterminated));
    EXPECT_EQ(std::string(unterminated.Name), std::string(19, 'N'));
    EXPECT_EQ(std::string(unterminated.ImageFolder), std::string(19, 'F'));
    EXPECT_EQ(std::string(unterminated.ImageName), std::string(19, 'S'));
}

TEST(LoadShipClasses, MalformedRecordsAreUnavailable) {
    DataFolder folder;
    folder.MakeAllBuiltInFrames();
    folder.MakeCustomFrames("custom", "cus", 12);
    auto records = InactiveRecords();
    records[0] = ValidUserRecord("Good");
    records[1] = ValidUserRecord("BadSel");
    records[1].ImageSelection = 77;
    records[2] = ValidUserRecord("BadCount");
    records[2].LaserCount = 21;
    records[3] = ValidUserRecord("BadFrames");
    records[3].FrameCount = 100000;
    records[4] = ValidUserRecord("x");
    std::memset(records[4].Name, 'Q', 20);  // no terminator
    folder.Write("ships.dat", ShipsFile(records));

    GameStatePtr game = LoadClasses();
    EXPECT_EQ(game->ClassAvailable[24], 1);
    for (int c : {25, 26, 27}) {
        EXPECT_EQ(game->ClassAvailable[c], 0) << c;
        EXPECT_EQ(game->ShipClassTable.Active[c], 0) << c;
        EXPECT_EQ(std::string(game->ClassNames[c]), "Empty " + std::to_string(c));
    }
    EXPECT_EQ(game->ClassAvailable[28], 1);
    EXPECT_EQ(std::string(game->ClassNames[28]), std::string(19, 'Q'));
    EXPECT_EQ(game->ShipClassTable.Name[28][19], '\0');
}

TEST(CheckClassSprites, UsesTheMainWindowsFramePatterns) {
    // The frame check and the frame loader must look for the same files.
    for (int c = 0; c < 24; ++c)
        EXPECT_STREQ(builtin::BuiltInFramePattern(c), kFramePatterns[static_cast<std::size_t>(c)]) << c;
    for (int c = 24; c < 44; ++c)
        EXPECT_STREQ(builtin::kCustomFramePattern, kFramePatterns[static_cast<std::size_t>(c)]) << c;
}

TEST(CheckClassSprites, GeneratedMediaMakesEveryBuiltInClassAvailable) {
    // The game folder of the build, read only.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(VANTORRA_GAME_DIR);
    GameStatePtr game = MakeGameState();
    SetUserClassDefaults(game.get());
    SetupShipClasses(game.get());
    CheckClassSprites(game.get());
    std::filesystem::current_path(previous);
    for (int c = 0; c < 24; ++c) EXPECT_EQ(game->ClassAvailable[c], 1) << ClassFrameName(game.get(), c, 1);
}
