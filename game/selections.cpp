#include "game/selections.h"

#include "game/winmain.h"

int ShipSelectionScreen(GameState*) { return ScreenMainMenu; }
