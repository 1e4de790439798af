// Virtual-key codes, and their translation from the system's key codes.
#pragma once

#include <cstdint>

inline constexpr std::uint16_t VK_BACK = 8;
inline constexpr std::uint16_t VK_TAB = 9;
inline constexpr std::uint16_t VK_RETURN = 13;
inline constexpr std::uint16_t VK_SHIFT = 16;
inline constexpr std::uint16_t VK_CONTROL = 17;
inline constexpr std::uint16_t VK_MENU = 18;
inline constexpr std::uint16_t VK_CAPITAL = 20;
inline constexpr std::uint16_t VK_ESCAPE = 27;
inline constexpr std::uint16_t VK_SPACE = 32;
inline constexpr std::uint16_t VK_PRIOR = 33;
inline constexpr std::uint16_t VK_NEXT = 34;
inline constexpr std::uint16_t VK_END = 35;
inline constexpr std::uint16_t VK_HOME = 36;
inline constexpr std::uint16_t VK_LEFT = 37;
inline constexpr std::uint16_t VK_UP = 38;
inline constexpr std::uint16_t VK_RIGHT = 39;
inline constexpr std::uint16_t VK_DOWN = 40;
inline constexpr std::uint16_t VK_INSERT = 45;
inline constexpr std::uint16_t VK_DELETE = 46;
inline constexpr std::uint16_t VK_NUMPAD0 = 96;
inline constexpr std::uint16_t VK_MULTIPLY = 106;
inline constexpr std::uint16_t VK_ADD = 107;
inline constexpr std::uint16_t VK_SUBTRACT = 109;
inline constexpr std::uint16_t VK_DECIMAL = 110;
inline constexpr std::uint16_t VK_DIVIDE = 111;
inline constexpr std::uint16_t VK_F1 = 112;
inline constexpr std::uint16_t VK_F10 = 121;
inline constexpr std::uint16_t VK_F12 = 123;
// Keys outside the game's range get codes of 128 and above.
inline constexpr std::uint16_t VK_NUMLOCK = 144;
inline constexpr std::uint16_t VK_SCROLL = 145;
inline constexpr std::uint16_t VK_OEM_1 = 186;       // ;
inline constexpr std::uint16_t VK_OEM_PLUS = 187;    // =
inline constexpr std::uint16_t VK_OEM_COMMA = 188;   // ,
inline constexpr std::uint16_t VK_OEM_MINUS = 189;   // -
inline constexpr std::uint16_t VK_OEM_PERIOD = 190;  // .
inline constexpr std::uint16_t VK_OEM_2 = 191;       // /
inline constexpr std::uint16_t VK_OEM_3 = 192;       // `
inline constexpr std::uint16_t VK_OEM_4 = 219;       // [
inline constexpr std::uint16_t VK_OEM_5 = 220;       // backslash
inline constexpr std::uint16_t VK_OEM_6 = 221;       // ]
inline constexpr std::uint16_t VK_OEM_7 = 222;       // '
inline constexpr std::uint16_t VK_UNKNOWN = 255;     // every other key

// TShiftState bits carried with key and mouse events.
inline constexpr std::uint32_t ssCtrl = 1;
inline constexpr std::uint32_t ssShift = 2;
inline constexpr std::uint32_t ssAlt = 4;

namespace plat {

// The virtual-key code of a system key code: letters and digits by the key's
// character (so they follow the keyboard layout), both Shifts, Ctrls and Alts
// as one code each, both Enters as VK_RETURN.
std::uint16_t VirtualKeyFromKeycode(std::int32_t keycode);

}  // namespace plat
