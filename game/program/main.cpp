// Korvanth: the game program.
#include "game/program/winmain.h"

int main() { return WinMain(); }
