// The options file config.cfg: eight little-endian 32-bit values.
#pragma once

#include <array>
#include <cstdint>

#include "game/program/gamestate.h"

inline constexpr std::size_t kConfigFileSize = 32;

// The defaults: gravity MEDIUM (1000.0), planet MEDIUM (60), asteroid
// setting 7, effects and music at full volume, music on.
void SetDefaultOptions(GameState* game);

// The eight values in file order.
std::array<std::uint8_t, kConfigFileSize> EncodeConfig(const GameState* game);

// Reads the first 32 bytes of a config file into the options. Each value
// outside its range is replaced by its default, field by field. Returns false
// (and sets all eight defaults) when fewer than 32 bytes are given.
bool DecodeConfig(const std::uint8_t* bytes, std::size_t size, GameState* game);

// Creates config.cfg with the current options when it is missing, then reads
// it. A short file gives all defaults; a file that cannot be created or read
// leaves the defaults in force.
void LoadConfig(GameState* game);

// Writes the options into config.cfg, replacing it as a whole (bytes past the
// first 32 are kept). A missing file is written anew.
void SaveConfig(GameState* game);
