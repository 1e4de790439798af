// The quick game: both pilots pick a class and fight round after round.
#pragma once

#include "game/program/gamestate.h"

int QuickGameScreen(GameState* game);
