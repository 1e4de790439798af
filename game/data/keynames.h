// The short upper-case names by which the game shows keys to the players.
#pragma once

// Name of a Windows virtual-key code: "SPACE", "A", "NUM_7", "F12"...
// Codes without a name give "No Match". The text is a constant with static
// storage; the caller never frees it.
const char* KeyName(unsigned code);
