#include "platform/system/perfcounter.h"

#include <SDL.h>

#include <optional>

namespace plat {
namespace {

std::optional<PerformanceCounter>& Replacement() {
    static std::optional<PerformanceCounter> replacement;
    return replacement;
}

}  // namespace

bool QueryPerformanceCounter(std::int64_t* count) {
    if (!count) return false;
    if (auto& r = Replacement()) return r->counter ? r->counter(count) : false;
    *count = static_cast<std::int64_t>(SDL_GetPerformanceCounter());
    return true;
}

bool QueryPerformanceFrequency(std::int64_t* frequency) {
    if (!frequency) return false;
    if (auto& r = Replacement()) return r->frequency ? r->frequency(frequency) : false;
    const Uint64 f = SDL_GetPerformanceFrequency();
    if (f == 0) return false;
    *frequency = static_cast<std::int64_t>(f);
    return true;
}

void SetPerformanceCounter(PerformanceCounter replacement) { Replacement() = std::move(replacement); }

void ResetPerformanceCounter() { Replacement().reset(); }

}  // namespace plat
