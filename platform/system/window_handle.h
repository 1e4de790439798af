// The handle of a top-level window, as the display, message boxes and input
// take it. The form toolkit's windows derive from plat::WindowHandle; a test
// can make a bare one, which stands for a window that is never shown.
#pragma once

struct SDL_Window;
struct SDL_Renderer;

namespace plat {

class WindowHandle {
public:
    WindowHandle() = default;
    WindowHandle(int clientWidth, int clientHeight) : ClientWidth(clientWidth), ClientHeight(clientHeight) {}
    WindowHandle(const WindowHandle&) = delete;
    WindowHandle& operator=(const WindowHandle&) = delete;
    virtual ~WindowHandle() = default;

    // The SDL window behind this handle, or none when there is no real window
    // (the display then opens one of its own when a mode is set).
    virtual SDL_Window* NativeWindow() const { return nullptr; }
    // A renderer the window already drew with, or none. The display presents
    // through it rather than making a second renderer for the same window.
    virtual SDL_Renderer* NativeRenderer() const { return nullptr; }

    // The display took this window full-screen with a logical size of the
    // mode; from now on the window reports the mode's size.
    virtual void DisplayModeSet(int width, int height) {
        ClientWidth = width;
        ClientHeight = height;
    }

    int ClientWidth = 0;
    int ClientHeight = 0;
};

}  // namespace plat

using HWND = plat::WindowHandle*;
