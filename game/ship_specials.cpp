#include "game/ship.h"

void Ship::UpdateSpecials() {}
