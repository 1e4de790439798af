#include "game/arena/play.h"

#include <cmath>

#include "game/arena/arena.h"
#include "game/arena/asteroid.h"
#include "game/arena/hud.h"
#include "game/menus/menu.h"
#include "game/common/misc.h"
#include "game/common/miscdraw.h"
#include "game/arena/planet.h"
#include "game/arena/rounds.h"
#include "game/ship/ship.h"
#include "game/arena/world.h"
#include "game/program/winmain.h"
#include "vx/vxsurface.h"

namespace {

constexpr float kZoomCeiling = 20.0f;
constexpr float kZoomForOneShip = 6.0f;
constexpr float kVerticalSpreadLimit = 1100.0f;
constexpr float kVerticalSpreadCost = 0.002f;
constexpr float kVerticalZoomFloor = 2.8f;

constexpr int kStarsPerLayer = 400;

// One parallax layer of the play starfield: how far its star positions are
// scaled and how much of the camera's movement it follows.
struct StarLayer {
    int First;
    float Scale;
    float CameraFactor;
    PixelValue UIColourSet::*Colour;
};

constexpr StarLayer kStarLayers[] = {
    {0, 1.0f / 10.0f, 10.0f / 13.0f, &UIColourSet::ColourWhite},
    {400, 1.0f / 12.0f, 10.0f / 17.0f, &UIColourSet::ColourGrey},
    {800, 1.0f / 13.0f, 10.0f / 21.0f, &UIColourSet::ColourDarkGrey},
};

struct ScreenPoint {
    float X, Y;
};

// The play camera's mapping of a world point to the screen.
ScreenPoint ToScreen(const GameState* game, float x, float y) {
    return {x * game->Zoom * 0.1f - game->CameraX, y * game->Zoom * 0.1f - game->CameraY};
}

// Centres the screen on the one surviving ship, or on the midpoint of the
// two, at the zoom of the previous frame.
void PlaceCamera(GameState* game) {
    const Ship* blue = game->BlueShip;
    const Ship* green = game->GreenShip;
    float cx = (blue->X + green->X) * 0.5f;
    float cy = (blue->Y + green->Y) * 0.5f;
    if (ShipAlive(blue) && !ShipAlive(green)) {
        cx = blue->X;
        cy = blue->Y;
    } else if (ShipAlive(green) && !ShipAlive(blue)) {
        cx = green->X;
        cy = green->Y;
    }
    const float s = game->Zoom * 0.1f;
    game->CameraX = cx * s - static_cast<float>(game->ScreenWidth / 2);
    game->CameraY = cy * s - static_cast<float>(game->ScreenHeight / 2);
}

void DrawPlayStars(const GameState* game) {
    const float halfW = static_cast<float>(game->ScreenWidth / 2);
    const float halfH = static_cast<float>(game->ScreenHeight / 2);
    for (const StarLayer& layer : kStarLayers) {
        const PixelValue colour = Form1->UIColours.*layer.Colour;
        const float shiftX = (halfW + game->CameraX) * layer.CameraFactor - halfW;
        const float shiftY = (halfH + game->CameraY) * layer.CameraFactor - halfH;
        for (int i = layer.First; i < layer.First + kStarsPerLayer; ++i) {
            const float x = static_cast<float>(game->PlayStarX[i]) * game->Zoom * layer.Scale - shiftX;
            const float y = static_cast<float>(game->PlayStarY[i]) * game->Zoom * layer.Scale - shiftY;
            PutPixelClipped(x, y, colour);
        }
    }
}

void DrawPlanets(GameState* game) {
    for (Planet* planet = game->PlanetList; planet; planet = planet->Next) planet->Draw();
}

// Draws, moves and collides every asteroid, deleting those whose hit points
// ran out. A rock destroyed since its last turn (by a shot, or by another
// rock's collision) is deleted without a turn. Rocks are deleted only at
// their own turn, so the successor the walk has saved is always still there.
void UpdateAsteroids(GameState* game) {
    if (!game->AsteroidHead) return;
    game->AsteroidCursor = game->AsteroidHead->Next;
    while (game->AsteroidCursor && game->AsteroidCursor != game->AsteroidTail) {
        Asteroid* asteroid = game->AsteroidCursor;
        if (!asteroid->Destroyed()) {
            asteroid->Draw();
            asteroid->Update();
            asteroid->Collide();
        }
        Asteroid* next = asteroid->Next;
        if (asteroid->Destroyed()) RemoveAsteroid(game, asteroid);
        game->AsteroidCursor = next;
    }
}

// Moves, tests and draws every live shot, deleting the spent ones.
void UpdateShots(GameState* game) {
    Iterator* shots = game->ShotList;
    if (!shots) return;
    shots->Rewind();
    shots->Next();
    while (Item* item = shots->Current()) {
        if (Object* shot = item->Data) {
            if (shot->Life > -1) {
                shot->SetView(game->CameraX, game->CameraY);
                shot->SetZoom(game->Zoom);
                shot->Update();
                shot->Draw();
            }
            if (shot->Life < 0) shots->Remove(shot);
        }
        shots->Next();
    }
}

void DrawShips(GameState* game) {
    if (ShipAlive(game->BlueShip)) {
        SetDrawColour(Form1->UIColours.ColourLightBlue);
        game->BlueShip->Draw();
    }
    if (ShipAlive(game->GreenShip)) {
        SetDrawColour(Form1->UIColours.ColourLightGreen);
        game->GreenShip->Draw();
    }
}

// The zoom that fits both ships on the screen, for the next frame. A wide
// vertical spread zooms out further, since the screen is wider than high.
float ZoomForShips(const GameState* game) {
    const Ship* blue = game->BlueShip;
    const Ship* green = game->GreenShip;
    float d = Distance(blue->X, blue->Y, green->X, green->Y);
    if (d == 0.0f) d = 0.001f;
    float zoom = 900.0f / d * 3.0f;
    if (zoom > kZoomCeiling) zoom = kZoomCeiling;
    if (static_cast<float>(game->MinZoom) > zoom) zoom = static_cast<float>(game->MinZoom);
    const float dy = std::fabs(blue->Y - green->Y);
    if (dy > kVerticalSpreadLimit) {
        zoom -= (dy - kVerticalSpreadLimit) * kVerticalSpreadCost;
        if (zoom < kVerticalZoomFloor) zoom = kVerticalZoomFloor;
    }
    return zoom;
}

// Esc while both ships fly leaves for the screen that started the round,
// with the latches set so that the held key does not act there too.
bool EscPressed(GameState* game, int& screen) {
    if (!Form1->KeyState[kKeyEscape] || !ShipAlive(game->BlueShip) || !ShipAlive(game->GreenShip)) return false;
    game->MenuLatch = 1;
    game->BlueLatch = 1;
    game->GreenLatch = 1;
    screen =
        (game->GameMode == ScreenQuickGame || game->GameMode == ScreenBattlePick) ? game->GameMode : ScreenMainMenu;
    return true;
}

void ReadKeys(Ship* ship) {
    for (int k = 0; k < kShipControls; ++k) {
        const int code = ship->KeyCodes[k];
        const bool down = code >= 0 && code < 128 && Form1->KeyState[code] != 0;
        ship->KeyDown[k] = down ? 1 : 0;
    }
}

// Lines from a ship beyond the arena's border to both ends of each edge it
// has crossed.
void DrawEdgeLines(const GameState* game, const Ship* ship) {
    struct Edge {
        bool Crossed;
        float X1, Y1, X2, Y2;
    };
    const Edge edges[] = {
        {ship->X > kArenaSize, kArenaSize, 0, kArenaSize, kArenaSize},
        {ship->X < 0, 0, 0, 0, kArenaSize},
        {ship->Y > kArenaSize, 0, kArenaSize, kArenaSize, kArenaSize},
        {ship->Y < 0, 0, 0, kArenaSize, 0},
    };
    const ScreenPoint p = ToScreen(game, ship->X, ship->Y);
    for (const Edge& edge : edges) {
        if (!edge.Crossed) continue;
        const ScreenPoint a = ToScreen(game, edge.X1, edge.Y1);
        const ScreenPoint b = ToScreen(game, edge.X2, edge.Y2);
        DrawLineClipped(a.X, a.Y, p.X, p.Y);
        DrawLineClipped(p.X, p.Y, b.X, b.Y);
    }
}

}  // namespace

bool ShipAlive(const Ship* ship) { return ship->Life >= 0; }

int PlayFrame(GameState* game) {
    Ship* blue = game->BlueShip;
    Ship* green = game->GreenShip;
    if (!blue || !green) return ScreenMainMenu;
    VXSurface& work = *Form1->WorkSurface;

    PlaceCamera(game);
    work.Lock();
    DrawPlayStars(game);
    blue->SetView(game->CameraX, game->CameraY);
    green->SetView(game->CameraX, game->CameraY);
    blue->SetZoom(game->Zoom);
    green->SetZoom(game->Zoom);
    ReadShipControls(game);
    if (ShipAlive(green)) green->Update();
    if (ShipAlive(blue)) blue->Update();
    work.Unlock();

    DrawPlanets(game);
    UpdateAsteroids(game);

    work.Lock();
    CollideShips(game);
    blue->UpdateSmoke();
    green->UpdateSmoke();
    UpdateShots(game);
    blue->CheckPlanetCollision();
    green->CheckPlanetCollision();
    DrawArenaEdges(game);
    DrawShips(game);
    blue->ResolveDamage();
    green->ResolveDamage();
    DrawHud(game);
    SetDrawColour(Form1->UIColours.ColourLightGreen);
    game->Zoom = ZoomForShips(game);
    work.Unlock();

    if (ShipAlive(blue) != ShipAlive(green)) game->Zoom = kZoomForOneShip;

    int screen = ScreenPlay;
    if (EscPressed(game, screen)) return screen;
    if (!ShipAlive(blue) || !ShipAlive(green)) return RoundEnd(game);
    return ScreenPlay;
}

void ReadShipControls(GameState* game) {
    ReadKeys(game->BlueShip);
    ReadKeys(game->GreenShip);
}

void DrawArenaEdges(GameState* game) {
    SetDrawColour(Form1->UIColours.ColourBlue);
    if (ShipAlive(game->GreenShip)) DrawEdgeLines(game, game->GreenShip);
    if (ShipAlive(game->BlueShip)) DrawEdgeLines(game, game->BlueShip);
}

void CollideShips(GameState* game) {
    Ship* blue = game->BlueShip;
    Ship* green = game->GreenShip;
    if (blue->CloakState == kCloakPhasing || green->CloakState == kCloakPhasing) return;
    const float d = Distance(blue->X, blue->Y, green->X, green->Y);
    if (!(static_cast<float>(blue->BoundingSphere + green->BoundingSphere) > d)) return;
    if (!ShipAlive(blue) || !ShipAlive(green)) return;

    const float relativeSpeed = Distance(blue->VX, blue->VY, green->VX, green->VY);
    const float blueVX = blue->VX;
    const float blueVY = blue->VY;
    blue->VX = 0.9f * green->VX;
    blue->VY = 0.9f * green->VY;
    green->VX = 0.9f * blueVX;
    green->VY = 0.9f * blueVY;
    blue->X += blue->VX;
    blue->Y += blue->VY;
    green->X += green->VX;
    green->Y += green->VY;

    const int damage = FloatToInt(relativeSpeed * 2.0f);
    blue->AreaDamage -= static_cast<float>(damage);
    green->AreaDamage -= static_cast<float>(damage);
    blue->ResolveDamage();
    green->ResolveDamage();
    PlayOnce(SoundCollision);
}
