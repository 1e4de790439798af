#include "platform/system/systime.h"

#include <chrono>

namespace plat {
namespace {
TimeSource& Source() {
    static TimeSource source;
    return source;
}
}  // namespace

TimeSource SetTimeSource(TimeSource source) {
    TimeSource previous = std::move(Source());
    Source() = std::move(source);
    return previous;
}
}  // namespace plat

DWORD timeGetTime() {
    if (plat::Source()) return plat::Source()();
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    auto ms = duration_cast<milliseconds>(steady_clock::now() - start).count();
    return static_cast<DWORD>(static_cast<std::uint64_t>(ms));
}
