#include <gtest/gtest.h>

#include <cstring>

#include "game/program/gamestate.h"
#include "game/data/player.h"
#include "game/data/stats.h"
#include "tests/game/support_datafolder.h"

namespace {

// One record built by hand: the length byte, the name, then the twelve
// integers in file order (ShotsFired, Hits, 3 spare, Wins, Kills, Draws,
// Losses, ShotDeaths, CollisionDeaths, Score).
std::vector<std::uint8_t> RecordBytes(std::uint8_t lengthByte, const char (&name)[11], std::int32_t base) {
    std::vector<std::uint8_t> b(59, 0);
    b[0] = lengthByte;
    std::memcpy(&b[1], name, 10);
    for (int k = 0; k < 12; ++k) PutLE32(b, 11 + 4 * k, base + k);
    return b;
}

std::vector<std::uint8_t> StatsBytes() {
    std::vector<std::uint8_t> file;
    const char names[10][11] = {"Ace", "Bee", "", "Dee", "TenLetters", "", "", "", "", "Jay"};
    for (int i = 0; i < 10; ++i) {
        const auto rec = RecordBytes(static_cast<std::uint8_t>(i == 3 ? 7 : 59), names[i], 100 * i);
        file.insert(file.end(), rec.begin(), rec.end());
    }
    return file;
}

std::vector<std::uint8_t> DefaultStats() {
    std::vector<std::uint8_t> file(590, 0);
    for (int i = 0; i < 10; ++i) file[59 * i] = 59;
    return file;
}

}  // namespace

TEST(LoadStats, MissingFileIsCreatedWithTenEmptyRecords) {
    DataFolder folder;
    GameStatePtr game = MakeGameState();
    LoadStats(game.get());
    EXPECT_EQ(folder.Read("stats.dat"), DefaultStats());
    for (int i = 0; i < 10; ++i) {
        ASSERT_NE(game->Pilots[i], nullptr);
        EXPECT_EQ(game->Pilots[i]->Name(), "");
        EXPECT_EQ(game->Pilots[i]->Score, 0);
        EXPECT_EQ(game->Pilots[i]->Fleet[29], 100);
    }
}

TEST(LoadStats, ReadsEveryFieldFromItsOffset) {
    DataFolder folder;
    folder.Write("stats.dat", StatsBytes());
    GameStatePtr game = MakeGameState();
    LoadStats(game.get());
    const Player& p = *game->Pilots[1];
    EXPECT_EQ(p.Name(), "Bee");
    EXPECT_EQ(p.ShotsFired, 100);
    EXPECT_EQ(p.Hits, 101);
    EXPECT_EQ(p.SpareCounters[0], 102);
    EXPECT_EQ(p.SpareCounters[2], 104);
    EXPECT_EQ(p.Wins, 105);
    EXPECT_EQ(p.Kills, 106);
    EXPECT_EQ(p.Draws, 107);
    EXPECT_EQ(p.Losses, 108);
    EXPECT_EQ(p.ShotDeaths, 109);
    EXPECT_EQ(p.CollisionDeaths, 110);
    EXPECT_EQ(p.Score, 111) << "Score is the last four bytes";
    EXPECT_EQ(p.CurrentShip, nullptr);
    EXPECT_EQ(p.FleetValue, 0);
    EXPECT_EQ(game->Pilots[3]->Name(), "Dee") << "the length byte is ignored";
    EXPECT_EQ(game->Pilots[9]->Hits, 901);
}

TEST(LoadStats, TenByteNameWithoutTerminatorIsKept) {
    DataFolder folder;
    folder.Write("stats.dat", StatsBytes());
    GameStatePtr game = MakeGameState();
    LoadStats(game.get());
    const Player& p = *game->Pilots[4];
    EXPECT_EQ(std::memcmp(p.PilotName, "TenLetters", 10), 0);
    EXPECT_EQ(p.Name(), "TenLetters");
    SaveStats(game.get());
    EXPECT_EQ(folder.Read("stats.dat")[59 * 4 + 10], 's');
}

TEST(LoadStats, ShortFileZeroFillsWhatItLacks) {
    DataFolder folder;
    std::vector<std::uint8_t> bytes = StatsBytes();
    // Two whole records, then the third's length byte, name, two integers and
    // one byte of the third integer.
    bytes.resize(59 * 2 + 20);
    bytes[59 * 2 + 1] = 'Z';
    folder.Write("stats.dat", bytes);
    GameStatePtr game = MakeGameState();
    LoadStats(game.get());
    EXPECT_EQ(game->Pilots[1]->Score, 111);
    EXPECT_EQ(game->Pilots[2]->Name(), "Z");
    EXPECT_EQ(game->Pilots[2]->ShotsFired, 200);
    EXPECT_EQ(game->Pilots[2]->Hits, 201);
    EXPECT_EQ(game->Pilots[2]->SpareCounters[0], 202 & 0xFF);
    EXPECT_EQ(game->Pilots[2]->SpareCounters[1], 0);
    EXPECT_EQ(game->Pilots[2]->Score, 0);
    for (int i = 3; i < 10; ++i) {
        ASSERT_NE(game->Pilots[i], nullptr);
        EXPECT_EQ(game->Pilots[i]->Name(), "");
        EXPECT_EQ(game->Pilots[i]->Score, 0);
        EXPECT_EQ(game->Pilots[i]->Hits, 0);
    }
}

TEST(SaveStats, RoundTripsByteForByte) {
    DataFolder folder;
    std::vector<std::uint8_t> bytes = StatsBytes();
    folder.Write("stats.dat", bytes);
    GameStatePtr game = MakeGameState();
    LoadStats(game.get());
    SaveStats(game.get());
    bytes[59 * 3] = 59;  // the length byte is always written as 59
    EXPECT_EQ(folder.Read("stats.dat"), bytes);

    game->Pilots[0]->Score += 45;
    game->Pilots[0]->Wins += 1;
    game->Pilots[0]->Fleet[0] = 5;  // the fleet is never saved
    SaveStats(game.get());
    const auto saved = folder.Read("stats.dat");
    EXPECT_EQ(GetLE32(saved, 55), 11 + 45);
    EXPECT_EQ(GetLE32(saved, 31), 5 + 1);
    EXPECT_EQ(saved.size(), 590u);
}

TEST(SaveStats, LongerFileKeepsItsExtraBytes) {
    DataFolder folder;
    std::vector<std::uint8_t> bytes = StatsBytes();
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    folder.Write("stats.dat", bytes);
    GameStatePtr game = MakeGameState();
    LoadStats(game.get());
    game->Pilots[9]->Kills = 77;
    SaveStats(game.get());
    const auto saved = folder.Read("stats.dat");
    ASSERT_EQ(saved.size(), 595u);
    EXPECT_EQ(GetLE32(saved, 59 * 9 + 35), 77);
    EXPECT_EQ(std::vector<std::uint8_t>(saved.end() - 5, saved.end()), (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
}

TEST(SaveStats, VanishedFileIsWrittenAnew) {
    DataFolder folder;
    folder.Write("stats.dat", StatsBytes());
    GameStatePtr game = MakeGameState();
    LoadStats(game.get());
    folder.Remove("stats.dat");
    game->Pilots[0]->Hits = 4242;
    SaveStats(game.get());
    const auto saved = folder.Read("stats.dat");
    ASSERT_EQ(saved.size(), 590u);
    EXPECT_EQ(GetLE32(saved, 15), 4242);
    EXPECT_EQ(saved[1], 'A');
}
