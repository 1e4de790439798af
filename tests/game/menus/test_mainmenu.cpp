#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "game/data/config.h"
#include "game/menus/mainmenu.h"
#include "game/menus/menu.h"
#include "game/common/miscdraw.h"
#include "game/common/strokefont.h"
#include "tests/game/menu_fixture.h"
#include "platform/system/perfcounter.h"
#include "vx/vxtimer.h"

namespace fs = std::filesystem;

namespace {

struct PageRow {
    int row;
    float size;
};

class MainMenuTest : public MenuFixture {
protected:
    int Frame() { return RunHandler(MainMenuScreen); }
    // A frame on the menu itself.
    void ShowMenu() { game->MainMenuPage = kPageMenu; }

    // Draws one frame of `page` risen by `frames` pixels and checks that the ink
    // is white and lies in the given lines only: each line from its cap height
    // (1.5 x size above the baseline) down to its baseline, or one row lower for
    // a comma's tail.
    void ExpectPageRows(int page, int frames, std::span<const PageRow> rows) {
        game->MainMenuPage = page;
        game->TextPageFrames = frames;
        Frame();
        const std::vector<PixelValue> px = Pixels();
        const int w = 800, h = 600;
        std::vector<int> top(rows.size(), h), bottom(rows.size(), -1);
        for (int y = 18; y < h; ++y)  // below the hint's box
            for (int x = 0; x < w; ++x) {
                const PixelValue p = px[static_cast<std::size_t>(y) * w + x];
                if (p == 0) continue;
                ASSERT_EQ(p, Form1->UIColours.ColourWhite) << x << "," << y;
                bool inLine = false;
                for (std::size_t i = 0; i < rows.size(); ++i) {
                    const int base = rows[i].row - frames;
                    const int cap = static_cast<int>(static_cast<float>(base) - 1.5f * rows[i].size);
                    if (y >= cap && y <= base + 1) {
                        inLine = true;
                        top[i] = std::min(top[i], y);
                        bottom[i] = std::max(bottom[i], y);
                    }
                }
                ASSERT_TRUE(inLine) << "ink between the lines at " << x << "," << y;
            }
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int base = rows[i].row - frames;
            EXPECT_EQ(top[i], static_cast<int>(static_cast<float>(base) - 1.5f * rows[i].size)) << rows[i].row;
            EXPECT_GE(bottom[i], base) << rows[i].row;
            EXPECT_LE(bottom[i], base + 1) << rows[i].row;
        }
    }
};

}  // namespace

TEST_F(MainMenuTest, MenuDrawsTitleItemsAndHotLetters) {
    ShowMenu();
    EXPECT_EQ(Frame(), ScreenMainMenu);
    const UIColourSet& c = Form1->UIColours;
    const std::vector<PixelValue> expected = Reference([&] {
        DrawMenuText("version 2.80", 50, 590, 4, c.ColourYellow);
        DrawMenuText("Vantorra", 400, 90, 30, c.ColourYellow);
        DrawMenuText(" EW QUICK GAME", 400, 150, 8, c.ColourRed);
        DrawMenuText("N             ", 400, 150, 8, c.ColourLightRed);
        DrawMenuText("B TTLE MENU", 400, 190, 8, c.ColourRed);
        DrawMenuText(" A         ", 400, 190, 8, c.ColourLightRed);
        DrawMenuText(" NFO", 400, 230, 8, c.ColourRed);
        DrawMenuText("I   ", 400, 230, 8, c.ColourLightRed);
        DrawMenuText(" ELP", 400, 250, 8, c.ColourRed);
        DrawMenuText("H   ", 400, 250, 8, c.ColourLightRed);
        DrawMenuText(" PTIONS", 400, 280, 8, c.ColourRed);
        DrawMenuText("O      ", 400, 280, 8, c.ColourLightRed);
        DrawMenuText(" UIT", 400, 330, 10, c.ColourBlue);
        DrawMenuText("Q   ", 400, 330, 10, c.ColourLightBlue);
    });
    ExpectScreen(expected);
    EXPECT_FALSE(WorkIsLocked());
}

TEST_F(MainMenuTest, IntroScrollsForExactly1501Frames) {
    ASSERT_EQ(game->MainMenuPage, kPageIntro);
    for (int frame = 1; frame <= 1500; ++frame) {
        ASSERT_EQ(Frame(), ScreenMainMenu);
        ASSERT_EQ(game->MainMenuPage, kPageIntro) << frame;
    }
    EXPECT_EQ(game->TextPageFrames, 1500);
    EXPECT_EQ(Frame(), ScreenMainMenu);
    EXPECT_EQ(game->MainMenuPage, kPageMenu);
    EXPECT_EQ(game->TextPageFrames, 1501);
    EXPECT_FALSE(WorkIsLocked());
}

TEST_F(MainMenuTest, IntroLinesRiseOnePixelAFrame) {
    game->TextPageFrames = 250;
    Frame();
    const UIColourSet& c = Form1->UIColours;
    const std::vector<PixelValue> page = Pixels();
    // The product name sits at row 600 - 250 in capitals, size 15.
    const std::vector<PixelValue> title = Reference([&] { DrawMenuText("VANTORRA", 400, 350, 15, c.ColourWhite); });
    int titleInk = 0;
    for (std::size_t i = 0; i < title.size(); ++i)
        if (title[i] != 0) {
            ++titleInk;
            ASSERT_EQ(page[i], c.ColourWhite) << i;
        }
    EXPECT_GT(titleInk, 100);
    EXPECT_EQ(game->TextPageFrames, 251);
}

TEST_F(MainMenuTest, TextPageShowsItsHintOnABlackBox) {
    // The backdrop leaves colour everywhere; the box under the hint must
    // still be black.
    constexpr PixelValue kBackdrop = 0x0421;
    game->MainMenuPage = kPageCredits;
    game->TextPageFrames = 1000;  // every credits line has scrolled off the top
    RunHandler(MainMenuScreen, kBackdrop);
    const std::vector<PixelValue> expected = Reference(
        [&] {
            UnlockWork();
            Form1->WorkSurface->FillRect(0, 0, 165, 17, 0);
            LockWork();
            DrawMenuText("Press esc for menu", 80, 13, 6, Form1->UIColours.ColourWhite);
        },
        kBackdrop);
    ExpectScreen(expected);
}

TEST_F(MainMenuTest, ClickClosingAPageDoesNotChooseAnItem) {
    game->MouseY = 140;  // over NEW QUICK GAME
    game->MouseLeft = 1;
    EXPECT_EQ(Frame(), ScreenMainMenu);
    EXPECT_EQ(game->MainMenuPage, kPageMenu);
    EXPECT_EQ(game->MouseLatch, 1);
    // Still held on the next frames: nothing is chosen.
    EXPECT_EQ(Frame(), ScreenMainMenu);
    EXPECT_EQ(Frame(), ScreenMainMenu);
    // Released and pressed again: now it fires.
    game->MouseLeft = 0;
    EXPECT_EQ(Frame(), ScreenMainMenu);
    EXPECT_EQ(game->MouseLatch, 0);
    game->MouseLeft = 1;
    game->BlueClassCursor = game->GreenClassCursor = 9;
    EXPECT_EQ(Frame(), ScreenQuickGame);
    EXPECT_EQ(game->BlueClassCursor, 0);
    EXPECT_EQ(game->GreenClassCursor, 0);
}

TEST_F(MainMenuTest, RightButtonDoesNotCloseAPage) {
    game->MouseRight = 1;
    Frame();
    EXPECT_EQ(game->MainMenuPage, kPageIntro);
    EXPECT_EQ(game->MouseLatch, 0);  // pages look at the left button only
}

TEST_F(MainMenuTest, EscClosesAPageAndIsNoMenuKey) {
    game->MainMenuPage = kPageKeys;
    Press(kKeyEscape);
    EXPECT_EQ(Frame(), ScreenMainMenu);
    EXPECT_EQ(game->MainMenuPage, kPageMenu);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Frame(), ScreenMainMenu);
        EXPECT_EQ(game->MainMenuPage, kPageMenu);
    }
    EXPECT_FALSE(fs::exists("config.cfg"));
}

TEST_F(MainMenuTest, QuickGameKeyIsNotLatched) {
    ShowMenu();
    game->MenuLatch = 1;
    game->BlueClassCursor = 4;
    game->GreenClassCursor = 7;
    Press('N');
    EXPECT_EQ(Frame(), ScreenQuickGame);
    EXPECT_EQ(game->BlueClassCursor, 0);
    EXPECT_EQ(game->GreenClassCursor, 0);
    EXPECT_EQ(game->MenuLatch, 1);
}

TEST_F(MainMenuTest, LatchedItemsWaitUntilTheListedKeysAreUp) {
    ShowMenu();
    game->MenuLatch = 1;
    Press('O');
    Press('S');
    Press(kKeyF12);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Frame(), ScreenMainMenu);
    EXPECT_EQ(game->MenuLatch, 1);
    Release('S');
    EXPECT_EQ(Frame(), ScreenMainMenu);
    Release(kKeyF12);
    // This frame O is still inert; the latch clears at its end, since O
    // itself is not one of the keys that hold it.
    EXPECT_EQ(Frame(), ScreenMainMenu);
    EXPECT_EQ(game->MenuLatch, 0);
    EXPECT_EQ(Frame(), ScreenOptions);
    EXPECT_EQ(game->MenuLatch, 1);
}

TEST_F(MainMenuTest, EachListedKeyHoldsTheLatch) {
    ShowMenu();
    for (int key : {int('M'), int('S'), int('G'), int('B'), kKeyF11, kKeyF12}) {
        game->MenuLatch = 1;
        Press(key);
        Press('A');
        EXPECT_EQ(Frame(), ScreenMainMenu) << key;
        EXPECT_EQ(game->MenuLatch, 1) << key;
        Release(key);
        Release('A');
    }
    Press('A');
    game->BlueClassCursor = 3;
    Frame();  // latch clears
    EXPECT_EQ(Frame(), ScreenBattleMenu);
    EXPECT_EQ(game->BlueClassCursor, 0);
}

TEST_F(MainMenuTest, FirstActionInOrderWins) {
    ShowMenu();
    Press('O');
    Press('A');
    EXPECT_EQ(Frame(), ScreenOptions);

    ReleaseAll();
    game->MenuLatch = 0;
    Press('H');
    Press('I');
    EXPECT_EQ(Frame(), ScreenMainMenu);
    EXPECT_EQ(game->MainMenuPage, kPageCredits);  // INFO wins over HELP
    EXPECT_EQ(game->TextPageFrames, 0);
}

TEST_F(MainMenuTest, MouseBandsAreOpenIntervals) {
    struct Case {
        int y;
        int screen;
        int page;
    };
    const Case cases[] = {
        {140, ScreenQuickGame, kPageMenu}, {131, ScreenQuickGame, kPageMenu},  {130, ScreenMainMenu, kPageMenu},
        {150, ScreenMainMenu, kPageMenu},  {180, ScreenBattleMenu, kPageMenu}, {220, ScreenMainMenu, kPageCredits},
        {231, ScreenMainMenu, kPageMenu},  {232, ScreenMainMenu, kPageMenu},   {240, ScreenMainMenu, kPageKeys},
        {270, ScreenOptions, kPageMenu},   {290, ScreenMainMenu, kPageMenu},   {500, ScreenMainMenu, kPageMenu},
    };
    for (const Case& c : cases) {
        ShowMenu();
        game->MouseLatch = 0;
        game->MouseY = c.y;
        game->MouseLeft = 1;
        EXPECT_EQ(Frame(), c.screen) << c.y;
        EXPECT_EQ(game->MainMenuPage, c.page) << c.y;
        EXPECT_EQ(game->MouseLatch, 1);
    }
    // The right button picks nothing on the main menu.
    ShowMenu();
    game->MouseLatch = 0;
    game->MouseLeft = 0;
    game->MouseRight = 1;
    game->MouseY = 140;
    EXPECT_EQ(Frame(), ScreenMainMenu);
    EXPECT_EQ(game->MouseLatch, 1);
}

TEST_F(MainMenuTest, HelpListsBothPlayersBindingsByName) {
    const int bindings[20] = {'W', 17, 27, 'D', 'S', 'E', 'Q', '1', '2', '3', 38, 13, 37, 39, 40, 45, 46, 96, 110, 123};
    std::copy(std::begin(bindings), std::end(bindings), game->KeyBindings);
    game->MainMenuPage = kPageKeys;
    game->TextPageFrames = 350;  // rows 400..920 now at 50..570
    Frame();
    const UIColourSet& c = Form1->UIColours;
    const std::vector<PixelValue> expected = Reference([&] {
        DrawMenuText("Keyboard commands:", 400, 50, 15, c.ColourWhite);
        DrawMenuText("player 1:                      ", 400, 90, 10, c.ColourLightBlue);
        // A name of more than seven characters widens its line.
        DrawMenuText("     No Match     turn left       ", 400, 110, 10, c.ColourLightBlue);
        DrawMenuText("           D     turn right      ", 400, 130, 10, c.ColourLightBlue);
        DrawMenuText("           E     Activate special", 400, 150, 10, c.ColourLightBlue);
        DrawMenuText("     CONTROL     shoot normal    ", 400, 170, 10, c.ColourLightBlue);
        DrawMenuText("           W     thrust          ", 400, 190, 10, c.ColourLightBlue);
        DrawMenuText("           Q     change special  ", 400, 210, 10, c.ColourLightBlue);
        DrawMenuText("           1     change normal   ", 400, 230, 10, c.ColourLightBlue);
        DrawMenuText("           2     change target   ", 400, 250, 10, c.ColourLightBlue);
        DrawMenuText("           3     cycle linkmode  ", 400, 270, 10, c.ColourLightBlue);
        DrawMenuText("player 2:                      ", 400, 330, 10, c.ColourLightGreen);
        DrawMenuText("        LEFT     turn left       ", 400, 350, 10, c.ColourLightGreen);
        DrawMenuText("       RIGHT     turn right      ", 400, 370, 10, c.ColourLightGreen);
        DrawMenuText("      INSERT     activate special", 400, 390, 10, c.ColourLightGreen);
        DrawMenuText("       ENTER     shoot normal    ", 400, 410, 10, c.ColourLightGreen);
        DrawMenuText("          UP     thrust          ", 400, 430, 10, c.ColourLightGreen);
        DrawMenuText("      DELETE     change special  ", 400, 450, 10, c.ColourLightGreen);
        DrawMenuText("       NUM_0     change normal   ", 400, 470, 10, c.ColourLightGreen);
        DrawMenuText("       NUM_,     change target   ", 400, 490, 10, c.ColourLightGreen);
        DrawMenuText("         F12     cycle linkmode  ", 400, 510, 10, c.ColourLightGreen);
        DrawMenuText("ESC   pause/menu", 400, 570, 13, c.ColourWhite);
        UnlockWork();
        Form1->WorkSurface->FillRect(0, 0, 165, 17, 0);
        LockWork();
        DrawMenuText("Press esc for menu", 80, 13, 6, c.ColourWhite);
    });
    ExpectScreen(expected);
}

TEST_F(MainMenuTest, HelpAndInfoRestartTheirPage) {
    ShowMenu();
    game->TextPageFrames = 777;
    Press('H');
    EXPECT_EQ(Frame(), ScreenMainMenu);
    EXPECT_EQ(game->MainMenuPage, kPageKeys);
    EXPECT_EQ(game->TextPageFrames, 0);
    Release('H');
    Frame();
    EXPECT_EQ(game->TextPageFrames, 1);
}

TEST_F(MainMenuTest, QuitSavesStatisticsAndOptions) {
    { std::ofstream("config.cfg", std::ios::binary) << std::string(32, '\0'); }
    ShowMenu();
    game->GravityOption = 2;
    game->GravityStrength = 100.0f;
    game->PlanetOption = 3;
    game->PlanetSize = 20;
    game->AsteroidOption = 17;
    game->EffectsVolume = -300;
    game->MusicVolume = -10000;
    game->MusicOn = 0;
    Press('Q');
    EXPECT_EQ(Frame(), ScreenQuit);

    ASSERT_TRUE(fs::exists("stats.dat"));
    EXPECT_EQ(fs::file_size("stats.dat"), 590u);
    ASSERT_TRUE(fs::exists("config.cfg"));
    std::ifstream in("config.cfg", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 32u);
    auto value = [&](int i) {
        std::int32_t v;
        std::memcpy(&v, bytes.data() + 4 * i, 4);
        return v;
    };
    float strength;
    std::memcpy(&strength, bytes.data() + 4, 4);
    EXPECT_EQ(value(0), 2);
    EXPECT_EQ(strength, 100.0f);
    EXPECT_EQ(value(2), 3);
    EXPECT_EQ(value(3), 20);
    EXPECT_EQ(value(4), 17);
    EXPECT_EQ(value(5), -300);
    EXPECT_EQ(value(6), -10000);
    EXPECT_EQ(value(7), 0);
}

TEST_F(MainMenuTest, QuitBandQuitsToo) {
    ShowMenu();
    game->MouseY = 310;
    game->MouseLeft = 1;
    EXPECT_EQ(Frame(), ScreenQuit);
    EXPECT_TRUE(fs::exists("stats.dat"));
}

TEST_F(MainMenuTest, MenuFramesStopTheEngineSoundsAndTextPagesDoNot) {
    const std::initializer_list<int> engines = {1, 2, 3, 4, 5, 6, 24, 25, 31, 32, 33};
    EnableSound({0, 1, 2, 3, 4, 5, 6, 7, 24, 25, 31, 32, 33});
    for (int slot : {0, 1, 2, 3, 4, 5, 6, 7, 24, 25, 31, 32, 33}) Form1->PlaySound(slot, 1, 0, 0);

    // A text page frame runs nothing of the menu.
    Frame();
    for (int slot : engines) EXPECT_TRUE(SlotLooping(slot)) << slot;

    ShowMenu();
    Frame();
    for (int slot : engines) EXPECT_FALSE(SlotLooping(slot)) << slot;
    EXPECT_TRUE(SlotLooping(0));  // the music plays on
    EXPECT_TRUE(SlotLooping(7));
}

TEST_F(MainMenuTest, IntroAndCreditsLinesSitOnTheirRows) {
    const PageRow intro[] = {{600, 15}, {640, 10}, {670, 10}, {700, 10}, {730, 10}, {760, 10}, {790, 10}};
    ExpectPageRows(kPageIntro, 250, intro);
    const PageRow credits[] = {{400, 15}, {440, 10}, {460, 10}, {500, 10}, {530, 10}, {560, 10},
                               {600, 10}, {630, 10}, {670, 10}, {700, 10}, {760, 10}, {790, 10}};
    ExpectPageRows(kPageCredits, 200, credits);
}

TEST_F(MainMenuTest, TextPagesHoldEachFrameTo40Milliseconds) {
    // A counter that moves on by 0.1 ms at every reading.
    const auto clock = wintest::InstallSteppedCounter();
    struct CounterReset {
        ~CounterReset() { plat::ResetPerformanceCounter(); }
    } reset;
    Form1->FrameTimer = std::make_unique<VXTimer>();

    Form1->FrameTimer->Restart();
    const std::int64_t pageStart = *clock;
    Frame();  // the intro
    EXPECT_GE(*clock - pageStart, 40 * 1000 - 100);
    EXPECT_LE(*clock - pageStart, 41 * 1000);

    // The menu itself leaves the pacing to the main window.
    ShowMenu();
    Form1->FrameTimer->Restart();
    const std::int64_t menuStart = *clock;
    Frame();
    EXPECT_LT(*clock - menuStart, 1000);
}
