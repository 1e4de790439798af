// Buying the two battle fleets under the point limit.
#pragma once

#include "game/program/gamestate.h"
#include "vx/vxformat.h"

class Player;

int ShipSelectionScreen(GameState* game);

// A fleet slot holds a ship when its class is one of the 44 classes; 100
// marks an empty slot, and any other value counts as empty too.
bool FleetSlotFilled(const Player& pilot, int slot);
// The next filled slot after `cursor` (cursor + 1, cursor + 2, ..., wrapping
// from 29 to 0) among the 29 other slots, or -1 when there is none.
int NextFilledSlot(const Player& pilot, int cursor);
// The same backwards: cursor - 1, cursor - 2, ..., wrapping from 0 to 29.
int PreviousFilledSlot(const Player& pilot, int cursor);

// The number of filled slots of a fleet; none without a pilot.
int FilledSlotCount(const Player* pilot);

// The class names of a fleet's filled slots at size 6, one under another from
// baseline `top` (11 rows apart), centred at x; empty slots leave no gap. The
// name in slot `highlight` is white, the others in `colour`. With the work
// surface locked; nothing without a pilot.
void DrawFleetNames(const GameState& game, const Player* pilot, float x, float top, int highlight, PixelValue colour);
