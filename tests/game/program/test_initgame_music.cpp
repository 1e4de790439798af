// InitGame starts the music through the main window once the options are
// read.
#include <gtest/gtest.h>

#include "game/program/initgame.h"
#include "game/common/miscdraw.h"
#include "game/program/winmain.h"
#include "tests/game/support_datafolder.h"
#include "vx/vxsound.h"
#include "vx/vxsoundbuffer.h"
#include "tests/game/window_script.h"

namespace {

class Music : public wintest::GameRunTest {
protected:
    void SetUp() override {
        GameRunTest::SetUp();
        Application->Initialize();
        Application->CreateForm(Form1);
        Form1->SoundsOn = 1;
        Form1->SoundDevice = wintest::MakeSilentSoundDevice();
        wintest::WriteWav(wintest::Local("snd\\fanfare2.wav"));
        Form1->SoundSlots[0] = std::make_unique<VXSoundBuffer>();
        Form1->SoundSlots[0]->Load(Form1->SoundDevice.get(), "snd\\fanfare2.wav", 1);
        Form1->Game = MakeGameState();
    }
    void TearDown() override {
        Application->Initialize();
        Form1 = nullptr;
        GameRunTest::TearDown();
    }

    // Whether the music slot's voice is playing in a loop, and its volume.
    static DWORD MusicStatus() {
        DWORD status = 0;
        Form1->SoundSlots[0]->Voices.at(0)->GetStatus(&status);
        return status;
    }
    static LONG MusicVolume() {
        LONG volume = 1;
        Form1->SoundSlots[0]->Voices.at(0)->GetVolume(&volume);
        return volume;
    }

    static void WriteConfig(std::int32_t musicOn, std::int32_t musicVolume) {
        std::vector<std::uint8_t> config(32);
        PutLE32(config, 0, 1);
        PutFloat(config, 4, 1000.0f);
        PutLE32(config, 8, 1);
        PutLE32(config, 12, 60);
        PutLE32(config, 16, 7);
        PutLE32(config, 20, 0);
        PutLE32(config, 24, musicVolume);
        PutLE32(config, 28, musicOn);
        std::ofstream("config.cfg", std::ios::binary).write(reinterpret_cast<const char*>(config.data()), 32);
    }
};

// The same window, for what InitGame takes from it besides the music.
class InitGameWithWindow : public Music {};

}  // namespace

TEST_F(InitGameWithWindow, DrawingColourIsTheInterfaceWhite) {
    Form1->UIColours.ColourWhite = 0x7BEF;
    Form1->UIColours.ColourRed = 0x7C00;
    SetDrawColour(0);
    InitGame(Form1->Game.get(), 800, 600);
    EXPECT_EQ(DrawColour, 0x7BEFu);
}

TEST_F(Music, StartsLoopingAtTheStoredVolume) {
    ASSERT_FALSE(Form1->SoundSlots[0]->Voices.empty()) << "the music slot did not load";
    WriteConfig(1, -700);
    InitGame(Form1->Game.get(), 800, 600);
    EXPECT_EQ(MusicStatus() & (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_EQ(MusicVolume(), -700);
}

TEST_F(Music, StaysSilentWhenTheOptionsTurnItOff) {
    ASSERT_FALSE(Form1->SoundSlots[0]->Voices.empty()) << "the music slot did not load";
    WriteConfig(0, 0);
    InitGame(Form1->Game.get(), 800, 600);
    EXPECT_EQ(MusicStatus() & DSBSTATUS_PLAYING, 0u);
}
