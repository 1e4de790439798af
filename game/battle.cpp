#include "game/battle.h"

#include "game/winmain.h"

int BattleMenuScreen(GameState*) { return ScreenMainMenu; }
int BattlePickScreen(GameState*) { return ScreenMainMenu; }
