#include "game/shots.h"

Beam::Beam(std::int32_t technology, float* mountEnergy, std::int32_t mount, std::uint8_t tracking,
           float damage, std::int32_t steps, Ship* owner)
    : Technology(technology), MountEnergyRef(mountEnergy), Owner(owner), Mount(mount),
      Tracking(tracking), Jitter(0), Damage(damage), Steps(steps) {
    Life = 1.0f;
}

void Beam::Update() {}
void Beam::Draw() {}
bool Beam::HitPoint(float, float) { return false; }
