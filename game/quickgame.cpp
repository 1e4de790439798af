#include "game/quickgame.h"

#include "game/winmain.h"

int QuickGameScreen(GameState*) { return ScreenMainMenu; }
