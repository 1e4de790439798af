// Menu screens driven frame by frame: an 800 x 600 work surface, a zero-filled
// GameState of that size (the main window's, as Form1->Game), scripted keys
// and mouse, and a scratch folder as the working directory (the quit item
// writes its files there).
#pragma once

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "game/program/gamestate.h"
#include "game/menus/menu.h"
#include "tests/game/screen_fixture.h"
#include "vx/vxsoundbuffer.h"
#include "tests/game/window_script.h"

class MenuFixture : public ScreenFixture {
protected:
    MenuFixture() : ScreenFixture(800, 600) {}

    void SetUp() override {
        ScreenFixture::SetUp();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::path(VANTORRA_TEST_TMP) /
                  (std::string(info->test_suite_name()) + "_" + info->name() + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        oldFolder_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_);

        Form1->Game = MakeGameState();
        game = Form1->Game.get();
        game->ScreenWidth = 800;
        game->ScreenHeight = 600;
        HideStars();
    }

    void TearDown() override {
        std::filesystem::current_path(oldFolder_);
        std::filesystem::remove_all(folder_);
        Form1->Game.reset();
        game = nullptr;
        ScreenFixture::TearDown();
    }

    // Every star parked above the screen, slow enough never to re-enter
    // within a test: the screens then show their texts alone.
    void HideStars() {
        for (int i = 0; i < kMenuStars; ++i) {
            game->MenuStarTime[i] = 0.0f;
            game->MenuStarSpeed[i] = 5.0f;
            game->MenuStarY[i] = -10.0f;
        }
    }

    // Sound on, with a device that plays nothing aloud, and a short sound in
    // each of the slots: their voices can be watched.
    void EnableSound(std::initializer_list<int> slots) {
        Form1->SoundsOn = 1;
        Form1->SoundDevice = wintest::MakeSilentSoundDevice();
        wintest::WriteWav("snd/beep.wav");
        for (int slot : slots) {
            Form1->SoundSlots[static_cast<std::size_t>(slot)] = std::make_unique<VXSoundBuffer>();
            Form1->SoundSlots[static_cast<std::size_t>(slot)]->Load(Form1->SoundDevice.get(), "snd\\beep.wav", 1);
            ASSERT_FALSE(Form1->SoundSlots[static_cast<std::size_t>(slot)]->Voices.empty()) << slot;
        }
    }
    static bool SlotLooping(int slot) {
        DWORD status = 0;
        Form1->SoundSlots[static_cast<std::size_t>(slot)]->Voices.at(0)->GetStatus(&status);
        return (status & (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING)) == (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    }
    static LONG SlotVolume(int slot) {
        LONG volume = 1;
        Form1->SoundSlots[static_cast<std::size_t>(slot)]->Voices.at(0)->GetVolume(&volume);
        return volume;
    }

    void Press(int vk) { Form1->KeyState[vk] = 1; }
    void Release(int vk) { Form1->KeyState[vk] = 0; }
    void ReleaseAll() {
        for (int& k : Form1->KeyState) k = 0;
    }

    // One frame as the main window runs it: the work surface cleared (to
    // `backdrop` here, standing in for the menu picture), then the handler.
    int RunHandler(ScreenHandler handler, PixelValue backdrop = 0) {
        Clear(backdrop);
        return handler(game);
    }

    // One key press: down for a frame, then up for a frame. Returns the
    // first frame's result.
    int TapKey(ScreenHandler handler, int vk) {
        Press(vk);
        const int result = RunHandler(handler);
        Release(vk);
        RunHandler(handler);
        return result;
    }

    // One click at row y with the left (or right) button: down for a frame,
    // then up for a frame. Returns the first frame's result.
    int ClickAt(ScreenHandler handler, int y, bool right = false) {
        game->MouseY = y;
        (right ? game->MouseRight : game->MouseLeft) = 1;
        const int result = RunHandler(handler);
        game->MouseLeft = game->MouseRight = 0;
        RunHandler(handler);
        return result;
    }

    // What `draw` puts on a surface cleared to `backdrop`, drawn locked.
    std::vector<PixelValue> Reference(const std::function<void()>& draw, PixelValue backdrop = 0) {
        const std::vector<PixelValue> saved = Pixels();
        Clear(backdrop);
        LockWork();
        draw();
        UnlockWork();
        std::vector<PixelValue> out = Pixels();
        Restore(saved);
        return out;
    }

    // The work surface equals `expected`, pixel for pixel.
    void ExpectScreen(const std::vector<PixelValue>& expected) {
        const std::vector<PixelValue> got = Pixels();
        ASSERT_EQ(got.size(), expected.size());
        int wrong = 0, first = -1;
        for (std::size_t i = 0; i < got.size(); ++i)
            if (got[i] != expected[i]) {
                if (first < 0) first = static_cast<int>(i);
                ++wrong;
            }
        EXPECT_EQ(wrong, 0) << "first difference at (" << first % Width() << ", " << first / Width() << ")";
    }

    GameState* game = nullptr;

private:
    void Restore(const std::vector<PixelValue>& pixels) {
        LockWork();
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                Form1->WorkSurface->PutPixel(x, y, pixels[static_cast<std::size_t>(y) * Width() + x]);
        UnlockWork();
    }

    std::filesystem::path folder_, oldFolder_;
};
