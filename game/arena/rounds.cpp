#include "game/arena/rounds.h"

#include <algorithm>
#include <cstdio>

#include "game/common/miscdraw.h"
#include "game/arena/play.h"
#include "game/data/player.h"
#include "game/common/random.h"
#include "game/ship/ship.h"
#include "game/common/strokefont.h"
#include "game/program/winmain.h"
#include "vx/vxsurface.h"

namespace {

constexpr int kWreckSmoke = 500;
constexpr float kTitleSize = 10.0f;
constexpr float kLineSize = 5.0f;

// The banner draws lines, so it needs the work surface locked, which the play
// frame has left unlocked by now.
void ShowBanner(GameState* game, std::int32_t kind) {
    VXSurface& work = *Form1->WorkSurface;
    work.Lock();
    DrawRoundBanner(game, kind);
    work.Unlock();
}

// The destroyed ship leaves the pilot's fleet: the slot it flew in empties
// and the fleet loses its value. A slot or class outside the tables changes
// nothing.
void StrikeFromFleet(const GameState* game, Player* pilot, std::int32_t slot) {
    if (slot < 0 || slot >= kFleetSlots) return;
    const std::int32_t cls = pilot->Fleet[slot];
    if (cls < 0 || cls >= kClassCount) return;
    pilot->FleetValue -= game->ShipValue[cls];
    pilot->Fleet[slot] = kEmptyFleetSlot;
}

std::int32_t PickSlot(const GameState* game, const Ship* ship) {
    return ship == game->BlueShip ? game->BluePickSlot : game->GreenPickSlot;
}

bool InBattle(const GameState* game) { return game->GameMode == ScreenBattlePick; }

// Both ships destroyed in the same round.
int EndInTie(GameState* game) {
    Ship* blue = game->BlueShip;
    Ship* green = game->GreenShip;
    blue->SmokeToEmit = game->RoundEndCounter;
    green->SmokeToEmit = game->RoundEndCounter;
    SetDrawColour(Form1->UIColours.ColourLightRed);
    if (game->RoundEndCounter < kRoundBannerFrames) {
        ++game->RoundEndCounter;
        ShowBanner(game, 2);
        return ScreenPlay;
    }
    blue->Pilot->Draws += 1;
    green->Pilot->Draws += 1;
    if (InBattle(game)) {
        StrikeFromFleet(game, blue->Pilot, game->BluePickSlot);
        StrikeFromFleet(game, green->Pilot, game->GreenPickSlot);
        return ScreenBattlePick;
    }
    ResetRound(game);
    blue->Respawn();
    green->Respawn();
    blue->Reset();
    green->Reset();
    return ScreenPlay;
}

// One ship destroyed, the other still flying.
int EndInWin(GameState* game, Ship* winner, Ship* loser, PixelValue colour, std::int32_t kind) {
    if (game->RoundEndCounter == 0) loser->SmokeToEmit = kWreckSmoke;
    SetDrawColour(colour);
    if (game->RoundEndCounter < kRoundBannerFrames) {
        ++game->RoundEndCounter;
        ShowBanner(game, kind);
        return ScreenPlay;
    }
    winner->Pilot->Score += loser->ShipValue;
    winner->Pilot->Wins += 1;
    loser->Pilot->Losses += 1;
    winner->OpponentDown = 0;
    if (InBattle(game)) {
        StrikeFromFleet(game, loser->Pilot, PickSlot(game, loser));
        return ScreenBattlePick;
    }
    // The winner keeps its position, speed and damage into the next round.
    ResetRound(game);
    loser->Respawn();
    loser->Reset();
    return ScreenPlay;
}

void DrawTally(const char* format, std::int32_t value, float x, float y, PixelValue colour) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    SetDrawColour(colour);
    DrawStrokeTextOnScreen(text, x, y, kLineSize);
}

}  // namespace

void ResetRound(GameState* game) {
    game->Zoom = 4.0f;
    game->RoundEndCounter = 0;
    RandomizeFromClock();
    std::fill(std::begin(Form1->KeyState), std::end(Form1->KeyState), 0);
}

int RoundEnd(GameState* game) {
    Ship* blue = game->BlueShip;
    Ship* green = game->GreenShip;
    if (!blue || !green) return ScreenPlay;
    const UIColourSet& c = Form1->UIColours;
    if (!ShipAlive(blue) && !ShipAlive(green)) return EndInTie(game);
    if (!ShipAlive(blue)) return EndInWin(game, green, blue, c.ColourLightGreen, 1);
    if (!ShipAlive(green)) return EndInWin(game, blue, green, c.ColourLightBlue, 0);
    return ScreenPlay;
}

void DrawRoundBanner(GameState* game, std::int32_t kind) {
    static constexpr const char* kTitles[] = {"BLUE wins", "GREEN prevails", "Its a tie"};
    const UIColourSet& c = Form1->UIColours;
    const float x = static_cast<float>(game->ScreenWidth / 2);
    const int y0 = game->ScreenHeight / 2 + 100;
    auto row = [y0](int dy) { return static_cast<float>(y0 + dy); };

    if (kind >= 0 && kind < 3) DrawStrokeTextOnScreen(kTitles[kind], x, row(0), kTitleSize);

    const Player* blue = game->BlueShip ? game->BlueShip->Pilot : nullptr;
    const Player* green = game->GreenShip ? game->GreenShip->Pilot : nullptr;
    SetDrawColour(c.ColourRed);
    DrawStrokeTextOnScreen("Kills: ", x, row(30), kLineSize);
    if (blue) DrawTally("  BLUE   %d", blue->Kills, x, row(45), c.ColourLightBlue);
    if (green) DrawTally("  GREEN  %d", green->Kills, x, row(55), c.ColourLightGreen);
    SetDrawColour(c.ColourRed);
    DrawStrokeTextOnScreen("Wins: ", x, row(75), kLineSize);
    if (blue) DrawTally("  BLUE   %d", blue->Wins, x, row(90), c.ColourLightBlue);
    if (green) DrawTally("  GREEN  %d", green->Wins, x, row(100), c.ColourLightGreen);
    SetDrawColour(c.ColourRed);
    DrawStrokeTextOnScreen("Current round not yet resolved", x, row(150), kLineSize);
}
