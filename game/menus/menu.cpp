#include "game/menus/menu.h"

#include <algorithm>
#include <cstring>

#include "game/program/gamestate.h"
#include "game/common/misc.h"
#include "game/common/miscdraw.h"
#include "game/common/random.h"
#include "game/common/strokefont.h"
#include "game/program/winmain.h"
#include "vx/vxsprite.h"
#include "vx/vxsurface.h"

bool KeyDown(int vk) { return vk >= 0 && vk < 128 && Form1->KeyState[vk] != 0; }

bool AnyKeyDown(std::span<const int> keys) {
    for (int k : keys)
        if (KeyDown(k)) return true;
    return false;
}

bool LatchedPress(std::uint8_t& latch, int vk) {
    if (latch != 0 || !KeyDown(vk)) return false;
    latch = 1;
    return true;
}

bool MenuItemFires(GameState& game, int band, int wanted, int key) {
    if (band == wanted) {
        game.MenuLatch = 1;
        return true;
    }
    return LatchedPress(game.MenuLatch, key);
}

int TestMouseBands(const GameState& game, std::span<const MouseBand> bands) {
    if (game.MouseLatch != 0) return -1;
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const MouseBand& b = bands[i];
        const bool down = b.Right ? game.MouseRight != 0 : game.MouseLeft != 0;
        if (down && game.MouseY > b.Lower && game.MouseY < b.Upper) return static_cast<int>(i);
    }
    return -1;
}

void UpdateMouseLatch(GameState& game) { game.MouseLatch = (game.MouseLeft != 0 || game.MouseRight != 0) ? 1 : 0; }

void StopEngineSounds() {
    for (SoundSlotId slot :
         {SoundAWingEngine, SoundBWingEngine, SoundTieEngine, SoundXWingEngine, SoundYWingEngine, SoundGunshipEngine,
          SoundViperEngine, SoundRaiderEngine, SoundBridgeEngine, SoundNialEngine, SoundMinbariEngine})
        Form1->StopSound(slot);
}

void DrawMenuBackground(GameState& game) {
    if (Form1->DustSprite) Form1->DustSprite->Draw(Form1->WorkSurface.get(), 0, 0, BlitKeyed);
    Form1->WorkSurface->Lock();
    DrawMenuStars(game);
}

namespace {

struct StarLayer {
    int First, Last;  // star indices, inclusive
    double Base;      // speed = Base + random(range) * 0.001
    int StartRange;
    int ReentryRange;
};

constexpr StarLayer kLayers[3] = {
    {0, 499, 5.0, 10000, 10000},
    {500, 874, 2.0, 3000, 3000},
    {875, 998, 0.5, 2000, 1500},
};

float StarSpeed(const StarLayer& layer, int range) { return static_cast<float>(layer.Base + Random(range) * 0.001); }

PixelValue LayerColour(int layer) {
    const UIColourSet& c = Form1->UIColours;
    return layer == 0 ? c.ColourDarkGrey : layer == 1 ? c.ColourGrey : c.ColourWhite;
}

}  // namespace

void InitMenuStars(GameState& game) {
    for (const StarLayer& layer : kLayers) {
        for (int i = layer.First; i <= layer.Last; ++i) {
            game.MenuStarSpeed[i] = StarSpeed(layer, layer.StartRange);
            const int n = FloatToInt(static_cast<float>(game.ScreenWidth) * game.MenuStarSpeed[i]);
            game.MenuStarTime[i] = static_cast<float>(Random(n));
            game.MenuStarY[i] = static_cast<float>(Random(game.ScreenHeight));
        }
    }
}

void DrawMenuStars(GameState& game) {
    for (int l = 0; l < 3; ++l) {
        const StarLayer& layer = kLayers[l];
        const PixelValue colour = LayerColour(l);
        for (int i = layer.First; i <= layer.Last; ++i) {
            const float x = SafeDivide(game.MenuStarTime[i], game.MenuStarSpeed[i]);
            PutPixelClipped(x, game.MenuStarY[i], colour);
            game.MenuStarTime[i] += 1.0f;
            if (SafeDivide(game.MenuStarTime[i], game.MenuStarSpeed[i]) > static_cast<float>(game.ScreenWidth)) {
                game.MenuStarTime[i] = 0.0f;
                game.MenuStarY[i] = static_cast<float>(Random(game.ScreenHeight));
                game.MenuStarSpeed[i] = StarSpeed(layer, layer.ReentryRange);
            }
        }
    }
}

void DrawMenuText(const char* text, float x, float y, float size, PixelValue colour) {
    SetDrawColour(colour);
    DrawStrokeTextOnScreen(text, x, y, size);
}

void DrawLabel(const char* base, const char* overlay, float x, float y, float size, PixelValue baseColour,
               PixelValue overlayColour) {
    // Both layers move together, so the hot letters stay on their gaps in the
    // base.
    const StrokeSpan a = StrokeTextSpan(base, x, size);
    const StrokeSpan b = StrokeTextSpan(overlay, x, size);
    const float shifted = x + ShiftOntoScreen({std::min(a.Left, b.Left), std::max(a.Right, b.Right)});
    SetDrawColour(baseColour);
    DrawStrokeText(base, shifted, y, size);
    SetDrawColour(overlayColour);
    DrawStrokeText(overlay, shifted, y, size);
}

std::string ClassNameText(const GameState& game, int cls) {
    if (cls < 0 || cls >= kClassCount) return {};
    const char* name = game.ClassNames[cls];
    return std::string(name, strnlen(name, kClassNameSize));
}

float MenuCentreX(const GameState& game) { return static_cast<float>(game.ScreenWidth / 2); }
float MenuBlueX(const GameState& game) { return static_cast<float>(game.ScreenWidth / 4); }
float MenuGreenX(const GameState& game) { return 0.8f * static_cast<float>(game.ScreenWidth); }

void DrawMenuTitle(const GameState& game, const char* title, float size) {
    DrawMenuText(title, MenuCentreX(game), 90.0f, size, Form1->UIColours.ColourYellow);
}

void DrawEscHint(const char* text, float x) { DrawMenuText(text, x, 13.0f, 6.0f, Form1->UIColours.ColourWhite); }
