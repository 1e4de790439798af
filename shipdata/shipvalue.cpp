#include "shipdata/shipvalue.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace shipdata {

namespace {

// The divisions of the formula are multiplications by extended-precision
// reciprocals; the terms are extended, the running sum is single precision.
using Ext = long double;
const Ext kBy180 = 1.0L / 180.0L;
const Ext kBy120 = 1.0L / 120.0L;
const Ext kBy60 = 1.0L / 60.0L;
const Ext kBy37 = 1.0L / 37.0L;
const Ext kBy55 = 1.0L / 55.0L;
const Ext kBy15 = 1.0L / 15.0L;
const Ext kBy13 = 1.0L / 1.3L;
const Ext kTenth = 0.1L;

// S = S + term, rounded to single precision as it is stored.
void Add(float& sum, Ext term) { sum = static_cast<float>(static_cast<Ext>(sum) + term); }

// A float that truncates to a defined int: NaN counts as 0, and values past
// the int range are held inside it.
std::int32_t TruncateToInt(float v) {
    if (std::isnan(v)) return 0;
    constexpr float kLimit = 2.0e9f;
    if (v > kLimit) v = kLimit;
    if (v < -kLimit) v = -kLimit;
    return static_cast<std::int32_t>(v);
}

}  // namespace

std::int32_t RoundShipValue(float sum) {
    const std::int32_t u = TruncateToInt(sum);
    const std::int32_t r = u % 5;  // takes the sign of u
    float s = static_cast<float>(static_cast<Ext>(sum) + static_cast<Ext>(5 - r));
    return TruncateToInt(s);
}

std::int32_t ShipValue(const ShipClassRecord& rec) {
    float sum = 0.0f;
    float laserBase = 5.0f;
    float ionBase = 4.0f;
    float beamBase = 8.0f;

    for (int s = 0; s < kWeaponSlots; ++s) {
        const Ext cover = rec.TurretCover[s];
        const Ext power = static_cast<Ext>(rec.Power[s]) - 10;
        switch (rec.WeaponType[s]) {
            case Laser: {
                const Ext range = static_cast<Ext>(rec.Range[s]) - 120;
                Add(sum, laserBase);
                laserBase = static_cast<float>(static_cast<double>(laserBase) * 1.2);
                Add(sum, cover * kBy180 * 10);
                Add(sum, power * kTenth * 10);
                Add(sum, range * kBy120 * 10);
                break;
            }
            case IonCannon: {
                const Ext range = static_cast<Ext>(rec.Range[s]) - 120;
                Add(sum, ionBase);
                ionBase = static_cast<float>(static_cast<double>(ionBase) * 1.2);
                Add(sum, cover * kBy180 * 8);
                Add(sum, power * kTenth * 9);
                Add(sum, range * kBy120 * 9);
                break;
            }
            case CuttingBeam: {
                const Ext range = static_cast<Ext>(rec.Range[s]) - 60;
                Add(sum, beamBase);
                beamBase = static_cast<float>(static_cast<double>(beamBase) * 1.3);
                Add(sum, cover * kBy180 * 20);
                Add(sum, power * kTenth * 10);
                Add(sum, range * kBy60 * 10);
                break;
            }
            default:  // empty slot
                break;
        }
    }

    if (rec.Specials[Cloak] == 1) Add(sum, 10);
    if (rec.Specials[Cloak] == 2) Add(sum, 30);
    if (rec.Specials[DeathBlossom] != 0) Add(sum, 15);
    if (rec.Specials[Teleport] != 0) Add(sum, 40);

    // 64-bit so that no sum of stored ints can overflow.
    const std::int64_t armorSum = std::int64_t{rec.Armor[0]} + rec.Armor[1];
    if (armorSum > 0 && rec.Shield > 0) Add(sum, 30);
    const std::int64_t a = armorSum / 2;

    const Ext shield = rec.Shield;
    const Ext hull = rec.Hull;
    const Ext armor = static_cast<Ext>(a);
    // pow of a negative base has no real value: such records count it from 0.
    const double shieldBase = static_cast<double>(std::max<std::int64_t>(a + rec.Shield, 0));
    const double hullBase = static_cast<double>(std::max<std::int64_t>(std::int64_t{rec.Hull} - 20, 0));
    const std::int32_t sphere = rec.BoundingSphere < 1 ? 1 : rec.BoundingSphere;

    const double p1 = static_cast<double>(static_cast<Ext>(std::pow(shieldBase, 1.4)) * kBy37);
    const Ext p2 = static_cast<Ext>(std::pow(hullBase, 1.4)) * kBy55 + p1;
    const Ext m = (hull * kBy15 + armor * kTenth + shield * kTenth) * static_cast<Ext>(rec.Acceleration) * kBy13;
    const Ext t = (hull * kTenth + armor * kBy15 + shield * kBy15) * static_cast<Ext>(rec.Turn) * 0.25L;
    const Ext term = (p2 + (m + t) + static_cast<Ext>(rec.Missiles)) * (20.0L / static_cast<Ext>(sphere));
    Add(sum, term);

    return RoundShipValue(sum);
}

}  // namespace shipdata
