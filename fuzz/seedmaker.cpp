// Makes the fuzz targets' seed inputs at build time, one folder per target:
//   fuzz_seedmaker <game folder> <generated folder> <seed folder>
// The data files come from the programs' own save code, the pictures and
// sounds from the generated media (a few small ones of each kind, so the
// fuzzers start from real files without spending their runs on big ones).
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "game/data/config.h"
#include "game/program/gamestate.h"
#include "game/data/player.h"
#include "game/data/stats.h"
#include "platform/system/files.h"
#include "shipdata/shipclassrecord.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kMediaSeedsPerKind = 6;
constexpr std::uintmax_t kLargestMediaSeed = 64 * 1024;

void Save(const fs::path& file, const Bytes& bytes) {
    fs::create_directories(file.parent_path());
    if (!plat::WriteFileAtomically(file.c_str(), bytes.data(), bytes.size())) {
        std::fprintf(stderr, "fuzz_seedmaker: cannot write %s\n", file.c_str());
        std::exit(1);
    }
}

// Runs `save` with `folder` as the working directory and returns what it
// wrote as `name`.
template <class SaveFn>
Bytes SavedBy(const fs::path& folder, const char* name, SaveFn save) {
    const fs::path old = fs::current_path();
    fs::create_directories(folder);
    fs::current_path(folder);
    fs::remove(name);
    save();
    Bytes bytes = plat::ReadWholeFile(name);
    fs::remove(name);
    fs::current_path(old);
    return bytes;
}

void MakeConfigSeeds(const fs::path& seeds, const fs::path& work) {
    // The defaults as a first start writes them, and options changed on the
    // options screen as a quit saves them.
    GameStatePtr game = MakeGameState();
    SetDefaultOptions(game.get());
    Save(seeds / "config" / "defaults.cfg", SavedBy(work, "config.cfg", [&] { LoadConfig(game.get()); }));
    game->GravityOption = 0;
    game->GravityStrength = 3500.0f;
    game->PlanetOption = 3;
    game->PlanetSize = 20;
    game->AsteroidOption = 17;
    game->EffectsVolume = -1200;
    game->MusicVolume = -10000;
    game->MusicOn = 0;
    Save(seeds / "config" / "changed.cfg", SavedBy(work, "config.cfg", [&] { SaveConfig(game.get()); }));
}

void MakeStatsSeeds(const fs::path& seeds, const fs::path& work) {
    GameStatePtr game = MakeGameState();
    Save(seeds / "stats" / "fresh.dat", SavedBy(work, "stats.dat", [&] { LoadStats(game.get()); }));
    const char* names[] = {"Ace", "TenLetters", "", "Jay"};
    for (int i = 0; i < 4; ++i) {
        Player& p = *game->Pilots[i];
        p.SetName(names[i]);
        p.ShotsFired = 1000 * (i + 1);
        p.Hits = 300 * i;
        p.Wins = i;
        p.Kills = 2 * i;
        p.Losses = 7 - i;
        p.Score = 125 * i;
    }
    Save(seeds / "stats" / "played.dat", SavedBy(work, "stats.dat", [&] { SaveStats(game.get()); }));
}

void MakeShipSeeds(const fs::path& seeds) {
    std::array<shipdata::ShipClassRecord, shipdata::kFileRecords> records;
    records.fill(shipdata::FreshDesign());
    // One flyable design with a weapon of each kind and some specials.
    shipdata::ShipClassRecord& rec = records[0];
    rec.Active = 1;
    rec.ImageSelection = 3;
    rec.Technology = 2;
    rec.EngineSoundKind = 4;
    const std::int32_t kinds[] = {shipdata::Laser, shipdata::IonCannon, shipdata::CuttingBeam};
    for (int s = 0; s < 3; ++s) {
        rec.WeaponType[s] = kinds[s];
        rec.WeaponX[s] = 5 * s - 5;
        rec.WeaponY[s] = -10;
        rec.TurretCover[s] = 45 * s;
        rec.Power[s] = 12 + s;
        rec.Range[s] = 150;
    }
    rec.LaserCount = rec.IonCount = rec.BeamCount = 1;
    rec.Armor[0] = 20;
    rec.Armor[1] = 10;
    rec.Specials[shipdata::Cloak] = 2;
    rec.Specials[shipdata::Teleport] = 1;
    shipdata::CopyName(rec.Name, "Seed Raven");
    const Bytes file = shipdata::EncodeFile(records);
    // The older form: the first 848 bytes of each of the first ten records.
    Bytes legacy;
    for (int i = 0; i < shipdata::kLegacyFileRecords; ++i) {
        const auto* at = file.data() + i * shipdata::kRecordSize;
        legacy.insert(legacy.end(), at, at + shipdata::kLegacyRecordSize);
    }
    for (const char* target : {"shipdata", "gameships", "editorships"}) {
        Save(seeds / target / "ships.dat", file);
        Save(seeds / target / "ships_old.dat", legacy);
    }
}

// The smallest few files of the kind under `folder`, by size then name.
void CopyMedia(const fs::path& folder, const std::string& extension, const fs::path& to,
               std::uintmax_t largest = kLargestMediaSeed) {
    std::vector<std::pair<std::uintmax_t, fs::path>> found;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_regular_file()) continue;
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        const std::uintmax_t size = it->file_size();
        if (ext == extension && size <= largest) found.emplace_back(size, it->path());
    }
    std::sort(found.begin(), found.end());
    fs::create_directories(to);
    std::uintmax_t lastSize = ~std::uintmax_t{0};
    std::size_t copied = 0;
    for (const auto& [size, path] : found) {
        if (copied == kMediaSeedsPerKind) break;
        if (size == lastSize) continue;  // pictures of one size are alike: one of each size
        lastSize = size;
        fs::copy_file(path, to / (std::to_string(copied) + "_" + path.filename().string()),
                      fs::copy_options::overwrite_existing);
        ++copied;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: fuzz_seedmaker <game folder> <generated folder> <seed folder>\n");
        return 2;
    }
    const fs::path game = fs::absolute(argv[1]);
    const fs::path generated = fs::absolute(argv[2]);
    const fs::path seeds = fs::absolute(argv[3]);
    const fs::path work = seeds / ".work";
    MakeConfigSeeds(seeds, work);
    MakeStatsSeeds(seeds, work);
    MakeShipSeeds(seeds);
    fs::remove_all(work);
    CopyMedia(game / "img", ".bmp", seeds / "picture");
    CopyMedia(game / "img", ".psd", seeds / "picture");
    CopyMedia(game / "snd", ".wav", seeds / "sound");
    // The title picture, whatever its size: it is the one JPEG the game reads.
    CopyMedia(generated, ".jpg", seeds / "jpeg", ~std::uintmax_t{0});
    return 0;
}
