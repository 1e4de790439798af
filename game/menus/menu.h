// What every menu screen shares: keys and latches, mouse bands, two-layer
// item labels, the fixed title and hint texts, and the drifting three-layer
// starfield behind them.
//
// A menu frame runs: mouse bands, MouseLatch, (engine sounds stopped), the
// backdrop and stars, texts, then the screen's actions in its own order.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "vx/vxformat.h"

struct GameState;

// Virtual-key codes the menus read.
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyF9 = 120;
inline constexpr int kKeyF10 = 121;
inline constexpr int kKeyF11 = 122;
inline constexpr int kKeyF12 = 123;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyPageUp = 33;
inline constexpr int kKeyPageDown = 34;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyF5 = 116;

// True while the key with this virtual-key code is down.
bool KeyDown(int vk);
// True when any of the keys is down.
bool AnyKeyDown(std::span<const int> keys);
// A latched press: fires when the key is down and the latch is clear, and
// then sets the latch.
bool LatchedPress(std::uint8_t& latch, int vk);

// A screen-wide item: its band result `wanted` came up, or its key was pressed
// while MenuLatch is clear. Either sets MenuLatch.
bool MenuItemFires(GameState& game, int band, int wanted, int key);

// A band of screen rows that a click selects, lower < y < upper, across the
// whole width. Left button unless Right is set.
struct MouseBand {
    int Lower;
    int Upper;
    bool Right = false;
};
// The index of the first band under the pointer whose button is down while
// MouseLatch is clear, or -1.
int TestMouseBands(const GameState& game, std::span<const MouseBand> bands);
// MouseLatch := either button down.
void UpdateMouseLatch(GameState& game);

// Stops every looped engine sound.
void StopEngineSounds();

// The backdrop on the unlocked work surface, then locks it and draws the
// stars.
void DrawMenuBackground(GameState& game);

// The starfield: 999 stars in three layers, placed once at start-up and
// advanced one frame by every drawn menu frame.
inline constexpr int kMenuStars = 999;
void InitMenuStars(GameState& game);
void DrawMenuStars(GameState& game);

// Menu texts are kept whole on the screen (DrawStrokeTextOnScreen): one that
// would cross the left or right edge moves inward, any other stays put.
//
// An item label: the base string in its colour, then the overlay (blanks but
// for the hot letters) in the highlight colour at the same centre and size;
// the two move as one.
void DrawLabel(const char* base, const char* overlay, float x, float y, float size, PixelValue baseColour,
               PixelValue overlayColour);
// Text in one colour (sets DrawColour).
void DrawMenuText(const char* text, float x, float y, float size, PixelValue colour);

// The screen title centred at (ScreenWidth / 2, 90) in yellow.
void DrawMenuTitle(const GameState& game, const char* title, float size = 25.0f);
// The white hint at the top left, size 6 on baseline 13.
void DrawEscHint(const char* text, float x);

// A class's display name, at most the 20 bytes of its ClassNames entry;
// empty for an index outside the 44 classes.
std::string ClassNameText(const GameState& game, int cls);

// ScreenWidth / 2, as the menus centre their texts.
float MenuCentreX(const GameState& game);
// The columns of the two sides: ScreenWidth / 4 (blue, an integer quarter)
// and 0.8 x ScreenWidth (green, a float product).
float MenuBlueX(const GameState& game);
float MenuGreenX(const GameState& game);
