#include "game/ship/ship.h"

#include <algorithm>

#include "game/program/gamestate.h"
#include "game/common/misc.h"
#include "game/common/random.h"
#include "game/program/winmain.h"
#include "vx/vxsurface.h"

namespace {

constexpr std::uint32_t kBlueSideColour = 0xFF6464;   // light blue
constexpr std::uint32_t kGreenSideColour = 0x5AFF5A;  // light green
constexpr int kBlueSidePan = -9000;
constexpr int kGreenSidePan = 9000;
constexpr int kCustomFrames = 100;  // ImageSelection of a class with frames of its own

// The colour as a pixel of the work surface.
PixelValue WorkSurfacePixel(std::uint32_t colourRef) {
    if (!Form1->WorkSurface) return 0;
    return ColorrefToPixel(Form1->WorkSurface->DirectDrawSurface, colourRef);
}

// Frames between volleys of one mount group: 32 spread over the group's
// mounts, truncated; a single mount waits 24, an empty group 0.
int CooldownBase(int count) {
    if (count == 1) return 24;
    return FloatToInt(SafeDivide(4.0f, static_cast<float>(count)) * 8.0f);
}

// The specials and every value a ship takes from its class, whose index must
// be valid.
void CopyClassValues(Ship& ship) {
    const GameState* game = Form1->Game.get();
    const ClassTable& t = game->ShipClassTable;
    const int c = ship.ClassIndex;

    std::fill(std::begin(ship.SpecialList), std::end(ship.SpecialList), -1);
    int listed = 0;
    for (int k = 1; k < kClassSpecials; ++k)
        if (t.Specials[c][k] != 0) ship.SpecialList[listed++] = k;
    if (t.Specials[c][kSpecialCloak] != 0) ship.Cloak = t.Specials[c][kSpecialCloak];
    ship.Drive = t.Specials[c][0];
    ship.SelectedSpecial = ship.SpecialList[0];

    ship.FrontArmourMax = t.Armor[c][0];
    ship.BackArmourMax = t.Armor[c][1];
    ship.ShipValue = game->ShipValue[c];
    ship.AimLine = t.AimLine[c] != 0 ? 1 : 0;
    ship.ImageSelection = t.ImageSelection[c] == kCustomFrames ? c : t.ImageSelection[c];
    ship.Technology = t.Technology[c];
    ship.ShieldMax = t.Shield[c];
    ship.HullMax = t.Hull[c];
    ship.MissileCapacity = t.Missiles[c];
    ship.DrawScale = t.DrawScale[c];
    ship.BoundingSphere = t.BoundingSphere[c];
    ship.Turn = t.Turn[c];
    ship.Acceleration = t.Acceleration[c];
    ship.LaserCount = t.LaserCount[c];
    ship.IonCount = t.IonCount[c];
    ship.BeamCount = t.BeamCount[c];
    ship.FrameCount = t.FrameCount[c];
    ship.AstroDroidArmed = t.AstroDroid[c];
    ship.EngineSoundKind = t.EngineSoundKind[c];
    // The class's "link all weapons" flag: full link then fires the cutting
    // beams along with the lasers and ion cannons.
    ship.LinkAll = t.LinkAll[c];
    for (int m = 0; m < kMounts; ++m) {
        ship.WeaponX[m] = static_cast<float>(t.WeaponX[c][m]);
        ship.WeaponY[m] = static_cast<float>(t.WeaponY[c][m]);
        ship.FireDirection[m] = t.FireDirection[c][m];
        ship.TurretCover[m] = static_cast<float>(t.TurretCover[c][m]);
        ship.Power[m] = static_cast<float>(t.Power[c][m]);
        ship.Range[m] = t.Range[c][m];
    }
}

}  // namespace

Ship::Ship(int side, Player* pilot, int classIndex) : Pilot(pilot), ClassIndex(classIndex), Side(side) {
    const GameState* game = Form1->Game.get();
    ScreenWidth = game->ScreenWidth;
    const bool green = side == 1;
    SoundPan = green ? kGreenSidePan : kBlueSidePan;
    ShipColour = WorkSurfacePixel(green ? kGreenSideColour : kBlueSideColour);
    const int firstKey = green ? kShipControls : 0;
    std::copy_n(game->KeyBindings + firstKey, kShipControls, KeyCodes);
}

void Ship::Reset() {
    SmokeToEmit = 0;
    std::fill(std::begin(SmokeLife), std::end(SmokeLife), 0);
    std::fill(std::begin(SmokeX), std::end(SmokeX), 3000.0f);

    AstroDroidArmed = 1;
    OpponentDown = 0;

    X = Side == 1 ? static_cast<float>(1800 + Random(30)) : static_cast<float>(200 - Random(30));
    Y = 1000;

    AreaDamage = 0;
    FrontShieldDamage = 0;
    BackShieldDamage = 0;
    FrontShieldOnlyDamage = 0;
    BackShieldOnlyDamage = 0;
    ShieldOnlyAreaDamage = 0;

    std::fill(std::begin(FireDirection), std::end(FireDirection), 0.0f);
    std::fill(std::begin(WeaponX), std::end(WeaponX), 0.0f);
    std::fill(std::begin(WeaponY), std::end(WeaponY), 0.0f);
    AimLine = 0;

    // A ship of no known class cannot fly: the game ends, and the table is
    // not read out of range.
    if (ClassIndex < 0 || ClassIndex >= kClassCount)
        Form1->Close();
    else
        CopyClassValues(*this);

    if (LaserCount > 0)
        WeaponGroup = kGroupLasers;
    else if (IonCount > 0)
        WeaponGroup = kGroupIons;
    else if (BeamCount > 0)
        WeaponGroup = kGroupBeams;
    else
        WeaponGroup = kGroupMissiles;

    LinkMode = kLinkChain;
    PrevLinkKey = PrevGroupKey = PrevSpecialKey = PrevActivateKey = 0;
    CloakState = CloakWanted = CloakLevel = 0;
    SpecialEnergy = 100;
    SpecialCursor = 0;
    BlossomTimer = 0;
    DriveRamp = 0;

    MountCount = LaserCount + IonCount + BeamCount;
    std::fill(std::begin(MountEnergy), std::end(MountEnergy), kMountEnergyMax);

    IonCooldownBase = CooldownBase(IonCount);
    LaserCooldownBase = CooldownBase(LaserCount);

    LaserCursor = kSubMount0;
    IonCursor = LaserCount + kSubMount0;
    BeamCursor = LaserCount + IonCount + kSubMount0;

    SmokeToEmit = 0;
    Heading = 270;
    VX = VY = 0;
    DriveVX = DriveVY = 0;
    IonCooldown = MissileCooldown = LaserCooldown = BeamCooldown = 0;

    Life = static_cast<float>(HullMax);
    FrontShield = BackShield = static_cast<float>(ShieldMax);
    Missiles = MissileCapacity;
    FrontArmour = static_cast<float>(FrontArmourMax);
    BackArmour = static_cast<float>(BackArmourMax);

    // A key held through a respawn must be pressed again.
    std::fill(std::begin(Form1->KeyState), std::end(Form1->KeyState), 0);

    for (int s = 0; s < kSubMount0; ++s) Subsystems[s] = kSubOk;
    for (int m = 0; m < kMounts; ++m) Subsystems[kSubMount0 + m] = m < MountCount ? kSubOk : kSubNotFitted;
    if (ShieldMax == 0) Subsystems[kSubShields] = kSubNotFitted;
    if (MissileCapacity == 0) Subsystems[kSubMissiles] = kSubNotFitted;
}
