// Laser and ion-cannon bolts: straight flight at constant speed, two hit
// tests per frame, and the look of each technology's bolt.
#include "game/common/misc.h"
#include "game/common/miscdraw.h"
#include "game/ship/ship.h"
#include "game/shots/shots.h"
#include "game/program/winmain.h"

namespace {

constexpr std::int32_t kIonBolt = 7;
constexpr float kLaserAsteroidDamage = 10.0f;
constexpr int kLaserSmoke = 20;
constexpr int kIonSmoke = 50;

}  // namespace

Energy::Energy(std::int32_t boltType, float x, float y, float vx, float vy, float angle, float damage,
               std::int32_t lifetime, Ship* owner)
    : Owner(owner), Angle(angle), BoltType(boltType), Lifetime(lifetime), Damage(damage) {
    X = x;
    Y = y;
    VX = vx;
    VY = vy;
    Life = 1.0f;
    Radius = 1.0f;
}

void Energy::Update() {
    Age += 1;
    if (Age > Lifetime) {
        Life = -1.0f;
        return;
    }
    for (int half = 0; half < 2; ++half) {
        X += VX * 0.5f;
        Y += VY * 0.5f;
        if (Life > -1.0f) Collide();
    }
}

void Energy::Draw() {
    const UIColourSet& c = Form1->UIColours;
    switch (BoltType) {
        case 0:
        case 1:
        case 2:
        case 3: {
            static constexpr PixelValue UIColourSet::*kLaserColour[4] = {
                &UIColourSet::ColourMidRed, &UIColourSet::ColourLightGreen, &UIColourSet::ColourOrange,
                &UIColourSet::ColourOrange};
            SetDrawColour(c.*kLaserColour[BoltType]);
            DrawWorldLine(*this, {X, Y}, PointAlong(X, Y, Angle, 12.0f));
            break;
        }
        case 4:
        case 5:
            SetDrawColour(c.ColourBlue);
            DrawLineThrough(*this, X, Y, Angle, 3.0f);
            DrawWorldLine(*this, PointAlong(X, Y, Angle + 90.0f, 3.0f), PointAlong(X, Y, Angle - 90.0f, 3.0f));
            DrawWorldPixel(*this, {X, Y}, c.ColourWhite);
            break;
        case 6:
            SetDrawColour(c.ColourBlue);
            DrawLineThrough(*this, X, Y, Angle + 45.0f, 3.0f);
            DrawLineThrough(*this, X, Y, Angle - 45.0f, 3.0f);
            SetDrawColour(c.ColourWhite);
            DrawLineThrough(*this, X, Y, Angle, 3.0f);
            break;
        case kIonBolt:
            SetDrawColour(c.ColourBlue);
            DrawWorldLine(*this, {X, Y}, PointAlong(X, Y, Angle, 10.0f));
            SetDrawColour(c.ColourLightBlue);
            DrawWorldLine(*this, PointAlong(X, Y, Angle, 10.0f), PointAlong(X, Y, Angle, 18.0f));
            SetDrawColour(c.ColourPaleBlue);
            DrawWorldLine(*this, PointAlong(X, Y, Angle, 18.0f), PointAlong(X, Y, Angle, 24.0f));
            break;
        default: break;
    }
}

void Energy::Collide() {
    const bool ion = BoltType == kIonBolt;
    if (Ship* target = Owner ? Owner->Opponent : nullptr; target && target->CloakState != kCloakPhasing) {
        if (Distance(X, Y, target->X, target->Y) <= static_cast<float>(target->BoundingSphere) &&
            target->Life > -1.0f) {
            CountShotHit(Owner);
            DrawHitBurst(*this, X, Y);
            Life = -1.0f;
            HitShipSide(*target, X, Y, Damage, ion, ion ? kIonSmoke : kLaserSmoke);
        }
        target->ResolveDamage();
    }
    if (TouchesPlanet(X, Y)) Life = -1.0f;
    if (HitAsteroids(X, Y, Owner, ion ? 0.0f : kLaserAsteroidDamage) > 0) Life = -1.0f;
}
