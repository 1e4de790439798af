#include "game/common/random.h"

#include <chrono>

namespace {
std::uint64_t g_state = 1;
}

void SeedRandom(std::uint64_t seed) { g_state = seed; }

void RandomizeFromClock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    SeedRandom(static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
}

std::uint32_t NextRandomValue() {
    g_state = g_state * 22695477u + 1u;
    return static_cast<std::uint32_t>(g_state >> 32) & 0x7FFFFFFFu;
}

int Random(int n) {
    if (n <= 0) return 0;
    return static_cast<int>(NextRandomValue() % static_cast<std::uint32_t>(n));
}
