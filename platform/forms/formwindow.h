// The program's top-level window and the drawing of the forms into it. For
// the platform's own use; the rest of the program sees an HWND.
#pragma once

#include <memory>
#include <string>

#include <SDL.h>
#include <SDL_ttf.h>

#include "platform/forms/forms.h"

namespace plat {

struct SdlDeleter {
    void operator()(SDL_Window* w) const noexcept { SDL_DestroyWindow(w); }
    void operator()(SDL_Renderer* r) const noexcept { SDL_DestroyRenderer(r); }
    void operator()(SDL_Texture* t) const noexcept { SDL_DestroyTexture(t); }
    void operator()(SDL_Surface* s) const noexcept { SDL_FreeSurface(s); }
    void operator()(TTF_Font* f) const noexcept { TTF_CloseFont(f); }
};
template <class T>
using SdlPtr = std::unique_ptr<T, SdlDeleter>;

// A borderless window covering the desktop. The forms are composed into a
// surface of the window's size and presented through the window's renderer,
// until the display takes the window over.
class FormWindow : public WindowHandle {
public:
    explicit FormWindow(const std::string& title);
    ~FormWindow() override;

    SDL_Window* NativeWindow() const override { return window_.get(); }
    SDL_Renderer* NativeRenderer() const override { return renderer_.get(); }
    void DisplayModeSet(int width, int height) override;

    bool Exclusive() const { return exclusive_; }
    bool Valid() const { return window_ != nullptr; }
    // The size of the main form (ClientWidth x ClientHeight). The window
    // itself stays as large as the desktop.
    void Resize(int width, int height);
    // The composition surface (0x00RRGGBB pixels), of the window's size, or
    // of the display's mode once the display has the window.
    SDL_Surface* Composition();
    // Shows the composition in the window (over the display's last frame
    // until the display presents again).
    void Present();

private:
    SdlPtr<SDL_Window> window_;
    SdlPtr<SDL_Renderer> renderer_;
    SdlPtr<SDL_Texture> texture_;
    SdlPtr<SDL_Surface> composition_;
    bool exclusive_ = false;
};

// The dialog font (DejaVu Sans, about 11 pixels high), or none when it cannot be found.
TTF_Font* UiFont();

}  // namespace plat

// Drawing onto the composition for one form, in the form's client coordinates.
class TCanvas {
public:
    TCanvas(SDL_Surface* target, const TRect& client);

    void FillRect(const TRect& r, std::uint32_t rgb);
    // A 3-D frame: the top and left edges in one colour, the others in another.
    void Frame(const TRect& r, std::uint32_t topLeft, std::uint32_t bottomRight);
    // The dotted rectangle of keyboard focus.
    void FocusRect(const TRect& r);
    void Pixel(int x, int y, std::uint32_t rgb);
    int TextWidth(const std::string& text) const;
    int LineHeight() const;
    void TextOut(int x, int y, const std::string& text, std::uint32_t rgb);
    // Word-wrapped text inside r; returns the number of lines drawn.
    int WrappedText(const TRect& r, const std::string& text, std::uint32_t rgb);
    void StretchPicture(const plat::DecodedPicture& picture, const TRect& r);
    // Restricts drawing to r (clipped to the form's client area).
    void SetClip(const TRect& r);

private:
    SDL_Surface* target_;
    TRect client_;
};

// Our dialog colours (0x00RRGGBB).
namespace ui {
inline constexpr std::uint32_t Face = kDialogFace;
inline constexpr std::uint32_t Highlight = 0xFFFFFF;
inline constexpr std::uint32_t Light = 0xE6E4DF;
inline constexpr std::uint32_t Shadow = 0x808080;
inline constexpr std::uint32_t DarkShadow = 0x404040;
inline constexpr std::uint32_t Text = 0x000000;
inline constexpr std::uint32_t Window = 0xFFFFFF;
inline constexpr std::uint32_t Selection = 0x1E3C78;
inline constexpr std::uint32_t SelectionText = 0xFFFFFF;
inline constexpr std::uint32_t Caption = 0x1E3C78;
inline constexpr std::uint32_t CaptionEnd = 0x9CBEE4;
inline constexpr std::uint32_t CaptionText = 0xFFFFFF;
inline constexpr int CaptionHeight = 18;
inline constexpr int BorderWidth = 3;
}  // namespace ui
