#include <gtest/gtest.h>

#include "platform/input/keys.h"
#include "platform/input/scriptinput.h"

namespace {

struct KeyCase {
    const char* name;
    std::uint16_t vk;
};

TEST(VirtualKeys, TranslatesTheKeysTheGameKnows) {
    const KeyCase cases[] = {
        {"A", 'A'},        {"Z", 'Z'},         {"0", '0'},           {"9", '9'},         {"Backspace", 8},
        {"Tab", 9},        {"Return", 13},     {"Keypad Enter", 13}, {"Left Shift", 16}, {"Right Shift", 16},
        {"Left Ctrl", 17}, {"Right Ctrl", 17}, {"Left Alt", 18},     {"Right Alt", 18},  {"CapsLock", 20},
        {"Escape", 27},    {"Space", 32},      {"PageUp", 33},       {"PageDown", 34},   {"End", 35},
        {"Home", 36},      {"Left", 37},       {"Up", 38},           {"Right", 39},      {"Down", 40},
        {"Insert", 45},    {"Delete", 46},     {"Keypad 0", 96},     {"Keypad 5", 101},  {"Keypad 9", 105},
        {"Keypad *", 106}, {"Keypad +", 107},  {"Keypad -", 109},    {"Keypad .", 110},  {"Keypad /", 111},
        {"F1", 112},       {"F10", 121},       {"F12", 123},
    };
    for (const KeyCase& c : cases) {
        const std::int32_t keycode = plat::KeycodeFromName(c.name);
        ASSERT_NE(keycode, 0) << c.name;
        EXPECT_EQ(plat::VirtualKeyFromKeycode(keycode), c.vk) << c.name;
    }
}

TEST(VirtualKeys, EveryOtherKeyIsAt128OrAbove) {
    // Windows gives some of these codes below 128 (Pause 19, Print Screen 44,
    // the Windows keys 91/92); the game must never see them as game keys.
    const char* const others[] = {"Pause", "PrintScreen", "Left GUI", "Right GUI",  "Menu", ";",       "=",
                                  ",",     "-",           ".",        "/",          "`",    "[",       "\\",
                                  "]",     "'",           "Numlock",  "ScrollLock", "F13",  "VolumeUp"};
    for (const char* name : others) {
        const std::int32_t keycode = plat::KeycodeFromName(name);
        ASSERT_NE(keycode, 0) << name;
        EXPECT_GE(plat::VirtualKeyFromKeycode(keycode), 128) << name;
    }
    EXPECT_GE(plat::VirtualKeyFromKeycode(0x40000000 | 0x1FF), 128);  // a key with no name
    EXPECT_GE(plat::VirtualKeyFromKeycode(0xE9), 128);                // a letter outside A..Z (é)
}

}  // namespace
