#include "game/ship.h"

Ship::Ship(int side, Player* pilot, int classIndex) : Pilot(pilot), ClassIndex(classIndex), Side(side) {}

void Ship::Reset() {}
