// The screen handler of each ScreenId.
#include "game/winmain.h"

std::array<ScreenHandler, 8> ScreenHandlers = {
    nullptr,  // 0 Play
    nullptr,  // 1 MainMenu
    nullptr,  // 2 BattleMenu
    nullptr,  // 3 ChoosePilots
    nullptr,  // 4 Options
    nullptr,  // 5 ShipSelections
    nullptr,  // 6 BattlePick
    nullptr,  // 7 QuickGame
};
