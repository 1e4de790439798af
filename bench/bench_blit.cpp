// The layer's fills and blits against SDL's software blitter and against
// memset/memcpy, on the same 1024 x 768 RGB565 pixels. Every pair draws the
// same thing: SDL's surfaces wrap the layer's own pixel memory.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "vx/vxscreen.h"
#include "vx/vxsurface.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kSprite = 128;
constexpr int kStretched = 200;
constexpr int kDraws = 200;  // sprite draws per iteration

struct SdlSurfaceFree {
    void operator()(SDL_Surface* s) const noexcept { SDL_FreeSurface(s); }
};
using SdlSurface = std::unique_ptr<SDL_Surface, SdlSurfaceFree>;

// The layer's pixel memory and pitch, read from a lock.
std::pair<void*, int> PixelsOf(VXSurface& s) {
    s.Lock();
    std::pair<void*, int> p{s.SurfaceDesc.lpSurface, static_cast<int>(s.SurfaceDesc.lPitch)};
    s.Unlock();
    return p;
}

SdlSurface Wrap(VXSurface& s) {
    auto [pixels, pitch] = PixelsOf(s);
    return SdlSurface(SDL_CreateRGBSurfaceWithFormatFrom(pixels, s.Width, s.Height, 16, pitch,
                                                         SDL_PIXELFORMAT_RGB565));
}

struct Scene {
    Scene() {
        if (!work.Create(&screen, kWidth, kHeight, MemorySystem) ||
            !picture.Create(&screen, kWidth, kHeight, MemorySystem) ||
            !sprite.Create(&screen, kSprite, kSprite, MemorySystem)) {
            std::abort();
        }
        // A full-screen picture of every colour, and a ship-like sprite: a
        // disc of colour on black, half its pixels each.
        auto [pic, picPitch] = PixelsOf(picture);
        for (int y = 0; y < kHeight; ++y) {
            auto* row = reinterpret_cast<std::uint16_t*>(static_cast<std::uint8_t*>(pic) + y * picPitch);
            for (int x = 0; x < kWidth; ++x) row[x] = static_cast<std::uint16_t>(x * 37 + y * 101);
        }
        auto [spr, sprPitch] = PixelsOf(sprite);
        const int r2 = kSprite * kSprite / 2 * 7 / 11;  // pi r^2 = half of the square
        for (int y = 0; y < kSprite; ++y) {
            auto* row = reinterpret_cast<std::uint16_t*>(static_cast<std::uint8_t*>(spr) + y * sprPitch);
            for (int x = 0; x < kSprite; ++x) {
                const int dx = 2 * x + 1 - kSprite, dy = 2 * y + 1 - kSprite;
                const bool inside = dx * dx + dy * dy < 4 * r2;
                // Inside: never 0, so never the key.
                row[x] = inside ? static_cast<std::uint16_t>(0x0841 + ((x * 13 + y * 7) & 0xF7BE)) : 0;
            }
        }
        sprite.SetColorKey(0);
        for (int i = 0; i < kDraws; ++i)
            positions.emplace_back((i * 97) % (kWidth - kStretched), (i * 61) % (kHeight - kStretched));

        sdlWork = Wrap(work);
        sdlPicture = Wrap(picture);
        sdlSprite = Wrap(sprite);
        sdlKeyedSprite = Wrap(sprite);
        sdlBlendSprite = Wrap(sprite);
        SDL_SetColorKey(sdlKeyedSprite.get(), SDL_TRUE, 0);
        SDL_SetSurfaceRLE(sdlKeyedSprite.get(), 0);
        SDL_SetSurfaceBlendMode(sdlBlendSprite.get(), SDL_BLENDMODE_BLEND);
        SDL_SetSurfaceAlphaMod(sdlBlendSprite.get(), 128);
        SDL_SetSurfaceBlendMode(sdlPicture.get(), SDL_BLENDMODE_NONE);
        SDL_SetSurfaceBlendMode(sdlSprite.get(), SDL_BLENDMODE_NONE);
        SDL_SetSurfaceBlendMode(sdlKeyedSprite.get(), SDL_BLENDMODE_NONE);
        auto [wp, wpitch] = PixelsOf(work);
        workPixels = wp;
        workBytes = static_cast<std::size_t>(wpitch) * kHeight;
        picturePixels = PixelsOf(picture).first;
    }

    VXScreen screen;
    VXSurface work, picture, sprite;
    SdlSurface sdlWork, sdlPicture, sdlSprite, sdlKeyedSprite, sdlBlendSprite;
    std::vector<std::pair<int, int>> positions;
    void* workPixels = nullptr;
    void* picturePixels = nullptr;
    std::size_t workBytes = 0;
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

const RECT kWhole{0, 0, kWidth, kHeight};
const RECT kSpriteRect{0, 0, kSprite, kSprite};

// ---- Fill the whole surface ---------------------------------------------------

void BM_Fill_Ours(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state) benchmark::DoNotOptimize(s.work.Fill(0x1234));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(s.workBytes));
}
void BM_Fill_SDL(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state) benchmark::DoNotOptimize(SDL_FillRect(s.sdlWork.get(), nullptr, 0x1234));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(s.workBytes));
}
void BM_Fill_Memset(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state) {
        std::memset(s.workPixels, 0x12, s.workBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(s.workBytes));
}

// ---- Copy the whole surface -----------------------------------------------------

void BM_Copy_Ours(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state) benchmark::DoNotOptimize(s.picture.DrawOpaqueRect(&s.work, 0, 0, kWhole));
}
void BM_Copy_SDL(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state) benchmark::DoNotOptimize(SDL_BlitSurface(s.sdlPicture.get(), nullptr, s.sdlWork.get(), nullptr));
}
void BM_Copy_Memcpy(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state) {
        std::memcpy(s.workPixels, s.picturePixels, s.workBytes);
        benchmark::ClobberMemory();
    }
}

// ---- Keyed sprites --------------------------------------------------------------

void BM_Keyed_Ours(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state)
        for (auto [x, y] : s.positions) benchmark::DoNotOptimize(s.sprite.DrawKeyedRect(&s.work, x, y, kSpriteRect));
}
void BM_Keyed_SDL(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state)
        for (auto [x, y] : s.positions) {
            SDL_Rect d{x, y, kSprite, kSprite};
            benchmark::DoNotOptimize(SDL_BlitSurface(s.sdlKeyedSprite.get(), nullptr, s.sdlWork.get(), &d));
        }
}

// ---- Stretched keyed sprites ------------------------------------------------------

void BM_Stretch_Ours(benchmark::State& state) {
    Scene& s = TheScene();
    // The routine centres the 200 x 200 result on the 128 x 128 one.
    const int off = (kStretched - kSprite) / 2;
    for (auto _ : state)
        for (auto [x, y] : s.positions)
            benchmark::DoNotOptimize(
                s.sprite.DrawStretchedKeyed(&s.work, x + off, y + off, kSpriteRect, kStretched, kStretched));
}
void BM_Stretch_SDL(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state)
        for (auto [x, y] : s.positions) {
            SDL_Rect d{x, y, kStretched, kStretched};
            benchmark::DoNotOptimize(SDL_BlitScaled(s.sdlKeyedSprite.get(), nullptr, s.sdlWork.get(), &d));
        }
}

// ---- Blends ---------------------------------------------------------------------

void BM_AlphaKeyed_Ours(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state)
        for (auto [x, y] : s.positions)
            benchmark::DoNotOptimize(s.sprite.DrawAlphaKeyed(&s.work, x, y, kSpriteRect, 128));
}
void BM_HalfBlend_Ours(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state)
        for (auto [x, y] : s.positions)
            benchmark::DoNotOptimize(s.sprite.DrawHalfBlendOpaque(&s.work, x, y, kSpriteRect));
}
void BM_Blend_SDL(benchmark::State& state) {
    Scene& s = TheScene();
    for (auto _ : state)
        for (auto [x, y] : s.positions) {
            SDL_Rect d{x, y, kSprite, kSprite};
            benchmark::DoNotOptimize(SDL_BlitSurface(s.sdlBlendSprite.get(), nullptr, s.sdlWork.get(), &d));
        }
}

}  // namespace

BENCHMARK(BM_Fill_Ours);
BENCHMARK(BM_Fill_SDL);
BENCHMARK(BM_Fill_Memset);
BENCHMARK(BM_Copy_Ours);
BENCHMARK(BM_Copy_SDL);
BENCHMARK(BM_Copy_Memcpy);
BENCHMARK(BM_Keyed_Ours);
BENCHMARK(BM_Keyed_SDL);
BENCHMARK(BM_Stretch_Ours);
BENCHMARK(BM_Stretch_SDL);
BENCHMARK(BM_AlphaKeyed_Ours);
BENCHMARK(BM_HalfBlend_Ours);
BENCHMARK(BM_Blend_SDL);

BENCHMARK_MAIN();
