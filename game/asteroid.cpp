#include "game/asteroid.h"

Asteroid::Asteroid(std::int32_t life, std::int32_t picture, float radius, float x, float y, float vx,
                   float vy, std::int32_t frameSize)
    : RotationAngle(0), Spin(0), Picture(picture), FrameSize(frameSize), Next(nullptr), Prev(nullptr) {
    Life = static_cast<float>(life);
    Radius = radius;
    X = x;
    Y = y;
    VX = vx;
    VY = vy;
}

void Asteroid::Update() {}
void Asteroid::Draw() {}
void Asteroid::Collide() {}
