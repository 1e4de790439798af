#include "game/menus/quickgame.h"

#include <algorithm>
#include <iterator>

#include "game/arena/arena.h"
#include "game/arena/matchsetup.h"
#include "game/menus/menu.h"
#include "game/common/miscdraw.h"
#include "game/menus/pilotscreen.h"
#include "game/arena/play.h"
#include "game/data/player.h"
#include "game/arena/rounds.h"
#include "game/ship/ship.h"
#include "game/program/winmain.h"
#include "game/arena/world.h"
#include "vx/vxsurface.h"

namespace {

enum Band { BandNewGame, BandResume, BandPilots, BandBack };
constexpr MouseBand kQuickGameBands[] = {{130, 150}, {160, 180}, {190, 210}, {220, 240}};

constexpr int kMenuLatchKeys[] = {'N', 'B', 'P', kKeyEscape};
constexpr int kBlueKeys[] = {'W', 'S'};
constexpr int kGreenKeys[] = {kKeyUp, kKeyDown};

bool ValidClass(int cls) { return cls >= 0 && cls < kClassCount; }

int PreviousClass(int cls) { return cls == 0 ? kClassCount - 1 : cls - 1; }
int NextClass(int cls) { return cls == kClassCount - 1 ? 0 : cls + 1; }

// A class index wrapped into 0..43.
int WrapClass(int cls) { return ((cls % kClassCount) + kClassCount) % kClassCount; }

// One side's turning list of classes: five names around the cursor's class
// in a black box, the side's label above and its keys below.
struct Carousel {
    float X;
    int Cursor;
    const char* Label;
    const char* KeyHint;
    const char* KeyOverlay;
    PixelValue Colour;
};

void DrawCarousel(const GameState& game, const Carousel& side) {
    const UIColourSet& c = Form1->UIColours;
    SetDrawColour(0);
    FillRectClipped(side.X - 80, 285, side.X + 80, 390);
    SetDrawColour(side.Colour);
    DrawRectClipped(side.X - 80, 285, side.X + 80, 390);
    DrawMenuText(side.Label, side.X, 280, 8, side.Colour);
    for (int k = -2; k <= 2; ++k) {
        const int cls = WrapClass(side.Cursor + k);
        DrawMenuText(ClassNameText(game, cls).c_str(), side.X, static_cast<float>(340 + 20 * k), 6,
                     k == 0 ? c.ColourWhite : side.Colour);
    }
    DrawLabel(side.KeyHint, side.KeyOverlay, side.X, 405, 6, c.ColourRed, c.ColourLightRed);
}

void DrawQuickGame(GameState& game) {
    const UIColourSet& c = Form1->UIColours;
    const float x = MenuCentreX(game);
    DrawLabel(" EW QUICK GAME", "N             ", x, 150, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel(" ESUME QUICK GAME", "R                ", x, 180, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel("CHOOSE  ILOTS", "       P     ", x, 210, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel(" ack", "B   ", x, 240, 8, c.ColourBlue, c.ColourLightBlue);
    DrawCarousel(game, {MenuBlueX(game), game.BlueClassCursor, "Blue ship", "use   and   keys to select",
                        "    w     s               ", c.ColourBlue});
    DrawCarousel(game, {MenuGreenX(game), game.GreenClassCursor, "green ship", "use    and      keys to select",
                        "    UP     DOWN               ", c.ColourGreen});
    DrawPilotStats(&game);
}

// Both cursors on classes that can be flown, and both pilots there.
bool CanStart(const GameState& game) {
    return game.ClassAvailable[game.BlueClassCursor] == 1 && game.ClassAvailable[game.GreenClassCursor] == 1 &&
           SidePilot(game, 0) && SidePilot(game, 1);
}

// A new quick game between the two cursor classes, in a new arena.
void StartQuickGame(GameState& game) {
    if (game.ShotList) game.ShotList->Clear();
    game.MenuLatch = 1;
    game.GameMode = ScreenQuickGame;
    DeleteShips(&game);
    LoadRoundFrames(&game);
    Ship* blue = NewShip(&game, 0, SidePilot(game, 0), game.BlueClassCursor);
    Ship* green = NewShip(&game, 1, SidePilot(game, 1), game.GreenClassCursor);
    blue->Respawn();
    green->Respawn();
    blue->Reset();
    green->Reset();
    ResetRound(&game);
    LinkShips(&game);
    NewAsteroidField(&game);
    NewPlanet(&game);
    StartEngines(&game);
}

// A game can go on where it was left while both its ships still fly; a
// battle round that is over has been booked already and must not be
// booked again.
bool CanResume(const GameState& game) {
    return game.BlueShip && game.GreenShip && ShipAlive(game.BlueShip) && ShipAlive(game.GreenShip);
}

}  // namespace

int QuickGameScreen(GameState* gamePtr) {
    GameState& game = *gamePtr;
    const int band = TestMouseBands(game, kQuickGameBands);
    UpdateMouseLatch(game);
    DrawMenuBackground(game);
    DrawEscHint("Press esc for main menu", 105);
    DrawMenuTitle(game, "Quick game");
    StopEngineSounds();

    // Only a damaged state holds a cursor outside the classes.
    if (!ValidClass(game.BlueClassCursor)) game.BlueClassCursor = 0;
    if (!ValidClass(game.GreenClassCursor)) game.GreenClassCursor = 0;
    DrawQuickGame(game);
    Form1->WorkSurface->Unlock();

    const bool newGame = band == BandNewGame || (KeyDown('N') && game.MenuLatch == 0);
    if (newGame && CanStart(game)) {
        StartQuickGame(game);
        return ScreenPlay;
    }

    if (LatchedPress(game.BlueLatch, 'W')) game.BlueClassCursor = PreviousClass(game.BlueClassCursor);
    if (LatchedPress(game.BlueLatch, 'S')) game.BlueClassCursor = NextClass(game.BlueClassCursor);
    if (LatchedPress(game.GreenLatch, kKeyUp)) game.GreenClassCursor = PreviousClass(game.GreenClassCursor);
    if (LatchedPress(game.GreenLatch, kKeyDown)) game.GreenClassCursor = NextClass(game.GreenClassCursor);

    if (KeyDown('R') || band == BandResume) {
        if (!CanResume(game)) return ScreenQuickGame;
        // No key held now may act as a ship control.
        std::fill(std::begin(Form1->KeyState), std::end(Form1->KeyState), 0);
        StartEngines(&game);
        return ScreenPlay;
    }
    if (band == BandPilots || (KeyDown('P') && game.MenuLatch == 0)) {
        game.GameMode = ScreenQuickGame;
        return ScreenChoosePilots;
    }
    int result = ScreenQuickGame;
    if (band == BandBack || ((KeyDown(kKeyEscape) || KeyDown('B')) && game.MenuLatch == 0)) {
        game.MenuLatch = 1;
        result = ScreenMainMenu;
    }

    if (!AnyKeyDown(kMenuLatchKeys)) game.MenuLatch = 0;
    if (!AnyKeyDown(kBlueKeys)) game.BlueLatch = 0;
    if (!AnyKeyDown(kGreenKeys)) game.GreenLatch = 0;
    return result;
}
