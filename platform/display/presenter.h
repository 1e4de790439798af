// Where the display's frames go. The real presenter shows them on SDL2: the
// window goes borderless full-screen on the desktop with a logical size of the
// display mode, letterboxed, scaled to the nearest pixel, from an RGB565
// streaming texture. The monitor's own mode is never changed. Tests install a
// RecordingPresenter instead and look at the frames it keeps.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/system/window_handle.h"

namespace plat {

class Presenter {
public:
    virtual ~Presenter() = default;
    // The size of the desktop the modes must fit in.
    virtual void DesktopSize(int* width, int* height) = 0;
    // Shows `window` full-screen with a logical size of width x height.
    virtual bool SetMode(HWND window, int width, int height) = 0;
    // One frame of 16-bit 5-6-5 pixels, rows `pitch` bytes apart.
    virtual void Present(const std::uint8_t* pixels, int pitch, int width, int height, bool vsync) = 0;
    // Gives the window back to the desktop.
    virtual void RestoreMode() = 0;
};

struct PresentedFrame {
    int width = 0;
    int height = 0;
    bool vsync = false;
    std::vector<std::uint16_t> pixels;  // width x height, rows packed
    std::uint16_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

class RecordingPresenter : public Presenter {
public:
    RecordingPresenter(int desktopWidth = 1920, int desktopHeight = 1080)
        : DesktopWidth(desktopWidth), DesktopHeight(desktopHeight) {}
    void DesktopSize(int* width, int* height) override;
    bool SetMode(HWND window, int width, int height) override;
    void Present(const std::uint8_t* pixels, int pitch, int width, int height, bool vsync) override;
    void RestoreMode() override { ModeRestored = true; }

    int DesktopWidth;
    int DesktopHeight;
    bool RefuseModes = false;  // SetMode fails while set
    int ModeWidth = 0;
    int ModeHeight = 0;
    HWND ModeWindow = nullptr;
    bool ModeRestored = false;
    // The most recent frames, oldest first (at most kKeptFrames of them), and
    // how many were presented in all.
    static constexpr std::size_t kKeptFrames = 16;
    std::vector<PresentedFrame> Frames;
    std::size_t PresentedCount = 0;
};

// The presenter in use (the SDL one unless one was installed).
Presenter& CurrentPresenter();
// Installs a presenter; none brings back the SDL one. Returns the installed
// presenter, which stays owned by the platform.
Presenter* InstallPresenter(std::unique_ptr<Presenter> presenter);

template <class T>
T* InstallPresenter(std::unique_ptr<T> presenter) {
    T* raw = presenter.get();
    InstallPresenter(std::unique_ptr<Presenter>(std::move(presenter)));
    return raw;
}

}  // namespace plat
