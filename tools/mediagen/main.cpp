// mediagen <game folder> <generated folder>: writes every picture and sound.
#include <chrono>
#include <cstdio>
#include <thread>

#include "tools/mediagen/generator.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <game folder> <generated folder>\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const mediagen::GenerateResult r = mediagen::Generate(argv[1], argv[2], threads);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!r.error.empty()) {
        std::fprintf(stderr, "mediagen: %s\n", r.error.c_str());
        return 1;
    }
    std::printf("mediagen: %d files (%d written) in %.1f s on %d threads\n", r.files, r.written, seconds, threads);
    return 0;
}
