// The two ships of a round: replacing them, building a side's ship, linking
// them as opponents, loading their frames and starting their engines. The
// quick-game screen and the battle screens set up every round with these.
#pragma once

#include "game/program/gamestate.h"

class Player;
class Ship;

// Deletes both ships of the state; no pilot's CurrentShip points at either
// any longer.
void DeleteShips(GameState* game);

// Deletes one ship of the state (BlueShip or GreenShip) the same way.
void DeleteShip(GameState* game, Ship*& ship);

// A new ship of class `cls` for side 0 (blue) or 1 (green), flown by
// `pilot`: it becomes the pilot's CurrentShip and the side's ship. It still
// has to be respawned and reset.
Ship* NewShip(GameState* game, int side, Player* pilot, int cls);

// Marks the classes under BlueClassCursor and GreenClassCursor as the ones
// the round needs and has the main window load their frames and free the
// others.
void LoadRoundFrames(GameState* game);

// Each ship's Opponent is the other.
void LinkShips(GameState* game);

// The engine sounds of the blue ship, then of the green.
void StartEngines(GameState* game);
