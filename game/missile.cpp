#include "game/shots.h"

Missile::Missile(std::int32_t, float x, float y, float vx, float vy, float angle, Ship* owner, Ship* target)
    : Owner(owner), Angle(angle), Target(target) {
    X = x;
    Y = y;
    VX = vx;
    VY = vy;
    Life = 1.0f;
    Radius = 1.0f;
}

void Missile::Update() {}
void Missile::Draw() {}
void Missile::Collide() {}
void Missile::UpdateAimPoint() {}
