// The draws the game makes every frame, on its own pictures and at its own
// sizes, against the nearest SDL software path on the same pixels:
//   - a ship or rock frame through the scratch surface (opaque stretch into
//     the scratch, keyed copy onto the work surface, clear) at 27, 72 and
//     108 pixels, against SDL_BlitScaled with the same colour key, and its
//     two halves alone against SDL_SoftStretch and a keyed SDL_BlitSurface;
//   - a planet's opaque stretch against SDL_SoftStretch;
//   - the cloak's alpha-keyed copy against a keyed, alpha-modulated
//     SDL_BlitSurface;
//   - the HUD icons' keyed copy against a keyed SDL_BlitSurface;
//   - the frame's whole-surface fill and copy against SDL, memset and memcpy.
// Pictures that stay as they are (frames, icons) are also timed with SDL's
// RLE; the scratch surface changes before every copy, so its copies are not.
// Every SDL destination wraps the layer's own work surface.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "game/arena/arenaview.h"
#include "vx/vxscreen.h"
#include "vx/vxsurface.h"

namespace {

using bench::Add;
using bench::SdlSurface;

constexpr int kSizes[] = {27, 72, 108};
constexpr int kDraws = 16;  // draws per iteration, spread over the screen
constexpr std::uint16_t kCloakAlpha = 128;

std::unique_ptr<VXSurface> Picture(VXScreen& screen, const char* name) {
    auto s = std::make_unique<VXSurface>();
    if (!s->CreateFromFile(&screen, name, MemoryAny)) {
        std::fprintf(stderr, "cannot load %s\n", name);
        std::exit(1);
    }
    s->SetColorKey(0);
    return s;
}

struct Screen {
    explicit Screen(VXScreen& display, bench::ScreenSize size) : size(size) {
        work = std::make_unique<VXSurface>();
        back = std::make_unique<VXSurface>();
        if (!work->Create(&display, size.Width, size.Height, MemoryAny) ||
            !back->Create(&display, size.Width, size.Height, MemoryAny))
            std::abort();
        sdlWork = bench::Wrap(*work);
        sdlBack = bench::Wrap(*back);
        auto [pixels, pitch] = bench::PixelsOf(*work);
        workPixels = pixels;
        workBytes = static_cast<std::size_t>(pitch) * static_cast<std::size_t>(size.Height);
        backPixels = bench::PixelsOf(*back).first;
        for (int i = 0; i < kDraws; ++i)
            positions.push_back({(i * 397) % (size.Width - 300) + 20, (i * 211) % (size.Height - 300) + 20});
    }
    bench::ScreenSize size;
    std::unique_ptr<VXSurface> work, back;
    SdlSurface sdlWork, sdlBack;
    void* workPixels = nullptr;
    void* backPixels = nullptr;
    std::size_t workBytes = 0;
    std::vector<SDL_Point> positions;
};

// A game picture, the layer's surface and SDL's copies of it.
struct Sprite {
    Sprite(VXScreen& display, const char* name) : layer(Picture(display, name)) {
        keyed = bench::OwnedCopy(*layer, layer->Width, layer->Height, true, false);
        keyedRle = bench::OwnedCopy(*layer, layer->Width, layer->Height, true, true);
        opaque = bench::OwnedCopy(*layer, layer->Width, layer->Height, false, false);
    }
    std::unique_ptr<VXSurface> layer;
    SdlSurface keyed, keyedRle, opaque;
};

struct Scene {
    Scene() {
        bench::EnterGameFolder();
        plat::InstallPresenter(std::make_unique<bench::NullPresenter>());
        display = std::make_unique<VXScreen>();
        ship = std::make_unique<Sprite>(*display, "img\\sfury\\sfury0001.bmp");
        rock = std::make_unique<Sprite>(*display, "img\\asteroid\\aster0001.bmp");
        planet = std::make_unique<Sprite>(*display, "img\\planets\\io.bmp");
        icon = std::make_unique<Sprite>(*display, "img\\systems\\shields.bmp");
        scratch = std::make_unique<VXSurface>();
        if (!scratch->Create(display.get(), 500, 500, MemoryAny)) std::abort();
        scratch->SetColorKey(0);
        for (bench::ScreenSize size : bench::kScreens) screens.push_back(std::make_unique<Screen>(*display, size));
    }
    std::unique_ptr<VXScreen> display;
    std::unique_ptr<Sprite> ship, rock, planet, icon;
    std::unique_ptr<VXSurface> scratch;
    std::vector<std::unique_ptr<Screen>> screens;
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

RECT Whole(const VXSurface& s) { return RECT{0, 0, s.Width, s.Height}; }

// ---- Through the scratch surface ------------------------------------------------

// The ship and rock draw: stretched into the scratch, copied out keyed,
// the scratch cleared.
void ThroughScratchOurs(benchmark::State& state, Sprite* sprite, Screen* screen, int s) {
    Scene& scene = TheScene();
    VXSurface& picture = *sprite->layer;
    picture.SetSrcRect(0, 0, picture.Height, picture.Width);
    for (auto _ : state)
        for (SDL_Point p : screen->positions)
            StretchThroughScratch(picture, *scene.scratch, s, s, [&](const RECT& r) {
                scene.scratch->DrawKeyedRect(screen->work.get(), p.x, p.y, r);
            });
}

void ScaledSdl(benchmark::State& state, SDL_Surface* source, Screen* screen, int s) {
    for (auto _ : state)
        for (SDL_Point p : screen->positions) {
            SDL_Rect d{p.x, p.y, s, s};
            benchmark::DoNotOptimize(SDL_BlitScaled(source, nullptr, screen->sdlWork.get(), &d));
        }
}

// The halves alone: the opaque stretch into the scratch surface, and the
// keyed copy of the stretched square onto the work surface.
void StretchOurs(benchmark::State& state, Sprite* sprite, int s) {
    Scene& scene = TheScene();
    VXSurface& picture = *sprite->layer;
    picture.SetSrcRect(0, 0, picture.Height, picture.Width);
    picture.SetDestRect(0, 0, s, s);
    for (auto _ : state) benchmark::DoNotOptimize(picture.Draw(scene.scratch.get()));
}

void StretchSdl(benchmark::State& state, Sprite* sprite, int s) {
    SdlSurface scratch = bench::Wrap(*TheScene().scratch);
    SDL_Rect d{0, 0, s, s};
    for (auto _ : state) benchmark::DoNotOptimize(SDL_SoftStretch(sprite->opaque.get(), nullptr, scratch.get(), &d));
}

// A stretched square as the scratch surface holds it, and SDL's copies.
struct Stretched {
    Stretched(Sprite& sprite, int s) {
        VXSurface& scratch = *TheScene().scratch;
        scratch.Fill(0);
        sprite.layer->SetSrcRect(0, 0, sprite.layer->Height, sprite.layer->Width);
        sprite.layer->SetDestRect(0, 0, s, s);
        sprite.layer->Draw(&scratch);
        keyed = bench::OwnedCopy(scratch, s, s, true, false);
        blended = bench::OwnedCopy(scratch, s, s, true, false);
        SDL_SetSurfaceBlendMode(blended.get(), SDL_BLENDMODE_BLEND);
        SDL_SetSurfaceAlphaMod(blended.get(), kCloakAlpha);
    }
    SdlSurface keyed, blended;
};

// The scratch surface changes before every copy in the game; a lock and
// unlock on both sides stands for that here.
void KeyedCopyOurs(benchmark::State& state, Sprite* sprite, Screen* screen, int s) {
    Stretched prepared(*sprite, s);
    VXSurface& scratch = *TheScene().scratch;
    const RECT square{0, 0, s, s};
    for (auto _ : state)
        for (SDL_Point p : screen->positions) {
            scratch.Lock();
            scratch.Unlock();
            benchmark::DoNotOptimize(scratch.DrawKeyedRect(screen->work.get(), p.x, p.y, square));
        }
    scratch.Fill(0);
}

void CloakOurs(benchmark::State& state, Sprite* sprite, Screen* screen, int s) {
    Stretched prepared(*sprite, s);
    VXSurface& scratch = *TheScene().scratch;
    const RECT square{0, 0, s, s};
    for (auto _ : state)
        for (SDL_Point p : screen->positions)
            benchmark::DoNotOptimize(scratch.DrawAlphaKeyed(screen->work.get(), p.x, p.y, square, kCloakAlpha));
    scratch.Fill(0);
}

enum class Prepared { Keyed, Blended };

void PreparedSdl(benchmark::State& state, Sprite* sprite, Screen* screen, int s, Prepared which) {
    Stretched prepared(*sprite, s);
    TheScene().scratch->Fill(0);
    SDL_Surface* source = which == Prepared::Keyed ? prepared.keyed.get() : prepared.blended.get();
    for (auto _ : state)
        for (SDL_Point p : screen->positions) {
            SDL_LockSurface(source);
            SDL_UnlockSurface(source);
            SDL_Rect d{p.x, p.y, s, s};
            benchmark::DoNotOptimize(SDL_BlitSurface(source, nullptr, screen->sdlWork.get(), &d));
        }
}

// ---- Planets ----------------------------------------------------------------

void PlanetOurs(benchmark::State& state, Screen* screen, int s) {
    VXSurface& planet = *TheScene().planet->layer;
    planet.SetSrcRect(0, 0, planet.Height, planet.Width);
    for (auto _ : state)
        for (SDL_Point p : screen->positions) {
            planet.SetDestRect(p.y, p.x, p.y + s, p.x + s);
            benchmark::DoNotOptimize(planet.Draw(screen->work.get()));
        }
}

void PlanetSdl(benchmark::State& state, Screen* screen, int s) {
    SDL_Surface* planet = TheScene().planet->opaque.get();
    for (auto _ : state)
        for (SDL_Point p : screen->positions) {
            SDL_Rect d{p.x, p.y, s, s};
            benchmark::DoNotOptimize(SDL_SoftStretch(planet, nullptr, screen->sdlWork.get(), &d));
        }
}

// ---- HUD icons ----------------------------------------------------------------

void IconOurs(benchmark::State& state, Screen* screen) {
    VXSurface& icon = *TheScene().icon->layer;
    for (auto _ : state)
        for (SDL_Point p : screen->positions) benchmark::DoNotOptimize(icon.DrawKeyedAt(p.x, p.y, screen->work.get()));
}

void IconSdl(benchmark::State& state, Screen* screen, bool rle) {
    Sprite& icon = *TheScene().icon;
    SDL_Surface* source = rle ? icon.keyedRle.get() : icon.keyed.get();
    for (auto _ : state)
        for (SDL_Point p : screen->positions) {
            SDL_Rect d{p.x, p.y, icon.layer->Width, icon.layer->Height};
            benchmark::DoNotOptimize(SDL_BlitSurface(source, nullptr, screen->sdlWork.get(), &d));
        }
}

// ---- The whole surface ------------------------------------------------------------

void FillOurs(benchmark::State& state, Screen* screen) {
    for (auto _ : state) benchmark::DoNotOptimize(screen->work->Fill(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(screen->workBytes));
}
void FillSdl(benchmark::State& state, Screen* screen) {
    for (auto _ : state) benchmark::DoNotOptimize(SDL_FillRect(screen->sdlWork.get(), nullptr, 0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(screen->workBytes));
}
void FillMemset(benchmark::State& state, Screen* screen) {
    for (auto _ : state) {
        std::memset(screen->workPixels, 0, screen->workBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(screen->workBytes));
}

void CopyOurs(benchmark::State& state, Screen* screen) {
    const RECT whole = Whole(*screen->work);
    for (auto _ : state) benchmark::DoNotOptimize(screen->work->DrawOpaqueRect(screen->back.get(), 0, 0, whole));
}
void CopySdl(benchmark::State& state, Screen* screen) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SDL_BlitSurface(screen->sdlWork.get(), nullptr, screen->sdlBack.get(), nullptr));
}
void CopyMemcpy(benchmark::State& state, Screen* screen) {
    for (auto _ : state) {
        std::memcpy(screen->backPixels, screen->workPixels, screen->workBytes);
        benchmark::ClobberMemory();
    }
}

void RegisterAll() {
    Scene& scene = TheScene();
    for (auto& screenPtr : scene.screens) {
        Screen* screen = screenPtr.get();
        const std::string on = " " + screen->size.Name();
        for (int s : kSizes) {
            const std::string px = " " + std::to_string(s) + "px";
            for (auto [name, sprite] : {std::pair{"ship", scene.ship.get()}, std::pair{"rock", scene.rock.get()}}) {
                const std::string subject = std::string(name) + " through scratch" + px + on;
                Add(subject, "ours", ThroughScratchOurs, sprite, screen, s);
                Add(subject, "SDL_BlitScaled keyed", ScaledSdl, sprite->keyed.get(), screen, s);
                Add(subject, "SDL_BlitScaled keyed RLE", ScaledSdl, sprite->keyedRle.get(), screen, s);
                const std::string copy = std::string(name) + " keyed copy" + px + on;
                Add(copy, "ours", KeyedCopyOurs, sprite, screen, s);
                Add(copy, "SDL_BlitSurface keyed", PreparedSdl, sprite, screen, s, Prepared::Keyed);
            }
            const std::string cloak = "cloak alpha-keyed copy" + px + on;
            Add(cloak, "ours", CloakOurs, scene.ship.get(), screen, s);
            Add(cloak, "SDL_BlitSurface keyed alpha-mod", PreparedSdl, scene.ship.get(), screen, s, Prepared::Blended);
        }
        for (int s : {72, 108, 300}) {
            const std::string subject = "planet stretch " + std::to_string(s) + "px" + on;
            Add(subject, "ours", PlanetOurs, screen, s);
            Add(subject, "SDL_SoftStretch", PlanetSdl, screen, s);
        }
        Add("HUD icon" + on, "ours", IconOurs, screen);
        Add("HUD icon" + on, "SDL_BlitSurface keyed", IconSdl, screen, false);
        Add("HUD icon" + on, "SDL_BlitSurface keyed RLE", IconSdl, screen, true);
        Add("fill" + on, "ours", FillOurs, screen);
        Add("fill" + on, "SDL_FillRect", FillSdl, screen);
        Add("fill" + on, "memset", FillMemset, screen);
        Add("copy" + on, "ours", CopyOurs, screen);
        Add("copy" + on, "SDL_BlitSurface", CopySdl, screen);
        Add("copy" + on, "memcpy", CopyMemcpy, screen);
    }
    // The stretch alone, into the scratch surface (no screen involved).
    for (int s : kSizes) {
        const std::string px = " " + std::to_string(s) + "px";
        for (auto [name, sprite] : {std::pair{"ship", scene.ship.get()}, std::pair{"rock", scene.rock.get()}}) {
            const std::string subject = std::string(name) + " stretch into scratch" + px;
            Add(subject, "ours", StretchOurs, sprite, s);
            Add(subject, "SDL_SoftStretch", StretchSdl, sprite, s);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    RegisterAll();
    return bench::RunBenchmarks(argc, argv);
}
