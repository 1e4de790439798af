#include "platform/input/keys.h"

#include <SDL.h>

namespace plat {

std::uint16_t VirtualKeyFromKeycode(std::int32_t keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) return static_cast<std::uint16_t>('A' + (keycode - SDLK_a));
    if (keycode >= SDLK_0 && keycode <= SDLK_9) return static_cast<std::uint16_t>('0' + (keycode - SDLK_0));
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return static_cast<std::uint16_t>(VK_F1 + (keycode - SDLK_F1));
    if (keycode >= SDLK_KP_1 && keycode <= SDLK_KP_9)
        return static_cast<std::uint16_t>(VK_NUMPAD0 + 1 + (keycode - SDLK_KP_1));
    switch (keycode) {
        case SDLK_BACKSPACE: return VK_BACK;
        case SDLK_TAB: return VK_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_RETURN2: return VK_RETURN;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT: return VK_MENU;
        case SDLK_CAPSLOCK: return VK_CAPITAL;
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_SPACE: return VK_SPACE;
        case SDLK_PAGEUP: return VK_PRIOR;
        case SDLK_PAGEDOWN: return VK_NEXT;
        case SDLK_END: return VK_END;
        case SDLK_HOME: return VK_HOME;
        case SDLK_LEFT: return VK_LEFT;
        case SDLK_UP: return VK_UP;
        case SDLK_RIGHT: return VK_RIGHT;
        case SDLK_DOWN: return VK_DOWN;
        case SDLK_INSERT: return VK_INSERT;
        case SDLK_DELETE: return VK_DELETE;
        case SDLK_KP_0: return VK_NUMPAD0;
        case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
        case SDLK_KP_PLUS: return VK_ADD;
        case SDLK_KP_MINUS: return VK_SUBTRACT;
        case SDLK_KP_PERIOD:
        case SDLK_KP_DECIMAL: return VK_DECIMAL;
        case SDLK_KP_DIVIDE: return VK_DIVIDE;
        case SDLK_NUMLOCKCLEAR: return VK_NUMLOCK;
        case SDLK_SCROLLLOCK: return VK_SCROLL;
        case SDLK_SEMICOLON: return VK_OEM_1;
        case SDLK_EQUALS: return VK_OEM_PLUS;
        case SDLK_COMMA: return VK_OEM_COMMA;
        case SDLK_MINUS: return VK_OEM_MINUS;
        case SDLK_PERIOD: return VK_OEM_PERIOD;
        case SDLK_SLASH: return VK_OEM_2;
        case SDLK_BACKQUOTE: return VK_OEM_3;
        case SDLK_LEFTBRACKET: return VK_OEM_4;
        case SDLK_BACKSLASH: return VK_OEM_5;
        case SDLK_RIGHTBRACKET: return VK_OEM_6;
        case SDLK_QUOTE: return VK_OEM_7;
        default: return VK_UNKNOWN;
    }
}

}  // namespace plat
