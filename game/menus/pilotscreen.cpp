#include "game/menus/pilotscreen.h"

#include <cstdint>
#include <cstdio>

#include "game/menus/menu.h"
#include "game/common/misc.h"
#include "game/common/miscdraw.h"
#include "game/data/player.h"
#include "game/program/winmain.h"
#include "vx/vxsurface.h"

namespace {

// On this screen both sides' "nobody" is entry 10; the green side's own
// "NO Pilot" player (11) is restored at the end of every frame.
constexpr int kNoPilots = kNoPilotBlue;
constexpr int kWarningFrames = 200;

constexpr MouseBand kPilotBands[] = {{30, 50}};  // Back
constexpr int kPilotLatchKeys[] = {kKeyUp, kKeyDown, 'W', 'S'};

bool Named(const GameState& game, int index) {
    return index >= 0 && index < kNamedPilots && game.Pilots[index] && game.Pilots[index]->PilotName[0] != '\0';
}

// The next named pilot after `index`; past the last one "NO PILOTS", which
// stays where it is.
int NextPilot(const GameState& game, int index) {
    if (index >= kNoPilots) return kNoPilots;
    do ++index;
    while (index < kNoPilots && !Named(game, index));
    return index;
}

// The named pilot before `index`; before the first one "NO PILOTS", and from
// "NO PILOTS" the last named pilot.
int PreviousPilot(const GameState& game, int index) {
    do --index;
    while (index >= 0 && !Named(game, index));
    return index < 0 ? kNoPilots : index;
}

// Both on "NO PILOTS", or two different named pilots.
bool ChoiceAccepted(int blue, int green) {
    return (blue == kNoPilots && green == kNoPilots) || (blue < kNoPilots && green < kNoPilots && blue != green);
}

void DrawPilotList(const GameState& game, float x, int chosen, PixelValue sideColour) {
    const PixelValue highlight = Form1->UIColours.ColourLightRed;
    int row = 0;
    auto entry = [&](const char* text, int index) {
        DrawMenuText(text, x, static_cast<float>(100 + 30 * row), 8, index == chosen ? highlight : sideColour);
        ++row;
    };
    for (int i = 0; i < kNamedPilots; ++i)
        if (Named(game, i)) entry(game.Pilots[i]->Name().c_str(), i);
    entry("NO PILOTS", kNoPilots);
}

void DrawChoosePilots(GameState& game) {
    const UIColourSet& c = Form1->UIColours;
    DrawEscHint("Press esc for menu", 85);
    if (game.PilotsMessageTimer > 0) {
        --game.PilotsMessageTimer;
        DrawMenuText("Choose NO PILOTS Or Different pilots", 400, 300, 8, c.ColourLightRed);
    }
    DrawMenuText("Select with: Up and Down", MenuGreenX(game) + 40, 50, 6, c.ColourGreen);
    DrawLabel(" ack", "B   ", MenuCentreX(game), 50, 8, c.ColourBlue, c.ColourLightBlue);
    DrawPilotList(game, MenuBlueX(game), game.BluePilot, c.ColourBlue);
    DrawPilotList(game, MenuGreenX(game), game.GreenPilot, c.ColourGreen);
}

// 100 x part / whole, 0 when whole is 0. The counters come unchecked from
// stats.dat, so the sums are formed wide.
float Percent(std::int64_t part, std::int64_t whole) {
    return SafeDivide(100.0f * static_cast<float>(part), static_cast<float>(whole));
}

void DrawStatsRow(const GameState& game, int side, float y, PixelValue colour) {
    const Player* pilot = SidePilot(game, side);
    if (pilot) DrawMenuText(PilotStatsRow(*pilot).c_str(), MenuCentreX(game), y, 5, colour);
}

}  // namespace

Player* SidePilot(const GameState& game, int side) {
    const int index = side == 0 ? game.BluePilot : game.GreenPilot;
    return index >= 0 && index < kPilotCount ? game.Pilots[index] : nullptr;
}

std::string PilotStatsRow(const Player& p) {
    const std::int64_t rounds = std::int64_t{p.Wins} + p.Draws + p.Losses;
    const std::int64_t deaths = std::int64_t{p.Draws} + p.Losses;
    char row[256];
    std::snprintf(row, sizeof row,
                  "%-10s%-3d    %-4d     %-4d     %-4d   %-3.0f     %-3.0f     %-3.0f     %-3.0f       %-3.0f       ",
                  p.Name().c_str(), p.Score, p.Wins, p.Losses, p.Draws, static_cast<double>(Percent(p.Wins, rounds)),
                  static_cast<double>(Percent(p.Draws, rounds)), static_cast<double>(Percent(p.Hits, p.ShotsFired)),
                  static_cast<double>(Percent(p.CollisionDeaths, deaths)),
                  static_cast<double>(Percent(p.ShotDeaths, deaths)));
    return row;
}

void DrawPilotStats(GameState* gamePtr) {
    const GameState& game = *gamePtr;
    const UIColourSet& c = Form1->UIColours;
    const float left = 50, right = static_cast<float>(game.ScreenWidth - 50);
    const float top = static_cast<float>(game.ScreenHeight - 160), bottom = static_cast<float>(game.ScreenHeight - 80);
    SetDrawColour(0);
    FillRectClipped(left, top, right, bottom);
    SetDrawColour(c.ColourGrey);
    DrawRectClipped(left, top, right, bottom);
    DrawMenuText("Name      score  wins   losses   draws    win %   draw %  hit %   to col %  to shots %",
                 MenuCentreX(game), static_cast<float>(game.ScreenHeight - 165), 5, c.ColourGrey);
    DrawStatsRow(game, 0, static_cast<float>(game.ScreenHeight - 145), c.ColourLightBlue);
    DrawStatsRow(game, 1, static_cast<float>(game.ScreenHeight - 120), c.ColourLightGreen);
}

int ChoosePilotsScreen(GameState* gamePtr) {
    GameState& game = *gamePtr;
    const bool backClicked = TestMouseBands(game, kPilotBands) == 0;
    UpdateMouseLatch(game);
    DrawMenuBackground(game);
    DrawPilotStats(&game);

    // An index outside the list (only a damaged state holds one) counts as
    // "NO PILOTS", so the list, the cursor and the check below stay in range.
    if (game.GreenPilot == kNoPilotGreen) game.GreenPilot = kNoPilots;
    if (game.BluePilot < 0 || game.BluePilot > kNoPilots) game.BluePilot = kNoPilots;
    if (game.GreenPilot < 0 || game.GreenPilot > kNoPilots) game.GreenPilot = kNoPilots;

    DrawChoosePilots(game);
    Form1->WorkSurface->Unlock();

    if ((KeyDown('S') || KeyDown(kKeyDown)) && game.MenuLatch == 0) {
        game.MenuLatch = 1;
        std::int32_t& index = KeyDown('S') ? game.BluePilot : game.GreenPilot;
        index = NextPilot(game, index);
    }
    if ((KeyDown('W') || KeyDown(kKeyUp)) && game.MenuLatch == 0) {
        game.MenuLatch = 1;
        std::int32_t& index = KeyDown('W') ? game.BluePilot : game.GreenPilot;
        index = PreviousPilot(game, index);
    }
    if (!AnyKeyDown(kPilotLatchKeys)) game.MenuLatch = 0;

    int result = ScreenChoosePilots;
    if (KeyDown(kKeyEscape) || KeyDown('B') || backClicked) {
        if (ChoiceAccepted(game.BluePilot, game.GreenPilot)) {
            result =
                game.GameMode == ScreenBattleMenu || game.GameMode == ScreenQuickGame ? game.GameMode : ScreenMainMenu;
            game.MenuLatch = 1;
            game.PilotsMessageTimer = 0;
        } else {
            game.PilotsMessageTimer = kWarningFrames;
        }
    }
    if (game.GreenPilot == kNoPilots) game.GreenPilot = kNoPilotGreen;
    return result;
}
