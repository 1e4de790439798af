// The play frame and the loading of a ship class's frame set, in a main
// window that holds the start-up media as the game's own start-up loads them
// (asteroid frames, scratch surface, planets, icons) and a game state from
// InitGame.
//
//   - PlayFrame in a heavy scene: the largest asteroid option, a planet and
//     two heavily armed ships (StarFury and B-Wing) firing at each other at
//     two distances, at 1600 x 1200 and 1024 x 768. The time is CPU time per
//     frame; bench/report gives its share of the 13 ms frame budget.
//   - SyncShipFrames loading one built-in class's 60 frames into that warm
//     window, against reading the same files with fread and converting their
//     24-bit pixels to 5-6-5 in a plain loop.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "game/arena/arena.h"
#include "game/arena/asteroid.h"
#include "game/program/gamestate.h"
#include "game/program/initgame.h"
#include "game/arena/matchsetup.h"
#include "game/arena/play.h"
#include "game/common/random.h"
#include "game/arena/rounds.h"
#include "game/ship/ship.h"
#include "game/shots/shots.h"
#include "game/program/winmain.h"
#include "platform/system/window_handle.h"
#include "vx/vxscreen.h"
#include "vx/vxsurface.h"

namespace {

constexpr int kBlueClass = 18;  // StarFury: six lasers
constexpr int kGreenClass = 3;  // B-Wing: three lasers, three ion cannons
constexpr int kLoadedClass = 18;
constexpr int kLargestAsteroidOption = 17;
constexpr int kWarmUpFrames = 60;
constexpr int kFramesPerScene = 300;

const char* const kPlanetNames[kPlanetPictureCount] = {"earth1",  "jupiter", "io",      "calisteo", "mars",    "titan",
                                                       "titania", "tethys",  "venus",   "ganymede", "neptune", "uranus",
                                                       "ariel",   "encelad", "iapetus", "umbriel",  "rhea",    "mimas",
                                                       "miranda", "europa",  "moon"};
const char* const kIconNames[kIconCount] = {"missiles", "shields", "thrust", "turning", "generator", "weapon1"};
const char* const kBrokenIconNames[kIconCount] = {"missiles2", "shields2",   "thrust2",
                                                  "turning2",  "generator2", "weapon2"};

std::unique_ptr<VXSurface> Load(VXScreen* display, const std::string& name, bool keyed = true) {
    auto s = std::make_unique<VXSurface>();
    s->CreateFromFile(display, name.c_str(), MemoryAny);
    if (keyed) s->SetColorKey(0);
    return s;
}

// The main window after start-up, without the dialog, sound or input.
class Window {
public:
    explicit Window(bench::ScreenSize size) : handle_(1028, 753) {
        form_ = std::make_unique<TForm1>();
        Form1 = form_.get();
        Form1->SoundsOn = 0;
        Form1->ModeWidth = size.Width;
        Form1->ModeHeight = size.Height;
        for (int i = 0; i < kImageSets; ++i)
            Form1->FramePattern[static_cast<std::size_t>(i)] = kFramePatterns[static_cast<std::size_t>(i)];
        Form1->Display = std::make_unique<VXScreen>();
        VXScreen* display = Form1->Display.get();
        if (!display->CreateFullScreen(&handle_, size.Width, size.Height, 16, 0)) std::abort();
        Form1->WorkSurface = std::make_unique<VXSurface>();
        if (!Form1->WorkSurface->Create(display, size.Width, size.Height, MemoryAny)) std::abort();
        for (int n = 1; n <= kAsteroidFrameCount; ++n) {
            char file[64];
            std::snprintf(file, sizeof file, "img\\asteroid\\aster00%02d.bmp", n);
            Form1->AsteroidFrames[static_cast<std::size_t>(n - 1)] = Load(display, file);
        }
        Form1->ScratchSurface = std::make_unique<VXSurface>();
        Form1->ScratchSurface->Create(display, 500, 500, MemoryAny);
        Form1->ScratchSurface->SetColorKey(0);
        for (std::size_t k = 0; k < kUIColourRefs.size(); ++k)
            Form1->UIColours.*kUIColourMembers[k] =
                ColorrefToPixel(Form1->WorkSurface->DirectDrawSurface, kUIColourRefs[k]);
        for (int i = 0; i < kPlanetPictureCount; ++i) {
            // Of the planets only earth1 and jupiter are keyed.
            Form1->PlanetPictures[static_cast<std::size_t>(i)] =
                Load(display, std::string("img\\planets\\") + kPlanetNames[i] + ".bmp", i <= 1);
        }
        for (int k = 0; k < kIconCount; ++k) {
            Form1->DamagedIcons[static_cast<std::size_t>(k)] =
                Load(display, std::string("img\\systems\\") + kIconNames[k] + ".bmp");
            Form1->BrokenIcons[static_cast<std::size_t>(k)] =
                Load(display, std::string("img\\systems\\") + kBrokenIconNames[k] + ".bmp");
        }
        Form1->Game = MakeGameState();
        InitGame(Form1->Game.get(), size.Width, size.Height);
    }
    ~Window() {
        ReleaseArena(Form1->Game.get());
        Form1 = nullptr;
    }
    GameState* Game() { return Form1->Game.get(); }

private:
    plat::WindowHandle handle_;
    std::unique_ptr<TForm1> form_;
};

// The display, kept for the whole run: the presenter shows nothing.
void InstallDisplay() {
    static bool done = false;
    if (done) return;
    done = true;
    bench::EnterGameFolder();
    plat::InstallPresenter(std::make_unique<bench::NullPresenter>());
}

// A fresh quick-game round as the quick-game screen starts one, between the
// two classes, with a field of the largest option (from a seed that gives a
// full one) and a planet; the ships are then placed `apart` world units
// apart facing each other, both holding their fire keys.
void NewScene(GameState* game, float apart) {
    if (game->ShotList) game->ShotList->Clear();
    game->GameMode = ScreenQuickGame;
    game->AsteroidOption = kLargestAsteroidOption;
    game->PlanetOption = 1;
    game->BlueClassCursor = kBlueClass;
    game->GreenClassCursor = kGreenClass;
    DeleteShips(game);
    LoadRoundFrames(game);
    Ship* blue = NewShip(game, 0, game->Pilots[0], kBlueClass);
    Ship* green = NewShip(game, 1, game->Pilots[1], kGreenClass);
    blue->Respawn();
    green->Respawn();
    blue->Reset();
    green->Reset();
    ResetRound(game);
    LinkShips(game);
    for (unsigned seed = 1;; ++seed) {
        SeedRandom(seed);
        NewAsteroidField(game);
        int rocks = 0;
        for (Asteroid* a = game->AsteroidHead->Next; a && a != game->AsteroidTail; a = a->Next) ++rocks;
        if (rocks >= kLargestAsteroidOption + 3) break;
    }
    NewPlanet(game);
    SeedRandom(11);
    blue->X = 1000 - apart / 2;
    green->X = 1000 + apart / 2;
    // Below the planet, whose centre lies between 750 and 1250.
    blue->Y = green->Y = 1850;
    blue->Heading = 0;
    green->Heading = 180;
    for (Ship* ship : {blue, green}) {
        Form1->KeyState[ship->KeyCodes[kCtlShootNormal] & 127] = 1;
        Form1->KeyState[ship->KeyCodes[kCtlFire] & 127] = 1;
    }
}

// Nobody dies: the round would end and the field would thin out.
void KeepAlive(GameState* game) {
    game->BlueShip->Life = game->GreenShip->Life = 1000;
    for (Asteroid* a = game->AsteroidHead->Next; a && a != game->AsteroidTail; a = a->Next)
        if (a->Life >= 0) a->Life = 1000;
}

void PlayOneFrame(GameState* game) {
    KeepAlive(game);
    benchmark::DoNotOptimize(PlayFrame(game));
}

void PlayFrameBench(benchmark::State& state, bench::ScreenSize size, float apart) {
    InstallDisplay();
    Window window(size);
    GameState* game = window.Game();
    int frame = 0;
    for (auto _ : state) {
        if (frame++ % kFramesPerScene == 0) {
            state.PauseTiming();
            NewScene(game, apart);
            for (int i = 0; i < kWarmUpFrames; ++i) PlayOneFrame(game);
            state.ResumeTiming();
        }
        PlayOneFrame(game);
    }
    // What the last frame held.
    int shots = 0, rocks = 0;
    for (game->ShotList->Rewind(), game->ShotList->Next(); game->ShotList->Current(); game->ShotList->Next()) ++shots;
    for (Asteroid* a = game->AsteroidHead->Next; a && a != game->AsteroidTail; a = a->Next) ++rocks;
    state.counters["shots"] = shots;
    state.counters["rocks"] = rocks;
    state.counters["zoom"] = game->Zoom;
    state.counters["alive"] = (game->BlueShip->Life >= 0) + (game->GreenShip->Life >= 0);
    DeleteShips(game);
    game->ShotList->Clear();
}

// ---- Frame sets ----------------------------------------------------------------

void LoadFrameSetOurs(benchmark::State& state) {
    InstallDisplay();
    Window window(bench::kScreens[0]);
    for (auto _ : state) {
        Form1->FramesWanted.fill(0);
        Form1->FramesWanted[kLoadedClass] = 1;
        Form1->SyncShipFrames();
        state.PauseTiming();
        Form1->FramesWanted.fill(0);
        Form1->SyncShipFrames();
        state.ResumeTiming();
    }
}

// The same 60 files read whole with fread, their 24-bit rows turned into
// 5-6-5 pixels in a buffer of their own.
void LoadFrameSetFread(benchmark::State& state) {
    InstallDisplay();
    Window window(bench::kScreens[0]);
    std::vector<std::string> names;
    for (int k = 1; k <= kBuiltInFrames; ++k) {
        char file[96];
        std::snprintf(file, sizeof file, kFramePatterns[kLoadedClass], k);
        std::string name = file;
        for (char& c : name)
            if (c == '\\') c = '/';
        names.push_back(name);
    }
    std::vector<unsigned char> bytes;
    for (auto _ : state) {
        std::vector<std::vector<std::uint16_t>> frames;
        for (const std::string& name : names) {
            bench::ReadWholeFile(name, bytes);
            auto le32 = [&](std::size_t at) {
                return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                                  bytes[at + 3] << 24);
            };
            const std::uint32_t offset = le32(10);
            const int w = static_cast<int>(le32(18)), h = static_cast<int>(le32(22));
            const int rowBytes = (w * 3 + 3) & ~3;
            std::vector<std::uint16_t>& out =
                frames.emplace_back(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
            for (int y = 0; y < h; ++y) {
                const unsigned char* row = bytes.data() + offset + static_cast<std::size_t>(h - 1 - y) * rowBytes;
                std::uint16_t* to = out.data() + static_cast<std::size_t>(y) * w;
                for (int x = 0; x < w; ++x, row += 3)
                    to[x] = static_cast<std::uint16_t>((row[2] >> 3) << 11 | (row[1] >> 2) << 5 | row[0] >> 3);
            }
        }
        benchmark::DoNotOptimize(frames.data());
    }
}

void RegisterAll() {
    for (bench::ScreenSize size : bench::kScreens) {
        for (auto [what, apart] : {std::pair{"heavy", 500.0f}, std::pair{"close", 160.0f}}) {
            const std::string name = std::string("PlayFrame ") + what + " " + size.Name() + " :: ours";
            benchmark::RegisterBenchmark(name.c_str(), PlayFrameBench, size, apart)
                ->Unit(benchmark::kMillisecond)
                ->MeasureProcessCPUTime();
        }
    }
    benchmark::RegisterBenchmark("frame set of one class, warm :: ours", LoadFrameSetOurs)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("frame set of one class, warm :: fread + convert", LoadFrameSetFread)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    RegisterAll();
    return bench::RunBenchmarks(argc, argv);
}
