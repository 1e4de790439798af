// Buying the two battle fleets under the point limit.
#pragma once

#include "game/gamestate.h"

int ShipSelectionScreen(GameState* game);
