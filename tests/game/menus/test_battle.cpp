#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "game/menus/battle.h"
#include "game/common/miscdraw.h"
#include "game/menus/menu.h"
#include "game/menus/quickgame.h"
#include "game/menus/selections.h"
#include "tests/game/match_fixture.h"

namespace {

class BattleTest : public MatchFixture {
protected:
    void SetUp() override {
        MatchFixture::SetUp();
        for (int c = 0; c < kClassCount; ++c) game->ShipValue[c] = 10 + 5 * c;
    }

    int Menu() { return RunHandler(BattleMenuScreen); }
    int Pick() { return RunHandler(BattlePickScreen); }
    int TapPick(int key) { return TapKey(BattlePickScreen, key); }
    int TapMenu(int key) { return TapKey(BattleMenuScreen, key); }

    // Ships of these classes in these slots, with their value.
    void Fill(Player& p, std::initializer_list<std::pair<int, int>> slotClass) {
        for (auto [slot, cls] : slotClass) {
            p.Fleet[slot] = cls;
            p.FleetValue += game->ShipValue[cls];
        }
    }

    // The battle pick's hint, title and items.
    static void DrawPickItems() {
        const UIColourSet& c = Form1->UIColours;
        DrawMenuText("Press esc for battle menu", 105, 13, 6, c.ColourWhite);
        DrawMenuText("Select your ships for next battle", 400, 90, 20, c.ColourYellow);
        DrawLabel("S art or resume battle", " t                    ", 400, 150, 8, c.ColourRed, c.ColourLightRed);
        DrawLabel(" ack", "B   ", 400, 180, 8, c.ColourBlue, c.ColourLightBlue);
    }

    // T on the pick with MenuLatch clear.
    int StartRound() {
        game->MenuLatch = 0;
        return TapPick('T');
    }
};

}  // namespace

TEST_F(BattleTest, TheMenuShowsItsItemsAndBothFleetsSizesAndPoints) {
    Fill(Blue(), {{3, 1}, {9, 2}});
    EXPECT_EQ(Menu(), ScreenBattleMenu);
    EXPECT_FALSE(WorkIsLocked());
    const UIColourSet& c = Form1->UIColours;
    ExpectScreen(Reference([&] {
        DrawMenuText("Press esc for main menu", 105, 13, 6, c.ColourWhite);
        DrawMenuText("Battle menu", 400, 90, 25, c.ColourYellow);
        DrawLabel("S art or resume battle", " t                    ", 400, 150, 8, c.ColourRed, c.ColourLightRed);
        DrawLabel("S lect ships", " e          ", 400, 180, 8, c.ColourRed, c.ColourLightRed);
        DrawLabel("CHOOSE  ILOTS", "       P     ", 400, 210, 8, c.ColourRed, c.ColourLightRed);
        DrawLabel(" ack", "B   ", 400, 240, 8, c.ColourBlue, c.ColourLightBlue);
        DrawMenuText("Blue Armada", 200, 400, 7, c.ColourLightBlue);
        DrawMenuText("2 ships", 200, 420, 7, c.ColourBlue);
        DrawMenuText("35 Points", 200, 435, 7, c.ColourBlue);
        DrawMenuText("Green Armada", 640, 400, 7, c.ColourLightGreen);
        DrawMenuText("0 ships", 640, 420, 7, c.ColourGreen);
        DrawMenuText("0 Points", 640, 435, 7, c.ColourGreen);
    }));
}

TEST_F(BattleTest, StartReplacesTheShipsPutsTheCursorsOnSlotZeroAndLaysOutANewArena) {
    NewShip(game, 0, &Blue(), 1);
    NewShip(game, 1, &Green(), 2);
    game->BlueFleetCursor = 7;
    game->GreenFleetCursor = 4;
    game->PlanetOption = 3;  // no planet this time
    NewPlanet(game);
    ASSERT_EQ(game->PlanetList, nullptr);
    game->PlanetOption = 0;

    EXPECT_EQ(TapMenu('T'), ScreenBattlePick);
    EXPECT_EQ(game->BlueShip, nullptr);
    EXPECT_EQ(game->GreenShip, nullptr);
    EXPECT_EQ(Blue().CurrentShip, nullptr);
    EXPECT_EQ(Green().CurrentShip, nullptr);
    EXPECT_EQ(game->BlueFleetCursor, 0);
    EXPECT_EQ(game->GreenFleetCursor, 0);
    EXPECT_NE(game->PlanetList, nullptr);
    EXPECT_GE(AsteroidCount(), 5);
}

TEST_F(BattleTest, TheMenuLeadsToSelectionsPilotsAndBack) {
    struct Case {
        int key;
        int row;  // clicked when there is no key
        int want;
    };
    for (const Case& k :
         {Case{'E', 0, ScreenShipSelections}, Case{0, 170, ScreenShipSelections}, Case{'P', 0, ScreenChoosePilots},
          Case{0, 200, ScreenChoosePilots}, Case{'B', 0, ScreenMainMenu}, Case{kKeyEscape, 0, ScreenMainMenu},
          Case{0, 230, ScreenMainMenu}, Case{0, 140, ScreenBattlePick}}) {
        game->MenuLatch = 0;
        game->MouseLatch = 0;
        game->BlueInFleet = game->GreenInFleet = 1;
        game->GameMode = ScreenQuickGame;
        if (k.key) Press(k.key);
        game->MouseY = k.row;
        game->MouseLeft = k.key ? 0 : 1;
        EXPECT_EQ(Menu(), k.want) << k.key << " " << k.row;
        if (k.want == ScreenShipSelections) {
            EXPECT_EQ(game->BlueInFleet, 0);
            EXPECT_EQ(game->GreenInFleet, 0);
        }
        if (k.want == ScreenChoosePilots) {
            EXPECT_EQ(game->GameMode, ScreenBattleMenu);
        }
        ReleaseAll();
        game->MouseLeft = 0;
    }
    // T and E together: only the first in the screen's order.
    game->MenuLatch = 0;
    Press('T');
    Press('E');
    EXPECT_EQ(Menu(), ScreenBattlePick);
}

TEST_F(BattleTest, ThePickListsBothFleetsWithTheCursorsShipsInWhite) {
    Fill(Blue(), {{2, 1}, {5, 3}, {6, 2}});
    Fill(Green(), {{0, 2}, {29, 1}});
    game->BlueFleetCursor = 5;
    game->GreenFleetCursor = 4;  // an empty slot highlights nothing
    EXPECT_EQ(Pick(), ScreenBattlePick);
    EXPECT_FALSE(WorkIsLocked());
    const UIColourSet& c = Form1->UIColours;
    ExpectScreen(Reference([&] {
        DrawPickItems();
        DrawMenuText("Class 1", 250, 260, 6, c.ColourBlue);
        DrawMenuText("Class 3", 250, 271, 6, c.ColourWhite);
        DrawMenuText("Class 2", 250, 282, 6, c.ColourBlue);
        DrawMenuText("Class 2", 550, 260, 6, c.ColourGreen);
        DrawMenuText("Class 1", 550, 271, 6, c.ColourGreen);
        DrawMenuText("Select with: Up and Down", 680, 230, 6, c.ColourGreen);
    }));
}

TEST_F(BattleTest, ThePickAnnouncesTheWinnerOrTheDrawOnceAFleetIsEmpty) {
    struct Case {
        bool blueShips, greenShips;
        const char* text;
        PixelValue UIColourSet::*colour;
    };
    const Case cases[] = {
        {false, true, "Green player won the battle!", &UIColourSet::ColourGreen},
        {true, false, "blue player won the battle!", &UIColourSet::ColourBlue},
        {false, false, "The battle was a draw", &UIColourSet::ColourLightRed},
    };
    const UIColourSet& c = Form1->UIColours;
    for (const Case& k : cases) {
        Blue() = Player();
        Green() = Player();
        if (k.blueShips) Fill(Blue(), {{0, 1}});
        if (k.greenShips) Fill(Green(), {{0, 2}});
        game->BlueFleetCursor = game->GreenFleetCursor = 0;
        EXPECT_EQ(Pick(), ScreenBattlePick);
        ExpectScreen(Reference([&] {
            DrawPickItems();
            if (k.blueShips) DrawMenuText("Class 1", 250, 260, 6, c.ColourWhite);
            if (k.greenShips) DrawMenuText("Class 2", 550, 260, 6, c.ColourWhite);
            DrawMenuText("Select with: Up and Down", 680, 230, 6, c.ColourGreen);
            DrawMenuText(k.text, 400, 220, 8, c.*k.colour);
            DrawMenuText("press esc to return to battle menu", 400, 240, 5, c.ColourRed);
        }));
        // No round can start.
        EXPECT_EQ(StartRound(), ScreenBattlePick) << k.text;
        EXPECT_EQ(game->BlueShip, nullptr);
    }
}

TEST_F(BattleTest, TheFleetCursorsSkipEmptySlotsAndWrap) {
    Fill(Blue(), {{3, 1}, {10, 2}, {29, 3}});
    Fill(Green(), {{8, 1}, {12, 2}});
    game->BlueFleetCursor = 3;
    game->GreenFleetCursor = 8;
    std::vector<int> blue;
    for (int key : {'S', 'S', 'S', 'W', 'W'}) {
        TapPick(key);
        blue.push_back(game->BlueFleetCursor);
    }
    EXPECT_EQ(blue, (std::vector<int>{10, 29, 3, 29, 10}));
    std::vector<int> green;
    for (int key : {kKeyDown, kKeyDown, kKeyUp}) {
        TapPick(key);
        green.push_back(game->GreenFleetCursor);
    }
    EXPECT_EQ(green, (std::vector<int>{12, 8, 12}));

    // W and S together: one step back only; held, nothing more.
    Press('W');
    Press('S');
    Pick();
    Pick();
    ReleaseAll();
    Pick();
    EXPECT_EQ(game->BlueFleetCursor, 3);

    // With one ship left the cursor stays on it.
    Green() = Player();
    Fill(Green(), {{12, 2}});
    TapPick(kKeyDown);
    EXPECT_EQ(game->GreenFleetCursor, 12);
    TapPick(kKeyUp);
    EXPECT_EQ(game->GreenFleetCursor, 12);
}

TEST_F(BattleTest, StartWaitsWhileACursorStandsOnAnEmptySlot) {
    Fill(Blue(), {{0, 3}});
    Fill(Green(), {{4, 2}});  // slot 0 of the green fleet is empty
    EXPECT_EQ(TapMenu('T'), ScreenBattlePick);
    game->MenuLatch = 0;
    EXPECT_EQ(TapPick('T'), ScreenBattlePick);
    EXPECT_EQ(game->BlueShip, nullptr);
    EXPECT_EQ(game->GreenShip, nullptr);

    TapPick(kKeyDown);
    EXPECT_EQ(game->GreenFleetCursor, 4);
    EXPECT_EQ(TapPick('T'), ScreenPlay);
    ASSERT_NE(game->GreenShip, nullptr);
    EXPECT_EQ(game->GreenShip->ClassIndex, 2);
}

TEST_F(BattleTest, StartBuildsTheChosenShipsAndStartsTheRound) {
    WatchEngines();
    Fill(Blue(), {{0, 1}, {6, 3}});
    Fill(Green(), {{2, 2}});
    game->BlueFleetCursor = 6;
    game->GreenFleetCursor = 2;
    game->BlueClassCursor = 1;
    game->GreenClassCursor = 1;
    const Asteroid* firstRock = game->AsteroidHead->Next;
    AddShot();
    game->Zoom = 9;
    game->RoundEndCounter = 200;
    Press('T');
    EXPECT_EQ(Pick(), ScreenPlay);

    ExpectFreshShips(3, 2);
    EXPECT_EQ(game->BluePickSlot, 6);
    EXPECT_EQ(game->GreenPickSlot, 2);
    EXPECT_EQ(game->BlueClassCursor, 3);
    EXPECT_EQ(game->GreenClassCursor, 2);
    EXPECT_EQ(game->GameMode, ScreenBattlePick);
    EXPECT_EQ(game->Zoom, 4.0f);
    EXPECT_EQ(game->RoundEndCounter, 0);
    EXPECT_EQ(Form1->KeyState['T'], 0);
    EXPECT_EQ(ShotCount(), 0);
    // The arena stays as the battle menu laid it out.
    EXPECT_EQ(game->AsteroidHead->Next, firstRock);
    EXPECT_EQ(FramesHeld(3), 60);
    EXPECT_EQ(FramesHeld(2), 60);
    EXPECT_TRUE(SlotLooping(kEngineSlot[3]));
    EXPECT_TRUE(SlotLooping(kEngineSlot[2]));
}

TEST_F(BattleTest, ASurvivorStaysWithItsDamageAndFramesAlthoughItsCursorMoved) {
    Fill(Blue(), {{0, 3}, {1, 1}});
    Fill(Green(), {{0, 2}, {1, 2}});
    ASSERT_EQ(StartRound(), ScreenPlay);
    Ship* survivor = game->BlueShip;
    ASSERT_EQ(FramesHeld(3), 60);

    // The round: blue won with damage, green's ship was destroyed and its
    // slot emptied.
    survivor->Life = 12;
    survivor->FrontShield = 4;
    survivor->X = 1500;
    game->GreenShip->Life = -1;
    Green().Fleet[0] = kEmptyFleetSlot;

    // Blue moves its cursor onto another ship; green has to move onto its
    // remaining one.
    TapPick('S');
    EXPECT_EQ(game->BlueFleetCursor, 1);
    TapPick(kKeyDown);
    EXPECT_EQ(game->GreenFleetCursor, 1);
    ASSERT_EQ(StartRound(), ScreenPlay);

    EXPECT_EQ(game->BlueShip, survivor);
    EXPECT_EQ(Blue().CurrentShip, survivor);
    EXPECT_EQ(survivor->Life, 12.0f);
    EXPECT_EQ(survivor->FrontShield, 4.0f);
    EXPECT_EQ(survivor->X, 1500.0f);
    EXPECT_EQ(survivor->ClassIndex, 3);
    EXPECT_EQ(game->BluePickSlot, 0);
    // Its frames stay loaded; the class under its cursor loads none.
    EXPECT_EQ(game->BlueClassCursor, 3);
    EXPECT_EQ(FramesHeld(3), 60);
    EXPECT_EQ(FramesHeld(1), 0);
    // Green flies a new ship from slot 1.
    ASSERT_NE(game->GreenShip, nullptr);
    EXPECT_GE(game->GreenShip->Life, 0.0f);
    EXPECT_EQ(game->GreenPickSlot, 1);
    EXPECT_EQ(survivor->Opponent, game->GreenShip);
}

TEST_F(BattleTest, ASurvivorIsDrawnWithItsFramesAfterTheClassListsTurnedBetweenRounds) {
    Fill(Blue(), {{0, 3}});
    Fill(Green(), {{0, 2}, {1, 1}});
    ASSERT_EQ(StartRound(), ScreenPlay);
    Ship* survivor = game->BlueShip;

    // Green's ship was destroyed and its slot emptied.
    game->GreenShip->Life = -1;
    Green().FleetValue -= game->ShipValue[2];
    Green().Fleet[0] = kEmptyFleetSlot;

    // Between the rounds both players turn the quick-game screen's class
    // lists away from the classes in play: blue from 3 to 1, green from 2
    // to 1.
    TapKey(QuickGameScreen, 'W');
    TapKey(QuickGameScreen, 'W');
    TapKey(QuickGameScreen, kKeyUp);
    ASSERT_EQ(game->BlueClassCursor, 1);
    ASSERT_EQ(game->GreenClassCursor, 1);

    TapPick(kKeyDown);
    ASSERT_EQ(game->GreenFleetCursor, 1);
    ASSERT_EQ(StartRound(), ScreenPlay);
    ASSERT_EQ(game->BlueShip, survivor);
    ASSERT_EQ(game->GreenShip->ClassIndex, 1);
    EXPECT_EQ(FramesHeld(3), 60);
    EXPECT_EQ(FramesHeld(1), 60);

    // The survivor, drawn as the play frame draws it, shows on the screen.
    Form1->ScratchSurface = std::make_unique<VXSurface>();
    ASSERT_EQ(Form1->ScratchSurface->Create(Form1->WorkSurface->Screen, 500, 500, MemoryAny), 1);
    Form1->ScratchSurface->SetColorKey(0);
    survivor->X = survivor->Y = 1000;
    survivor->Heading = 270;
    survivor->AimLine = 0;
    survivor->SetZoom(4);
    survivor->SetView(200, 100);  // its centre at (200, 300)
    Clear();
    LockWork();
    SetDrawColour(0);
    survivor->Draw();
    UnlockWork();
    int lit = 0;
    for (PixelValue p : Pixels()) lit += p != 0;
    EXPECT_GT(lit, 0) << "the surviving ship is drawn without its frames";
    EXPECT_NE(At(200, 300), 0u);
}

TEST_F(BattleTest, EscOrBackReturnsToTheBattleMenu) {
    for (int key : {static_cast<int>('B'), kKeyEscape}) {
        game->MenuLatch = 0;
        EXPECT_EQ(TapPick(key), ScreenBattleMenu);
    }
    game->MenuLatch = 0;
    game->MouseLatch = 0;
    EXPECT_EQ(ClickAt(BattlePickScreen, 170), ScreenBattleMenu);
    // Still latched from the menu that opened the pick.
    game->MenuLatch = 1;
    Press(kKeyEscape);
    EXPECT_EQ(Pick(), ScreenBattlePick);
}

TEST_F(BattleTest, ADamagedStateStartsNothingAndCrashesNothing) {
    Fill(Blue(), {{0, 1}});
    Fill(Green(), {{0, 2}});
    struct Case {
        int blueCursor, greenCursor, greenClass, greenPilot;
    };
    for (const Case& k : {Case{45, 0, 2, 1}, Case{0, -3, 2, 1}, Case{0, 0, 77, 1}, Case{0, 0, 2, 99}}) {
        game->BlueFleetCursor = k.blueCursor;
        game->GreenFleetCursor = k.greenCursor;
        Green().Fleet[0] = k.greenClass;
        game->GreenPilot = k.greenPilot;
        EXPECT_EQ(StartRound(), ScreenBattlePick) << k.blueCursor << " " << k.greenCursor << " " << k.greenClass;
        EXPECT_EQ(game->BlueShip, nullptr);
        EXPECT_EQ(game->GreenShip, nullptr);
    }
}

TEST_F(BattleTest, AShipWhosePilotWasReplacedIsNotFlownByTheNewPilot) {
    Fill(Blue(), {{0, 3}});
    Fill(Green(), {{0, 2}});
    ASSERT_EQ(StartRound(), ScreenPlay);
    // Between rounds blue's player chooses another pilot with a fleet.
    game->Pilots[4]->SetName("CALLOWAY");
    Fill(*game->Pilots[4], {{0, 1}});
    game->BluePilot = 4;
    ASSERT_EQ(StartRound(), ScreenPlay);
    ASSERT_NE(game->BlueShip, nullptr);
    EXPECT_EQ(game->BlueShip->ClassIndex, 1);
    EXPECT_EQ(game->BlueShip->Pilot, game->Pilots[4]);
    EXPECT_EQ(Blue().CurrentShip, nullptr);
}
