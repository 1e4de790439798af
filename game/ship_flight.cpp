#include "game/ship.h"

void Ship::Update() {}
void Ship::ApplyPlanetGravity(const Planet*) {}
void Ship::CheckPlanetCollision() {}
