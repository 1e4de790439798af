#include "game/arena/asteroid.h"

#include <algorithm>
#include <cmath>

#include "game/arena/arenaview.h"
#include "game/common/misc.h"
#include "game/arena/planet.h"
#include "game/common/random.h"
#include "game/ship/ship.h"
#include "game/program/winmain.h"
#include "vx/vxsurface.h"

namespace {

constexpr float kSpeedLimit = 30.0f;
constexpr float kWallPush = 0.15f;
constexpr float kShipContactMargin = 8.0f;
constexpr float kRockBounceDamping = 0.9f;

// Holds one axis of velocity to -30..30; anything that is not a number after
// a pull from zero distance ends up at +30.
float LimitSpeed(float v) {
    if (v < -kSpeedLimit) return -kSpeedLimit;
    if (!(v >= -kSpeedLimit && v <= kSpeedLimit)) return kSpeedLimit;
    return v;
}

float DistanceBetween(const Object& a, const Object& b) { return Distance(a.X, a.Y, b.X, b.Y); }

}  // namespace

Asteroid::Asteroid(std::int32_t life, std::int32_t picture, float radius, float x, float y, float vx, float vy,
                   std::int32_t frameSize)
    : Picture(picture), FrameSize(frameSize), Next(nullptr), Prev(nullptr) {
    Life = static_cast<float>(life);
    Radius = radius;
    X = x;
    Y = y;
    VX = vx;
    VY = vy;
    RotationAngle = Random(30) * 12;
    Spin = Random(21) - 10;
}

void Asteroid::Update() {
    RotationAngle += Spin;
    if (RotationAngle > 360) RotationAngle -= 360;
    if (RotationAngle < 0) RotationAngle += 360;

    X += VX;
    Y += VY;

    for (const Planet* p = Form1->Game->PlanetList; p; p = p->Next) {
        Object::ApplyPlanetGravity(p);
        VX = LimitSpeed(VX);
        VY = LimitSpeed(VY);
    }

    if (X < 0) VX += kWallPush;
    if (X > kArenaSize) VX -= kWallPush;
    if (Y < 0) VY += kWallPush;
    if (Y > kArenaSize) VY -= kWallPush;
}

void Asteroid::Collide() {
    GameState& game = *Form1->Game;

    for (Ship* ship : {game.BlueShip, game.GreenShip}) {
        if (Destroyed()) return;
        if (!ship || ship->CloakState == kCloakPhasing) continue;
        const float d = DistanceBetween(*this, *ship);
        const float sphere = static_cast<float>(ship->BoundingSphere);
        if (!(sphere + Radius - kShipContactMargin > d) || ship->Life < 0) continue;

        const float dvx = VX - ship->VX;
        const float dvy = VY - ship->VY;
        const int impact = FloatToInt(std::sqrt(dvx * dvx + dvy * dvy));
        ship->AreaDamage -= static_cast<float>(impact) * (Radius * 0.1f);
        ship->ResolveDamage();
        Life -= static_cast<float>(impact);

        // The lighter body takes the other's speed scaled by the size ratio.
        const float shipVX = ship->VX;
        const float shipVY = ship->VY;
        ship->VX = VX * SafeDivide(Radius, sphere);
        ship->VY = VY * SafeDivide(Radius, sphere);
        VX = shipVX * SafeDivide(sphere, Radius);
        VY = shipVY * SafeDivide(sphere, Radius);
        PlayOnce(SoundCollision);
    }

    Asteroid* first = game.AsteroidHead ? game.AsteroidHead->Next : nullptr;
    for (Asteroid* other = first; other && other != game.AsteroidTail; other = other->Next) {
        if (Destroyed()) return;
        if (other == this || other->Destroyed() || !(Radius + other->Radius > DistanceBetween(*this, *other))) continue;
        const float otherVX = other->VX;
        const float otherVY = other->VY;
        other->VX = VX * kRockBounceDamping;
        other->VY = VY * kRockBounceDamping;
        VX = otherVX * kRockBounceDamping;
        VY = otherVY * kRockBounceDamping;
        other->Life -= 1.0f;
        Life -= 1.0f;
    }

    if (Destroyed()) return;
    for (const Planet* p = game.PlanetList; p; p = p->Next)
        if (Radius + p->Radius > DistanceBetween(*this, *p)) Life = -1.0f;
}

void Asteroid::Draw() {
    const int w = Form1->ModeWidth;
    const int h = Form1->ModeHeight;
    const BodyScreenBox box = PlaceBody(*Form1->Game, X, Y, Radius, w, h);
    ScreenLeft = box.Left;
    ScreenTop = box.Top;
    ScreenRight = box.Right;
    ScreenBottom = box.Bottom;
    if (box.OffScreen(w, h)) return;

    int k = RotationAngle / 12;
    if (k < 0 || k >= kAsteroidFrameCount) k = 0;
    VXSurface* frame = Form1->AsteroidFrames[static_cast<std::size_t>(k)].get();
    VXSurface* scratch = Form1->ScratchSurface.get();
    if (!frame || !scratch) return;

    const RECT src = box.SourceRect(FrameSize);
    frame->SetSrcRect(src.top, src.left, src.bottom, src.right);
    const int left = std::max(box.Left, 0);
    const int top = std::max(box.Top, 0);
    const int n = std::min(w - 1, box.Right - box.CutRight) - left;
    const int m = std::min(h - 1, box.Bottom - box.CutBottom) - top;

    // Scaled into the scratch surface first, so that the keyed copy onto the
    // work surface can leave the rock's black surroundings out.
    VXSurface* work = Form1->WorkSurface.get();
    StretchThroughScratch(*frame, *scratch, n, m, [&](const RECT& r) { scratch->DrawKeyedRect(work, left, top, r); });
}
