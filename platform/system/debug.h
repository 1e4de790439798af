// Debugger output. The texts go to standard error only when the environment
// variable VANTORRA_DEBUG_OUTPUT is set (to anything but "0"); otherwise they
// go nowhere.
#pragma once

#include <functional>
#include <string>

void OutputDebugStringA(const char* text);

namespace plat {

// Tests catch the texts here; an empty function restores the default.
using DebugOutputSink = std::function<void(const std::string&)>;
DebugOutputSink SetDebugOutputSink(DebugOutputSink sink);

}  // namespace plat
