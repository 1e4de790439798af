// Fuzz bodies of the game's data files and of the ships.dat codec.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <span>
#include <system_error>
#include <vector>

#include "fuzz/scratch.h"
#include "fuzz/targets.h"
#include "game/data/config.h"
#include "game/program/gamestate.h"
#include "game/program/initgame.h"
#include "game/data/keymap.h"
#include "game/ship/ship.h"
#include "game/data/shipclasses.h"
#include "game/data/stats.h"
#include "shipdata/shipclassrecord.h"
#include "shipdata/shipvalue.h"

namespace fuzz {

namespace {

using Bytes = std::vector<std::uint8_t>;

// The most rotation frames a class can have.
constexpr int kMostFrames = 360;

void Require(bool holds) {
    if (!holds) std::abort();
}

// The input cut or zero-padded to exactly `n` bytes.
Bytes Sized(const std::uint8_t* data, std::size_t size, std::size_t n) {
    Bytes bytes(n, 0);
    std::copy_n(data, std::min(size, n), bytes.begin());
    return bytes;
}

// Decodes a record and encodes it again: every byte must come back.
void RecordRoundTrip(const Bytes& bytes) {
    shipdata::ShipClassRecord rec = shipdata::ZeroRecord();
    shipdata::DecodeRecord(std::span<const std::uint8_t, shipdata::kRecordSize>(bytes.data(), shipdata::kRecordSize),
                           rec);
    static_cast<void>(shipdata::ShipValue(rec));
    const auto again = shipdata::EncodeRecord(rec);
    Require(std::equal(again.begin(), again.end(), bytes.begin()));
}

void LegacyRecordRoundTrip(const Bytes& bytes) {
    shipdata::ShipClassRecord rec = shipdata::FreshDesign();
    const shipdata::ShipClassRecord fresh = rec;
    shipdata::DecodeLegacyRecord(
        std::span<const std::uint8_t, shipdata::kLegacyRecordSize>(bytes.data(), shipdata::kLegacyRecordSize), rec);
    static_cast<void>(shipdata::ShipValue(rec));
    const auto again = shipdata::EncodeRecord(rec);
    Require(std::equal(again.begin(), again.begin() + shipdata::kLegacyRecordSize, bytes.begin()));
    // The fields the older record lacks are left as they were.
    const auto freshBytes = shipdata::EncodeRecord(fresh);
    Require(std::equal(again.begin() + shipdata::kLegacyRecordSize, again.end(),
                       freshBytes.begin() + shipdata::kLegacyRecordSize));
}

// The current file form, decoded and encoded again; a file of any other
// length gives nothing.
void FileRoundTrip(const Bytes& bytes) {
    const auto records = shipdata::DecodeFile(bytes);
    Require(records.has_value() == (bytes.size() == shipdata::kFileSize));
    if (!records) return;
    for (const auto& rec : *records) static_cast<void>(shipdata::ShipValue(rec));
    Require(shipdata::EncodeFile(*records) == bytes);
}

void LegacyFileRoundTrip(const Bytes& bytes) {
    std::array<shipdata::ShipClassRecord, shipdata::kFileRecords> records;
    records.fill(shipdata::FreshDesign());
    const bool decoded = shipdata::DecodeLegacyFile(bytes, records);
    Require(decoded == (bytes.size() == shipdata::kLegacyFileSize));
    if (!decoded) return;
    const Bytes file = shipdata::EncodeFile(records);
    for (int i = 0; i < shipdata::kLegacyFileRecords; ++i) {
        static_cast<void>(shipdata::ShipValue(records[static_cast<std::size_t>(i)]));
        Require(std::equal(file.begin() + i * shipdata::kRecordSize,
                           file.begin() + i * shipdata::kRecordSize + shipdata::kLegacyRecordSize,
                           bytes.begin() + i * shipdata::kLegacyRecordSize));
    }
}

// Makes the game folder's pictures visible from the scratch folder, so the
// built-in classes and the user classes that borrow their frames can be
// flown.
void LinkGamePictures() {
    std::error_code ec;
    if (!std::filesystem::exists("img", ec))
        std::filesystem::create_directory_symlink(std::filesystem::path(VANTORRA_GAME_DIR) / "img", "img", ec);
}

}  // namespace

int FuzzShipData(const std::uint8_t* data, std::size_t size) {
    const Bytes input(data, data + size);
    FileRoundTrip(input);
    LegacyFileRoundTrip(input);
    // Inputs of every length reach both decoders too, cut or padded to the
    // two file sizes.
    FileRoundTrip(Sized(data, size, shipdata::kFileSize));
    LegacyFileRoundTrip(Sized(data, size, shipdata::kLegacyFileSize));
    RecordRoundTrip(Sized(data, size, shipdata::kRecordSize));
    LegacyRecordRoundTrip(Sized(data, size, shipdata::kLegacyRecordSize));
    return 0;
}

int FuzzGameShipsFile(const std::uint8_t* data, std::size_t size) {
    EnterScratch("gameships");
    LinkGamePictures();
    WriteInput("ships.dat", data, size);
    GameStatePtr game = MakeGameState();
    // The class table as start-up fills it.
    SetUserClassDefaults(game.get());
    LoadShipClasses(game.get());
    SetupShipClasses(game.get());
    NameShipClasses(game.get());
    for (int c = 0; c < kClassCount; ++c) {
        Require(std::memchr(game->ClassNames[c], 0, kClassNameSize) != nullptr);
        if (game->ClassAvailable[c]) {
            const int frames = ClassFrameCount(game.get(), c);
            Require(frames >= 1 && frames <= kMostFrames);
            Require(!ClassFrameName(game.get(), c, frames).empty());
        }
    }
    return 0;
}

int FuzzKeyMapFile(const std::uint8_t* data, std::size_t size) {
    EnterScratch("keymap");
    WriteInput("keys.map", data, size);
    GameStatePtr game = MakeGameState();
    LoadKeyMap(game.get());
    int keyState[128] = {};
    for (int k = 0; k < 128; k += 3) keyState[k] = 1;
    for (int k = 0; k < kKeyBindingCount; ++k) {
        const std::int32_t code = game->KeyBindings[k];
        Require(BoundKeyDown(keyState, code) == (code >= 0 && code < 128 && code % 3 == 0));
    }
    for (int player = 0; player < 2; ++player)
        Require(game->KeyBindings[10 * player + kCtlFire] == game->KeyBindings[10 * player + kCtlShootNormal]);
    if (size < static_cast<std::size_t>(kKeyBindingCount)) {
        Require(std::equal(kDefaultKeyBindings.begin(), kDefaultKeyBindings.end(), game->KeyBindings));
    }
    return 0;
}

int FuzzConfigFile(const std::uint8_t* data, std::size_t size) {
    EnterScratch("config");
    WriteInput("config.cfg", data, size);
    GameStatePtr game = MakeGameState();
    SetDefaultOptions(game.get());
    LoadConfig(game.get());
    const auto options = EncodeConfig(game.get());
    SaveConfig(game.get());
    // The eight values in front, every byte past them as it was.
    const Bytes saved = ReadBack("config.cfg");
    Require(saved.size() == std::max(size, kConfigFileSize));
    Require(std::equal(options.begin(), options.end(), saved.begin()));
    if (size > kConfigFileSize)
        Require(std::equal(data + kConfigFileSize, data + size, saved.begin() + kConfigFileSize));
    // What was saved loads as the same options.
    GameStatePtr again = MakeGameState();
    SetDefaultOptions(again.get());
    LoadConfig(again.get());
    Require(EncodeConfig(again.get()) == options);
    return 0;
}

int FuzzStatsFile(const std::uint8_t* data, std::size_t size) {
    EnterScratch("stats");
    WriteInput("stats.dat", data, size);
    GameStatePtr game = MakeGameState();
    LoadStats(game.get());
    SaveStats(game.get());
    // Every byte read comes back; the record length bytes are written as 59,
    // and a short file gains its missing bytes as zeros.
    const Bytes saved = ReadBack("stats.dat");
    Require(saved.size() == std::max(size, kStatsFileSize));
    for (std::size_t i = 0; i < saved.size(); ++i) {
        const bool lengthByte = i < kStatsFileSize && i % kPilotRecordSize == 0;
        const std::uint8_t expected = lengthByte ? kPilotRecordLength : (i < size ? data[i] : 0);
        Require(saved[i] == expected);
    }
    return 0;
}

}  // namespace fuzz
