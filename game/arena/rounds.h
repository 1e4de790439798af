// Rounds: the start of each round, and the round end that closes every play
// frame with a banner and the pilots' bookings.
#pragma once

#include <cstdint>

#include "game/program/gamestate.h"

inline constexpr int kRoundBannerFrames = 200;

void ResetRound(GameState* game);
// The last step of PlayFrame; returns PlayFrame's result.
int RoundEnd(GameState* game);
// kind 0 blue won, 1 green won, 2 both destroyed.
void DrawRoundBanner(GameState* game, std::int32_t kind);
