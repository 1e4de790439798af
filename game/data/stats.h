// Pilot statistics in stats.dat: ten 59-byte records, one per named pilot.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/program/gamestate.h"
#include "game/data/player.h"

// One record: the length byte 59, the 10 name bytes, then ShotsFired, Hits,
// SpareCounters[0..2], Wins, Kills, Draws, Losses, ShotDeaths,
// CollisionDeaths and Score, little-endian and unaligned.
inline constexpr std::size_t kPilotRecordSize = 59;
inline constexpr std::uint8_t kPilotRecordLength = 59;
inline constexpr std::size_t kStatsFileSize = kPilotRecordSize * kNamedPilots;  // 590

using PilotRecord = std::array<std::uint8_t, kPilotRecordSize>;

PilotRecord EncodePilotRecord(const Player& player);

// The file's bytes for the ten named pilots. A missing pilot writes the
// default record (59 followed by zeros).
std::vector<std::uint8_t> EncodeStats(const GameState* game);

// Creates the ten named pilots from a stats file's bytes. A record the bytes
// do not reach, or reach only in part, reads its missing bytes as zero. The
// length byte of each record is skipped whatever it holds. Pilots already
// present are replaced.
void DecodeStats(const std::uint8_t* bytes, std::size_t size, GameState* game);

// Writes ten default records, replacing any stats.dat.
void CreateDefaultStats();

// Creates stats.dat when it is missing, then reads the ten named pilots
// into Pilots 0..9. They are always created, from zeros if need be.
void LoadStats(GameState* game);

// Writes the ten named pilots into stats.dat, replacing the file as a whole
// (bytes past the first 590 are kept). A missing file is written anew.
void SaveStats(GameState* game);
