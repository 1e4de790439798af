// The game's millisecond stopwatch on the high-resolution performance counter.
#pragma once

#include <chrono>
#include <cstdint>

class VXTimer {
public:
    VXTimer() = default;
    virtual ~VXTimer() = default;

    // Starts a new measurement. 1, or 0 when there is no performance counter.
    int Restart();
    // Whole milliseconds since the last Restart; a partly elapsed one does
    // not count.
    std::int64_t ElapsedMs();
    // Spins, without sleeping, until `ms` whole milliseconds have passed
    // since the last Restart.
    void WaitUntilMs(std::uint32_t ms);

    // Counter ticks per millisecond (frequency / 1000, truncated).
    std::int64_t TicksPerMs = 0;
    // The counter at the last Restart.
    std::int64_t StartCount = 0;

private:
    // A counter slower than 1000 Hz has no whole ticks per millisecond, and
    // a missing one none at all: those are timed by the slower paths below.
    std::int64_t SlowElapsedMs();
    std::chrono::steady_clock::time_point FallbackStart = std::chrono::steady_clock::now();
};
