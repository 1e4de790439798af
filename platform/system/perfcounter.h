// The high-resolution performance counter, as the Windows services offered it.
//
// The counter comes from SDL's performance counter. Tests may put their own
// counter in its place, so that time can be stepped by hand.
#pragma once

#include <cstdint>
#include <functional>

namespace plat {

// Each returns false when there is no counter (the value is then left alone).
bool QueryPerformanceCounter(std::int64_t* count);
bool QueryPerformanceFrequency(std::int64_t* frequency);

// A counter to read instead of the machine's. A missing function counts as
// "no counter" (so {} is a machine without one); ResetPerformanceCounter
// goes back to the machine's.
struct PerformanceCounter {
    std::function<bool(std::int64_t*)> counter;
    std::function<bool(std::int64_t*)> frequency;
};
void SetPerformanceCounter(PerformanceCounter replacement);
void ResetPerformanceCounter();

}  // namespace plat
