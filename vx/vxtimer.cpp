#include "vx/vxtimer.h"

#include "platform/system/perfcounter.h"

int VXTimer::Restart() {
    FallbackStart = std::chrono::steady_clock::now();
    plat::QueryPerformanceCounter(&StartCount);
    std::int64_t frequency = 0;
    if (!plat::QueryPerformanceFrequency(&frequency)) return 0;
    TicksPerMs = frequency / 1000;
    return 1;
}

std::int64_t VXTimer::ElapsedMs() {
    std::int64_t now = 0;
    if (TicksPerMs > 0 && plat::QueryPerformanceCounter(&now)) return (now - StartCount) / TicksPerMs;
    return SlowElapsedMs();
}

std::int64_t VXTimer::SlowElapsedMs() {
    std::int64_t now = 0;
    std::int64_t frequency = 0;
    if (plat::QueryPerformanceCounter(&now) && plat::QueryPerformanceFrequency(&frequency) && frequency > 0) {
        // Fewer than 1000 ticks a second: scale the ticks up instead of
        // dividing by a tick count per millisecond that rounds to 0.
        const std::int64_t ticks = now - StartCount;
        return ticks / frequency * 1000 + ticks % frequency * 1000 / frequency;
    }
    // No counter at all: the steady clock keeps the waits finite.
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - FallbackStart)
        .count();
}

void VXTimer::WaitUntilMs(std::uint32_t ms) {
    while (ms > static_cast<std::uint32_t>(ElapsedMs())) {
    }
}
