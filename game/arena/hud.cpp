#include "game/arena/hud.h"

#include <cstdio>

#include "game/common/miscdraw.h"
#include "game/arena/play.h"
#include "game/ship/ship.h"
#include "game/common/strokefont.h"
#include "game/program/winmain.h"
#include "vx/vxsurface.h"

namespace {

constexpr float kSmallText = 4.0f;
constexpr float kLargeText = 5.0f;
constexpr int kShieldBlockHeight = 26;
constexpr int kIconTop = 90;
constexpr int kIconPitch = 13;
constexpr int kWeaponIcon = 5;

// Weapon names by group (rows) and technology (columns: 2 or 3, 4, 5, 6, any
// other).
constexpr const char* kWeaponNames[4][5] = {
    {"Laser Torpedo", "Pulse Cannon", "LASER", "Pulse phaser", "LASER"},
    {"ion CANNON", "ion CANNON", "ion CANNON", "ion CANNON", "ion CANNON"},
    {"BEAM", "X-Ray P Beam", "Neutron Beam", "Phaser", "BEAM"},
    {"HOMER", "HOMER", "HOMER", "photon torpedo", "HOMER"},
};

int TechnologyColumn(int technology) {
    switch (technology) {
        case 2:
        case 3: return 0;
        case 4: return 1;
        case 5: return 2;
        case 6: return 3;
        default: return 4;
    }
}

// The selected weapon's name, or null for a group outside the table.
const char* WeaponName(const Ship& ship) {
    if (ship.WeaponGroup < 0 || ship.WeaponGroup > 3) return nullptr;
    return kWeaponNames[ship.WeaponGroup][TechnologyColumn(ship.Technology)];
}

const char* LinkModeName(int linkMode) {
    switch (linkMode) {
        case kLinkChain: return "CHAIN";
        case kLinkDouble: return "2x LINK";
        case kLinkFull: return "FULL LNK";
        default: return nullptr;
    }
}

const char* SpecialName(const Ship& ship) {
    switch (ship.SelectedSpecial) {
        case kSpecialCloak: return ship.Cloak == kCloakNormal ? "CLOAK" : "PHASING CLOAK";
        case kSpecialBlossom: return "DEATH BLOSSOM";
        case kSpecialTeleport: return "TELEPORT";
        default: return "";
    }
}

void DrawPair(const char* label, float front, float back, float x, int top) {
    char text[48];
    DrawStrokeText(label, x, static_cast<float>(top), kSmallText);
    std::snprintf(text, sizeof text, "%3.0f %3.0f", static_cast<double>(front), static_cast<double>(back));
    DrawStrokeText(text, x, static_cast<float>(top + 12), kLargeText);
}

void DrawShipTexts(GameState* game, const Ship& ship) {
    const int w = game->ScreenWidth;
    const float columnX = static_cast<float>((w - 60) * ship.Side + 30);
    const float specialX = static_cast<float>((w - 380) * ship.Side + 190);

    SetDrawColour(ship.ShipColour);
    // The firing mode line repeats the weapon line when the mode has no name.
    const char* weapon = WeaponName(ship);
    if (weapon) DrawStrokeText(weapon, columnX, 20, kSmallText);
    const char* mode = LinkModeName(ship.LinkMode);
    if (!mode) mode = weapon ? weapon : "";
    DrawStrokeText(mode, columnX, 30, kSmallText);
    DrawStrokeText(SpecialName(ship), specialX, 10, kSmallText);

    char text[48];
    std::snprintf(text, sizeof text, "%3.0f", static_cast<double>(ship.Life));
    DrawStrokeText(text, columnX, 10, kLargeText);

    int shift = 0;
    if (ship.ShieldMax > 0) {
        DrawPair("Shields", ship.FrontShield, ship.BackShield, columnX, 45);
        shift = kShieldBlockHeight;
    }
    if (ship.FrontArmourMax > 0 || ship.BackArmourMax > 0)
        DrawPair("Armor", ship.FrontArmour, ship.BackArmour, columnX, 45 + shift);
}

// One icon for each damaged or broken subsystem, stacked downwards. The
// icons are blits, so the caller has the work surface unlocked.
void DrawSubsystemIcons(GameState* game, const Ship& ship) {
    VXSurface* work = Form1->WorkSurface.get();
    const int x = (game->ScreenWidth - 91) * ship.Side + 10;
    int placed = 0;
    for (int i = 0; i < kSubsystemCount; ++i) {
        const int state = ship.Subsystems[i];
        if (state != kSubDamaged && state != kSubBroken) continue;
        const int icon = i < kWeaponIcon ? i : kWeaponIcon;
        VXSurface* picture = (state == kSubDamaged ? Form1->DamagedIcons[icon] : Form1->BrokenIcons[icon]).get();
        if (picture) picture->DrawKeyedAt(x, kIconTop + kIconPitch * placed, work);
        ++placed;
    }
}

}  // namespace

void DrawHud(GameState* game) {
    VXSurface& work = *Form1->WorkSurface;
    for (Ship* ship : {game->BlueShip, game->GreenShip}) {
        if (!ship || !ShipAlive(ship)) continue;
        DrawShipTexts(game, *ship);
        ship->DrawStatus();
        work.Unlock();
        DrawSubsystemIcons(game, *ship);
        work.Lock();
    }
}
