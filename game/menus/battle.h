// The battle menu, and the pick of each side's next ship in a battle.
#pragma once

#include "game/program/gamestate.h"

int BattleMenuScreen(GameState* game);
int BattlePickScreen(GameState* game);
