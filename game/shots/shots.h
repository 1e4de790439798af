// The shots a ship fires: laser and ion bolts, cutting beams and missiles.
// Every live shot is held by the game state's ShotList, which deletes it.
// Life is 1.0 while a shot is alive and -1.0 once it is spent.
#pragma once

#include <cstdint>

#include "game/arena/world.h"
#include "vx/vxformat.h"

class Ship;

class Shot : public Object {
protected:
    Shot() = default;
};

// One bolt of a laser or an ion cannon.
class Energy : public Shot {
public:
    // BoltType 0..6: a laser bolt of that Technology; 7: an ion-cannon bolt.
    Energy(std::int32_t boltType, float x, float y, float vx, float vy, float angle, float damage,
           std::int32_t lifetime, Ship* owner);

    void Update() override;
    void Draw() override;
    void Collide() override;

    Ship* Owner;
    float Angle;
    std::int32_t BoltType;
    std::int32_t Age = 0;
    std::int32_t Lifetime;
    float Damage;
};

// A cutting beam: a line from a weapon mount that follows the ship and reaches
// out in 10-unit steps to the first thing it touches.
class Beam : public Shot {
public:
    Beam(std::int32_t technology, float* mountEnergy, std::int32_t mount, std::uint8_t tracking, float damage,
         std::int32_t steps, Ship* owner);

    void Update() override;
    void Draw() override;
    void Collide() override {}

    // True when the world point touches the enemy, a planet or an asteroid.
    bool HitPoint(float x, float y);

    float Angle = 0;
    std::int32_t Technology;
    std::int32_t ReachedLength = 0;
    float* MountEnergyRef;
    Ship* Owner;
    std::int32_t Mount;
    std::uint8_t Tracking;
    float Jitter;
    float Damage;
    std::int32_t Steps;
};

// A homing missile (a photon torpedo for Star Fleet ships).
class Missile : public Shot {
public:
    // kind is always 0 and never read.
    Missile(std::int32_t kind, float x, float y, float vx, float vy, float angle, Ship* owner, Ship* target);

    void Update() override;
    void Draw() override;
    void Collide() override;

    void UpdateAimPoint();

    Ship* Owner;
    float Angle;
    std::int32_t Age = 0;
    std::uint8_t TargetLost = 0;
    Ship* Target;
    float AimX = 0, AimY = 0;
};

// Hit rules shared by every kind of shot (shot_hits.cpp).

// One hit more for the pilot of the ship that fired (no pilot: nothing).
void CountShotHit(const Ship* owner);

// A hit at world point (x, y) on the target's front shield (bearing from the
// target, relative to its heading, within 90 degrees of the nose, both 90 and
// 270 included) or back shield. The damage goes to that side's pending
// damage, or to its shield-only pending damage when shieldOnly is set. When
// the side's shield holds the damage, SoundHitShield plays; otherwise
// SoundHitHull plays and the target's SmokeToEmit becomes smoke. The caller
// resolves the damage afterwards.
void HitShipSide(Ship& target, float x, float y, float damage, bool shieldOnly, int smoke);

// True when world point (x, y) lies on or inside any planet of the arena.
bool TouchesPlanet(float x, float y);

// Every asteroid that world point (x, y) lies on or inside counts a hit for
// the owner and loses asteroidDamage life. Returns how many were touched.
int HitAsteroids(float x, float y, const Ship* owner, float asteroidDamage);

struct WorldPoint {
    float X, Y;
};

// Where mount m of a ship sits in the world: WeaponX to the right of its
// axis (Heading + 90) and WeaponY toward its back (Heading + 180)
// (ship_weapons.cpp).
WorldPoint MountPosition(const Ship& s, int m);  // m in 0..19

// Drawing helpers of the shots (shot_draw.cpp). They map world points to the
// screen with the shot's own view and zoom and need the work surface locked.

// The point `distance` units from (x, y) in direction `angle`.
WorldPoint PointAlong(float x, float y, float angle, float distance);
// A line or pixel at world points, clipped to the screen.
void DrawWorldLine(const Object& shot, WorldPoint from, WorldPoint to);
void DrawWorldPixel(const Object& shot, WorldPoint at, PixelValue colour);
// A line of 2 * half units centred on (x, y) in direction `angle`: from half
// units along angle - 180 to half units along angle.
void DrawLineThrough(const Object& shot, float x, float y, float angle, float half);

// The flash of a hit at world point (x, y): a red circle of 9 units, then a
// light red one of 5.
void DrawHitBurst(const Object& shot, float x, float y);
