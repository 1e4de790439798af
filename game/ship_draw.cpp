#include "game/ship.h"

void Ship::Draw() {}
void Ship::UpdateSmoke() {}
void Ship::PlayEngineSound() {}
void Ship::DrawStatus() {}
