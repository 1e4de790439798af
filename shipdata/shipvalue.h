// The point value of a ship class. The game prices fleets, the point limit
// and scores with it, and the editor shows it; both call this one function so
// they always agree.
#pragma once

#include <cstdint>

#include "shipdata/shipclassrecord.h"

namespace shipdata {

// The value of one class, always a multiple of 5 for a non-negative sum.
// Reads WeaponType, TurretCover, Power and Range of the 20 slots, the Cloak,
// DeathBlossom and Teleport specials, Armor, Shield, Hull, Acceleration, Turn,
// Missiles and BoundingSphere. Records outside the editor's ranges still get
// a defined, finite value: negative bases of the power terms count as 0, and
// a bounding sphere below 1 counts as 1.
std::int32_t ShipValue(const ShipClassRecord& rec);

// The last step of the formula on its own: rounds the running sum up to the
// next multiple of 5 (a whole multiple gains a full 5), through the signed
// remainder for negative sums.
std::int32_t RoundShipValue(float sum);

}  // namespace shipdata
