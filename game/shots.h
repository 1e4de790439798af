// The shots a ship fires: laser and ion bolts, cutting beams and missiles.
// Every live shot is held by the game state's ShotList, which deletes it.
// Life is 1.0 while a shot is alive and -1.0 once it is spent.
#pragma once

#include <cstdint>

#include "game/world.h"

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
    Beam(std::int32_t technology, float* mountEnergy, std::int32_t mount, std::uint8_t tracking,
         float damage, std::int32_t steps, Ship* owner);

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
    Missile(std::int32_t kind, float x, float y, float vx, float vy, float angle, Ship* owner,
            Ship* target);

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
