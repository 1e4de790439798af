// What the benchmarks share: SDL surfaces over the layer's own pixel memory
// or a benchmark's (so a pair draws the same pixels on both sides), copies of
// a layer surface that SDL owns (for its RLE and colour-key paths), the game
// folder with the generated pictures, and a display that shows nothing.
//
// Benchmark names read "<what is drawn> :: <who draws it>"; bench/report
// pairs the "ours" run of each subject with every other run of it, and Add
// registers a run under such a name.
#pragma once

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/display/presenter.h"
#include "vx/vxsurface.h"

namespace bench {

struct SdlSurfaceFree {
    void operator()(SDL_Surface* s) const noexcept { SDL_FreeSurface(s); }
};
using SdlSurface = std::unique_ptr<SDL_Surface, SdlSurfaceFree>;

// The layer's pixel memory and pitch, read from a lock.
inline std::pair<void*, int> PixelsOf(VXSurface& s) {
    s.Lock();
    std::pair<void*, int> p{s.SurfaceDesc.lpSurface, static_cast<int>(s.SurfaceDesc.lPitch)};
    s.Unlock();
    return p;
}

// An SDL surface over pixel memory that stays ours, in one of SDL's formats.
inline SdlSurface WrapPixels(void* pixels, int width, int height, int pitch, Uint32 format) {
    SdlSurface w(SDL_CreateRGBSurfaceWithFormatFrom(pixels, width, height, SDL_BITSPERPIXEL(format), pitch, format));
    if (!w) {
        std::fprintf(stderr, "SDL cannot wrap %dx%d pixels: %s\n", width, height, SDL_GetError());
        std::abort();
    }
    return w;
}

// An SDL surface over the layer surface's pixels, opaque (no blending).
inline SdlSurface Wrap(VXSurface& s) {
    auto [pixels, pitch] = PixelsOf(s);
    SdlSurface w = WrapPixels(pixels, s.Width, s.Height, pitch, SDL_PIXELFORMAT_RGB565);
    SDL_SetSurfaceBlendMode(w.get(), SDL_BLENDMODE_NONE);
    return w;
}

// A copy of the w x h top-left part of a layer surface that SDL owns, so
// that SDL may encode it as runs. Black (0) is its colour key when keyed,
// as it is for every game sprite; rle asks for SDL's run-length path.
inline SdlSurface OwnedCopy(VXSurface& s, int w, int h, bool keyed, bool rle) {
    SdlSurface view = Wrap(s);
    SdlSurface copy(SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565));
    if (!copy) std::abort();
    SDL_Rect r{0, 0, w, h};
    SDL_BlitSurface(view.get(), &r, copy.get(), nullptr);
    SDL_SetSurfaceBlendMode(copy.get(), SDL_BLENDMODE_NONE);
    if (keyed) SDL_SetColorKey(copy.get(), SDL_TRUE, 0);
    SDL_SetSurfaceRLE(copy.get(), rle ? 1 : 0);
    return copy;
}

// Into the game folder, where the pictures have the names the game loads
// them by: VANTORRA_GAME_FOLDER when set, else this build's own.
inline void EnterGameFolder() {
    const char* folder = std::getenv("VANTORRA_GAME_FOLDER");
    const std::string path = folder ? folder : VANTORRA_GAME_DIR;
    if (chdir(path.c_str()) != 0) {
        std::fprintf(stderr, "no game folder at %s\n", path.c_str());
        std::exit(1);
    }
}

// A monitor that shows nothing, so that display frames cost no more than
// the layer's own work.
class NullPresenter : public plat::Presenter {
public:
    void DesktopSize(int* width, int* height) override {
        *width = 2560;
        *height = 1600;
    }
    bool SetMode(HWND, int, int) override { return true; }
    void Present(const std::uint8_t*, int, int, int, bool) override {}
    void RestoreMode() override {}
};

// The game's two benchmark screen sizes.
struct ScreenSize {
    int Width, Height;
    std::string Name() const { return std::to_string(Width) + "x" + std::to_string(Height); }
};
inline constexpr ScreenSize kScreens[] = {{1600, 1200}, {1024, 768}};

// Registers "<subject> :: <who>", timed in microseconds.
template <class Fn, class... Args>
void Add(const std::string& subject, const std::string& who, Fn fn, Args... args) {
    benchmark::RegisterBenchmark((subject + " :: " + who).c_str(), fn, args...)->Unit(benchmark::kMicrosecond);
}

// The benchmarks' main, once they are registered: no window is opened, so
// SDL is kept from looking for a display.
inline int RunBenchmarks(int argc, char** argv) {
    if (SDL_getenv("SDL_VIDEODRIVER") == nullptr) SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The whole of a file, as the plain-C side of a loading pair reads it: one
// fread into `bytes`, which keeps its memory from one call to the next.
inline void ReadWholeFile(const std::string& name, std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (!f) std::abort();
    std::fseek(f, 0, SEEK_END);
    bytes.resize(static_cast<std::size_t>(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
    std::fclose(f);
}

}  // namespace bench
