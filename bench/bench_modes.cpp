// The software blit modes of vx/vxpixelkernels.h over a whole 640 x 480
// picture, at 16 bits (RGB565, the game's depth) and at 32 bits (XRGB8888),
// against SDL_BlitSurface on the same pixels: SDL's surfaces wrap the very
// source and destination memory that our kernels draw.
//   - constant alpha (1) and keyed (101): AlphaBlendPixels with the
//     destination weight 96, against a blended source of alpha mod 160 (the
//     source's weight, 256 - 96), keyed with colour key 0.
//   - half blend (2) and keyed (102): HalfBlendPixels against alpha mod 128.
//   - shade (4) and keyed (104): ShadePixels with 160 against colour mod 160
//     on an unblended source.
//   - half shade (5) and keyed (105): HalfShadePixels against colour mod 128.
//   - alpha map (120): AlphaMapPixels, unkeyed, with a map of bytes 0..255,
//     against an ARGB8888 source of the same colours whose alpha is the map,
//     blended onto the 16- or 32-bit destination.
// Where the work differs:
//   - SDL's unkeyed constant alpha gives our very pixels at both depths (at
//     16 bits it keeps five bits of the weight, and 160 needs no more).
//     Keyed, it leaves its constant-alpha paths for a general one that
//     unpacks and packs again the channels of every pixel.
//   - SDL's half blend keeps the carry of the low bits, floor((s + d) / 2)
//     per channel, where ours drops it (a quarter of the channels come out
//     one lower); keyed, it takes the same general path.
//   - Colour mod multiplies the source by f / 255 and writes it without
//     reading the destination; ours reads the destination, scales it by
//     f / 256 and writes it back, and reads the source only for the key.
//     SDL has no colour-mod path for RGB565, nor a keyed one for XRGB8888,
//     and goes through its general per-pixel path there.
//   - SDL's per-pixel alpha reads a four-byte ARGB pixel where ours reads a
//     pixel and a map byte, converts it to RGB565 as it blends at 16 bits,
//     and rounds its own way (a step or two off ours). It leaves the
//     destination where the alpha is 0 and copies the source where it is
//     255; at 16 bits it keeps five bits of the alpha, so a sixteenth of the
//     map's bytes take those shortcuts there, at 32 bits one in 128.
// The source is noise in which about a third of the pixels are the key 0, in
// runs of 1 to 16 like a sprite's background; the destination is a gradient.
// Each run starts from that destination and does not restore it between
// blits (shades darken it, blends pull it towards the source): neither side's
// work depends on the destination's values.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "vx/vxpixelkernels.h"

namespace {

using bench::SdlSurface;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr std::uint32_t kKey = 0;
// Our constant alpha is the destination's weight; SDL's alpha mod is the
// source's, so it gets the rest of 256.
constexpr unsigned kAlpha = 96;
constexpr int kAlphaMod = 256 - static_cast<int>(kAlpha);
constexpr unsigned kShade = 160;
constexpr int kHalf = 128;

void Require(bool ok, const std::string& what) {
    if (ok) return;
    std::fprintf(stderr, "%s failed: %s\n", what.c_str(), SDL_GetError());
    std::abort();
}

// A small deterministic generator, so that every run draws the same picture.
class Noise {
public:
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int Between(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<std::uint32_t>(high - low + 1));
    }

private:
    std::uint32_t state_ = 0x9E3779B9u;
};

struct Depth {
    int code;  // the kernels' depth code
    Uint32 sdl;
    int bytes;
};
constexpr Depth kDepths[] = {{16, SDL_PIXELFORMAT_RGB565, 2}, {32, SDL_PIXELFORMAT_RGB888, 4}};

// One depth's pixels: the source, the destination and the picture it starts
// from, the alpha map, and for SDL the source's colours with the map as
// their alpha.
struct Pixels {
    explicit Pixels(Depth depth) : depth(depth), pitch(kWidth * depth.bytes) {
        const std::size_t bytes = static_cast<std::size_t>(pitch) * kHeight;
        source.resize(bytes);
        start.resize(bytes);
        destination.resize(bytes);
        map.resize(static_cast<std::size_t>(kWidth) * kHeight);
        argb.resize(static_cast<std::size_t>(kWidth) * kHeight);
        SdlSurface view = bench::WrapPixels(source.data(), kWidth, kHeight, pitch, depth.sdl);
        Noise noise;
        int keys = 0;
        for (int y = 0; y < kHeight; ++y) {
            // Runs of the key alternate with runs of picture, a third of each row.
            bool keyRun = (noise.Next() & 1) != 0;
            int left = 0;
            for (int x = 0; x < kWidth; ++x) {
                if (left == 0) {
                    keyRun = !keyRun;
                    left = keyRun ? noise.Between(1, 16) : noise.Between(1, 32);
                }
                --left;
                const std::uint32_t colour = noise.Next() & 0xFFFFFFu;
                std::uint32_t pixel = kKey;
                if (!keyRun) {
                    pixel = Pack(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF);
                    if (pixel == kKey) pixel = Pack(8, 8, 8);
                } else {
                    ++keys;
                }
                const std::size_t at = static_cast<std::size_t>(y) * kWidth + x;
                Store(source, at, pixel);
                Store(start, at, Pack(x * 255 / kWidth, y * 255 / kHeight, (x ^ y) & 0xFF));
                map[at] = static_cast<std::uint8_t>(x + 2 * y + ((x * y) >> 7));
                Uint8 r, g, b;
                SDL_GetRGB(pixel, view->format, &r, &g, &b);
                argb[at] = std::uint32_t{map[at]} << 24 | std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b;
            }
        }
        const double keyShare = static_cast<double>(keys) / (kWidth * kHeight);
        Require(keyShare > 0.25 && keyShare < 0.42, "a third of the source as key");
        Reset();
    }

    std::uint32_t Pack(std::uint32_t r, std::uint32_t g, std::uint32_t b) const {
        if (depth.code == 16) return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
        return r << 16 | g << 8 | b;
    }
    void Store(std::vector<std::uint8_t>& to, std::size_t at, std::uint32_t pixel) const {
        vx::StorePixel(depth.code, to.data() + at * static_cast<std::size_t>(depth.bytes), pixel);
    }

    void Reset() { std::copy(start.begin(), start.end(), destination.begin()); }
    bool Changed() const { return destination != start; }
    std::string Subject(const char* mode) const {
        return std::string(mode) + " " + std::to_string(depth.code) + " bits " + std::to_string(kWidth) + "x" +
               std::to_string(kHeight);
    }

    Depth depth;
    int pitch;
    std::vector<std::uint8_t> source, start, destination, map;
    std::vector<std::uint32_t> argb;
};

enum class Mode { Alpha, HalfBlend, Shade, HalfShade, AlphaMap };

// A mode as the game names it, and the SDL settings nearest to it: the
// source's alpha mod or colour mod (0 for none), or a per-pixel alpha source.
struct Case {
    const char* name;
    Mode mode;
    bool keyed;
    int alphaMod;
    int colourMod;
};
constexpr Case kCases[] = {
    {"constant alpha (1)", Mode::Alpha, false, kAlphaMod, 0},
    {"constant alpha keyed (101)", Mode::Alpha, true, kAlphaMod, 0},
    {"half blend (2)", Mode::HalfBlend, false, kHalf, 0},
    {"half blend keyed (102)", Mode::HalfBlend, true, kHalf, 0},
    {"shade (4)", Mode::Shade, false, 0, static_cast<int>(kShade)},
    {"shade keyed (104)", Mode::Shade, true, 0, static_cast<int>(kShade)},
    {"half shade (5)", Mode::HalfShade, false, 0, kHalf},
    {"half shade keyed (105)", Mode::HalfShade, true, 0, kHalf},
    {"alpha map (120)", Mode::AlphaMap, false, 0, 0},
};

std::string SdlName(const Case& c) {
    std::string name = "SDL_BlitSurface ";
    if (c.keyed) name += "keyed ";
    if (c.mode == Mode::AlphaMap) return name + "ARGB8888 per-pixel alpha";
    if (c.alphaMod) return name + "alpha-mod " + std::to_string(c.alphaMod);
    return name + "colour-mod " + std::to_string(c.colourMod);
}

bool DrawOurs(Pixels& p, const Case& c) {
    const int depth = p.depth.code;
    const vx::SourceKey key = c.keyed ? vx::BlendKey(depth, kKey) : vx::SourceKey{};
    const vx::ConstPixelRows src{p.source.data(), p.pitch};
    const vx::PixelRows dst{p.destination.data(), p.pitch};
    switch (c.mode) {
        case Mode::Alpha: return vx::AlphaBlendPixels(depth, src, dst, kWidth, kHeight, kAlpha, key);
        case Mode::HalfBlend: return vx::HalfBlendPixels(depth, src, dst, kWidth, kHeight, key);
        case Mode::Shade: return vx::ShadePixels(depth, src, dst, kWidth, kHeight, kShade, key);
        case Mode::HalfShade: return vx::HalfShadePixels(depth, src, dst, kWidth, kHeight, key);
        case Mode::AlphaMap: return vx::AlphaMapPixels(depth, src, dst, p.map.data(), kWidth, kWidth, kHeight, key);
    }
    return false;
}

// The SDL source of a case, over the same source pixels (or, for the alpha
// map, over the ARGB copy of them).
SdlSurface SdlSource(Pixels& p, const Case& c) {
    if (c.mode == Mode::AlphaMap) {
        SdlSurface s = bench::WrapPixels(p.argb.data(), kWidth, kHeight, kWidth * 4, SDL_PIXELFORMAT_ARGB8888);
        Require(SDL_SetSurfaceBlendMode(s.get(), SDL_BLENDMODE_BLEND) == 0, "SDL_SetSurfaceBlendMode");
        return s;
    }
    SdlSurface s = bench::WrapPixels(p.source.data(), kWidth, kHeight, p.pitch, p.depth.sdl);
    const SDL_BlendMode blend = c.alphaMod ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE;
    Require(SDL_SetSurfaceBlendMode(s.get(), blend) == 0, "SDL_SetSurfaceBlendMode");
    if (c.alphaMod)
        Require(SDL_SetSurfaceAlphaMod(s.get(), static_cast<Uint8>(c.alphaMod)) == 0, "SDL_SetSurfaceAlphaMod");
    if (c.colourMod) {
        const auto f = static_cast<Uint8>(c.colourMod);
        Require(SDL_SetSurfaceColorMod(s.get(), f, f, f) == 0, "SDL_SetSurfaceColorMod");
    }
    if (c.keyed) Require(SDL_SetColorKey(s.get(), SDL_TRUE, kKey) == 0, "SDL_SetColorKey");
    return s;
}

void Ours(benchmark::State& state, Pixels* p, const Case* c) {
    p->Reset();
    Require(DrawOurs(*p, *c) && p->Changed(), p->Subject(c->name) + " by our kernel");
    p->Reset();
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawOurs(*p, *c));
        benchmark::ClobberMemory();
    }
}

void Sdl(benchmark::State& state, Pixels* p, const Case* c) {
    SdlSurface source = SdlSource(*p, *c);
    SdlSurface destination = bench::WrapPixels(p->destination.data(), kWidth, kHeight, p->pitch, p->depth.sdl);
    p->Reset();
    Require(SDL_BlitSurface(source.get(), nullptr, destination.get(), nullptr) == 0 && p->Changed(),
            p->Subject(c->name) + " by SDL_BlitSurface");
    p->Reset();
    for (auto _ : state) {
        benchmark::DoNotOptimize(SDL_BlitSurface(source.get(), nullptr, destination.get(), nullptr));
        benchmark::ClobberMemory();
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::unique_ptr<Pixels>> depths;
    for (Depth depth : kDepths) {
        Pixels* p = depths.emplace_back(std::make_unique<Pixels>(depth)).get();
        for (const Case& c : kCases) {
            bench::Add(p->Subject(c.name), "ours", Ours, p, &c);
            bench::Add(p->Subject(c.name), SdlName(c), Sdl, p, &c);
        }
    }
    return bench::RunBenchmarks(argc, argv);
}
