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
            if (!m_OwnWindow) {
                m_OwnWindow.reset(SDL_CreateWindow("Vantorra", desktop.x, desktop.y, desktop.w, desktop.h,
                                                   SDL_WINDOW_BORDERLESS));
                if (!m_OwnWindow) return false;
            }
            target = m_OwnWindow.get();
        } else {
            SDL_SetWindowBordered(target, SDL_FALSE);
            SDL_SetWindowPosition(target, desktop.x, desktop.y);
            SDL_SetWindowSize(target, desktop.w, desktop.h);
        }
        m_Window = target;
        SDL_SetWindowFullscreen(m_Window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        SDL_ShowWindow(m_Window);
        SDL_Renderer* renderer = window ? window->NativeRenderer() : nullptr;
        if (!renderer) {
            if (!m_OwnRenderer) {
                m_OwnRenderer.reset(SDL_CreateRenderer(m_Window, -1, SDL_RENDERER_ACCELERATED));
                if (!m_OwnRenderer) m_OwnRenderer.reset(SDL_CreateRenderer(m_Window, -1, SDL_RENDERER_SOFTWARE));
                if (!m_OwnRenderer) return false;
            }
            renderer = m_OwnRenderer.get();
        }
        m_Renderer = renderer;
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
        SDL_RenderSetLogicalSize(m_Renderer, width, height);
        m_Texture.reset(
            SDL_CreateTexture(m_Renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, width, height));
        if (!m_Texture) return false;
        m_Width = width;
        m_Height = height;
        return true;
    }

    void Present(const std::uint8_t* pixels, int pitch, int width, int height, bool vsync) override {
        if (!m_Texture || width != m_Width || height != m_Height) return;
        if (vsync != m_VSync) {
            SDL_RenderSetVSync(m_Renderer, vsync ? 1 : 0);
            m_VSync = vsync;
        }
        SDL_UpdateTexture(m_Texture.get(), nullptr, pixels, pitch);
        SDL_SetRenderDrawColor(m_Renderer, 0, 0, 0, 255);
        SDL_RenderClear(m_Renderer);
        SDL_RenderCopy(m_Renderer, m_Texture.get(), nullptr, nullptr);
        SDL_RenderPresent(m_Renderer);
    }

    void RestoreMode() override {
        if (m_Window) SDL_SetWindowFullscreen(m_Window, 0);
        Close();
    }

private:
    bool VideoReady() {
        if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
        return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    }
    void DropTexture() { m_Texture.reset(); }
    void Close() {
        DropTexture();
        m_OwnRenderer.reset();
        m_OwnWindow.reset();
        m_Renderer = nullptr;
        m_Window = nullptr;
        m_Width = m_Height = 0;
    }

    SDL_Window* m_Window = nullptr;      // the one shown (ours or the program's), not owned
    SDL_Renderer* m_Renderer = nullptr;  // the one drawn with, not owned
    SdlHandle<SDL_Window> m_OwnWindow;   // made here when the program gave none
    SdlHandle<SDL_Renderer> m_OwnRenderer;
    SdlHandle<SDL_Texture> m_Texture;
    int m_Width = 0;
    int m_Height = 0;
    bool m_VSync = false;
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
