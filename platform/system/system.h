// Small system services of the game's window: the mouse cursor and sleeping.
#pragma once

#include <cstdint>

// Hides (FALSE) or shows (TRUE) the system cursor; returns the display count
// as Windows keeps it (shown while it is 0 or more).
int ShowCursor(int show);
// Blocks the calling thread for the given milliseconds.
void Sleep(std::uint32_t milliseconds);

namespace plat {

// The display count of ShowCursor.
int CursorDisplayCount();
// Back to the start-up count of 0 (cursor shown), for a fresh program run.
void ResetCursorDisplayCount();

}  // namespace plat
