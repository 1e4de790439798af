// timeGetTime: milliseconds on a steady clock, wrapping at 2^32.
#pragma once

#include <functional>

#include "platform/system/win32types.h"

DWORD timeGetTime();

namespace plat {

// Replaces the clock (tests step it by hand); an empty function restores the
// real one. Returns the previous source.
using TimeSource = std::function<DWORD()>;
TimeSource SetTimeSource(TimeSource source);

}  // namespace plat
