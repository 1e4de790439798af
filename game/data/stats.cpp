#include "game/data/stats.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/system/files.h"

namespace {

constexpr const char* kStatsFile = "stats.dat";

PilotRecord DefaultRecord() {
    PilotRecord rec{};
    rec[0] = kPilotRecordLength;
    return rec;
}

}  // namespace

PilotRecord EncodePilotRecord(const Player& player) {
    PilotRecord rec{};
    rec[0] = kPilotRecordLength;
    player.ToRecord(std::span<std::uint8_t, Player::kRecordBodySize>(rec.data() + 1, Player::kRecordBodySize));
    return rec;
}

std::vector<std::uint8_t> EncodeStats(const GameState* game) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kStatsFileSize);
    for (int i = 0; i < kNamedPilots; ++i) {
        const PilotRecord rec = game->Pilots[i] ? EncodePilotRecord(*game->Pilots[i]) : DefaultRecord();
        bytes.insert(bytes.end(), rec.begin(), rec.end());
    }
    return bytes;
}

void DecodeStats(const std::uint8_t* bytes, std::size_t size, GameState* game) {
    for (int i = 0; i < kNamedPilots; ++i) {
        std::array<std::uint8_t, Player::kRecordBodySize> body{};
        const std::size_t start = i * kPilotRecordSize + 1;  // past the length byte
        if (start < size) {
            const std::size_t n = std::min(Player::kRecordBodySize, size - start);
            std::copy(bytes + start, bytes + start + n, body.begin());
        }
        auto player = std::make_unique<Player>();
        Player::FromRecord(*player, body);
        delete game->Pilots[i];
        game->Pilots[i] = player.release();
    }
}

void CreateDefaultStats() {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kStatsFileSize);
    for (int i = 0; i < kNamedPilots; ++i) {
        const PilotRecord rec = DefaultRecord();
        bytes.insert(bytes.end(), rec.begin(), rec.end());
    }
    plat::WriteFileAtomically(kStatsFile, bytes.data(), bytes.size());
}

void LoadStats(GameState* game) {
    if (!plat::FileExists(kStatsFile)) CreateDefaultStats();
    std::uint8_t bytes[kStatsFileSize];
    std::size_t got = 0;
    if (plat::File f = plat::Open(kStatsFile, "rb")) got = std::fread(bytes, 1, sizeof bytes, f.get());
    DecodeStats(bytes, got, game);
}

void SaveStats(GameState* game) {
    std::vector<std::uint8_t> bytes = plat::ReadWholeFile(kStatsFile);
    const std::size_t oldSize = bytes.size();
    const std::vector<std::uint8_t> records = EncodeStats(game);
    if (bytes.size() < records.size()) bytes.resize(records.size());
    // A pilot that was never loaded keeps its record as the file has it.
    for (int i = 0; i < kNamedPilots; ++i) {
        const std::size_t at = i * kPilotRecordSize;
        const bool keepOld = !game->Pilots[i] && at + kPilotRecordSize <= oldSize;
        if (!keepOld) std::copy(records.begin() + at, records.begin() + at + kPilotRecordSize, bytes.begin() + at);
    }
    plat::WriteFileAtomically(kStatsFile, bytes.data(), bytes.size());
}
