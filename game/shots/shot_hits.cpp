// What happens when a bolt, beam or missile touches a ship, a planet or an
// asteroid.
#include "game/arena/asteroid.h"
#include "game/common/misc.h"
#include "game/arena/planet.h"
#include "game/data/player.h"
#include "game/ship/ship.h"
#include "game/shots/shots.h"
#include "game/program/winmain.h"

void CountShotHit(const Ship* owner) {
    if (owner && owner->Pilot) owner->Pilot->Hits += 1;
}

void HitShipSide(Ship& target, float x, float y, float damage, bool shieldOnly, int smoke) {
    const float b = RelativeBearing(target.X, target.Y, x, y, target.Heading);
    const bool front = b <= 90.0f || b >= 270.0f;
    float& pending = front ? (shieldOnly ? target.FrontShieldOnlyDamage : target.FrontShieldDamage)
                           : (shieldOnly ? target.BackShieldOnlyDamage : target.BackShieldDamage);
    pending -= damage;
    const float shield = front ? target.FrontShield : target.BackShield;
    if (shield - damage >= 0.0f) {
        PlayOnce(SoundHitShield);
    } else {
        PlayOnce(SoundHitHull);
        target.SmokeToEmit = smoke;
    }
}

bool TouchesPlanet(float x, float y) {
    bool touched = false;
    for (const Planet* p = Form1->Game->PlanetList; p; p = p->Next)
        if (Distance(x, y, p->X, p->Y) <= p->Radius) touched = true;
    return touched;
}

int HitAsteroids(float x, float y, const Ship* owner, float asteroidDamage) {
    const GameState* game = Form1->Game.get();
    if (!game->AsteroidHead) return 0;
    int touched = 0;
    for (Asteroid* a = game->AsteroidHead->Next; a && a != game->AsteroidTail; a = a->Next) {
        if (!a->Destroyed() && Distance(x, y, a->X, a->Y) <= a->Radius) {
            CountShotHit(owner);
            a->Life -= asteroidDamage;
            ++touched;
        }
    }
    return touched;
}
