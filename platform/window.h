// The program's one top-level window, as the rest of the program sees it: an
// opaque handle. The forms draw into it while the start-up dialog is up; the
// display takes it over for the full-screen game.
#pragma once

#include <cstdint>

struct PlatformWindow;
using HWND = PlatformWindow*;
using HINSTANCE = void*;

namespace plat {

// The instance handle passed on to the input layer (there is only one).
HINSTANCE ProgramInstance();

// Client size of the window in pixels (0 x 0 for a null handle).
int WindowClientWidth(HWND window);
int WindowClientHeight(HWND window);

// The display claims the window for itself: from now on the forms no longer
// paint into it, and it is sized to the whole desktop.
void SetWindowExclusive(HWND window, bool exclusive);
bool WindowIsExclusive(HWND window);

}  // namespace plat
