#include "game/hud.h"

void DrawHud(GameState*) {}
