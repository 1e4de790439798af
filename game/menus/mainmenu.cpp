#include "game/menus/mainmenu.h"

#include <cstdio>
#include <iterator>

#include "game/data/config.h"
#include "game/data/stats.h"
#include "game/program/gamestate.h"
#include "game/data/keynames.h"
#include "game/menus/menu.h"
#include "game/common/miscdraw.h"
#include "game/common/strokefont.h"
#include "game/program/winmain.h"
#include "vx/vxsurface.h"
#include "vx/vxtimer.h"

namespace {

struct PageLine {
    int Row;
    float Size;
    const char* Text;
};

constexpr PageLine kIntroPage[] = {
    {600, 15, "VANTORRA"},
    {640, 10, "times are hard for everyone"},
    {670, 10, "wars rage in every system"},
    {700, 10, "and nobody remembers why they began"},
    {730, 10, "all that is known is war"},
    {760, 10, "so do your duty, pilot:"},
    {790, 10, "choose your craft and destroy the enemy"},
};

constexpr PageLine kCreditsPage[] = {
    {400, 15, "credits"},
    {440, 10, "the Vantorra developers"},
    {460, 10, "Vantorra v2.80"},
    {500, 10, "game, code and pictures: the Vantorra developers"},
    {530, 10, "sound effects synthesised for this game"},
    {560, 10, "ideas from the space battles of film and television"},
    {600, 10, "comments and ideas are welcome:"},
    {630, 10, "the Vantorra issue tracker"},
    {670, 10, "home page:"},
    {700, 10, "the README beside the game"},
    {760, 10, "graphics, sound and input are built on SDL"},
    {790, 10, "learn more at https://www.libsdl.org"},
};

// The nine key lines of the help page: format and player 1's binding slot
// (player 2's is 10 more).
struct KeyLine {
    const char* Player1;
    const char* Player2;
    int Slot;
};

constexpr KeyLine kKeyLines[] = {
    {"     %7s     turn left       ", "     %7s     turn left       ", 2},
    {"     %7s     turn right      ", "     %7s     turn right      ", 3},
    {"     %7s     Activate special", "     %7s     activate special", 5},
    {"     %7s     shoot normal    ", "     %7s     shoot normal    ", 1},
    {"     %7s     thrust          ", "     %7s     thrust          ", 0},
    {"     %7s     change special  ", "     %7s     change special  ", 6},
    {"     %7s     change normal   ", "     %7s     change normal   ", 7},
    {"     %7s     change target   ", "     %7s     change target   ", 8},
    {"     %7s     cycle linkmode  ", "     %7s     cycle linkmode  ", 9},
};

void DrawPageLines(const GameState& game, std::span<const PageLine> lines) {
    const float x = MenuCentreX(game);
    SetDrawColour(Form1->UIColours.ColourWhite);
    for (const PageLine& line : lines)
        DrawStrokeTextOnScreen(line.Text, x, static_cast<float>(line.Row - game.TextPageFrames), line.Size);
}

void DrawKeysPage(const GameState& game) {
    const UIColourSet& c = Form1->UIColours;
    const float x = MenuCentreX(game);
    auto row = [&](int r) { return static_cast<float>(r - game.TextPageFrames); };

    DrawMenuText("Keyboard commands:", x, row(400), 15, c.ColourWhite);
    for (int player = 0; player < 2; ++player) {
        const PixelValue colour = player == 0 ? c.ColourLightBlue : c.ColourLightGreen;
        const int top = player == 0 ? 440 : 680;
        DrawMenuText(player == 0 ? "player 1:                      " : "player 2:                      ", x, row(top),
                     10, colour);
        for (int i = 0; i < static_cast<int>(std::size(kKeyLines)); ++i) {
            const KeyLine& k = kKeyLines[i];
            const int binding = game.KeyBindings[player * 10 + k.Slot];
            char line[96];
            std::snprintf(line, sizeof line, player == 0 ? k.Player1 : k.Player2,
                          KeyName(static_cast<unsigned>(binding)));
            DrawMenuText(line, x, row(top + 20 + 20 * i), 10, colour);
        }
    }
    DrawMenuText("ESC   pause/menu", x, row(920), 13, c.ColourWhite);
}

// Main menu items, in the order of their mouse bands.
enum Item { ItemQuickGame, ItemBattleMenu, ItemInfo, ItemHelp, ItemOptions, ItemQuit };

constexpr MouseBand kMenuBands[] = {
    {130, 150}, {170, 190}, {210, 230}, {233, 250}, {260, 280}, {300, 330},
};

// Keys whose release clears MenuLatch on the main menu.
constexpr int kMenuLatchKeys[] = {'M', 'S', 'G', 'B', kKeyF11, kKeyF12};

void DrawMainMenu(const GameState& game) {
    const UIColourSet& c = Form1->UIColours;
    const float x = MenuCentreX(game);
    DrawMenuText("version 2.80", 50, static_cast<float>(game.ScreenHeight - 10), 4, c.ColourYellow);
    DrawMenuTitle(game, "Vantorra", 30);
    DrawLabel(" EW QUICK GAME", "N             ", x, 150, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel("B TTLE MENU", " A         ", x, 190, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel(" NFO", "I   ", x, 230, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel(" ELP", "H   ", x, 250, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel(" PTIONS", "O      ", x, 280, 8, c.ColourRed, c.ColourLightRed);
    DrawLabel(" UIT", "Q   ", x, 330, 10, c.ColourBlue, c.ColourLightBlue);
}

}  // namespace

void ShowTextPage(GameState& game, int page) {
    VXSurface& surface = *Form1->WorkSurface;
    surface.Unlock();
    DrawMenuBackground(game);

    if (page == kPageIntro)
        DrawPageLines(game, kIntroPage);
    else if (page == kPageCredits)
        DrawPageLines(game, kCreditsPage);
    else if (page == kPageKeys)
        DrawKeysPage(game);
    game.TextPageFrames += 1;

    // The black box under the hint is a fill, which the surface refuses while
    // locked.
    surface.Unlock();
    surface.FillRect(0, 0, 165, 17, 0);
    surface.Lock();
    DrawEscHint("Press esc for menu", 80);

    // Text pages run at no more than 25 frames a second.
    if (Form1->FrameTimer) Form1->FrameTimer->WaitUntilMs(40);

    if (KeyDown(kKeyEscape) || game.TextPageFrames > 1500 || (game.MouseLeft != 0 && game.MouseLatch == 0))
        game.MainMenuPage = kPageMenu;
    game.MouseLatch = game.MouseLeft != 0 ? 1 : 0;
}

int MainMenuScreen(GameState* gamePtr) {
    GameState& game = *gamePtr;
    if (game.MainMenuPage != kPageMenu) {
        Form1->WorkSurface->Lock();
        ShowTextPage(game, game.MainMenuPage);
        Form1->WorkSurface->Unlock();
        return ScreenMainMenu;
    }

    const int band = TestMouseBands(game, kMenuBands);
    UpdateMouseLatch(game);
    StopEngineSounds();
    DrawMenuBackground(game);
    DrawMainMenu(game);
    Form1->WorkSurface->Unlock();

    if (LatchedPress(game.MenuLatch, 'O') || band == ItemOptions) return ScreenOptions;
    if (LatchedPress(game.MenuLatch, 'A') || band == ItemBattleMenu) {
        game.BlueClassCursor = 0;
        game.GreenClassCursor = 0;
        return ScreenBattleMenu;
    }
    if (KeyDown('N') || band == ItemQuickGame) {
        game.BlueClassCursor = 0;
        game.GreenClassCursor = 0;
        game.MenuLatch = 1;
        return ScreenQuickGame;
    }
    if (KeyDown('H') || band == ItemHelp) {
        game.TextPageFrames = 0;
        game.MainMenuPage = kPageKeys;
    }
    if (KeyDown('I') || band == ItemInfo) {
        game.TextPageFrames = 0;
        game.MainMenuPage = kPageCredits;
    }
    int result = ScreenMainMenu;
    if (KeyDown('Q') || band == ItemQuit) {
        SaveStats(&game);
        SaveConfig(&game);
        result = ScreenQuit;
    }
    if (!AnyKeyDown(kMenuLatchKeys)) game.MenuLatch = 0;
    return result;
}
