// The play screen: one frame of a round.
#pragma once

#include "game/gamestate.h"

// Screen handler of ScreenPlay.
int PlayFrame(GameState* game);

void ReadShipControls(GameState* game);
// With the work surface locked.
void DrawArenaEdges(GameState* game);
// With the work surface locked.
void CollideShips(GameState* game);
