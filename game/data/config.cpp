#include "game/data/config.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/system/files.h"
#include "shipdata/bytes.h"

namespace {

constexpr const char* kConfigFile = "config.cfg";

constexpr std::int32_t kDefaultGravityOption = 1;
constexpr float kDefaultGravityStrength = 1000.0f;
constexpr std::int32_t kDefaultPlanetOption = 1;
constexpr std::int32_t kDefaultPlanetSize = 60;
constexpr std::int32_t kDefaultAsteroidOption = 7;
constexpr std::int32_t kDefaultEffectsVolume = 0;
constexpr std::int32_t kDefaultMusicVolume = 0;
constexpr std::int32_t kDefaultMusicOn = 1;

// Largest gravity strength and planet size range taken from a file; the
// options screen itself only produces 3500/1000/100 and 200/60/20.
constexpr float kMaxGravityStrength = 100000.0f;
constexpr std::int32_t kMaxPlanetSize = 2000;

// A volume the options screen can produce: -2000..0 in steps of 100, or
// -10000 for off.
bool ValidVolume(std::int32_t v) { return v == -10000 || (v >= -2000 && v <= 0 && v % 100 == 0); }

}  // namespace

void SetDefaultOptions(GameState* game) {
    game->GravityOption = kDefaultGravityOption;
    game->GravityStrength = kDefaultGravityStrength;
    game->PlanetOption = kDefaultPlanetOption;
    game->PlanetSize = kDefaultPlanetSize;
    game->AsteroidOption = kDefaultAsteroidOption;
    game->EffectsVolume = kDefaultEffectsVolume;
    game->MusicVolume = kDefaultMusicVolume;
    game->MusicOn = kDefaultMusicOn;
}

std::array<std::uint8_t, kConfigFileSize> EncodeConfig(const GameState* game) {
    std::array<std::uint8_t, kConfigFileSize> bytes{};
    WriteLE32(&bytes[0], game->GravityOption);
    WriteLE32(&bytes[4], std::bit_cast<std::int32_t>(game->GravityStrength));
    WriteLE32(&bytes[8], game->PlanetOption);
    WriteLE32(&bytes[12], game->PlanetSize);
    WriteLE32(&bytes[16], game->AsteroidOption);
    WriteLE32(&bytes[20], game->EffectsVolume);
    WriteLE32(&bytes[24], game->MusicVolume);
    WriteLE32(&bytes[28], game->MusicOn);
    return bytes;
}

bool DecodeConfig(const std::uint8_t* bytes, std::size_t size, GameState* game) {
    if (size < kConfigFileSize) {
        SetDefaultOptions(game);
        return false;
    }
    const std::int32_t gravity = ReadLE32(bytes + 0);
    const float strength = std::bit_cast<float>(ReadLE32(bytes + 4));
    const std::int32_t planet = ReadLE32(bytes + 8);
    const std::int32_t planetSize = ReadLE32(bytes + 12);
    const std::int32_t asteroids = ReadLE32(bytes + 16);
    const std::int32_t effects = ReadLE32(bytes + 20);
    const std::int32_t music = ReadLE32(bytes + 24);
    const std::int32_t musicOn = ReadLE32(bytes + 28);

    game->GravityOption = gravity >= 0 && gravity <= 2 ? gravity : kDefaultGravityOption;
    game->GravityStrength = std::isfinite(strength) && strength >= 0.0f && strength <= kMaxGravityStrength
                                ? strength
                                : kDefaultGravityStrength;
    game->PlanetOption = planet >= 0 && planet <= 3 ? planet : kDefaultPlanetOption;
    game->PlanetSize = planetSize >= 0 && planetSize <= kMaxPlanetSize ? planetSize : kDefaultPlanetSize;
    game->AsteroidOption =
        asteroids == 2 || asteroids == 7 || asteroids == 12 || asteroids == 17 ? asteroids : kDefaultAsteroidOption;
    game->EffectsVolume = ValidVolume(effects) ? effects : kDefaultEffectsVolume;
    game->MusicVolume = ValidVolume(music) ? music : kDefaultMusicVolume;
    game->MusicOn = musicOn == 0 || musicOn == 1 ? musicOn : kDefaultMusicOn;
    return true;
}

void LoadConfig(GameState* game) {
    if (!plat::FileExists(kConfigFile)) {
        const auto bytes = EncodeConfig(game);
        // A folder we cannot write to leaves the options as they are.
        plat::WriteFileAtomically(kConfigFile, bytes.data(), bytes.size());
    }
    plat::File f = plat::Open(kConfigFile, "rb");
    if (!f) return;
    std::uint8_t bytes[kConfigFileSize];
    const std::size_t got = std::fread(bytes, 1, sizeof bytes, f.get());
    DecodeConfig(bytes, got, game);
}

void SaveConfig(GameState* game) {
    std::vector<std::uint8_t> bytes = plat::ReadWholeFile(kConfigFile);
    if (bytes.size() < kConfigFileSize) bytes.resize(kConfigFileSize);
    const auto values = EncodeConfig(game);
    std::copy(values.begin(), values.end(), bytes.begin());
    plat::WriteFileAtomically(kConfigFile, bytes.data(), bytes.size());
}
