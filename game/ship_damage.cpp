#include "game/ship.h"

void Ship::ResolveDamage() {}
void Ship::RepairSubsystems() {}
