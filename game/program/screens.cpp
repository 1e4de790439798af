// The screen handler of each ScreenId.
#include "game/program/winmain.h"

#include "game/menus/battle.h"
#include "game/menus/mainmenu.h"
#include "game/menus/options.h"
#include "game/menus/pilotscreen.h"
#include "game/arena/play.h"
#include "game/menus/quickgame.h"
#include "game/menus/selections.h"

std::array<ScreenHandler, 8> ScreenHandlers = {
    PlayFrame,            // 0 Play
    MainMenuScreen,       // 1 MainMenu
    BattleMenuScreen,     // 2 BattleMenu
    ChoosePilotsScreen,   // 3 ChoosePilots
    OptionsScreen,        // 4 Options
    ShipSelectionScreen,  // 5 ShipSelections
    BattlePickScreen,     // 6 BattlePick
    QuickGameScreen,      // 7 QuickGame
};
