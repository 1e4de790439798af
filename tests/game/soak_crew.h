// The crew of the soak: the classes it flies (two of them user designs that
// carry the specials no built-in class has), the scripted pilots that fly
// them from the keyboard, and the watcher that notes which class used which
// weapon kind, special and drive.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <numbers>
#include <set>
#include <string>

#include "game/arena/world.h"
#include "game/program/winmain.h"
#include "game/ship/ship.h"
#include "game/shots/shots.h"
#include "platform/input/scriptinput.h"
#include "shipdata/shipclassrecord.h"

namespace soakcrew {

// The classes flown. Between them they carry every weapon kind and every
// special:
//   BWing (built in)         lasers, ion cannons, missiles; Star Wars drive
//   Nial Fighter (built in)  cutting beams; normal drive
//   SHADE (user design 24)   lasers, ion cannons, missiles; cloak, death
//                            blossom, teleport; normal drive
//   WRAITH (user design 25)  lasers, cutting beams; phasing cloak, teleport;
//                            inertialess drive
constexpr int kBWing = 3;
constexpr int kNial = 19;
constexpr int kShade = 24;
constexpr int kWraith = 25;
constexpr int kFlown[] = {kBWing, kNial, kShade, kWraith};
constexpr int kShadeFrames = 5;   // drawn with EWing's frames
constexpr int kWraithFrames = 6;  // drawn with TWing's frames

constexpr float kBoltSpeed = 12.0f;  // world units a frame
constexpr float kCruise = 3.5f;      // the pilots thrust no faster than this

inline void Mount(shipdata::ShipClassRecord& r, int slot, std::int32_t kind, int x, int y, int power) {
    r.WeaponType[slot] = kind;
    r.WeaponX[slot] = x;
    r.WeaponY[slot] = y;
    r.FireDirection[slot] = 0.0f;
    r.TurretCover[slot] = 0;
    r.Power[slot] = power;
    r.Range[slot] = 120;
}

inline shipdata::ShipClassRecord BaseDesign(const char* name, int frames, int technology) {
    shipdata::ShipClassRecord r = shipdata::FreshDesign();
    r.Active = 1;
    r.ImageSelection = frames;
    r.FrameCount = 60;
    r.Technology = technology;
    r.Turn = 6;
    r.Acceleration = 1.0f;
    r.Shield = 80;
    r.Hull = 90;
    r.DrawScale = 30;
    r.BoundingSphere = 26;
    r.EngineSoundKind = 0;
    r.AstroDroid = 1;
    shipdata::CopyName(r.Name, name);
    return r;
}

inline shipdata::ShipClassRecord ShadeDesign() {
    shipdata::ShipClassRecord r = BaseDesign("SHADE", kShadeFrames, 0);
    r.LaserCount = 2;
    r.IonCount = 2;
    r.Missiles = 6;
    Mount(r, 0, shipdata::Laser, -6, -10, 12);
    Mount(r, 1, shipdata::Laser, 6, -10, 12);
    Mount(r, 2, shipdata::IonCannon, -3, -8, 10);
    Mount(r, 3, shipdata::IonCannon, 3, -8, 10);
    r.Specials[shipdata::Drive] = 0;
    r.Specials[shipdata::Cloak] = 1;
    r.Specials[shipdata::DeathBlossom] = 1;
    r.Specials[shipdata::Teleport] = 1;
    return r;
}

inline shipdata::ShipClassRecord WraithDesign() {
    shipdata::ShipClassRecord r = BaseDesign("WRAITH", kWraithFrames, 6);
    r.LaserCount = 2;
    r.BeamCount = 2;
    r.Missiles = 0;
    Mount(r, 0, shipdata::Laser, -6, -10, 12);
    Mount(r, 1, shipdata::Laser, 6, -10, 12);
    Mount(r, 2, shipdata::CuttingBeam, -4, -12, 12);
    Mount(r, 3, shipdata::CuttingBeam, 4, -12, 12);
    r.Specials[shipdata::Drive] = 2;
    r.Specials[shipdata::Cloak] = 2;
    r.Specials[shipdata::Teleport] = 1;
    return r;
}

inline float Wrap180(float degrees) {
    while (degrees > 180.0f) degrees -= 360.0f;
    while (degrees <= -180.0f) degrees += 360.0f;
    return degrees;
}

// The keys of one side that the pilots use, as the default key map binds them.
struct PilotKeys {
    const char* Thrust;
    const char* Fire;
    const char* Left;
    const char* Right;
    const char* Special;
    const char* ChangeSpecial;
    const char* ChangeWeapon;
    const char* LinkMode;
};
constexpr PilotKeys kBlueKeys = {"Left Ctrl", "S", "A", "D", "W", "CapsLock", "Q", "R"};
constexpr PilotKeys kGreenKeys = {"Return", "Down", "Left", "Right", "Up", "PageUp", "PageDown", "End"};

// What the run has seen used, kind by kind, and by which classes.
struct Usage {
    std::map<std::string, std::set<int>> ByKind;
    void Note(const char* kind, int cls) { ByKind[kind].insert(cls); }
    bool Used(const char* kind, int cls) const {
        const auto it = ByKind.find(kind);
        return it != ByKind.end() && it->second.count(cls) != 0;
    }
};

constexpr const char* kEveryKind[] = {
    "laser",    "ion cannon",   "cutting beam",    "missile",           "cloak", "phasing cloak", "death blossom",
    "teleport", "normal drive", "Star Wars drive", "inertialess drive",
};

// A scripted pilot: presses and lets go of its side's keys, sending an event
// only when a key changes.
class Pilot {
public:
    explicit Pilot(const PilotKeys& keys) : keys_(keys) {}

    // One frame of flying `me` against `them`.
    void Fly(const Ship& me, const Ship& them, Usage& usage) {
        ++age_;
        // Turn toward where the opponent will be when a bolt gets there,
        // close in slowly when facing it, fire when roughly on target.
        const float distance = std::hypot(them.X - me.X, them.Y - me.Y);
        const float lead = distance / kBoltSpeed;
        const float aimX = them.X + (them.VX - me.VX) * lead;
        const float aimY = them.Y + (them.VY - me.VY) * lead;
        const float bearing = static_cast<float>(std::atan2(aimY - me.Y, aimX - me.X) * 180.0 / std::numbers::pi);
        const float off = Wrap180(bearing - me.Heading);
        Set(keys_.Left, off < -5.0f);
        Set(keys_.Right, off > 5.0f);
        const bool thrust = std::fabs(off) < 40.0f && distance > 150.0f && std::hypot(me.VX, me.VY) < kCruise;
        Set(keys_.Thrust, thrust);
        Set(keys_.Fire, std::fabs(off) < 25.0f && distance < 900.0f);
        // Every weapon group in turn, and now and then another link mode.
        Set(keys_.ChangeWeapon, age_ % 150 == 0);
        Set(keys_.LinkMode, age_ % 700 == 350);
        // The special used least so far by this class, switched on as soon as
        // its energy is full.
        if (me.SpecialList[0] != -1) {
            const int wanted = LeastUsedSpecial(me, usage);
            const bool change = me.SelectedSpecial != wanted && age_ % 4 == 0;
            Set(keys_.ChangeSpecial, change);
            Set(keys_.Special, me.SelectedSpecial == wanted && me.SpecialEnergy >= 100.0f && !Held(keys_.Special));
        }
        if (thrust) usage.Note(DriveKind(me.Drive), me.ClassIndex);
    }

    // Every key up.
    void LetGo() {
        for (auto& [key, down] : held_)
            if (down) plat::PushKey(key, false);
        held_.clear();
    }

private:
    static const char* DriveKind(int drive) {
        return drive == 1 ? "Star Wars drive" : drive == 2 ? "inertialess drive" : "normal drive";
    }
    static const char* SpecialKind(const Ship& ship, int special) {
        if (special == kSpecialCloak) return ship.Cloak == kCloakPhasing ? "phasing cloak" : "cloak";
        return special == kSpecialBlossom ? "death blossom" : "teleport";
    }
    static int LeastUsedSpecial(const Ship& ship, const Usage& usage) {
        int best = ship.SpecialList[0];
        std::size_t fewest = SIZE_MAX;
        for (int k = 0; k < kSpecialSlots && ship.SpecialList[k] != -1; ++k) {
            const std::size_t n = usage.Used(SpecialKind(ship, ship.SpecialList[k]), ship.ClassIndex) ? 1 : 0;
            if (n < fewest) {
                fewest = n;
                best = ship.SpecialList[k];
            }
        }
        return best;
    }
    bool Held(const char* key) { return held_[key]; }
    void Set(const char* key, bool down) {
        bool& now = held_[key];
        if (now == down) return;
        now = down;
        plat::PushKey(key, down);
    }

    PilotKeys keys_;
    std::map<const char*, bool> held_;
    long age_ = 0;
};

// Watches the arena each frame of play and notes what was used: shots by
// kind and the specials in force.
class Watcher {
public:
    void Look(Usage& usage) {
        const GameState& g = *Form1->Game;
        for (Item* i = g.ShotList->Head->Next; i; i = i->Next) {
            if (const auto* e = dynamic_cast<const Energy*>(i->Data)) {
                if (e->Owner) usage.Note(e->BoltType == 7 ? "ion cannon" : "laser", e->Owner->ClassIndex);
            } else if (const auto* b = dynamic_cast<const Beam*>(i->Data)) {
                if (b->Owner) usage.Note("cutting beam", b->Owner->ClassIndex);
            } else if (const auto* m = dynamic_cast<const Missile*>(i->Data)) {
                if (m->Owner) usage.Note("missile", m->Owner->ClassIndex);
            }
        }
        for (int side = 0; side < 2; ++side) {
            const Ship* ship = side == 0 ? g.BlueShip : g.GreenShip;
            Last& last = last_[side];
            if (!ship || !ShipAlive(ship)) {
                last = {};
                continue;
            }
            if (ship->CloakState == kCloakNormal) usage.Note("cloak", ship->ClassIndex);
            if (ship->CloakState == kCloakPhasing) usage.Note("phasing cloak", ship->ClassIndex);
            if (ship->BlossomTimer > 0) usage.Note("death blossom", ship->ClassIndex);
            // A teleport: the full reserve spent and the ship somewhere else
            // in one frame.
            if (last.Flying == ship && last.Energy >= 100.0f && ship->SpecialEnergy < 1.0f &&
                ship->SelectedSpecial == kSpecialTeleport && std::hypot(ship->X - last.X, ship->Y - last.Y) > 1.0f)
                usage.Note("teleport", ship->ClassIndex);
            last = {ship, ship->X, ship->Y, ship->SpecialEnergy};
        }
    }
    void Reset() { last_ = {}; }

private:
    struct Last {
        const Ship* Flying = nullptr;
        float X = 0, Y = 0, Energy = 0;
    };
    std::array<Last, 2> last_{};
};

}  // namespace soakcrew
