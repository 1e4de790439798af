// The in-game display: each living ship's texts in its own column, and one
// icon per damaged or broken subsystem.
#include <memory>

#include "game/arena/hud.h"
#include "tests/game/play_fixture.h"

namespace {

class HudTest : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        for (Ship* ship : {blue, green}) {
            for (int& s : ship->Subsystems) s = kSubOk;
            ship->ShieldMax = 0;
            ship->FrontArmourMax = ship->BackArmourMax = 0;
            ship->SelectedSpecial = -1;
            ship->LinkMode = 1;
            ship->WeaponGroup = 0;
            ship->Technology = 0;
        }
        blue->ShipColour = Form1->UIColours.ColourLightBlue;
        green->ShipColour = Form1->UIColours.ColourLightGreen;
    }

    // What DrawHud draws, called as the play frame calls it.
    std::vector<PixelValue> Hud() {
        LockWork();
        DrawHud(game);
        EXPECT_TRUE(WorkIsLocked());
        UnlockWork();
        return Pixels();
    }

    // The texts of one ship in its colour, plus its status bars, on a clean
    // surface; texts moved in from the screen's edge (at their new centres)
    // come after the bars.
    std::vector<PixelValue> ExpectedFor(Ship* ship, std::vector<TextLine> lines, std::vector<TextLine> moved = {}) {
        for (TextLine& line : lines) line.Colour = ship->ShipColour;
        return Expected(lines, [&] {
            ship->DrawStatus();
            SetDrawColour(ship->ShipColour);
            for (const TextLine& line : moved) DrawStrokeText(line.Text, line.X, line.Y, line.Size);
        });
    }

    // A small solid icon of one colour.
    VXSurface* MakeIcon(std::unique_ptr<VXSurface>& slot, PixelValue colour) {
        slot = std::make_unique<VXSurface>();
        EXPECT_EQ(slot->Create(Form1->WorkSurface->Screen, 8, 8, MemoryAny), 1);
        slot->Fill(colour);
        slot->SetColorKey(0);
        return slot.get();
    }
};

TEST_F(HudTest, ABlueShipShowsWeaponModeSpecialHullShieldsAndArmour) {
    green->Life = -1;
    blue->Life = 87.4f;
    blue->Technology = 6;
    blue->WeaponGroup = kGroupMissiles;
    blue->LinkMode = 2;
    blue->SelectedSpecial = kSpecialCloak;
    blue->Cloak = kCloakPhasing;
    blue->ShieldMax = 50;
    blue->FrontShield = 49.6f;
    blue->BackShield = 3;
    blue->BackArmourMax = 20;
    blue->FrontArmour = 0;
    blue->BackArmour = 19;
    // "photon torpedo", 98 pixels of advance centred on 30, would start 19
    // pixels before the screen's edge; it moves in to start at 2.
    const std::vector<PixelValue> expected = ExpectedFor(blue,
                                                         {
                                                             {"2x LINK", 30, 30, 4, 0},
                                                             {"PHASING CLOAK", 190, 10, 4, 0},
                                                             {" 87", 30, 10, 5, 0},
                                                             {"Shields", 30, 45, 4, 0},
                                                             {" 50   3", 30, 57, 5, 0},
                                                             {"Armor", 30, 71, 4, 0},
                                                             {"  0  19", 30, 83, 5, 0},
                                                         },
                                                         {{"photon torpedo", 51, 20, 4, 0}});
    EXPECT_GT(CountLit(expected), 300);
    EXPECT_EQ(Hud(), expected);
}

// On an 800-wide screen the green column is centred on 770 and its special
// on 610.
TEST_F(HudTest, AGreenShipWithoutShieldsShowsItsArmourHigherUp) {
    blue->Life = -1;
    green->Life = 1234;
    green->Technology = 1;
    green->WeaponGroup = kGroupLasers;
    green->LinkMode = 4;
    green->SelectedSpecial = kSpecialBlossom;
    green->FrontArmourMax = 30;
    green->FrontArmour = 30;
    green->BackArmour = 0;
    const std::vector<PixelValue> expected = ExpectedFor(green, {
                                                                    {"LASER", 770, 20, 4, 0},
                                                                    {"FULL LNK", 770, 30, 4, 0},
                                                                    {"DEATH BLOSSOM", 610, 10, 4, 0},
                                                                    {"1234", 770, 10, 5, 0},
                                                                    {"Armor", 770, 45, 4, 0},
                                                                    {" 30   0", 770, 57, 5, 0},
                                                                });
    EXPECT_EQ(Hud(), expected);
}

struct NameCase {
    int Group, Technology, LinkMode, Special, Cloak;
    const char* Weapon;  // null: no weapon line
    const char* Mode;
    const char* SpecialText;
    float WeaponX = 30;  // where a name too wide for the column is moved to
};

TEST_F(HudTest, WeaponModeAndSpecialNames) {
    const NameCase cases[] = {
        {0, 2, 1, kSpecialCloak, kCloakNormal, "Laser Torpedo", "CHAIN", "CLOAK", 48},
        {0, 3, 1, kSpecialTeleport, 0, "Laser Torpedo", "CHAIN", "TELEPORT", 48},
        {0, 4, 1, -1, 0, "Pulse Cannon", "CHAIN", "", 44},
        {0, 5, 1, -1, 0, "LASER", "CHAIN", ""},
        {0, 6, 1, -1, 0, "Pulse phaser", "CHAIN", "", 44},
        {1, 6, 1, 7, 0, "ion CANNON", "CHAIN", "", 35},
        {2, 0, 1, -1, 0, "BEAM", "CHAIN", ""},
        {2, 4, 1, -1, 0, "X-Ray P Beam", "CHAIN", "", 44},
        {2, 5, 1, -1, 0, "Neutron Beam", "CHAIN", "", 44},
        {2, 6, 1, -1, 0, "Phaser", "CHAIN", ""},
        {3, 5, 1, -1, 0, "HOMER", "CHAIN", ""},
        // A firing mode without a name repeats the weapon's.
        {2, 4, 3, -1, 0, "X-Ray P Beam", "X-Ray P Beam", "", 44},
        // A group outside the table names no weapon.
        {4, 0, 1, -1, 0, nullptr, "CHAIN", ""},
        {-1, 0, 0, -1, 0, nullptr, "", ""},
    };
    green->Life = -1;
    blue->Life = 5;
    for (const NameCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "group " << c.Group << " tech " << c.Technology << " mode " << c.LinkMode);
        blue->WeaponGroup = c.Group;
        blue->Technology = c.Technology;
        blue->LinkMode = c.LinkMode;
        blue->SelectedSpecial = c.Special;
        blue->Cloak = c.Cloak;
        std::vector<TextLine> lines = {{c.SpecialText, 190, 10, 4, 0}, {"  5", 30, 10, 5, 0}}, moved;
        const bool weaponMoved = c.WeaponX != 30;
        const bool modeMoved = weaponMoved && c.Mode == c.Weapon;
        (modeMoved ? moved : lines).push_back({c.Mode, modeMoved ? c.WeaponX : 30, 30, 4, 0});
        if (c.Weapon) (weaponMoved ? moved : lines).push_back({c.Weapon, c.WeaponX, 20, 4, 0});
        const std::vector<PixelValue> expected = ExpectedFor(blue, lines, moved);
        EXPECT_EQ(Hud(), expected);
        Clear();
    }
}

// A name wider than the column's room moves in from the screen's edge, just
// far enough to show whole, in both columns on narrow and wide screens; it
// lies over the status bars beside the column, so it comes after them.
TEST_F(HudTest, LongNamesMoveInFromBothEdgesAtEveryWidth) {
    struct WidthCase {
        int Width;
        float GreenTorpedoX, GreenPhaserX;
    };
    // Blue's texts start 2 pixels from the left edge: "photon torpedo" on 51
    // (not 30), "Pulse phaser" on 44. Green's end 2 or 3 pixels from the
    // right edge.
    for (const WidthCase& w : {WidthCase{800, 751, 758}, WidthCase{1600, 1551, 1558}}) {
        SCOPED_TRACE(testing::Message() << w.Width << " wide");
        Resize(w.Width, 600);
        game->ScreenWidth = w.Width;
        for (Ship* ship : {blue, green}) {
            ship->ScreenWidth = w.Width;
            ship->Technology = 6;
            ship->Life = 60;
        }
        blue->WeaponGroup = kGroupMissiles;
        green->WeaponGroup = kGroupLasers;
        const float right = static_cast<float>(w.Width - 30);
        std::vector<PixelValue> expected =
            ExpectedFor(blue, {{"CHAIN", 30, 30, 4, 0}, {" 60", 30, 10, 5, 0}}, {{"photon torpedo", 51, 20, 4, 0}});
        const std::vector<PixelValue> greenAlone =
            ExpectedFor(green, {{"CHAIN", right, 30, 4, 0}, {" 60", right, 10, 5, 0}},
                        {{"Pulse phaser", w.GreenPhaserX, 20, 4, 0}});
        for (std::size_t i = 0; i < expected.size(); ++i)
            if (greenAlone[i] != 0) expected[i] = greenAlone[i];
        EXPECT_EQ(Hud(), expected);

        green->WeaponGroup = kGroupMissiles;
        const std::vector<PixelValue> torpedo =
            ExpectedFor(green, {{"CHAIN", right, 30, 4, 0}, {" 60", right, 10, 5, 0}},
                        {{"photon torpedo", w.GreenTorpedoX, 20, 4, 0}});
        blue->Life = -1;
        EXPECT_EQ(Hud(), torpedo);
    }
}

TEST_F(HudTest, IconsStackDownwardsForEachDamagedOrBrokenSubsystem) {
    const PixelValue engineDamaged = 0x07E0, weaponBroken = 0xF800, shieldsBroken = 0x001F;
    MakeIcon(Form1->DamagedIcons[kSubEngine], engineDamaged);
    MakeIcon(Form1->BrokenIcons[5], weaponBroken);
    MakeIcon(Form1->BrokenIcons[kSubShields], shieldsBroken);
    blue->Subsystems[kSubEngine] = kSubDamaged;
    blue->Subsystems[kSubMount0 + 0] = kSubBroken;
    blue->Subsystems[kSubMount0 + 4] = kSubBroken;
    blue->Subsystems[kSubMount0 + 19] = kSubBroken;
    blue->Subsystems[kSubMount0 + 7] = kSubNotFitted;
    green->Subsystems[kSubShields] = kSubBroken;
    green->Subsystems[kSubMissiles] = kSubNotFitted;

    const std::vector<PixelValue> pixels = Hud();
    auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * 800 + x]; };
    EXPECT_EQ(at(10, 90), engineDamaged);
    EXPECT_EQ(at(17, 97), engineDamaged);
    for (int y : {103, 116, 129}) EXPECT_EQ(at(10, y), weaponBroken) << y;
    EXPECT_EQ(at(10, 142), 0u);
    EXPECT_EQ(at(719, 90), shieldsBroken);
    EXPECT_EQ(at(718, 90), 0u);
    EXPECT_EQ(at(719, 103), 0u);
}

TEST_F(HudTest, AMissingIconStillTakesItsPlace) {
    const PixelValue weaponDamaged = 0x07E0;
    MakeIcon(Form1->DamagedIcons[5], weaponDamaged);
    Form1->BrokenIcons[kSubGenerator] = std::make_unique<VXSurface>();  // failed to load
    blue->Subsystems[kSubSteering] = kSubDamaged;                       // no picture at all
    blue->Subsystems[kSubGenerator] = kSubBroken;                       // a picture without a surface
    blue->Subsystems[kSubMount0 + 2] = kSubDamaged;
    const std::vector<PixelValue> pixels = Hud();
    auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * 800 + x]; };
    EXPECT_EQ(at(10, 90), 0u);
    EXPECT_EQ(at(10, 103), 0u);
    EXPECT_EQ(at(10, 116), weaponDamaged);
}

TEST_F(HudTest, ADestroyedShipShowsNothing) {
    MakeIcon(Form1->BrokenIcons[kSubEngine], 0xFFFF);
    for (Ship* ship : {blue, green}) {
        ship->Life = -0.5f;
        ship->ShieldMax = 10;
        ship->Subsystems[kSubEngine] = kSubBroken;
    }
    EXPECT_EQ(CountLit(Hud()), 0);
}

}  // namespace
