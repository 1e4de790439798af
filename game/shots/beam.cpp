// Cutting beams: a line from a weapon mount that reaches out in steps to the
// first thing it touches and cuts into it every frame.
#include "game/common/misc.h"
#include "game/common/miscdraw.h"
#include "game/data/player.h"
#include "game/common/random.h"
#include "game/ship/ship.h"
#include "game/shots/shots.h"
#include "game/program/winmain.h"

namespace {

constexpr float kStep = 10.0f;
constexpr float kTrackingDrain = 0.25f;
constexpr float kFixedDrain = 0.17f;
constexpr float kJitterDecay = 0.15f;
constexpr int kFiringCooldown = 5;
constexpr int kBeamSmoke = 20;
constexpr float kAsteroidCut = 10.0f;

// One frame of firing: the owner starts no other beam, the pilot counts a shot.
void CountFiring(Ship& owner) {
    owner.BeamCooldown = kFiringCooldown;
    if (owner.Pilot) owner.Pilot->ShotsFired += 1;
}

// Steps out along the beam until a point touches something or the range ends.
void Trace(Beam& beam) {
    for (int i = 1; i < beam.Steps; ++i) {
        beam.ReachedLength = 10 * i;
        const WorldPoint p = PointAlong(beam.X, beam.Y, beam.Angle, kStep * static_cast<float>(i));
        if (beam.HitPoint(p.X, p.Y)) break;
    }
}

PixelValue BeamColour(int technology) {
    const UIColourSet& c = Form1->UIColours;
    switch (technology) {
        case 4: return c.ColourLightBlue;   // Earth Alliance
        case 5: return c.ColourLightGreen;  // Minbari
        case 6: return c.ColourOrange;      // Star Fleet
        default: return c.ColourLightRed;
    }
}

}  // namespace

Beam::Beam(std::int32_t technology, float* mountEnergy, std::int32_t mount, std::uint8_t tracking, float damage,
           std::int32_t steps, Ship* owner)
    : Technology(technology),
      MountEnergyRef(mountEnergy),
      Owner(owner),
      Mount(mount),
      Tracking(tracking),
      Jitter(0),
      Damage(damage),
      Steps(steps) {
    Life = 1.0f;
    Jitter = static_cast<float>(Random(25) - 12);
}

void Beam::Update() {
    Ship& owner = *Owner;
    const auto m = static_cast<std::size_t>(Mount);
    const WorldPoint origin = MountPosition(owner, Mount);
    X = origin.X;
    Y = origin.Y;
    Angle = NormaliseAngle(owner.Heading + owner.FireDirection[m]);

    if (Tracking) {
        if (Jitter > 0) Jitter -= kJitterDecay;
        if (Jitter < 0) Jitter += kJitterDecay;
        const Ship* enemy = owner.Opponent;
        const float halfCover = owner.TurretCover[m] * 0.5f;
        const float b = enemy ? RelativeBearing(X, Y, enemy->X, enemy->Y, Angle) : 0.0f;
        if (enemy && (NormaliseAngle(-halfCover) <= b || b <= NormaliseAngle(halfCover))) {
            // Aimed at the enemy, off by the remaining jitter.
            CountFiring(owner);
            Angle += RelativeBearing(X, Y, enemy->X, enemy->Y, Angle + Jitter);
            Trace(*this);
            *MountEnergyRef -= kTrackingDrain;
        } else {
            Life = -1.0f;
        }
    } else {
        CountFiring(owner);
        Trace(*this);
        *MountEnergyRef -= kFixedDrain;
    }

    if (!owner.KeyDown[kCtlFire] || *MountEnergyRef <= 0.0f || owner.Life < 0.0f) Life = -1.0f;
}

bool Beam::HitPoint(float x, float y) {
    Ship* enemy = Owner->Opponent;
    if (enemy && enemy->CloakState != kCloakPhasing) {
        if (Distance(x, y, enemy->X, enemy->Y) <= static_cast<float>(enemy->BoundingSphere) && enemy->Life > -1.0f) {
            CountShotHit(Owner);
            DrawHitBurst(*this, x, y);
            Life = -1.0f;
            HitShipSide(*enemy, x, y, Damage, false, kBeamSmoke);
        }
        enemy->ResolveDamage();
    }
    if (TouchesPlanet(x, y)) Life = -1.0f;
    if (HitAsteroids(x, y, Owner, kAsteroidCut) > 0) Life = -1.0f;

    // A touch ends this trace, not the beam.
    if (Life == -1.0f) {
        Life = 1.0f;
        return true;
    }
    return false;
}

void Beam::Draw() {
    if (!(Life > -1.0f)) return;
    SetDrawColour(BeamColour(Technology));
    DrawWorldLine(*this, {X, Y}, PointAlong(X, Y, Angle, static_cast<float>(ReachedLength)));
}
