// Choosing the pilots of both sides, and the pilots' statistics table.
#pragma once

#include <string>

#include "game/program/gamestate.h"

class Player;

int ChoosePilotsScreen(GameState* game);
// With the work surface locked; draws and changes nothing else.
void DrawPilotStats(GameState* game);

// The side's pilot: Pilots[BluePilot] for side 0, Pilots[GreenPilot] for
// side 1, or null when the index lies outside Pilots or the entry is empty.
Player* SidePilot(const GameState& game, int side);

// One row of the statistics table: name, score, wins, losses, draws and the
// win, draw, hit, killed-by-collision and killed-by-shots percentages.
std::string PilotStatsRow(const Player& pilot);
