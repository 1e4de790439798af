#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/menus/menu.h"
#include "game/menus/options.h"
#include "tests/game/menu_fixture.h"

namespace {

class OptionsTest : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        Form1->SoundsOn = 0;  // as after "sound off" in the start-up dialog
        game->GravityOption = 1;
        game->GravityStrength = 1000.0f;
        game->PlanetOption = 1;
        game->PlanetSize = 60;
        game->AsteroidOption = 7;
        game->MusicOn = 1;
    }
    int Frame() { return RunHandler(OptionsScreen); }
    // One press: down for a frame, then up for a frame.
    int Tap(int key) {
        Press(key);
        const int result = Frame();
        Release(key);
        Frame();
        return result;
    }

    std::vector<PixelValue> ExpectedScreen(const std::string& effects, const std::string& music,
                                           const std::string& asteroids, const std::string& gravity,
                                           const std::string& planet) {
        const UIColourSet& c = Form1->UIColours;
        return Reference([&] {
            DrawMenuText("Press esc for main menu", 105, 13, 6, c.ColourWhite);
            DrawMenuText("Options", 400, 90, 25, c.ColourYellow);
            DrawMenuText(" USIC", 400, 160, 8, c.ColourRed);
            DrawMenuText("M    ", 400, 160, 8, c.ColourLightRed);
            DrawMenuText(effects.c_str(), 400, 190, 8, c.ColourRed);
            DrawMenuText("               F09   F10       ", 400, 190, 8, c.ColourBlue);
            DrawMenuText(music.c_str(), 400, 220, 8, c.ColourRed);
            DrawMenuText("             F11   F12       ", 400, 220, 8, c.ColourBlue);
            DrawMenuText(asteroids.c_str(), 400, 260, 7, c.ColourRed);
            DrawMenuText("    a           ", 400, 260, 7, c.ColourLightRed);
            DrawMenuText(gravity.c_str(), 400, 290, 7, c.ColourRed);
            DrawMenuText("g             ", 400, 290, 7, c.ColourLightRed);
            DrawMenuText(planet.c_str(), 400, 320, 7, c.ColourRed);
            DrawMenuText("p            ", 400, 320, 7, c.ColourLightRed);
            DrawMenuText(" ack", 400, 350, 8, c.ColourBlue);
            DrawMenuText("B   ", 400, 350, 8, c.ColourLightBlue);
        });
    }
};

}  // namespace

TEST_F(OptionsTest, ShowsEveryValueWithItsKeyNames) {
    EXPECT_EQ(Frame(), ScreenOptions);
    ExpectScreen(ExpectedScreen("effects VOLUME    -     + :  20", "music VOLUME    -     + :  20", "Max  steroids 12",
                                " ravity MEDIUM", " lanet MEDIUM"));
    EXPECT_FALSE(WorkIsLocked());

    game->EffectsVolume = kVolumeOff;
    game->MusicVolume = -1900;
    game->AsteroidOption = 2;
    game->GravityOption = 2;
    game->PlanetOption = 3;
    Frame();
    ExpectScreen(ExpectedScreen("effects VOLUME    -     + : off", "music VOLUME    -     + :   1", "Max  steroids  7",
                                " ravity    LOW", " lanet  off  "));

    game->EffectsVolume = -2000;
    game->MusicVolume = -1050;  // not a whole step: the shown value is truncated
    game->AsteroidOption = 17;
    game->GravityOption = 0;
    game->PlanetOption = 0;
    Frame();
    ExpectScreen(ExpectedScreen("effects VOLUME    -     + :   0", "music VOLUME    -     + :   9", "Max  steroids 22",
                                " ravity   HIGH", " lanet  large"));
}

TEST_F(OptionsTest, EveryKeyStepsItsOption) {
    Tap('A');
    EXPECT_EQ(game->AsteroidOption, 12);
    Tap('A');
    Tap('A');
    EXPECT_EQ(game->AsteroidOption, 2);  // after 17 back to 2

    Tap('P');
    EXPECT_EQ(game->PlanetOption, 2);
    EXPECT_EQ(game->PlanetSize, 20);
    Tap('P');
    EXPECT_EQ(game->PlanetOption, 3);
    EXPECT_EQ(game->PlanetSize, 20);
    Tap('P');
    EXPECT_EQ(game->PlanetOption, 0);
    EXPECT_EQ(game->PlanetSize, 200);
    Tap('P');
    EXPECT_EQ(game->PlanetSize, 60);

    Tap('G');
    EXPECT_EQ(game->GravityOption, 2);
    EXPECT_EQ(game->GravityStrength, 100.0f);
    Tap('G');
    EXPECT_EQ(game->GravityOption, 0);
    EXPECT_EQ(game->GravityStrength, 3500.0f);
    Tap('G');
    EXPECT_EQ(game->GravityStrength, 1000.0f);

    Tap(kKeyF11);
    EXPECT_EQ(game->MusicVolume, -100);
    Tap(kKeyF12);
    EXPECT_EQ(game->MusicVolume, 0);
    Tap(kKeyF9);
    EXPECT_EQ(game->EffectsVolume, -100);
    Tap(kKeyF10);
    EXPECT_EQ(game->EffectsVolume, 0);
    EXPECT_EQ(game->MusicVolume, 0);

    // With sound off M still flips the flag; nothing is heard.
    Tap('M');
    EXPECT_EQ(game->MusicOn, 0);
    Tap('M');
    EXPECT_EQ(game->MusicOn, 1);
}

TEST_F(OptionsTest, VolumeStepsAroundOff) {
    EXPECT_EQ(VolumeUp(kVolumeOff), -1900);  // shown as 1
    EXPECT_EQ(VolumeDown(-2000), kVolumeOff);
    EXPECT_EQ(VolumeDown(-1900), -2000);  // the only way to reach 0
    EXPECT_EQ(VolumeDown(kVolumeOff), kVolumeOff);
    EXPECT_EQ(VolumeUp(-50), 0);
    EXPECT_EQ(VolumeUp(0), 0);
    EXPECT_EQ(VolumeDown(-2050), kVolumeOff);
    // Unchecked values from config.cfg cannot overflow.
    EXPECT_EQ(VolumeDown(-2147483647 - 1), kVolumeOff);
    EXPECT_EQ(VolumeUp(2147483647), 0);

    game->EffectsVolume = -2000;
    for (int i = 0; i < 20; ++i) Tap(kKeyF10);
    EXPECT_EQ(game->EffectsVolume, 0);
    Tap(kKeyF10);
    EXPECT_EQ(game->EffectsVolume, 0);
    for (int i = 0; i < 21; ++i) Tap(kKeyF11);
    EXPECT_EQ(game->MusicVolume, kVolumeOff);
    Tap(kKeyF12);
    EXPECT_EQ(game->MusicVolume, -1900);
}

TEST_F(OptionsTest, HeldKeyStepsOncePerPress) {
    Press('A');
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Frame(), ScreenOptions);
    EXPECT_EQ(game->AsteroidOption, 12);
    Release('A');
    Frame();
    Press('A');
    Frame();
    EXPECT_EQ(game->AsteroidOption, 17);
}

TEST_F(OptionsTest, KeysTogetherChangeOnlyTheFirst) {
    Press('A');
    Press('P');
    Press('G');
    Frame();
    EXPECT_EQ(game->AsteroidOption, 12);
    EXPECT_EQ(game->PlanetOption, 1);
    EXPECT_EQ(game->GravityOption, 1);
    // While A is held, neither P nor G fires.
    Release('A');
    Frame();
    EXPECT_EQ(game->PlanetOption, 1);
}

TEST_F(OptionsTest, LatchFromTheMainMenuKeepsKeysInert) {
    game->MenuLatch = 1;  // set as the main menu left through O
    Press('S');
    Press('A');
    Frame();
    Frame();
    EXPECT_EQ(game->AsteroidOption, 7);
    Release('S');
    Release('A');
    Frame();
    EXPECT_EQ(game->MenuLatch, 0);
    Tap('A');
    EXPECT_EQ(game->AsteroidOption, 12);
}

TEST_F(OptionsTest, EscAndBLeaveOnEveryFrame) {
    for (int key : {kKeyEscape, static_cast<int>('B')}) {
        game->MenuLatch = 1;
        Press(key);
        EXPECT_EQ(Frame(), ScreenMainMenu) << key;
        EXPECT_EQ(Frame(), ScreenMainMenu) << key;
        Release(key);
        EXPECT_EQ(Frame(), ScreenOptions);
    }
}

TEST_F(OptionsTest, MouseBandsByButton) {
    struct Case {
        int y;
        bool right;
        int* field;
        int expected;
    };
    game->EffectsVolume = -1000;
    game->MusicVolume = -1000;
    const Case cases[] = {
        {180, false, &game->EffectsVolume, -900},  {180, true, &game->EffectsVolume, -1000},
        {210, false, &game->MusicVolume, -900},    {210, true, &game->MusicVolume, -1000},
        {250, false, &game->AsteroidOption, 12},   {280, false, &game->GravityOption, 2},
        {310, false, &game->PlanetOption, 2},      {150, false, &game->MusicOn, 0},
        {190, false, &game->EffectsVolume, -1000},  // edge of the band
        {250, true, &game->AsteroidOption, 12},     // right button: nothing
    };
    for (const Case& c : cases) {
        game->MouseLatch = 0;
        game->MouseY = c.y;
        game->MouseLeft = c.right ? 0 : 1;
        game->MouseRight = c.right ? 1 : 0;
        EXPECT_EQ(Frame(), ScreenOptions);
        EXPECT_EQ(*c.field, c.expected) << c.y << (c.right ? " right" : " left");
        // Held: fires once.
        EXPECT_EQ(Frame(), ScreenOptions);
        EXPECT_EQ(*c.field, c.expected) << c.y;
        game->MouseLeft = game->MouseRight = 0;
        Frame();
    }
    game->MouseY = 340;
    game->MouseLeft = 1;
    EXPECT_EQ(Frame(), ScreenMainMenu);
}

TEST_F(OptionsTest, OptionsOutsideTheirRangeAreShownSafelyAndStepBack) {
    game->GravityOption = 5;
    game->PlanetOption = -7;
    EXPECT_EQ(Frame(), ScreenOptions);
    Tap('G');
    EXPECT_EQ(game->GravityOption, 0);
    EXPECT_EQ(game->GravityStrength, 3500.0f);
    Tap('P');
    EXPECT_EQ(game->PlanetOption, 0);
    EXPECT_EQ(game->PlanetSize, 200);
    game->AsteroidOption = 2147483647;
    Frame();
    Tap('A');
    EXPECT_EQ(game->AsteroidOption, 2);
}

TEST_F(OptionsTest, MusicKeyStartsAndStopsTheMusicSlot) {
    EnableSound({0});
    game->MusicOn = 0;
    game->MusicVolume = -700;
    game->EffectsVolume = -300;
    Tap('M');
    EXPECT_EQ(game->MusicOn, 1);
    EXPECT_TRUE(SlotLooping(0));
    EXPECT_EQ(SlotVolume(0), -700);  // started at full volume, then set to the music volume
    Tap('M');
    EXPECT_EQ(game->MusicOn, 0);
    EXPECT_FALSE(SlotLooping(0));
}

TEST_F(OptionsTest, MusicVolumeKeysReachTheMusicSlotAndEffectsKeysDoNot) {
    EnableSound({0});
    game->MusicVolume = -1000;
    game->EffectsVolume = -1000;
    Tap(kKeyF11);
    EXPECT_EQ(SlotVolume(0), -1100);
    Tap(kKeyF12);
    Tap(kKeyF12);
    EXPECT_EQ(SlotVolume(0), -900);
    Tap(kKeyF9);
    Tap(kKeyF10);
    Tap(kKeyF10);
    EXPECT_EQ(game->EffectsVolume, -900);
    EXPECT_EQ(SlotVolume(0), -900);
    // Stepping down from the quietest step silences the music.
    game->MusicVolume = -2000;
    Tap(kKeyF11);
    EXPECT_EQ(SlotVolume(0), kVolumeOff);
}
