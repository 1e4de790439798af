// Start-up of the game state: class table, options, starfield, pilots, key
// bindings and camera, read from the data files.
#pragma once

#include <cstdint>

#include "game/program/gamestate.h"

// Fills the zero-filled state once, before the first frame, for a display of
// the given size.
void InitGame(GameState* game, std::int32_t width, std::int32_t height);

// Writes ClassNames: the built-in names, each available user class's own
// name, and "Empty %d" for every class that cannot be flown.
void NameShipClasses(GameState* game);
