// A ship's weapons: the ion cannons, missile launcher, lasers and cutting
// beams fired in the selected group and link mode, their cooldowns, and the
// keys that pick the weapon group and the link mode.
#include <iterator>

#include "game/common/misc.h"
#include "game/data/player.h"
#include "game/common/random.h"
#include "game/ship/ship.h"
#include "game/shots/shots.h"
#include "game/program/winmain.h"

namespace {

constexpr float kBoltSpeed = 12.0f;
constexpr float kBoltEnergy = 2.0f;
constexpr float kBeamEnergy = 1.0f;
constexpr int kIonBolt = 7;
constexpr int kFullLinkCooldown = 32;
constexpr int kBeamStartCooldown = 30;
constexpr int kMissileCooldown = 70;
constexpr int kDamagedLauncherFactor = 4;
constexpr int kRegroupCooldown = 40;
constexpr float kMissileLaunchSpeed = 8.0f;
constexpr int kTurretJitter = 17;  // aim error of a bolt turret: -8..8 degrees

// Sound slots of each Technology.
struct TechnologySounds {
    SoundSlotId Laser, Beam, Missile, CycleLinkMode, ChangeNormal;
};
constexpr TechnologySounds kTechnologySounds[] = {
    // Rebel
    {SoundRebelLaser, SoundRebelLaser, SoundMissileLaunch, SoundSelect2, SoundSelect},
    // Imperial
    {SoundImperialLaser, SoundImperialLaser, SoundMissileLaunch, SoundSelect2, SoundSelect},
    // Colonial
    {SoundColonialLaser, SoundColonialLaser, SoundMissileLaunch, SoundSelect2, SoundSelect},
    // Cylon
    {SoundCylonLaser, SoundCylonLaser, SoundMissileLaunch, SoundSelect2, SoundSelect},
    // Earth Alliance
    {SoundStarfuryShot, SoundAllianceBeam, SoundMissileLaunch, SoundAllianceBeep2, SoundAllianceBeep},
    // Minbari
    {SoundMinbariShot, SoundMinbariShot, SoundMissileLaunch, SoundAllianceBeep2, SoundAllianceBeep},
    // Star Fleet
    {SoundPulsePhaser, SoundPhaser, SoundTorpedo, SoundStarFleetBeep2, SoundStarFleetBeep},
};

// One of a technology's sounds; an unknown technology has none (-1).
int TechnologySound(int technology, SoundSlotId TechnologySounds::*which) {
    constexpr int known = static_cast<int>(std::size(kTechnologySounds));
    if (technology < 0 || technology >= known) return -1;
    return kTechnologySounds[technology].*which;
}

// The mounts of one kind: the first mount, their count and their cursor (a
// subsystem number).
struct MountGroup {
    int First;
    int Count;
    int& Cursor;
};

// The mount under the cursor, or -1 when the cursor lies outside the group
// (a group without mounts, or counts beyond the 20 mounts).
int CursorMount(const MountGroup& g) {
    const int m = g.Cursor - kSubMount0;
    if (m < g.First || m >= g.First + g.Count || m < 0 || m >= kMounts) return -1;
    return m;
}

// The cursor moves on to the group's next mount, back to its first after the last.
void AdvanceCursor(MountGroup& g) {
    g.Cursor += 1;
    if (g.Cursor >= g.First + g.Count + kSubMount0) g.Cursor = g.First + kSubMount0;
}

bool MountReady(const Ship& s, int m, float energy) {
    return m >= 0 && s.Subsystems[kSubMount0 + m] == kSubOk && s.MountEnergy[m] >= energy;
}

bool InArc(float cover, float bearing) {
    return bearing >= NormaliseAngle(-cover * 0.5f) || bearing <= NormaliseAngle(cover * 0.5f);
}

// Bearing of the opponent from the ship's centre relative to `direction`;
// a ship without an opponent sees none (outside every arc).
bool OpponentBearing(const Ship& s, float direction, float& bearing) {
    if (!s.Opponent) return false;
    bearing = RelativeBearing(s.X, s.Y, s.Opponent->X, s.Opponent->Y, direction);
    return true;
}

void CountShot(const Ship& s) {
    if (s.Pilot) s.Pilot->ShotsFired += 1;
}

// Lasers and ion cannons fired per trigger: one in chain mode, two (three
// for a group of exactly three) linked, the whole group in full link; one
// during a death blossom.
int BoltTurns(int linkMode, int count, bool blossom) {
    if (blossom) return 1;
    if (linkMode == kLinkDouble) return count == 3 ? 3 : 2;
    if (linkMode == kLinkFull) return count;
    return 1;
}

int BeamTurns(int linkMode, int count, bool blossom) {
    if (blossom) return count;
    if (linkMode == kLinkDouble) return count >= 1 && count <= 3 ? count : 2;
    if (linkMode == kLinkFull) return count;
    return 1;
}

// One volley of a laser or ion group; each turn takes the mount under the
// cursor, fires it when ready, sets the cooldown and moves the cursor on.
void FireBolts(Ship& s, MountGroup g, int& cooldown, int cooldownBase, int boltType, int sound) {
    const int turns = BoltTurns(s.LinkMode, g.Count, s.BlossomTimer > 0);
    for (int turn = 0; turn < turns; ++turn) {
        const int m = CursorMount(g);
        if (MountReady(s, m, kBoltEnergy)) {
            CountShot(s);
            float direction = s.Heading + s.FireDirection[m];
            bool fire = true;
            if (s.TurretCover[m] != 0.0f) {
                const int r = Random(kTurretJitter);
                float b = 0;
                fire = OpponentBearing(s, direction + static_cast<float>(r - 8), b) && InArc(s.TurretCover[m], b);
                direction = s.Heading + s.FireDirection[m] + b;
            }
            if (fire) {
                const WorldPoint p = MountPosition(s, m);
                Form1->Game->ShotList->Append(new Energy(
                    boltType, p.X, p.Y, static_cast<float>(CosDeg(direction)) * kBoltSpeed + s.VX,
                    static_cast<float>(SinDeg(direction)) * kBoltSpeed + s.VY, direction, s.Power[m], s.Range[m], &s));
                s.MountEnergy[m] -= kBoltEnergy;
                PlayOnce(sound);
            }
        }
        cooldown = s.LinkMode == kLinkFull ? kFullLinkCooldown : s.LinkMode * cooldownBase;
        AdvanceCursor(g);
    }
}

void FireMissile(Ship& s) {
    const int launcher = s.Subsystems[kSubMissiles];
    if (s.Missiles > 0 && (launcher == kSubOk || launcher == kSubDamaged)) {
        CountShot(s);
        const float h = s.Heading;
        const float c = static_cast<float>(CosDeg(h));
        const float sn = static_cast<float>(SinDeg(h));
        Form1->Game->ShotList->Append(new Missile(0, s.X + c, s.Y + sn, c * kMissileLaunchSpeed + s.VX,
                                                  sn * kMissileLaunchSpeed + s.VY, h, &s, s.Opponent));
        s.MissileCooldown = kMissileCooldown;
        s.Missiles -= 1;
        PlayOnce(TechnologySound(s.Technology, &TechnologySounds::Missile));
    }
    if (s.Missiles <= 0) {
        // Out of missiles: over to the energy weapons, the last kind fitted
        // winning, which all wait a moment.
        const auto regroup = [&s](int group) {
            s.WeaponGroup = group;
            s.LaserCooldown = s.BeamCooldown = s.IonCooldown = kRegroupCooldown;
        };
        if (s.LaserCount > 0) regroup(kGroupLasers);
        if (s.IonCount > 0) regroup(kGroupIons);
        if (s.BeamCount > 0) regroup(kGroupBeams);
    }
    if (launcher == kSubDamaged) s.MissileCooldown *= kDamagedLauncherFactor;
}

void StartBeams(Ship& s, MountGroup g) {
    const int turns = BeamTurns(s.LinkMode, g.Count, s.BlossomTimer > 0);
    for (int turn = 0; turn < turns; ++turn) {
        const int m = CursorMount(g);
        if (MountReady(s, m, kBeamEnergy)) {
            std::uint8_t tracking = 0;
            bool start = true;
            if (s.TurretCover[m] != 0.0f) {
                float b = 0;
                tracking = 1;
                start = OpponentBearing(s, s.Heading + s.FireDirection[m], b) && InArc(s.TurretCover[m], b) &&
                        s.Opponent->CloakState == kCloakNone;
            }
            if (start) {
                s.BeamCooldown = kBeamStartCooldown;
                Form1->Game->ShotList->Append(
                    new Beam(s.Technology, &s.MountEnergy[m], m, tracking, s.Power[m] * 0.1f, s.Range[m], &s));
                PlayOnce(TechnologySound(s.Technology, &TechnologySounds::Beam));
            }
        }
        AdvanceCursor(g);
    }
}

void CoolDown(int& cooldown) {
    if (cooldown > 0) cooldown -= 1;
}

// Whether a group has anything to select: weapons fitted, or missiles left.
bool GroupArmed(const Ship& s, int group) {
    switch (group) {
        case kGroupLasers: return s.LaserCount > 0;
        case kGroupIons: return s.IonCount > 0;
        case kGroupBeams: return s.BeamCount > 0;
        case kGroupMissiles: return s.Missiles > 0;
        default: return false;
    }
}

}  // namespace

WorldPoint MountPosition(const Ship& s, int m) {
    const float h = s.Heading;
    return {s.X + static_cast<float>(CosDeg(h + 90.0f)) * s.WeaponX[m] +
                static_cast<float>(CosDeg(h + 180.0f)) * s.WeaponY[m],
            s.Y + static_cast<float>(SinDeg(h + 90.0f)) * s.WeaponX[m] +
                static_cast<float>(SinDeg(h + 180.0f)) * s.WeaponY[m]};
}

void Ship::FireWeapons() {
    const bool fire = KeyDown[kCtlFire] != 0;
    const bool blossom = BlossomTimer > 0;
    const bool visible = CloakState == kCloakNone;
    const bool fullLinkAll = LinkAll == 1 && LinkMode == kLinkFull;
    const int ionFirst = LaserCount;
    const int beamFirst = LaserCount + IonCount;

    // Ion cannons.
    if (IonCooldown == 0 && visible &&
        ((fire &&
          (WeaponGroup == kGroupIons || (WeaponGroup == kGroupLasers && LinkMode == kLinkFull) || fullLinkAll)) ||
         (blossom && IonCount > 0)))
        FireBolts(*this, {ionFirst, IonCount, IonCursor}, IonCooldown, IonCooldownBase, kIonBolt, SoundIonCannon);

    // Missiles.
    if (visible && MissileCooldown == 0 && ((fire && WeaponGroup == kGroupMissiles) || blossom)) FireMissile(*this);

    // Lasers; a death blossom fires them whatever their cooldown.
    if (visible &&
        ((fire && LaserCooldown == 0 &&
          (WeaponGroup == kGroupLasers || (WeaponGroup == kGroupIons && LinkMode == kLinkFull) || fullLinkAll)) ||
         (blossom && LaserCount > 0)))
        FireBolts(*this, {0, LaserCount, LaserCursor}, LaserCooldown, LaserCooldownBase, Technology,
                  TechnologySound(Technology, &TechnologySounds::Laser));

    // Cutting beams.
    if (fire && BeamCooldown == 0 && visible && (WeaponGroup == kGroupBeams || fullLinkAll))
        StartBeams(*this, {beamFirst, BeamCount, BeamCursor});

    CoolDown(LaserCooldown);
    CoolDown(IonCooldown);
    CoolDown(BeamCooldown);
    CoolDown(MissileCooldown);
}

void Ship::HandleWeaponKeys() {
    if (KeyDown[kCtlChangeNormal] && PrevGroupKey == 0) {
        PlayOnce(TechnologySound(Technology, &TechnologySounds::ChangeNormal));
        if (WeaponGroup >= kGroupLasers && WeaponGroup <= kGroupMissiles) {
            for (int step = 1; step < 4; ++step) {
                const int group = (WeaponGroup + step) % 4;
                if (GroupArmed(*this, group)) {
                    WeaponGroup = group;
                    break;
                }
            }
        }
    }
    if (KeyDown[kCtlCycleLinkMode] && PrevLinkKey == 0) {
        PlayOnce(TechnologySound(Technology, &TechnologySounds::CycleLinkMode));
        if (LinkMode == kLinkChain) {
            LinkMode = kLinkDouble;
        } else if (LinkMode == kLinkDouble) {
            const bool fullLinkWorthIt =
                IonCount > 3 || LaserCount > 3 || (LaserCount > 0 && IonCount > 0) || BeamCount > 3;
            LinkMode = fullLinkWorthIt ? kLinkFull : kLinkChain;
        } else {
            LinkMode = kLinkChain;
        }
    }
}

void Ship::StorePreviousKeys() {
    PrevLinkKey = KeyDown[kCtlCycleLinkMode] ? 1 : 0;
    PrevGroupKey = KeyDown[kCtlChangeNormal] ? 1 : 0;
    PrevSpecialKey = KeyDown[kCtlChangeSpecial] ? 1 : 0;
    PrevActivateKey = KeyDown[kCtlActivateSpecial] ? 1 : 0;
}
