// Damage and repair. Hits never touch a ship's shields or hull directly: they
// add to its pending damage fields, and ResolveDamage moves that damage
// through the shields into armour and hull, knocks out subsystems and books
// a destroyed ship in the pilots' statistics.
#include "game/common/misc.h"
#include "game/data/player.h"
#include "game/common/random.h"
#include "game/ship/ship.h"
#include "game/program/winmain.h"

namespace {

// A hit harder than this that reaches the hull always damages a subsystem.
constexpr float kCertainHit = -4.0f;
constexpr int kRepairChance = 1200;
constexpr int kRepairDraw = 555;

int RandomSubsystem() { return Random(kSubsystemCount); }

// An ok subsystem becomes damaged or broken with even chance, a damaged one
// broken; broken and not-fitted subsystems stay as they are.
void DamageSubsystem(Ship& ship, int k) {
    int& state = ship.Subsystems[k];
    if (state == kSubOk)
        state = Random(2);
    else if (state == kSubDamaged)
        state = kSubBroken;
}

// Ordinary damage on one side: what the shield cannot hold goes into the
// armour, and what the armour cannot hold into the hull, where it may hit
// subsystem k.
void SpillIntoHull(Ship& ship, float& shield, float& armour, float sideDamage, int area, int k) {
    if (shield >= 0) return;
    armour += shield;
    shield = 0;
    if (armour >= 0) return;
    ship.Life += armour;
    armour = 0;
    if (sideDamage < kCertainHit || static_cast<float>(area) < kCertainHit) {
        DamageSubsystem(ship, k);
        return;
    }
    const int n = FloatToInt(5.0f - sideDamage);
    if (n != 0 && Random(n) == 1) DamageSubsystem(ship, k);
}

// Shield-only damage that drains a shield below 0 hits two subsystems (the
// current k and a new one) and never goes further. Returns the k now current.
int DrainShield(Ship& ship, float& shield, int k) {
    if (shield >= 0) return k;
    shield = 0;
    DamageSubsystem(ship, k);
    k = RandomSubsystem();
    DamageSubsystem(ship, k);
    return k;
}

// A destroyed ship is booked once: as a kill for the opponent's pilot and a
// death by damage for its own. The opponent's OpponentDown latch keeps later
// calls (and a planet crash, which sets it first) from counting again.
void BookDestruction(Ship& ship) {
    Ship* opponent = ship.Opponent;
    if (ship.Life >= 0 || !opponent || opponent->OpponentDown != 0) return;
    if (opponent->Pilot) opponent->Pilot->Kills += 1;
    if (ship.Pilot) ship.Pilot->ShotDeaths += 1;
    opponent->OpponentDown = 1;
    PlayOnce(SoundExplosion);
}

}  // namespace

void Ship::ResolveDamage() {
    const int area = FloatToInt(AreaDamage * 0.5f);
    int k = RandomSubsystem();

    FrontShield += FrontShieldDamage;
    BackShield += BackShieldDamage;
    FrontShield += static_cast<float>(area);
    BackShield += static_cast<float>(area);
    SpillIntoHull(*this, FrontShield, FrontArmour, FrontShieldDamage, area, k);
    SpillIntoHull(*this, BackShield, BackArmour, BackShieldDamage, area, k);

    FrontShield += FrontShieldOnlyDamage;
    BackShield += BackShieldOnlyDamage;
    FrontShield += ShieldOnlyAreaDamage * 0.5f;
    BackShield += ShieldOnlyAreaDamage * 0.5f;
    k = DrainShield(*this, FrontShield, k);
    DrainShield(*this, BackShield, k);

    AreaDamage = 0;
    FrontShieldDamage = 0;
    BackShieldDamage = 0;
    FrontShieldOnlyDamage = 0;
    BackShieldOnlyDamage = 0;
    ShieldOnlyAreaDamage = 0;

    BookDestruction(*this);
}

// Each subsystem that is broken or damaged comes back one step with a chance
// of 1 in 1200 a frame; one value is drawn per subsystem, fitted or not.
void Ship::RepairSubsystems() {
    for (int& state : Subsystems) {
        const bool repaired = Random(kRepairChance) == kRepairDraw;
        if (repaired && state < kSubOk) state += 1;
    }
}
