// The window message queue, fed from the system's event queue: key, mouse,
// activation and close events become messages for the forms.
#pragma once

#include <cstdint>

#include "platform/system/window.h"

struct MSG {
    HWND hwnd;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    std::uint32_t time;
    POINT pt;
};

// Our own message numbers.
inline constexpr std::uint32_t WM_NULL = 0;
inline constexpr std::uint32_t WM_ACTIVATE = 1;
inline constexpr std::uint32_t WM_PAINT = 2;
inline constexpr std::uint32_t WM_CLOSE = 3;
inline constexpr std::uint32_t WM_QUIT = 4;
inline constexpr std::uint32_t WM_KEYDOWN = 10;
inline constexpr std::uint32_t WM_KEYUP = 11;
inline constexpr std::uint32_t WM_CHAR = 12;
inline constexpr std::uint32_t WM_MOUSEMOVE = 20;
inline constexpr std::uint32_t WM_LBUTTONDOWN = 21;
inline constexpr std::uint32_t WM_LBUTTONUP = 22;
inline constexpr std::uint32_t WM_RBUTTONDOWN = 23;
inline constexpr std::uint32_t WM_RBUTTONUP = 24;

// WM_ACTIVATE's wParam.
inline constexpr std::uintptr_t WA_ACTIVE = 1;
inline constexpr std::uintptr_t WA_INACTIVE = 2;

inline constexpr std::uint32_t PM_NOREMOVE = 1;
inline constexpr std::uint32_t PM_REMOVE = 2;

// Nonzero when a message is waiting (the quit message included). With
// PM_NOREMOVE the message stays queued. Window and range filters are accepted
// and ignored: the program has one window and always asks for everything.
int PeekMessage(MSG* msg, HWND window, std::uint32_t filterMin, std::uint32_t filterMax, std::uint32_t removeFlags);
// Waits for the next message; 0 when it is the quit message, else nonzero.
int GetMessage(MSG* msg, HWND window, std::uint32_t filterMin, std::uint32_t filterMax);
// Adds a WM_CHAR after a key-down that gives a character; nonzero if it did.
int TranslateMessage(const MSG* msg);
// Hands the message to the form it belongs to.
std::intptr_t DispatchMessage(const MSG* msg);

namespace plat {

// Empties the message queue and takes away a waiting quit message, for a
// fresh program run. Events still in the system's queue stay there.
void ClearMessageQueue();

}  // namespace plat
