#include "game/pilotscreen.h"

#include "game/winmain.h"

int ChoosePilotsScreen(GameState*) { return ScreenMainMenu; }
void DrawPilotStats(GameState*) {}
