#include <gtest/gtest.h>

#include <string>

#include "game/data/keynames.h"

TEST(KeyName, NamedKeysAndEdges) {
    struct Case {
        unsigned code;
        const char* name;
    };
    const Case cases[] = {
        {8, "BACKSPC"},
        {13, "ENTER"},
        {16, "SHIFT"},
        {17, "CONTROL"},
        {18, "ALT"},
        {20, "CAPSLCK"},
        {32, "SPACE"},
        {33, "PAGEUP"},
        {34, "PAGEDN"},
        {35, "END"},
        {36, "HOME"},
        {37, "LEFT"},
        {38, "UP"},
        {39, "RIGHT"},
        {40, "DOWN"},
        {45, "INSERT"},
        {46, "DELETE"},
        {106, "NUM_*"},
        {107, "NUM_+"},
        {109, "NUM_-"},
        {110, "NUM_,"},
        {111, "NUM_/"},
        {48, "0"},
        {57, "9"},
        {65, "A"},
        {90, "Z"},
        {96, "NUM_0"},
        {105, "NUM_9"},
        {112, "F1"},
        {121, "F10"},
        {123, "F12"},
        // unnamed: Tab, Escape, keypad separator, F13, the ends of the ranges
        {0, "No Match"},
        {9, "No Match"},
        {27, "No Match"},
        {47, "No Match"},
        {58, "No Match"},
        {64, "No Match"},
        {91, "No Match"},
        {108, "No Match"},
        {124, "No Match"},
        {255, "No Match"},
        {4096, "No Match"},
        {0xFFFFFFFFu, "No Match"},
    };
    for (const Case& c : cases) EXPECT_STREQ(KeyName(c.code), c.name) << c.code;
}

TEST(KeyName, EightyCodesHaveNames) {
    int named = 0;
    for (unsigned code = 0; code < 1024; ++code) {
        const std::string name = KeyName(code);
        ASSERT_FALSE(name.empty()) << code;
        if (name != "No Match") {
            ++named;
            EXPECT_LT(code, 124u);
            EXPECT_LE(name.size(), 7u) << code;
        }
    }
    EXPECT_EQ(named, 80);
    EXPECT_STREQ(KeyName(77), "M");
    EXPECT_STREQ(KeyName(101), "NUM_5");
    EXPECT_STREQ(KeyName(116), "F5");
}

TEST(KeyName, TextIsAConstantThatOutlivesTheCall) {
    // The help page asks for the names every frame; nothing is allocated.
    const char* first = KeyName(32);
    EXPECT_EQ(KeyName(32), first);
    EXPECT_EQ(KeyName(4096), KeyName(27));
}
