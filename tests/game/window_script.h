// Helpers for driving Korvanth's start-up and frame loop in a test: a scratch
// game folder with small pictures and sounds, a stepped clock, recorded
// message boxes and display frames, and a watch on which files are opened.
#pragma once

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "game/program/videodialog.h"
#include "game/program/winmain.h"
#include "platform/display/ddraw.h"
#include "platform/input/dinput.h"
#include "platform/forms/msgbox.h"
#include "platform/system/perfcounter.h"
#include "platform/display/presenter.h"
#include "platform/system/quit.h"
#include "vx/vxsound.h"

namespace wintest {

namespace fs = std::filesystem;

inline void WriteBmp(const fs::path& path, int w, int h, std::uint32_t rgb) {
    fs::create_directories(path.parent_path());
    const int rowBytes = (w * 3 + 3) & ~3;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(rowBytes * h);
    std::vector<std::uint8_t> b(54 + dataSize, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, 54 + dataSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    b[26] = 1;
    b[28] = 24;
    put32(34, dataSize);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t at = 54 + static_cast<std::size_t>(y * rowBytes + x * 3);
            b[at] = static_cast<std::uint8_t>(rgb);
            b[at + 1] = static_cast<std::uint8_t>(rgb >> 8);
            b[at + 2] = static_cast<std::uint8_t>(rgb >> 16);
        }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

inline void WriteWav(const fs::path& path) {
    fs::create_directories(path.parent_path());
    const std::uint32_t samples = 64;
    std::vector<std::uint8_t> b(44 + samples * 2, 0);
    auto put16 = [&](std::size_t at, std::uint32_t v) {
        b[at] = static_cast<std::uint8_t>(v);
        b[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    std::copy_n("RIFF", 4, b.begin());
    put32(4, 36 + samples * 2);
    std::copy_n("WAVEfmt ", 8, b.begin() + 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, 22050);
    put32(28, 44100);
    put16(32, 2);
    put16(34, 16);
    std::copy_n("data", 4, b.begin() + 36);
    put32(40, samples * 2);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// A sound device without output: voices play and can be watched, nothing is
// heard.
inline std::unique_ptr<VXSound> MakeSilentSoundDevice() {
    auto sound = std::make_unique<VXSound>();
    auto device = std::make_shared<IDirectSound>(22050);
    device->SetCooperativeLevel(nullptr, DSSCL_NORMAL);
    sound->DirectSound = std::move(device);
    sound->DeviceDisabled = 0;
    sound->PlaybackDisabled = 0;
    return sound;
}

// A performance counter of microseconds in place of the machine's: each
// reading moves it on by 0.1 ms. The counter's value is shared.
inline std::shared_ptr<std::int64_t> InstallSteppedCounter() {
    auto clock = std::make_shared<std::int64_t>(0);
    plat::SetPerformanceCounter({[clock](std::int64_t* c) {
                                     *clock += 100;
                                     *c = *clock;
                                     return true;
                                 },
                                 [](std::int64_t* f) {
                                     *f = 1000000;
                                     return true;
                                 }});
    return clock;
}

// A Windows path of the game as a path in the scratch folder.
inline fs::path Local(const std::string& winPath) {
    std::string p = winPath;
    for (char& c : p)
        if (c == '\\') c = '/';
    return fs::path(p);
}

inline constexpr std::uint32_t kPointerColour = 0x00FF00;

// Every picture and sound the start-up loads, small.
inline void WriteStartUpMedia(const std::set<std::string>& leaveOut = {}) {
    auto bmp = [&](const std::string& file, int w, int h, std::uint32_t rgb) {
        if (!leaveOut.count(file)) WriteBmp(Local(file), w, h, rgb);
    };
    for (int n = 1; n <= 30; ++n) {
        char file[64];
        std::snprintf(file, sizeof file, "img\\asteroid\\aster00%02d.bmp", n);
        bmp(file, 8, 8, 0x808080);
    }
    for (const char* stem : {"earth1",  "jupiter", "io",       "calisteo", "mars",    "titan",  "titania",
                             "tethys",  "venus",   "ganymede", "neptune",  "uranus",  "ariel",  "encelad",
                             "iapetus", "umbriel", "rhea",     "mimas",    "miranda", "europa", "moon"})
        bmp(std::string("img\\planets\\") + stem + ".bmp", 16, 16, 0x3050A0);
    for (const char* icon : {"missiles", "shields", "thrust", "turning", "generator"}) {
        bmp(std::string("img\\systems\\") + icon + ".bmp", 8, 8, 0xFFFF00);
        bmp(std::string("img\\systems\\") + icon + "2.bmp", 8, 8, 0xFF0000);
    }
    bmp("img\\systems\\weapon1.bmp", 8, 8, 0xFFFF00);
    bmp("img\\systems\\weapon2.bmp", 8, 8, 0xFF0000);
    bmp("img\\planets\\Dust.bmp", 461, 278, 0x101010);
    bmp("img\\pointer.bmp", 40, 40, kPointerColour);
    for (const SoundSlotFile& slot : kSoundSlotFiles)
        if (slot.File && !leaveOut.count(slot.File)) WriteWav(Local(slot.File));
}

// Records which files are opened in the watched folders.
class OpenWatch {
public:
    OpenWatch() : fd_(inotify_init1(IN_NONBLOCK)) {}
    ~OpenWatch() {
        if (fd_ >= 0) close(fd_);
    }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    // Watches dir and every folder below it.
    void WatchTree(const fs::path& dir) {
        Watch(dir);
        for (const auto& entry : fs::recursive_directory_iterator(dir))
            if (entry.is_directory()) Watch(entry.path());
    }
    // The files opened since the last call, relative to the working folder.
    std::multiset<std::string> Opened() {
        std::multiset<std::string> names;
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n <= 0) break;
            for (ssize_t at = 0; at < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
                if ((e->mask & IN_OPEN) && e->len > 0 && !(e->mask & IN_ISDIR))
                    names.insert((dirs_[e->wd] / e->name).generic_string());
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
        return names;
    }
    static bool AnyUnder(const std::multiset<std::string>& names, const std::string& prefix) {
        for (const auto& n : names)
            if (n.rfind(prefix, 0) == 0) return true;
        return false;
    }

private:
    void Watch(const fs::path& dir) {
        const int wd = inotify_add_watch(fd_, dir.c_str(), IN_OPEN);
        if (wd >= 0) dirs_[wd] = fs::relative(dir, fs::current_path());
    }
    int fd_;
    std::map<int, fs::path> dirs_;
};

// A scratch game folder as the working directory, a stepped clock, recorded
// boxes and frames, and a clean screen-handler table; all undone afterwards.
class GameRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::path(VANTORRA_TEST_TMP) /
               (std::string("window_") + info->test_suite_name() + "_" + info->name() + "_" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        previous_ = fs::current_path();
        fs::current_path(dir_);
        savedHandlers_ = ScreenHandlers;
        ScreenHandlers.fill(nullptr);
        plat::SetMessageBoxHandler([this](const plat::MessageBoxCall& call) {
            Boxes.push_back(call.text);
            return plat::DefaultMessageBoxAnswer(call.type);
        });
        Presenter = plat::InstallPresenter(std::make_unique<plat::RecordingPresenter>(1280, 1024));
        clock_ = InstallSteppedCounter();
        plat::ClearQuit();
    }
    void TearDown() override {
        plat::ResetPerformanceCounter();
        plat::SetDirectInputFactory({});
        plat::InstallPresenter(std::unique_ptr<plat::Presenter>());
        plat::SetMessageBoxHandler({});
        plat::SetEnumeratedModes({});
        ScreenHandlers = savedHandlers_;
        plat::ClearQuit();
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }
    // The stepped clock, in microseconds.
    std::int64_t NowUs() const { return *clock_; }

    // The boxes shown, apart from the question whether to go on without sound
    // (a machine without a sound device asks it at every start-up).
    std::vector<std::string> GameBoxes() const {
        std::vector<std::string> boxes;
        for (const std::string& b : Boxes)
            if (b.rfind("DirectSound Error", 0) != 0) boxes.push_back(b);
        return boxes;
    }

    std::vector<std::string> Boxes;
    plat::RecordingPresenter* Presenter = nullptr;

private:
    fs::path dir_;
    fs::path previous_;
    std::array<ScreenHandler, 8> savedHandlers_{};
    std::shared_ptr<std::int64_t> clock_;
};

}  // namespace wintest

namespace wintest {

// A DirectInput with one mouse whose left button follows a script: entry n is
// the button as the n-th read of the device finds it.
class ScriptedMouse : public IDirectInputDevice {
public:
    explicit ScriptedMouse(std::shared_ptr<std::vector<bool>> script) : script_(std::move(script)) {}
    HRESULT SetDataFormat(const DIDATAFORMAT*) override { return DI_OK; }
    HRESULT SetCooperativeLevel(HWND, DWORD) override { return DI_OK; }
    HRESULT Acquire() override { return DI_OK; }
    HRESULT Unacquire() override { return DI_OK; }
    HRESULT GetDeviceState(DWORD size, void* data) override {
        if (size != sizeof(DIMOUSESTATE)) return DIERR_INVALIDPARAM;
        DIMOUSESTATE state{};
        const bool down = reads_ < script_->size() && (*script_)[reads_];
        ++reads_;
        state.rgbButtons[0] = down ? 0x80 : 0;
        *static_cast<DIMOUSESTATE*>(data) = state;
        return DI_OK;
    }
    HRESULT SetProperty(DIPROPID, const DIPROPHEADER*) override { return DI_OK; }

private:
    std::shared_ptr<std::vector<bool>> script_;
    std::size_t reads_ = 0;
};

class ScriptedInput : public IDirectInput {
public:
    explicit ScriptedInput(std::shared_ptr<std::vector<bool>> script) : script_(std::move(script)) {}
    HRESULT CreateDevice(const GUID& guid, LPDIRECTINPUTDEVICE* out, void*) override {
        if (!(guid == GUID_SysMouse)) return DIERR_DEVICENOTREG;
        *out = std::make_shared<ScriptedMouse>(script_);
        return DI_OK;
    }
    HRESULT EnumDevices(DWORD, LPDIENUMDEVICESCALLBACKA, void*, DWORD) override { return DI_OK; }

private:
    std::shared_ptr<std::vector<bool>> script_;
};

// Installs the scripted mouse for the next VXInput::Create.
inline void UseScriptedMouse(std::vector<bool> buttonDownPerRead) {
    auto script = std::make_shared<std::vector<bool>>(std::move(buttonDownPerRead));
    plat::SetDirectInputFactory([script](LPDIRECTINPUT* out) {
        *out = std::make_shared<ScriptedInput>(script);
        return DI_OK;
    });
}

}  // namespace wintest
