// The screen handler of each ScreenId.
#include "game/winmain.h"

#include "game/battle.h"
#include "game/mainmenu.h"
#include "game/options.h"
#include "game/pilotscreen.h"
#include "game/play.h"
#include "game/quickgame.h"
#include "game/selections.h"

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
