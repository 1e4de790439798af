// Sound on for a world test: a device that plays nothing aloud and a short
// sound in every slot, so that which slots play, loop, and at what volume and
// pan can be read back. The sound file lives in a scratch folder of its own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "game/program/winmain.h"
#include "vx/vxsoundbuffer.h"
#include "tests/game/window_script.h"

class SoundWatch {
public:
    SoundWatch() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::path(VANTORRA_TEST_TMP) / ("sound_" + std::string(info->test_suite_name()) + "_" +
                                                              info->name() + "_" + std::to_string(::getpid()));
        const std::filesystem::path wav = folder_ / "beep.wav";
        wintest::WriteWav(wav);
        Form1->SoundsOn = 1;
        Form1->SoundDevice = wintest::MakeSilentSoundDevice();
        for (auto& slot : Form1->SoundSlots) {
            slot = std::make_unique<VXSoundBuffer>();
            slot->Load(Form1->SoundDevice.get(), wav.string().c_str(), 1);
        }
    }
    ~SoundWatch() {
        for (auto& slot : Form1->SoundSlots) slot.reset();
        Form1->SoundDevice.reset();
        Form1->SoundsOn = 0;
        std::filesystem::remove_all(folder_);
    }
    SoundWatch(const SoundWatch&) = delete;
    SoundWatch& operator=(const SoundWatch&) = delete;

    static DWORD Status(int slot) {
        DWORD status = 0;
        Form1->SoundSlots[static_cast<std::size_t>(slot)]->Voices.at(0)->GetStatus(&status);
        return status;
    }
    static bool Playing(int slot) { return (Status(slot) & DSBSTATUS_PLAYING) != 0; }
    static bool Looping(int slot) { return (Status(slot) & DSBSTATUS_LOOPING) != 0; }
    static LONG Volume(int slot) {
        LONG v = 1;
        Form1->SoundSlots[static_cast<std::size_t>(slot)]->Voices.at(0)->GetVolume(&v);
        return v;
    }
    static LONG Pan(int slot) {
        LONG p = 1;
        Form1->SoundSlots[static_cast<std::size_t>(slot)]->Voices.at(0)->GetPan(&p);
        return p;
    }
    // Every slot that is playing.
    static std::vector<int> PlayingSlots() {
        std::vector<int> out;
        for (int s = 0; s < kSoundSlotCount; ++s)
            if (Playing(s)) out.push_back(s);
        return out;
    }
    static void StopAll() {
        for (int s = 0; s < kSoundSlotCount; ++s) Form1->StopSound(s);
    }

private:
    std::filesystem::path folder_;
};
