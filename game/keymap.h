// The two players' control keys, read from keys.map.
#pragma once

#include <array>
#include <cstdint>

#include "game/gamestate.h"

// Order of a player's ten keys in KeyBindings (slots 0..9 player 1, 10..19
// player 2).
enum ShipControl : int {
    ControlThrust = 0,
    ControlShootNormal = 1,
    ControlTurnLeft = 2,
    ControlTurnRight = 3,
    ControlFire = 4,  // always the same key as ControlShootNormal
    ControlActivateSpecial = 5,
    ControlChangeSpecial = 6,
    ControlChangeNormal = 7,
    ControlChangeTarget = 8,
    ControlCycleLinkMode = 9,
};

// Virtual-key codes used when keys.map is missing or short.
extern const std::array<std::int32_t, kKeyBindingCount> kDefaultKeyBindings;

// Fills KeyBindings from the first 20 bytes of keys.map, each a signed byte,
// or with the defaults when fewer than 20 bytes can be read.
void LoadKeyMap(GameState* game);

// Whether the key a binding names is down. KeyState covers the codes 0..127;
// a binding outside them (a keys.map byte of 128..255 reads as a negative
// code) is a key that is never down.
bool BoundKeyDown(const int (&keyState)[128], std::int32_t code);
