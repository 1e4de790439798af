#include "game/ship.h"

void Ship::FireWeapons() {}
void Ship::HandleWeaponKeys() {}
void Ship::StorePreviousKeys() {}
