// The handle of the program's one top-level window, and the small Windows
// types that travel with window messages.
#pragma once

#include <cstdint>

#if __has_include("platform/window_handle.h")
#include "platform/window_handle.h"
#else
namespace plat {
class WindowHandle;
}
using HWND = plat::WindowHandle*;
#endif

#if __has_include("platform/win32types.h")
#include "platform/win32types.h"
#else
struct ModuleTag;
using HINSTANCE = ModuleTag*;
struct POINT {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
#endif
