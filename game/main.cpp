// Korvanth: the game program.
#include "game/winmain.h"

int main() { return WinMain(); }
