// The play screen: one frame of a round.
#pragma once

#include "game/program/gamestate.h"

class Ship;

// A ship flies while its Life is 0 or more; below 0 it is destroyed.
bool ShipAlive(const Ship* ship);

// Screen handler of ScreenPlay.
int PlayFrame(GameState* game);

void ReadShipControls(GameState* game);
// With the work surface locked.
void DrawArenaEdges(GameState* game);
// With the work surface locked.
void CollideShips(GameState* game);
