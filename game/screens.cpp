// The screen handler of each ScreenId.
#include "game/winmain.h"

#include "game/mainmenu.h"
#include "game/options.h"

std::array<ScreenHandler, 8> ScreenHandlers = {
    nullptr,  // 0 Play
    MainMenuScreen,  // 1 MainMenu
    nullptr,  // 2 BattleMenu
    nullptr,  // 3 ChoosePilots
    OptionsScreen,  // 4 Options
    nullptr,  // 5 ShipSelections
    nullptr,  // 6 BattlePick
    nullptr,  // 7 QuickGame
};
