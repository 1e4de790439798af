// The fuzz targets: one body per loader, each feeding its bytes to the same
// entry point the programs use. The bodies are plain functions so that the
// fuzz programs (driver.cpp) and the normal test suite, which replays the
// inputs kept in fuzz/regressions/<target>/, run the very same code.
//
// A body returns 0. It calls std::abort() when the loader breaks one of its
// promises (bytes not given back unchanged, a decoded picture of the wrong
// size, ...), so the fuzzer and the tests see it as a crash.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace fuzz {

// A BMP or PSD file through VXSurface::CreateFromFile, then keyed draws of
// what loaded onto a work surface.
int FuzzPictureFile(const std::uint8_t* data, std::size_t size);
// A WAV file through VXSoundBuffer::Load, then played on every voice and
// mixed by the device's mixer.
int FuzzSoundFile(const std::uint8_t* data, std::size_t size);
// The ships.dat codec: both file forms and single records (round trip of the
// bytes) and the point value of every record decoded.
int FuzzShipData(const std::uint8_t* data, std::size_t size);
// ships.dat as the game's start-up reads it: defaults, load, built-in
// classes, prices and class names.
int FuzzGameShipsFile(const std::uint8_t* data, std::size_t size);
// keys.map through LoadKeyMap, then every binding looked up in a key state.
int FuzzKeyMapFile(const std::uint8_t* data, std::size_t size);
// config.cfg through LoadConfig, then SaveConfig.
int FuzzConfigFile(const std::uint8_t* data, std::size_t size);
// stats.dat through LoadStats, then SaveStats: every byte read comes back
// unchanged, except the record length bytes, which are written as 59.
int FuzzStatsFile(const std::uint8_t* data, std::size_t size);
// The title picture's JPEG decoder, as the main window's image loads it.
int FuzzTitleJpeg(const std::uint8_t* data, std::size_t size);
// ships.dat as the editor reads it, every design shown in the form, then
// saved again.
int FuzzEditorShipsFile(const std::uint8_t* data, std::size_t size);

struct Target {
    const char* Name;  // the folder of its regression inputs and seeds
    int (*Run)(const std::uint8_t*, std::size_t);
};

inline constexpr std::array<Target, 9> kTargets{{
    {"picture", FuzzPictureFile},
    {"sound", FuzzSoundFile},
    {"shipdata", FuzzShipData},
    {"gameships", FuzzGameShipsFile},
    {"keymap", FuzzKeyMapFile},
    {"config", FuzzConfigFile},
    {"stats", FuzzStatsFile},
    {"jpeg", FuzzTitleJpeg},
    {"editorships", FuzzEditorShipsFile},
}};

}  // namespace fuzz
