// The arena fixture with sound on: a silent device and a short sound in each
// watched slot, so a test can tell which slots a shot or a ship played.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "vx/vxsoundbuffer.h"
#include "tests/game/window_script.h"
#include "tests/game/world_fixture.h"

class ShotFixture : public WorldFixture {
protected:
    void TearDown() override {
        for (auto& slot : Form1->SoundSlots) slot.reset();
        Form1->SoundDevice.reset();
        if (!wavFolder_.empty()) std::filesystem::remove_all(wavFolder_);
        WorldFixture::TearDown();
    }

    // Sound on, with the slots 0..43 all loaded and silent.
    void WatchSounds() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        wavFolder_ = std::filesystem::path(VANTORRA_TEST_TMP) /
                     (std::string(info->test_suite_name()) + "_" + info->name() + "_" + std::to_string(::getpid()));
        const std::filesystem::path wav = wavFolder_ / "beep.wav";
        wintest::WriteWav(wav);
        Form1->SoundsOn = 1;
        Form1->SoundDevice = wintest::MakeSilentSoundDevice();
        for (int slot = 0; slot < kSoundSlotCount; ++slot) {
            auto& buffer = Form1->SoundSlots[static_cast<std::size_t>(slot)];
            buffer = std::make_unique<VXSoundBuffer>();
            ASSERT_EQ(buffer->Load(Form1->SoundDevice.get(), wav.c_str(), 1), 1) << slot;
        }
    }

    // The slots whose voice is playing, in slot order.
    static std::vector<int> Playing() {
        std::vector<int> out;
        for (int slot = 0; slot < kSoundSlotCount; ++slot) {
            const auto& buffer = Form1->SoundSlots[static_cast<std::size_t>(slot)];
            if (!buffer || buffer->Voices.empty()) continue;
            DWORD status = 0;
            buffer->Voices.at(0)->GetStatus(&status);
            if (status & DSBSTATUS_PLAYING) out.push_back(slot);
        }
        return out;
    }

    // Stops every slot, so the next Playing() shows only what followed.
    static void Hush() {
        for (int slot = 0; slot < kSoundSlotCount; ++slot) Form1->StopSound(slot);
    }

private:
    std::filesystem::path wavFolder_;
};
