#include <algorithm>
#include <cmath>

#include "game/program/gamestate.h"
#include "game/common/misc.h"
#include "game/arena/planet.h"
#include "game/data/player.h"
#include "game/ship/ship.h"
#include "game/program/winmain.h"

namespace {

constexpr float kSpeedLimit = 30.0f;

// The drive systems.
constexpr int kDriveNormal = 0;
constexpr int kDriveStarWars = 1;
constexpr int kDriveInertialess = 2;

// The per-frame gain of a subsystem-driven value: `ok` when the subsystem is
// ok, `impaired` in any other state but broken, nothing when broken.
float ByCondition(int state, float ok, float impaired) {
    if (state == kSubOk) return ok;
    if (state != kSubBroken) return impaired;
    return 0.0f;
}

// The soft wall of one axis: a body beyond 0 or kArenaSize is pushed back,
// harder the further out it is while it still moves outward.
void PushBackFromWalls(float position, float& velocity) {
    if (position < 0.0f) {
        if (velocity < 0.0f)
            velocity = static_cast<float>(velocity + 0.3 + 0.0001 * std::pow(position, 2.0));
        else
            velocity += 0.15f;
    }
    if (position > kArenaSize) {
        if (velocity > 0.0f)
            velocity = static_cast<float>(velocity - 0.3 - 0.0001 * std::pow(kArenaSize - position, 2.0));
        else
            velocity -= 0.15f;
    }
}

// Whether the drive sets the ship's speed outright every frame.
bool DriveSetsSpeed(const Ship& ship) {
    return ship.Subsystems[kSubEngine] == kSubOk && ship.Drive == kDriveInertialess;
}

bool OutsideOnAxis(float position) { return position < 0.0f || position > kArenaSize; }

// The inertialess drive's speed on one axis. Inside the arena it is the
// drive's alone; beyond a wall the ship also keeps whatever the walls and
// collisions added to last frame's drive speed, as a ship with any other
// drive keeps its velocity, so the walls can bring it back.
void SetDriveSpeed(float position, float drive, float& velocity, float& driveVelocity) {
    velocity = OutsideOnAxis(position) ? drive + (velocity - driveVelocity) : drive;
    driveVelocity = drive;
}

// The soft wall of one axis for an inertialess ship. Back inside, the speed
// it carried from beyond the wall is dropped at once, so that what the
// collisions of this frame see is what the ship flies with next.
void PushBackInertialess(float position, float& velocity, float driveVelocity, bool limited) {
    if (OutsideOnAxis(position))
        PushBackFromWalls(position, velocity);
    else
        velocity = limited ? std::clamp(driveVelocity, -kSpeedLimit, kSpeedLimit) : driveVelocity;
}

// Turning by the steering subsystem; a damaged one turns at half rate.
void Steer(Ship& ship) {
    const int steering = ship.Subsystems[kSubSteering];
    if (steering == kSubBroken) return;
    const int turn = steering == kSubOk ? ship.Turn : ship.Turn / 2;
    if (ship.KeyDown[kCtlTurnLeft]) ship.Heading -= static_cast<float>(turn);
    if (ship.KeyDown[kCtlTurnRight]) ship.Heading += static_cast<float>(turn);
    if (ship.Heading > 359.0f)
        ship.Heading -= 360.0f;
    else if (ship.Heading < 0.0f)
        ship.Heading += 360.0f;
}

// Thrust by the engine subsystem and the drive system.
void Thrust(Ship& ship) {
    const int engine = ship.Subsystems[kSubEngine];
    if (engine == kSubBroken) return;
    const bool thrust = ship.KeyDown[kCtlThrust] != 0;
    const double dx = CosDeg(ship.Heading);
    const double dy = SinDeg(ship.Heading);
    const float a = 0.07f * ship.Acceleration;
    const auto push = [&](double amount) {
        ship.VX = static_cast<float>(ship.VX + amount * dx);
        ship.VY = static_cast<float>(ship.VY + amount * dy);
    };

    if (engine != kSubOk) {
        // A damaged engine drives every system like the normal drive, at a
        // third of the thrust.
        if (thrust) push(a / 3.0f);
        return;
    }
    switch (ship.Drive) {
        case kDriveNormal:
            if (thrust) push(a);
            break;
        case kDriveStarWars:
            // Pushes with last frame's ramp, under a steady drag.
            push(a * ship.DriveRamp * 0.5f);
            ship.VX *= 0.94f;
            ship.VY *= 0.94f;
            ship.DriveRamp = thrust ? std::min(ship.DriveRamp + 0.6f, 20.0f) : std::max(ship.DriveRamp - 0.1f, 0.0f);
            break;
        case kDriveInertialess:
            SetDriveSpeed(ship.X, thrust ? static_cast<float>(a * 80.0f * dx) : 0.0f, ship.VX, ship.DriveVX);
            SetDriveSpeed(ship.Y, thrust ? static_cast<float>(a * 80.0f * dy) : 0.0f, ship.VY, ship.DriveVY);
            break;
        default: break;
    }
}

void CrashIntoPlanet(Ship& ship) {
    PlayOnce(SoundExplosion);
    // The opponent does not score this death as a kill.
    if (ship.Opponent) ship.Opponent->OpponentDown = 1;
    if (ship.Pilot) ship.Pilot->CollisionDeaths += 1;
    ship.Life = -1;
    ship.VX *= 0.2f;
    ship.VY *= 0.2f;
}

}  // namespace

void Ship::Update() {
    GameState* game = Form1->Game.get();

    if (AstroDroidArmed == 1 && Life < 30) {
        AstroDroidArmed = 0;
        PlayOnce(SoundAstroDroid);
    }

    const float regeneration = ByCondition(Subsystems[kSubShields], 0.0025f, 0.0008333333f);
    FrontShield = std::min(FrontShield + regeneration, static_cast<float>(ShieldMax));
    BackShield = std::min(BackShield + regeneration, static_cast<float>(ShieldMax));

    SpecialEnergy = std::min(SpecialEnergy + 0.3f, 100.0f);

    Steer(*this);
    Thrust(*this);

    for (const Planet* planet = game->PlanetList; planet; planet = planet->Next) ApplyPlanetGravity(planet);

    const float charge = ByCondition(Subsystems[kSubGenerator], 0.01f, 0.004f);
    const int mounts = std::clamp(MountCount, 0, kMounts);
    for (int m = 0; m < mounts; ++m) MountEnergy[m] = std::min(MountEnergy[m] + charge, kMountEnergyMax);

    FireWeapons();
    HandleWeaponKeys();
    UpdateSpecials();
    StorePreviousKeys();

    X += VX;
    Y += VY;
    if (DriveSetsSpeed(*this)) {
        // Planets hold every ship's speed, an inertialess one's included.
        const bool limited = game->PlanetList != nullptr;
        PushBackInertialess(X, VX, DriveVX, limited);
        PushBackInertialess(Y, VY, DriveVY, limited);
    } else {
        PushBackFromWalls(X, VX);
        PushBackFromWalls(Y, VY);
        DriveVX = DriveVY = 0.0f;
    }

    RepairSubsystems();
}

void Ship::ApplyPlanetGravity(const Planet* planet) {
    if (!planet) return;
    // The inertialess drive ignores gravity.
    if (Drive != kDriveInertialess) Object::ApplyPlanetGravity(planet);
    VX = std::clamp(VX, -kSpeedLimit, kSpeedLimit);
    VY = std::clamp(VY, -kSpeedLimit, kSpeedLimit);
}

void Ship::CheckPlanetCollision() {
    // A phased ship passes through planets.
    if (CloakState == kCloakPhasing) return;
    const GameState* game = Form1->Game.get();
    for (const Planet* planet = game->PlanetList; planet; planet = planet->Next) {
        const float r = planet->Radius;
        const double h = Heading;
        // Distance from a probe point to the planet's centre.
        const auto toCentre = [planet](double x, double y) {
            return Distance(static_cast<float>(x), static_cast<float>(y), planet->X, planet->Y);
        };

        // Two probes behind the ship, 30 degrees either side of the tail,
        // and one just ahead of its centre.
        const float rightDistance = toCentre(X + 10 * CosDeg(h + 150), Y + 10 * SinDeg(h + 150));
        if (static_cast<float>(BoundingSphere) + r > rightDistance && Life >= 0) CrashIntoPlanet(*this);
        const float leftDistance = toCentre(X + 10 * CosDeg(h + 210), Y + 10 * SinDeg(h + 210));
        if (leftDistance < r && Life != -1) CrashIntoPlanet(*this);
        const float noseDistance = toCentre(X + 4 * CosDeg(h), Y + 5 * SinDeg(h));
        if (noseDistance < r && Life != -1) CrashIntoPlanet(*this);
    }
}
