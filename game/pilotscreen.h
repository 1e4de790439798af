// Choosing the pilots of both sides, and the pilots' statistics table.
#pragma once

#include "game/gamestate.h"

int ChoosePilotsScreen(GameState* game);
// With the work surface locked; draws and changes nothing else.
void DrawPilotStats(GameState* game);
