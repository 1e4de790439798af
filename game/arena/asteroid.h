// An asteroid: a spinning rock linked between the two sentinel asteroids
// AsteroidHead and AsteroidTail of the game state.
#pragma once

#include <cstdint>

#include "game/arena/world.h"

class Asteroid : public Object {
public:
    // Sets Next and Prev to null, then RotationAngle = random(30) * 12 and
    // Spin = random(21) - 10, in that order.
    Asteroid(std::int32_t life, std::int32_t picture, float radius, float x, float y, float vx, float vy,
             std::int32_t frameSize);

    void Update() override;
    // Drawn through the scratch surface with the work surface unlocked.
    void Draw() override;
    void Collide() override;

    // A rock below 0 hit points takes no further part: nothing collides with
    // it, it is neither moved nor drawn, and the next asteroid walk deletes
    // it at its turn.
    bool Destroyed() const { return Life < 0; }

    std::int32_t RotationAngle;
    std::int32_t Spin;
    std::int32_t Picture;
    std::int32_t ScreenLeft = 0, ScreenTop = 0, ScreenRight = 0, ScreenBottom = 0;
    std::int32_t FrameSize;
    Asteroid* Next;
    Asteroid* Prev;
};
