// Loading the largest picture the loaders accept (4096 x 4096, 16M pixels)
// with VXSurface::CreateFromFile, against reading the same file with fread
// and turning its pixels into 5-6-5 in a plain loop:
//   - a 24-bit BMP, stored bottom-up, the form of every generated picture;
//   - a 3-channel raw PSD (one plane per channel).
// The files are written once into a temporary folder and removed at the end.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "bench/bench_support.h"
#include "platform/system/window_handle.h"
#include "vx/vxscreen.h"
#include "vx/vxsurface.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSide = 4096;

using Bytes = std::vector<unsigned char>;

// A stripe pattern with black runs, so the picture has both key and shown
// pixels; channel c of pixel (x, y).
unsigned char Pattern(int x, int y, int c) {
    if ((x / 7 + y / 5) % 3 == 0) return 0;
    return static_cast<unsigned char>((x * 5 + y * 3 + c * 77) % 255 + 1);
}

void Put(Bytes& b, std::size_t at, std::uint32_t v, int n, bool bigEndian = false) {
    for (int i = 0; i < n; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * (bigEndian ? n - 1 - i : i)));
}

Bytes Bmp24() {
    const std::size_t rowBytes = (kSide * 3 + 3) & ~std::size_t{3};
    Bytes b(54 + rowBytes * kSide, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, static_cast<std::uint32_t>(b.size()), 4);
    Put(b, 10, 54, 4);
    Put(b, 14, 40, 4);
    Put(b, 18, kSide, 4);
    Put(b, 22, kSide, 4);
    Put(b, 26, 1, 2);
    Put(b, 28, 24, 2);
    for (int y = 0; y < kSide; ++y) {
        unsigned char* row = b.data() + 54 + static_cast<std::size_t>(kSide - 1 - y) * rowBytes;
        for (int x = 0; x < kSide; ++x)
            for (int c = 0; c < 3; ++c) row[x * 3 + c] = Pattern(x, y, 2 - c);  // blue, green, red
    }
    return b;
}

Bytes Psd3() {
    const std::size_t plane = static_cast<std::size_t>(kSide) * kSide;
    Bytes b(26 + 12 + 2 + 3 * plane, 0);
    b[0] = '8';
    b[1] = 'B';
    b[2] = 'P';
    b[3] = 'S';
    Put(b, 4, 1, 2, true);
    Put(b, 12, 3, 2, true);
    Put(b, 14, kSide, 4, true);
    Put(b, 18, kSide, 4, true);
    Put(b, 22, 8, 2, true);
    Put(b, 24, 3, 2, true);  // RGB; the three section lengths and the compression stay 0
    unsigned char* data = b.data() + 40;
    for (int c = 0; c < 3; ++c)
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                data[c * plane + static_cast<std::size_t>(y) * kSide + x] = Pattern(x, y, c);
    return b;
}

// The temporary folder with both pictures, and a display to load them on.
struct Pictures {
    Pictures() : window(640, 480) {
        folder = fs::temp_directory_path() / ("vantorra_bench_load_" + std::to_string(::getpid()));
        fs::create_directories(folder);
        bmp = Write("largest.bmp", Bmp24());
        psd = Write("largest.psd", Psd3());
        bench::EnterGameFolder();
        plat::InstallPresenter(std::make_unique<bench::NullPresenter>());
        display = std::make_unique<VXScreen>();
        if (!display->CreateFullScreen(&window, 640, 480, 16, 0)) std::abort();
    }
    ~Pictures() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    std::string Write(const char* name, const Bytes& bytes) {
        const fs::path path = folder / name;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            std::exit(1);
        }
        return path.string();
    }
    fs::path folder;
    std::string bmp, psd;
    plat::WindowHandle window;
    std::unique_ptr<VXScreen> display;
};

Pictures& ThePictures() {
    static Pictures pictures;
    return pictures;
}

void LoadOurs(benchmark::State& state, bool psd) {
    Pictures& p = ThePictures();
    const std::string& name = psd ? p.psd : p.bmp;
    for (auto _ : state) {
        VXSurface picture;
        if (!picture.CreateFromFile(p.display.get(), name.c_str(), MemoryAny)) std::abort();
        benchmark::DoNotOptimize(picture.DirectDrawSurface.get());
    }
}

Bytes ReadAll(const std::string& name) {
    Bytes bytes;
    bench::ReadWholeFile(name, bytes);
    return bytes;
}

std::uint16_t To565(unsigned r, unsigned g, unsigned b) {
    return static_cast<std::uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
}

// The whole file read with fread, its bottom-up 24-bit rows turned into
// 5-6-5 pixels top-down.
void BmpFread(benchmark::State& state) {
    Pictures& p = ThePictures();
    for (auto _ : state) {
        const Bytes bytes = ReadAll(p.bmp);
        const std::size_t rowBytes = (kSide * 3 + 3) & ~std::size_t{3};
        std::vector<std::uint16_t> out(static_cast<std::size_t>(kSide) * kSide);
        for (int y = 0; y < kSide; ++y) {
            const unsigned char* row = bytes.data() + 54 + static_cast<std::size_t>(kSide - 1 - y) * rowBytes;
            std::uint16_t* to = out.data() + static_cast<std::size_t>(y) * kSide;
            for (int x = 0; x < kSide; ++x, row += 3) to[x] = To565(row[2], row[1], row[0]);
        }
        benchmark::DoNotOptimize(out.data());
    }
}

// The whole file read with fread, its red, green and blue planes turned into
// 5-6-5 pixels.
void PsdFread(benchmark::State& state) {
    Pictures& p = ThePictures();
    for (auto _ : state) {
        const Bytes bytes = ReadAll(p.psd);
        const std::size_t plane = static_cast<std::size_t>(kSide) * kSide;
        const unsigned char* red = bytes.data() + 40;
        const unsigned char* green = red + plane;
        const unsigned char* blue = green + plane;
        std::vector<std::uint16_t> out(plane);
        for (std::size_t i = 0; i < plane; ++i) out[i] = To565(red[i], green[i], blue[i]);
        benchmark::DoNotOptimize(out.data());
    }
}

}  // namespace

int main(int argc, char** argv) {
    for (auto [subject, psd] : {std::pair{"largest BMP picture, 4096 x 4096 at 24 bits", false},
                                std::pair{"largest PSD picture, 4096 x 4096, 3 raw channels", true}}) {
        benchmark::RegisterBenchmark((std::string(subject) + " :: ours").c_str(), LoadOurs, psd)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string(subject) + " :: fread + convert").c_str(), psd ? PsdFread : BmpFread)
            ->Unit(benchmark::kMillisecond);
    }
    return bench::RunBenchmarks(argc, argv);
}
