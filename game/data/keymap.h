// The two players' control keys, read from keys.map.
#pragma once

#include <array>
#include <cstdint>

#include "game/program/gamestate.h"

// Virtual-key codes used when keys.map is missing or short.
extern const std::array<std::int32_t, kKeyBindingCount> kDefaultKeyBindings;

// Fills KeyBindings, each player's ten in the order of ShipControl
// (game/ship.h), from the first 20 bytes of keys.map, each a signed byte, or
// with the defaults when fewer than 20 bytes can be read.
void LoadKeyMap(GameState* game);

// Whether the key a binding names is down. KeyState covers the codes 0..127;
// a binding outside them (a keys.map byte of 128..255 reads as a negative
// code) is a key that is never down.
bool BoundKeyDown(const int (&keyState)[128], std::int32_t code);
