#include "game/program/initgame.h"

#include <cstdio>
#include <memory>

#include "game/arena/arena.h"
#include "game/data/builtinclasses.h"
#include "game/data/config.h"
#include "game/data/keymap.h"
#include "game/menus/menu.h"
#include "game/common/misc.h"
#include "game/common/miscdraw.h"
#include "game/data/player.h"
#include "game/common/random.h"
#include "game/arena/rounds.h"
#include "game/data/shipclasses.h"
#include "game/data/stats.h"
#include "game/program/winmain.h"
#include "game/arena/world.h"
#include "shipdata/shipclassrecord.h"

namespace {

// The three layers of the play starfield: stars [first, first + 400) lie in
// random(range) - offset on both axes.
struct StarLayer {
    int first;
    int range;
    int offset;
};
constexpr StarLayer kPlayStarLayers[] = {{0, 4000, 1000}, {400, 5000, 1500}, {800, 6000, 2000}};
constexpr int kStarsPerLayer = 400;

void FillPlayStars(GameState* game) {
    for (const StarLayer& layer : kPlayStarLayers) {
        for (int s = layer.first; s < layer.first + kStarsPerLayer; ++s) {
            game->PlayStarX[s] = Random(layer.range) - layer.offset;
            game->PlayStarY[s] = Random(layer.range) - layer.offset;
        }
    }
}

void CreateNoPilots(GameState* game) {
    for (int p : {kNoPilotBlue, kNoPilotGreen}) {
        auto player = std::make_unique<Player>();
        player->SetName("NO Pilot");
        delete game->Pilots[p];
        game->Pilots[p] = player.release();
    }
    game->BluePilot = kNoPilotBlue;
    game->GreenPilot = kNoPilotGreen;
    game->BlueShip = game->Pilots[kNoPilotBlue]->CurrentShip;
    game->GreenShip = game->Pilots[kNoPilotGreen]->CurrentShip;
}

}  // namespace

void NameShipClasses(GameState* game) {
    for (int c = 0; c < kClassCount; ++c) {
        char name[kClassNameSize];
        if (!game->ClassAvailable[c]) {
            std::snprintf(name, sizeof name, "Empty %d", c);
            shipdata::CopyName(game->ClassNames[c], name);
        } else if (c < kFirstUserClass) {
            shipdata::CopyName(game->ClassNames[c], builtin::BuiltInClassAt(c).Name);
        } else {
            shipdata::CopyName(game->ClassNames[c], game->ShipClassTable.Name[c]);
        }
    }
}

void InitGame(GameState* game, std::int32_t width, std::int32_t height) {
    BuildSineTable();

    SetUserClassDefaults(game);
    LoadShipClasses(game);
    SetupShipClasses(game);

    SetDefaultOptions(game);
    game->PointLimit = 200;

    // Drawn before the generator is seeded, so the same in every run.
    FillPlayStars(game);

    NameShipClasses(game);

    game->PlanetList = nullptr;

    LoadKeyMap(game);

    game->ScreenWidth = width;
    game->ScreenHeight = height;
    game->MinZoom = width <= 900 ? 4 : 5;

    CreateNoPilots(game);

    if (Form1) SetDrawColour(Form1->UIColours.ColourWhite);

    RandomizeFromClock();
    // The round reset clears the main window's keys; without a window there are none.
    if (Form1) ResetRound(game);

    game->MainMenuPage = 0;
    game->Zoom = 2.5f;
    game->PilotsMessageTimer = 0;

    LoadStats(game);
    LoadConfig(game);
    InitMenuStars(*game);

    CreateAsteroidSentinels(game);
    NewAsteroidField(game);
    game->ShotList = new Iterator();

    if (game->MusicOn != 0 && Form1) {
        Form1->PlaySound(SoundMusic, 1, 0, 0);
        Form1->SetSoundVolume(SoundMusic, game->MusicVolume);
    }
}
