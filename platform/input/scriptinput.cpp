#include "platform/input/scriptinput.h"

#include "platform/forms/formwindow.h"
#include "platform/forms/forms.h"

namespace plat {
namespace {

void EnsureEvents() {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) SDL_InitSubSystem(SDL_INIT_EVENTS);
}

}  // namespace

std::int32_t KeycodeFromName(const char* name) { return SDL_GetKeyFromName(name); }

void PushKey(const char* name, bool down, bool shift) {
    EnsureEvents();
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = SDL_GetKeyFromName(name);
    e.key.keysym.scancode = SDL_GetScancodeFromKey(e.key.keysym.sym);
    e.key.keysym.mod = shift ? KMOD_LSHIFT : KMOD_NONE;
    SDL_PushEvent(&e);
}

void PushKeyPress(const char* name, bool shift) {
    PushKey(name, true, shift);
    PushKey(name, false, shift);
}

void PushMouseButton(int x, int y, bool down, bool right) {
    EnsureEvents();
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = right ? SDL_BUTTON_RIGHT : SDL_BUTTON_LEFT;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

void PushClick(int x, int y) {
    PushMouseButton(x, y, true);
    PushMouseButton(x, y, false);
}

void PushFocusGained() {
    EnsureEvents();
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    SDL_PushEvent(&e);
}

void PushWindowClose() {
    EnsureEvents();
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&e);
}

std::uint32_t WindowPixel(int x, int y) {
    auto* window = static_cast<FormWindow*>(Application->Window());
    const TForm* active = Application->ActiveForm();
    if (!window || (window->Exclusive() && !(active && active->Modal()))) return 0xFFFFFFFFu;
    SDL_Surface* s = window->Composition();
    if (!s || x < 0 || y < 0 || x >= s->w || y >= s->h) return 0xFFFFFFFFu;
    const auto* row = static_cast<const std::uint8_t*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch;
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFFu;
}

}  // namespace plat
