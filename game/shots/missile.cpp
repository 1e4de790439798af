// Homing missiles (photon torpedoes for Star Fleet ships): thrust against a
// drag, the planets' pull, steering toward a point ahead of the target, and
// the direct hit, the proximity burst and the touch of planets and asteroids.
#include "game/common/misc.h"
#include "game/common/miscdraw.h"
#include "game/arena/planet.h"
#include "game/common/random.h"
#include "game/ship/ship.h"
#include "game/shots/shots.h"
#include "game/program/winmain.h"

namespace {

constexpr float kDrag = 0.96f;
constexpr float kThrust = 0.4f;
constexpr float kTurn = 4.0f;
constexpr float kLead = 5.0f;
constexpr std::int32_t kLifeFrames = 600;
constexpr float kHitDamage = 30.0f;
constexpr int kHitSmoke = 30;
constexpr float kProximity = 18.0f;
constexpr float kProximityDamage = 25.0f;
constexpr float kAsteroidDamage = 30.0f;
constexpr int kTorpedoTechnology = 6;

}  // namespace

Missile::Missile(std::int32_t, float x, float y, float vx, float vy, float angle, Ship* owner, Ship* target)
    : Owner(owner), Angle(angle), Target(target) {
    X = x;
    Y = y;
    VX = vx;
    VY = vy;
    Life = 1.0f;
    Radius = 1.0f;
}

void Missile::Update() {
    for (const Planet* p = Form1->Game->PlanetList; p; p = p->Next) ApplyPlanetGravity(p);
    VX *= kDrag;
    VY *= kDrag;
    VX += static_cast<float>(CosDeg(Angle)) * kThrust;
    VY += static_cast<float>(SinDeg(Angle)) * kThrust;
    X += VX;
    Y += VY;
    Age += 1;
    if (Age > kLifeFrames) {
        Life = -1.0f;
        TargetLost = 1;
        return;
    }
    if (TargetLost == 0) {
        UpdateAimPoint();
        if (Target && Target->CloakState == kCloakNone) {
            const float b = RelativeBearing(X, Y, AimX, AimY, Angle);
            if (b >= 360.0f || b < 180.0f)
                Angle += kTurn;
            else
                Angle -= kTurn;
        }
        if (Angle > 359.0f) Angle -= 360.0f;
        if (Angle < 0.0f) Angle += 360.0f;
    }
    Collide();
}

void Missile::UpdateAimPoint() {
    if (Target && Owner && Owner->Opponent == Target && TargetLost == 0) {
        AimX = Target->X + kLead * Target->VX;
        AimY = Target->Y + kLead * Target->VY;
        if (Target->Life < 0.0f) TargetLost = 1;
    } else {
        TargetLost = 1;
    }
}

void Missile::Draw() {
    const UIColourSet& c = Form1->UIColours;
    if (!Owner || Owner->Technology != kTorpedoTechnology) {
        SetDrawColour(c.ColourGrey);
        DrawWorldLine(*this, {X, Y}, PointAlong(X, Y, Angle - 180.0f, 4.0f));
        DrawWorldLine(*this, {X, Y}, PointAlong(X, Y, Angle, 4.0f));
        DrawWorldPixel(*this, {X, Y}, c.ColourLightRed);
        const float z = Zoom * 0.1f;
        for (int i = 0; i < 2; ++i) {
            const int r1 = Random(7) + 4;
            const int r2 = Random(7) + 4;
            const float dx = static_cast<float>(FloatToInt(static_cast<float>(r1 * CosDeg(Angle - 180.0f)) * z));
            const float dy = static_cast<float>(FloatToInt(static_cast<float>(r2 * SinDeg(Angle - 180.0f)) * z));
            PutPixelClipped(X * z - ViewX + dx, Y * z - ViewY + dy, c.ColourWhite);
        }
        return;
    }
    SetDrawColour(c.ColourRed);
    DrawLineThrough(*this, X, Y, 135.0f - Angle, 6.0f);
    DrawLineThrough(*this, X, Y, 45.0f - Angle, 6.0f);
    SetDrawColour(c.ColourLightRed);
    DrawLineThrough(*this, X, Y, 90.0f - Angle, 4.0f);
    DrawLineThrough(*this, X, Y, -Angle, 4.0f);
    SetDrawColour(c.ColourWhite);
    DrawLineThrough(*this, X, Y, Angle, 2.0f);
}

void Missile::Collide() {
    if (Ship* enemy = Owner ? Owner->Opponent : nullptr; enemy && enemy->CloakState != kCloakPhasing) {
        const float d = Distance(X, Y, enemy->X, enemy->Y);
        if (d <= static_cast<float>(enemy->BoundingSphere)) {
            CountShotHit(Owner);
            DrawHitBurst(*this, X, Y);
            Life = -1.0f;
            HitShipSide(*enemy, X, Y, kHitDamage, false, kHitSmoke);
        } else if (d < kProximity) {
            DrawHitBurst(*this, X, Y);
            Life = -1.0f;
            enemy->AreaDamage -= kProximityDamage;
            PlayOnce(SoundMissileHit);
        }
        enemy->ResolveDamage();
    }
    if (TouchesPlanet(X, Y)) Life = -1.0f;
    if (HitAsteroids(X, Y, Owner, kAsteroidDamage) > 0) Life = -1.0f;
}
