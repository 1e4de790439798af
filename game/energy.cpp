#include "game/shots.h"

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

void Energy::Update() {}
void Energy::Draw() {}
void Energy::Collide() {}
