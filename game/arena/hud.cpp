#include "game/arena/hud.h"

#include <cstdio>
#include <iterator>

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

// One text of a ship's column, formatted and placed.
struct HudText {
    char Text[48];
    float X, Y, Size;
};

// At most weapon, mode, special, hull and two lines each for shields and
// armour.
struct HudTexts {
    HudText Line[8];
    int Count = 0;

    void Add(const char* text, float x, float y, float size) {
        if (Count == static_cast<int>(std::size(Line))) return;
        HudText& t = Line[Count++];
        std::snprintf(t.Text, sizeof t.Text, "%s", text);
        t.X = x;
        t.Y = y;
        t.Size = size;
    }
    void AddPair(const char* label, float front, float back, float x, int top) {
        char text[48];
        Add(label, x, static_cast<float>(top), kSmallText);
        std::snprintf(text, sizeof text, "%3.0f %3.0f", static_cast<double>(front), static_cast<double>(back));
        Add(text, x, static_cast<float>(top + 12), kLargeText);
    }
};

// The ship's texts in drawing order.
HudTexts ShipTexts(GameState* game, const Ship& ship) {
    const int w = game->ScreenWidth;
    const float columnX = static_cast<float>((w - 60) * ship.Side + 30);
    const float specialX = static_cast<float>((w - 380) * ship.Side + 190);

    HudTexts texts;
    // The firing mode line repeats the weapon line when the mode has no name.
    const char* weapon = WeaponName(ship);
    if (weapon) texts.Add(weapon, columnX, 20, kSmallText);
    const char* mode = LinkModeName(ship.LinkMode);
    if (!mode) mode = weapon ? weapon : "";
    texts.Add(mode, columnX, 30, kSmallText);
    texts.Add(SpecialName(ship), specialX, 10, kSmallText);

    char text[48];
    std::snprintf(text, sizeof text, "%3.0f", static_cast<double>(ship.Life));
    texts.Add(text, columnX, 10, kLargeText);

    int shift = 0;
    if (ship.ShieldMax > 0) {
        texts.AddPair("Shields", ship.FrontShield, ship.BackShield, columnX, 45);
        shift = kShieldBlockHeight;
    }
    if (ship.FrontArmourMax > 0 || ship.BackArmourMax > 0)
        texts.AddPair("Armor", ship.FrontArmour, ship.BackArmour, columnX, 45 + shift);
    return texts;
}

// The texts that lie on the screen where they stand (moved false), or those
// that have to move inward to stay whole (moved true).
void DrawShipTexts(const HudTexts& texts, PixelValue colour, bool moved) {
    SetDrawColour(colour);
    for (int i = 0; i < texts.Count; ++i) {
        const HudText& t = texts.Line[i];
        const float shift = ShiftOntoScreen(StrokeTextSpan(t.Text, t.X, t.Size));
        if ((shift != 0.0f) == moved) DrawStrokeText(t.Text, t.X + shift, t.Y, t.Size);
    }
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
        // A text moved in from the edge reaches beside the column, where the
        // status bars would cover it: it comes after them.
        const HudTexts texts = ShipTexts(game, *ship);
        DrawShipTexts(texts, ship->ShipColour, false);
        ship->DrawStatus();
        const PixelValue statusColour = DrawColour;
        DrawShipTexts(texts, ship->ShipColour, true);
        SetDrawColour(statusColour);
        work.Unlock();
        DrawSubsystemIcons(game, *ship);
        work.Lock();
    }
}
