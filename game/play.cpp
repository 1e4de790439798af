#include "game/play.h"

#include "game/winmain.h"

int PlayFrame(GameState*) { return ScreenMainMenu; }
void ReadShipControls(GameState*) {}
void DrawArenaEdges(GameState*) {}
void CollideShips(GameState*) {}
