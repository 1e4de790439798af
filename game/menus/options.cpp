#include "game/menus/options.h"

#include <cstdio>

#include "game/program/gamestate.h"
#include "game/menus/menu.h"
#include "game/program/winmain.h"
#include "vx/vxsurface.h"

// The options come unchecked from config.cfg, so every step compares before
// it adds: no value can overflow.
int VolumeDown(int volume) { return volume < kVolumeQuietest + kVolumeStep ? kVolumeOff : volume - kVolumeStep; }

int VolumeUp(int volume) {
    if (volume == kVolumeOff) volume = kVolumeQuietest;
    return volume > -kVolumeStep ? 0 : volume + kVolumeStep;
}

namespace {

constexpr float kGravityStrengths[3] = {3500.0f, 1000.0f, 100.0f};
constexpr const char* kGravityWords[3] = {"HIGH", "MEDIUM", "LOW"};
constexpr int kPlanetSizes[4] = {200, 60, 20, 20};
constexpr const char* kPlanetWords[4] = {"large", "MEDIUM", "SMALL", "off  "};

// Options read from config.cfg are not checked; a value outside the screen's
// range shows as "?" until a step brings it back.
const char* Word(const char* const* words, int count, int value) {
    return value >= 0 && value < count ? words[value] : "?";
}

enum Band {
    BandMusic,
    BandEffectsUp,
    BandEffectsDown,
    BandMusicUp,
    BandMusicDown,
    BandAsteroids,
    BandGravity,
    BandPlanet,
    BandBack,
};

constexpr MouseBand kOptionBands[] = {
    {140, 160}, {170, 190}, {170, 190, true}, {200, 220}, {200, 220, true},
    {245, 260}, {275, 290}, {305, 320},       {330, 350},
};

// Keys whose release clears MenuLatch on this screen.
constexpr int kOptionLatchKeys[] = {'M', 'S', 'A', 'G', 'B', 'P', kKeyF9, kKeyF10, kKeyF11, kKeyF12};

void FormatVolumeLine(char* out, std::size_t size, const char* label, int volume) {
    if (volume == kVolumeOff) {
        std::snprintf(out, size, "%s    -     + : off", label);
    } else {
        std::snprintf(out, size, "%s    -     + : %3.0f", label,
                      static_cast<double>((static_cast<long long>(volume) + 2000) / 100));
    }
}

void DrawOptions(const GameState& game) {
    const UIColourSet& c = Form1->UIColours;
    const float x = MenuCentreX(game);
    char line[64];

    DrawEscHint("Press esc for main menu", 105);
    DrawMenuTitle(game, "Options");
    DrawLabel(" USIC", "M    ", x, 160, 8, c.ColourRed, c.ColourLightRed);
    FormatVolumeLine(line, sizeof line, "effects VOLUME", game.EffectsVolume);
    DrawLabel(line, "               F09   F10       ", x, 190, 8, c.ColourRed, c.ColourBlue);
    FormatVolumeLine(line, sizeof line, "music VOLUME", game.MusicVolume);
    DrawLabel(line, "             F11   F12       ", x, 220, 8, c.ColourRed, c.ColourBlue);
    std::snprintf(line, sizeof line, "Max  steroids %2lld", static_cast<long long>(game.AsteroidOption) + 5);
    DrawLabel(line, "    a           ", x, 260, 7, c.ColourRed, c.ColourLightRed);
    std::snprintf(line, sizeof line, " ravity %6s", Word(kGravityWords, 3, game.GravityOption));
    DrawLabel(line, "g             ", x, 290, 7, c.ColourRed, c.ColourLightRed);
    std::snprintf(line, sizeof line, " lanet %6s", Word(kPlanetWords, 4, game.PlanetOption));
    DrawLabel(line, "p            ", x, 320, 7, c.ColourRed, c.ColourLightRed);
    DrawLabel(" ack", "B   ", x, 350, 8, c.ColourBlue, c.ColourLightBlue);
}

}  // namespace

int OptionsScreen(GameState* gamePtr) {
    GameState& game = *gamePtr;
    const int band = TestMouseBands(game, kOptionBands);
    UpdateMouseLatch(game);
    DrawMenuBackground(game);
    DrawOptions(game);

    if (MenuItemFires(game, band, BandAsteroids, 'A')) {
        game.AsteroidOption = game.AsteroidOption > 12 ? 2 : game.AsteroidOption + 5;
    }
    if (MenuItemFires(game, band, BandPlanet, 'P')) {
        game.PlanetOption = (game.PlanetOption >= 3 || game.PlanetOption < -1) ? 0 : game.PlanetOption + 1;
        game.PlanetSize = kPlanetSizes[game.PlanetOption];
    }
    if (MenuItemFires(game, band, BandGravity, 'G')) {
        game.GravityOption = (game.GravityOption >= 2 || game.GravityOption < -1) ? 0 : game.GravityOption + 1;
        game.GravityStrength = kGravityStrengths[game.GravityOption];
    }
    if (MenuItemFires(game, band, BandMusicDown, kKeyF11)) {
        game.MusicVolume = VolumeDown(game.MusicVolume);
        Form1->SetSoundVolume(SoundMusic, game.MusicVolume);
    }
    if (MenuItemFires(game, band, BandMusicUp, kKeyF12)) {
        game.MusicVolume = VolumeUp(game.MusicVolume);
        Form1->SetSoundVolume(SoundMusic, game.MusicVolume);
    }
    if (MenuItemFires(game, band, BandEffectsDown, kKeyF9)) game.EffectsVolume = VolumeDown(game.EffectsVolume);
    if (MenuItemFires(game, band, BandEffectsUp, kKeyF10)) game.EffectsVolume = VolumeUp(game.EffectsVolume);
    if (MenuItemFires(game, band, BandMusic, 'M')) {
        if (game.MusicOn == 1) {
            Form1->StopSound(SoundMusic);
            game.MusicOn = 0;
        } else {
            Form1->PlaySound(SoundMusic, 1, 0, 0);
            game.MusicOn = 1;
            Form1->SetSoundVolume(SoundMusic, game.MusicVolume);
        }
    }
    int result = ScreenOptions;
    if (KeyDown(kKeyEscape) || KeyDown('B') || band == BandBack) result = ScreenMainMenu;
    if (!AnyKeyDown(kOptionLatchKeys)) game.MenuLatch = 0;

    Form1->WorkSurface->Unlock();
    return result;
}
