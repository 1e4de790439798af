// The in-game display: each living ship's weapon, firing mode, special, hull,
// shields, armour, status bars and damaged subsystems.
#pragma once

#include "game/program/gamestate.h"

// Expects the work surface locked and leaves it locked.
void DrawHud(GameState* game);
