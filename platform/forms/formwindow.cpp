#include "platform/forms/formwindow.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace plat {

FormWindow::FormWindow(const std::string& title) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    SDL_Rect desktop{0, 0, 1028, 753};
    if (SDL_GetDisplayBounds(0, &desktop) != 0 || desktop.w <= 0 || desktop.h <= 0) desktop = SDL_Rect{0, 0, 1028, 753};
    window_.reset(SDL_CreateWindow(title.c_str(), desktop.x, desktop.y, desktop.w, desktop.h,
                                   SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN));
    if (!window_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return;
    }
    renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
    if (!renderer_) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_SOFTWARE));
    SDL_GetWindowSize(window_.get(), &ClientWidth, &ClientHeight);
}

FormWindow::~FormWindow() {
    const bool hadWindow = window_ != nullptr;
    composition_.reset();
    texture_.reset();
    renderer_.reset();
    window_.reset();
    if (hadWindow) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void FormWindow::DisplayModeSet(int width, int height) {
    WindowHandle::DisplayModeSet(width, height);
    exclusive_ = true;
    texture_.reset();
    composition_.reset();
}

void FormWindow::Resize(int width, int height) {
    if (!window_ || exclusive_) return;
    // The form takes the size, but the window itself keeps covering the
    // desktop: the same window becomes the full-screen display next, and a
    // desktop without a window manager would not grow it back.
    ClientWidth = std::max(width, 1);
    ClientHeight = std::max(height, 1);
}

SDL_Surface* FormWindow::Composition() {
    if (!window_) return nullptr;
    int w = ClientWidth, h = ClientHeight;  // the display's mode, once it has the window
    if (!exclusive_) SDL_GetWindowSize(window_.get(), &w, &h);
    w = std::max(w, 1);
    h = std::max(h, 1);
    if (!composition_ || composition_->w != w || composition_->h != h) {
        composition_.reset(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888));
        texture_.reset();
    }
    return composition_.get();
}

void FormWindow::Present() {
    if (!renderer_ || !composition_) return;
    if (!texture_) {
        texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                         composition_->w, composition_->h));
        if (!texture_) return;
    }
    SDL_UpdateTexture(texture_.get(), nullptr, composition_->pixels, composition_->pitch);
    SDL_RenderClear(renderer_.get());
    SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
    SDL_RenderPresent(renderer_.get());
}

TTF_Font* UiFont() {
    static SdlPtr<TTF_Font> font;
    static bool tried = false;
    if (tried) return font.get();
    tried = true;
    if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
    static const char* const kPaths[] = {
        "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
        "/usr/share/fonts/TTF/DejaVuSans.ttf",
        "/usr/share/fonts/dejavu/DejaVuSans.ttf",
        "/usr/share/fonts/dejavu-sans-fonts/DejaVuSans.ttf",
    };
    for (const char* path : kPaths) {
        font.reset(TTF_OpenFont(path, 10));
        if (font) break;
    }
    return font.get();
}

}  // namespace plat

namespace {

SDL_Color ToColor(std::uint32_t rgb) {
    return SDL_Color{static_cast<Uint8>(rgb >> 16), static_cast<Uint8>(rgb >> 8), static_cast<Uint8>(rgb), 255};
}

}  // namespace

TCanvas::TCanvas(SDL_Surface* target, const TRect& client) : target_(target), client_(client) {
    SetClip({0, 0, client.Right - client.Left, client.Bottom - client.Top});
}

void TCanvas::SetClip(const TRect& r) {
    if (!target_) return;
    const int left = std::max(client_.Left + r.Left, client_.Left);
    const int top = std::max(client_.Top + r.Top, client_.Top);
    const int right = std::min(client_.Left + r.Right, client_.Right);
    const int bottom = std::min(client_.Top + r.Bottom, client_.Bottom);
    SDL_Rect clip{left, top, std::max(0, right - left), std::max(0, bottom - top)};
    SDL_SetClipRect(target_, &clip);
}

void TCanvas::FillRect(const TRect& r, std::uint32_t rgb) {
    if (!target_) return;
    SDL_Rect rect{client_.Left + r.Left, client_.Top + r.Top, r.Right - r.Left, r.Bottom - r.Top};
    if (rect.w <= 0 || rect.h <= 0) return;
    SDL_FillRect(target_, &rect, SDL_MapRGB(target_->format, rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF));
}

void TCanvas::Frame(const TRect& r, std::uint32_t topLeft, std::uint32_t bottomRight) {
    FillRect({r.Left, r.Top, r.Right, r.Top + 1}, topLeft);
    FillRect({r.Left, r.Top, r.Left + 1, r.Bottom}, topLeft);
    FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight);
    FillRect({r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight);
}

void TCanvas::Pixel(int x, int y, std::uint32_t rgb) { FillRect({x, y, x + 1, y + 1}, rgb); }

void TCanvas::FocusRect(const TRect& r) {
    for (int x = r.Left; x < r.Right; x += 2) {
        Pixel(x, r.Top, ui::Text);
        Pixel(x, r.Bottom - 1, ui::Text);
    }
    for (int y = r.Top; y < r.Bottom; y += 2) {
        Pixel(r.Left, y, ui::Text);
        Pixel(r.Right - 1, y, ui::Text);
    }
}

int TCanvas::TextWidth(const std::string& text) const {
    TTF_Font* font = plat::UiFont();
    int w = 0, h = 0;
    if (!font || text.empty() || TTF_SizeUTF8(font, text.c_str(), &w, &h) != 0) return 0;
    return w;
}

int TCanvas::LineHeight() const {
    TTF_Font* font = plat::UiFont();
    return font ? TTF_FontLineSkip(font) : 13;
}

void TCanvas::TextOut(int x, int y, const std::string& text, std::uint32_t rgb) {
    TTF_Font* font = plat::UiFont();
    if (!target_ || !font || text.empty()) return;
    plat::SdlPtr<SDL_Surface> rendered(TTF_RenderUTF8_Blended(font, text.c_str(), ToColor(rgb)));
    if (!rendered) return;
    SDL_Rect at{client_.Left + x, client_.Top + y, rendered->w, rendered->h};
    SDL_BlitSurface(rendered.get(), nullptr, target_, &at);
}

int TCanvas::WrappedText(const TRect& r, const std::string& text, std::uint32_t rgb) {
    const int width = r.Right - r.Left;
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    int lines = 0;
    int y = r.Top;
    std::string line;
    auto flush = [&] {
        if (line.empty()) return;
        TextOut(r.Left, y, line, rgb);
        y += LineHeight();
        ++lines;
        line.clear();
    };
    for (const std::string& word : words) {
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(candidate) > width) {
            flush();
            line = word;
        } else {
            line = candidate;
        }
    }
    flush();
    return lines;
}

void TCanvas::StretchPicture(const plat::DecodedPicture& picture, const TRect& r) {
    if (!target_ || picture.Width <= 0 || picture.Height <= 0 ||
        picture.Pixels.size() < static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height))
        return;
    plat::SdlPtr<SDL_Surface> source(
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(picture.Pixels.data()), picture.Width,
                                           picture.Height, 32, picture.Width * 4, SDL_PIXELFORMAT_RGB888));
    if (!source) return;
    SDL_Rect dst{client_.Left + r.Left, client_.Top + r.Top, r.Right - r.Left, r.Bottom - r.Top};
    if (dst.w <= 0 || dst.h <= 0) return;
    SDL_BlitScaled(source.get(), nullptr, target_, &dst);
}
