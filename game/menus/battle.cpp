#include "game/menus/battle.h"

#include <cstdio>

#include "game/arena/arena.h"
#include "game/arena/matchsetup.h"
#include "game/menus/menu.h"
#include "game/menus/pilotscreen.h"
#include "game/arena/play.h"
#include "game/data/player.h"
#include "game/arena/rounds.h"
#include "game/menus/selections.h"
#include "game/ship/ship.h"
#include "game/program/winmain.h"
#include "game/arena/world.h"
#include "vx/vxsurface.h"

namespace {

// ---- the battle menu ------------------------------------------------------

enum MenuBand { BandStart, BandSelectShips, BandPilots, BandBack };
constexpr MouseBand kBattleMenuBands[] = {{130, 150}, {160, 180}, {190, 210}, {220, 240}};
constexpr int kBattleMenuLatchKeys[] = {'E', 'P', kKeyEscape, 'B', 'T'};

void DrawArmada(const char* title, const Player* pilot, float x, PixelValue titleColour, PixelValue colour) {
    char line[32];
    DrawMenuText(title, x, 400, 7, titleColour);
    std::snprintf(line, sizeof line, "%d ships", FilledSlotCount(pilot));
    DrawMenuText(line, x, 420, 7, colour);
    std::snprintf(line, sizeof line, "%d Points", pilot ? pilot->FleetValue : 0);
    DrawMenuText(line, x, 435, 7, colour);
}

void DrawBattleMenu(const GameState& game) {
    const UIColourSet& c = Form1->UIColours;
    const float x = MenuCentreX(game);
    DrawEscHint("Press esc for main menu", 105);
    DrawMenuTitle(game, "Battle menu");
    DrawLabel("S art or resume battle", " t                    ", x, 150, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel("S lect ships", " e          ", x, 180, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel("CHOOSE  ILOTS", "       P     ", x, 210, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel(" ack", "B   ", x, 240, 8, c.ColourBlue, c.ColourLightBlue);
    DrawArmada("Blue Armada", SidePilot(game, 0), MenuBlueX(game), c.ColourLightBlue, c.ColourBlue);
    DrawArmada("Green Armada", SidePilot(game, 1), MenuGreenX(game), c.ColourLightGreen, c.ColourGreen);
}

// ---- the battle pick ------------------------------------------------------

enum PickBand { PickStart, PickBack };
constexpr MouseBand kBattlePickBands[] = {{130, 150}, {160, 180}};
constexpr int kPickLatchKeys[] = {kKeyEscape, 'B', 'T'};
constexpr int kBlueKeys[] = {'W', 'S'};
constexpr int kGreenKeys[] = {kKeyUp, kKeyDown};

void DrawBattleResult(const GameState& game) {
    const UIColourSet& c = Form1->UIColours;
    const bool blueLeft = FilledSlotCount(SidePilot(game, 0)) > 0;
    const bool greenLeft = FilledSlotCount(SidePilot(game, 1)) > 0;
    if (blueLeft && greenLeft) return;
    const float x = MenuCentreX(game);
    if (greenLeft)
        DrawMenuText("Green player won the battle!", x, 220, 8, c.ColourGreen);
    else if (blueLeft)
        DrawMenuText("blue player won the battle!", x, 220, 8, c.ColourBlue);
    else
        DrawMenuText("The battle was a draw", x, 220, 8, c.ColourLightRed);
    DrawMenuText("press esc to return to battle menu", x, 240, 5, c.ColourRed);
}

void DrawBattlePick(const GameState& game) {
    const UIColourSet& c = Form1->UIColours;
    const float x = MenuCentreX(game);
    DrawEscHint("Press esc for battle menu", 105);
    DrawMenuTitle(game, "Select your ships for next battle", 20);
    DrawLabel("S art or resume battle", " t                    ", x, 150, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel(" ack", "B   ", x, 180, 8, c.ColourBlue, c.ColourLightBlue);
    DrawFleetNames(game, SidePilot(game, 0), MenuBlueX(game) + 50, 260, game.BlueFleetCursor, c.ColourBlue);
    DrawFleetNames(game, SidePilot(game, 1), MenuGreenX(game) - 90, 260, game.GreenFleetCursor, c.ColourGreen);
    DrawMenuText("Select with: Up and Down", MenuGreenX(game) + 40, 230, 6, c.ColourGreen);
    DrawBattleResult(game);
}

// The fleet cursor steps to the previous or next filled slot, and stays when
// there is none.
void StepFleetCursor(const Player* pilot, std::int32_t& cursor, bool back) {
    if (!pilot) return;
    const int slot = back ? PreviousFilledSlot(*pilot, cursor) : NextFilledSlot(*pilot, cursor);
    if (slot >= 0) cursor = slot;
}

// The class of the ship in the fleet slot under a side's cursor, or -1 when
// the slot holds no ship that can be flown.
int ChosenClass(const GameState& game, int side) {
    const Player* pilot = SidePilot(game, side);
    const int slot = side == 0 ? game.BlueFleetCursor : game.GreenFleetCursor;
    if (!pilot || !FleetSlotFilled(*pilot, slot)) return -1;
    const int cls = pilot->Fleet[slot];
    return game.ClassAvailable[cls] == 1 ? cls : -1;
}

// One side's ship for the coming round. A ship that survived the last round
// stays in play as it is, with its damage, class and fleet slot, whatever
// the cursor points at; a destroyed one, or none, is replaced by the ship
// under the cursor.
void ReadySide(GameState& game, int side) {
    Player* pilot = SidePilot(game, side);
    Ship*& ship = side == 0 ? game.BlueShip : game.GreenShip;
    if (ship && ShipAlive(ship)) return;
    DeleteShip(&game, ship);
    Ship* fresh = NewShip(&game, side, pilot, ChosenClass(game, side));
    fresh->Respawn();
    fresh->Reset();
    (side == 0 ? game.BluePickSlot : game.GreenPickSlot) = side == 0 ? game.BlueFleetCursor : game.GreenFleetCursor;
}

// The start of a battle round between the ships under the two fleet cursors
// (or the survivors of the last round).
void StartBattleRound(GameState& game) {
    if (game.ShotList) game.ShotList->Clear();
    game.MenuLatch = 1;

    // Each side keeps its ship only while its pilot still flies it: after
    // a change of pilots the ship left behind goes.
    Player* bluePilot = SidePilot(game, 0);
    Player* greenPilot = SidePilot(game, 1);
    if (game.BlueShip && bluePilot->CurrentShip != game.BlueShip) DeleteShip(&game, game.BlueShip);
    if (game.GreenShip && greenPilot->CurrentShip != game.GreenShip) DeleteShip(&game, game.GreenShip);

    ReadySide(game, 1);
    ReadySide(game, 0);
    game.GameMode = ScreenBattlePick;

    // The frames loaded are those of the ships actually in play, so a
    // survivor keeps its frames even when its player moved the cursor.
    game.BlueClassCursor = game.BlueShip->ClassIndex;
    game.GreenClassCursor = game.GreenShip->ClassIndex;
    LoadRoundFrames(&game);
    ResetRound(&game);
    LinkShips(&game);
    StartEngines(&game);
}

}  // namespace

int BattleMenuScreen(GameState* gamePtr) {
    GameState& game = *gamePtr;
    const int band = TestMouseBands(game, kBattleMenuBands);
    UpdateMouseLatch(game);
    DrawMenuBackground(game);
    DrawBattleMenu(game);
    Form1->WorkSurface->Unlock();

    int result = ScreenBattleMenu;
    if (MenuItemFires(game, band, BandStart, 'T')) {
        DeleteShips(&game);
        game.BlueFleetCursor = 0;
        game.GreenFleetCursor = 0;
        result = ScreenBattlePick;
        NewAsteroidField(&game);
        NewPlanet(&game);
    }
    if (MenuItemFires(game, band, BandSelectShips, 'E')) {
        game.BlueInFleet = 0;
        game.GreenInFleet = 0;
        result = ScreenShipSelections;
    }
    if (band == BandPilots || (KeyDown('P') && game.MenuLatch == 0)) {
        game.GameMode = ScreenBattleMenu;
        return ScreenChoosePilots;
    }
    if (band == BandBack || ((KeyDown(kKeyEscape) || KeyDown('B')) && game.MenuLatch == 0)) {
        game.MenuLatch = 1;
        result = ScreenMainMenu;
    }
    if (!AnyKeyDown(kBattleMenuLatchKeys)) game.MenuLatch = 0;
    return result;
}

int BattlePickScreen(GameState* gamePtr) {
    GameState& game = *gamePtr;
    const int band = TestMouseBands(game, kBattlePickBands);
    UpdateMouseLatch(game);
    StopEngineSounds();
    DrawMenuBackground(game);
    DrawBattlePick(game);
    Form1->WorkSurface->Unlock();

    if (LatchedPress(game.BlueLatch, 'W')) StepFleetCursor(SidePilot(game, 0), game.BlueFleetCursor, true);
    if (LatchedPress(game.BlueLatch, 'S')) StepFleetCursor(SidePilot(game, 0), game.BlueFleetCursor, false);
    if (LatchedPress(game.GreenLatch, kKeyUp)) StepFleetCursor(SidePilot(game, 1), game.GreenFleetCursor, true);
    if (LatchedPress(game.GreenLatch, kKeyDown)) StepFleetCursor(SidePilot(game, 1), game.GreenFleetCursor, false);

    int result = ScreenBattlePick;
    const bool start = band == PickStart || (KeyDown('T') && game.MenuLatch == 0);
    if (start && ChosenClass(game, 0) >= 0 && ChosenClass(game, 1) >= 0) {
        StartBattleRound(game);
        result = ScreenPlay;
    } else if (band == PickBack || ((KeyDown(kKeyEscape) || KeyDown('B')) && game.MenuLatch == 0)) {
        game.MenuLatch = 1;
        result = ScreenBattleMenu;
    }
    if (!AnyKeyDown(kBlueKeys)) game.BlueLatch = 0;
    if (!AnyKeyDown(kGreenKeys)) game.GreenLatch = 0;
    if (!AnyKeyDown(kPickLatchKeys)) game.MenuLatch = 0;
    return result;
}
