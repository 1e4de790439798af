// Scripted input: events put into the system's event queue as if the user
// had made them, for driving the program without a person at the keyboard.
#pragma once

#include <cstdint>

namespace plat {

// The system key code of a key name ("A", "Return", "Keypad 7", "Left Shift").
std::int32_t KeycodeFromName(const char* name);

// A key going down or up; shift adds the Shift modifier.
void PushKey(const char* name, bool down, bool shift = false);
// Down and then up.
void PushKeyPress(const char* name, bool shift = false);
// A mouse button at (x, y) in window coordinates.
void PushMouseButton(int x, int y, bool down, bool right = false);
// Down and then up at (x, y).
void PushClick(int x, int y);
// The window regains the keyboard focus.
void PushFocusGained();
// The user closes the window.
void PushWindowClose();

// A pixel of what the forms last drew into the window (0x00RRGGBB), or
// 0xFFFFFFFF outside it or when nothing was drawn.
std::uint32_t WindowPixel(int x, int y);

}  // namespace plat
