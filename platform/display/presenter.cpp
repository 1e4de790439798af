// The SDL presenter and the recording presenter of the tests.
#include <SDL.h>

#include <cstring>

#include "platform/display/presenter.h"

namespace plat {

namespace {

struct SdlCloser {
    void operator()(SDL_Window* w) const noexcept { SDL_DestroyWindow(w); }
    void operator()(SDL_Renderer* r) const noexcept { SDL_DestroyRenderer(r); }
    void operator()(SDL_Texture* t) const noexcept { SDL_DestroyTexture(t); }
};
template <class T>
using SdlHandle = std::unique_ptr<T, SdlCloser>;

class SdlPresenter : public Presenter {
public:
    ~SdlPresenter() override { Close(); }

    void DesktopSize(int* width, int* height) override {
        *width = 1024;
        *height = 768;
        if (!VideoReady()) return;
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
            *width = mode.w;
            *height = mode.h;
        }
    }

    bool SetMode(HWND window, int width, int height) override {
        if (!VideoReady()) return false;
        DropTexture();
        SDL_Window* target = window ? window->NativeWindow() : nullptr;
        // Borderless over the whole desktop, so that the window covers it even
        // where no window manager acts on the full-screen request.
        SDL_Rect desktop{0, 0, width, height};
        SDL_GetDisplayBounds(0, &desktop);
        if (!target) {
            if (!ownWindow_) {
                ownWindow_.reset(
                    SDL_CreateWindow("Vantorra", desktop.x, desktop.y, desktop.w, desktop.h, SDL_WINDOW_BORDERLESS));
                if (!ownWindow_) return false;
            }
            target = ownWindow_.get();
        } else {
            SDL_SetWindowBordered(target, SDL_FALSE);
            SDL_SetWindowPosition(target, desktop.x, desktop.y);
            SDL_SetWindowSize(target, desktop.w, desktop.h);
        }
        window_ = target;
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
        SDL_ShowWindow(window_);
        SDL_Renderer* renderer = window ? window->NativeRenderer() : nullptr;
        if (!renderer) {
            if (!ownRenderer_) {
                ownRenderer_.reset(SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED));
                if (!ownRenderer_) ownRenderer_.reset(SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE));
                if (!ownRenderer_) return false;
            }
            renderer = ownRenderer_.get();
        }
        renderer_ = renderer;
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
        SDL_RenderSetLogicalSize(renderer_, width, height);
        texture_.reset(
            SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, width, height));
        if (!texture_) return false;
        width_ = width;
        height_ = height;
        return true;
    }

    void Present(const std::uint8_t* pixels, int pitch, int width, int height, bool vsync) override {
        if (!texture_ || width != width_ || height != height_) return;
        if (vsync != vSync_) {
            SDL_RenderSetVSync(renderer_, vsync ? 1 : 0);
            vSync_ = vsync;
        }
        SDL_UpdateTexture(texture_.get(), nullptr, pixels, pitch);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_.get(), nullptr, nullptr);
        SDL_RenderPresent(renderer_);
    }

    void RestoreMode() override {
        if (window_) SDL_SetWindowFullscreen(window_, 0);
        Close();
    }

private:
    bool VideoReady() {
        if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
        return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    }
    void DropTexture() { texture_.reset(); }
    void Close() {
        DropTexture();
        ownRenderer_.reset();
        ownWindow_.reset();
        renderer_ = nullptr;
        window_ = nullptr;
        width_ = height_ = 0;
    }

    SDL_Window* window_ = nullptr;      // the one shown (ours or the program's), not owned
    SDL_Renderer* renderer_ = nullptr;  // the one drawn with, not owned
    SdlHandle<SDL_Window> ownWindow_;   // made here when the program gave none
    SdlHandle<SDL_Renderer> ownRenderer_;
    SdlHandle<SDL_Texture> texture_;
    int width_ = 0;
    int height_ = 0;
    bool vSync_ = false;
};

std::unique_ptr<Presenter>& Slot() {
    static std::unique_ptr<Presenter> presenter;
    return presenter;
}

}  // namespace

Presenter& CurrentPresenter() {
    auto& slot = Slot();
    if (!slot) slot = std::make_unique<SdlPresenter>();
    return *slot;
}

Presenter* InstallPresenter(std::unique_ptr<Presenter> presenter) {
    Slot() = std::move(presenter);
    return &CurrentPresenter();
}

void RecordingPresenter::DesktopSize(int* width, int* height) {
    *width = DesktopWidth;
    *height = DesktopHeight;
}

bool RecordingPresenter::SetMode(HWND window, int width, int height) {
    if (RefuseModes) return false;
    ModeWindow = window;
    ModeWidth = width;
    ModeHeight = height;
    return true;
}

void RecordingPresenter::Present(const std::uint8_t* pixels, int pitch, int width, int height, bool vsync) {
    PresentedFrame frame;
    frame.width = width;
    frame.height = height;
    frame.vsync = vsync;
    frame.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        std::memcpy(frame.pixels.data() + static_cast<std::size_t>(y) * width,
                    pixels + static_cast<std::size_t>(y) * pitch, static_cast<std::size_t>(width) * 2);
    if (Frames.size() == kKeptFrames) Frames.erase(Frames.begin());
    Frames.push_back(std::move(frame));
    ++PresentedCount;
}

}  // namespace plat
