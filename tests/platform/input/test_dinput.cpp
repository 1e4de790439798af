#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/input/dinput.h"
#include "platform/forms/forms.h"
#include "platform/input/scriptinput.h"
#include "platform/system/systime.h"

namespace {

TEST(DirectInputKeys, SdlScancodesMapToScanCodes) {
    // SDL scancodes are the USB usage numbers.
    struct Case {
        int sdl;
        BYTE dik;
    };
    const Case cases[] = {{4, DIK_A},        {29, DIK_Z},       {30, DIK_1},         {39, DIK_0},
                          {40, DIK_RETURN},  {41, DIK_ESCAPE},  {42, DIK_BACK},      {44, DIK_SPACE},
                          {53, DIK_GRAVE},   {58, DIK_F1},      {69, DIK_F12},       {70, DIK_SYSRQ},
                          {79, DIK_RIGHT},   {82, DIK_UP},      {84, DIK_DIVIDE},    {88, DIK_NUMPADENTER},
                          {98, DIK_NUMPAD0}, {99, DIK_DECIMAL}, {224, DIK_LCONTROL}, {228, DIK_RCONTROL},
                          {226, DIK_LMENU},  {230, DIK_RMENU},  {227, DIK_LWIN},     {0, 0},
                          {300, 0}};
    for (const Case& c : cases) EXPECT_EQ(plat::ScanCodeFromSdlScancode(c.sdl), c.dik) << c.sdl;
}

TEST(DirectInputJoystick, AxisRangeDeadZoneAndSaturation) {
    struct Case {
        int raw;
        LONG min, max;
        DWORD deadZone, saturation;
        LONG expected;
    };
    const Case cases[] = {
        {0, -1000, 1000, 1000, 10000, 0},
        {3000, -1000, 1000, 1000, 10000, 0},
        {-3000, -1000, 1000, 1000, 10000, 0},
        {32767, -1000, 1000, 1000, 10000, 1000},
        {-32768, -1000, 1000, 1000, 10000, -1000},
        {16384, -1000, 1000, 1000, 10000, 444},
        {-16384, -1000, 1000, 1000, 10000, -444},
        {16384, -1000, 1000, 0, 5000, 1000},
        {0, 0, 65535, 0, 10000, 32768},
        {32767, 0, 65535, 0, 10000, 65535},
        {8000, -1000, 1000, 10000, 10000, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plat::ScaleJoystickAxis(c.raw, c.min, c.max, c.deadZone, c.saturation), c.expected)
            << c.raw << " dz " << c.deadZone << " sat " << c.saturation;
}

TEST(DirectInputDevices, VersionAndDevices) {
    LPDIRECTINPUT di;
    EXPECT_EQ(DirectInputCreateA(nullptr, 0x0700, &di, nullptr), DIERR_OLDDIRECTINPUTVERSION);
    ASSERT_EQ(DirectInputCreateA(nullptr, DIRECTINPUT_VERSION, &di, nullptr), DI_OK);
    ASSERT_TRUE(di);
    LPDIRECTINPUTDEVICE unknown;
    EXPECT_EQ(di->CreateDevice(IID_IDirectInputDevice2, &unknown, nullptr), DIERR_DEVICENOTREG);
    std::vector<std::string> names;
    auto collect = [](const DIDEVICEINSTANCEA* d, void* ctx) -> BOOL {
        static_cast<std::vector<std::string>*>(ctx)->push_back(d->tszInstanceName);
        return DIENUM_CONTINUE;
    };
    EXPECT_EQ(di->EnumDevices(DIDEVTYPE_KEYBOARD, collect, &names, DIEDFL_ATTACHEDONLY), DI_OK);
    EXPECT_EQ(names, (std::vector<std::string>{"Keyboard"}));
}

// Without a focused window (no video here) a foreground device cannot be
// acquired; a background one can, and reads nothing pressed.
TEST(DirectInputDevices, ForegroundNeedsTheFocus) {
    LPDIRECTINPUT di;
    ASSERT_EQ(DirectInputCreateA(nullptr, DIRECTINPUT_VERSION, &di, nullptr), DI_OK);
    LPDIRECTINPUTDEVICE keyboard;
    ASSERT_EQ(di->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), DIERR_INVALIDPARAM);  // no data format yet
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIMouse), DIERR_INVALIDPARAM);
    ASSERT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    plat::WindowHandle window(640, 480);
    EXPECT_EQ(keyboard->SetCooperativeLevel(&window, DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_FOREGROUND),
              DIERR_INVALIDPARAM);
    ASSERT_EQ(keyboard->SetCooperativeLevel(&window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), DIERR_OTHERAPPHASPRIO);
    BYTE keys[256];
    EXPECT_EQ(keyboard->GetDeviceState(256, keys), DIERR_NOTACQUIRED);

    ASSERT_EQ(keyboard->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), DI_NOEFFECT);
    EXPECT_EQ(keyboard->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DIERR_ACQUIRED);
    std::fill(std::begin(keys), std::end(keys), 0xEE);
    ASSERT_EQ(keyboard->GetDeviceState(256, keys), DI_OK);
    for (BYTE k : keys) ASSERT_EQ(k, 0);
    EXPECT_EQ(keyboard->GetDeviceState(255, keys), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->Unacquire(), DI_OK);
    EXPECT_EQ(keyboard->Unacquire(), DI_NOEFFECT);
}

// One Acquire on a clock put in place for it that moves 10 ms at every
// reading: how far the clock moved, and the result.
std::pair<DWORD, HRESULT> AcquireOnASteppedClock(IDirectInputDevice& device) {
    auto now = std::make_shared<DWORD>(0);
    plat::SetTimeSource([now] { return *now += 10; });
    const HRESULT hr = device.Acquire();
    plat::SetTimeSource({});
    return {*now, hr};
}

// The window system gives a window that was just shown its focus a little
// later: the first acquisition waits a second for it (on timeGetTime's clock,
// so the machine's speed does not matter here), and later ones, after a loss
// of the focus, are refused without waiting.
TEST(DirectInputDevices, FirstAcquireGivesAShownWindowTimeForItsFocus) {
    // The program's window, on screen; under the dummy video driver it never
    // gets the focus.
    Application->Initialize();
    Application->EnsureWindow();
    HWND shown = Application->Window();
    if (!shown || !shown->NativeWindow()) GTEST_SKIP() << "no windows here";
    LPDIRECTINPUT di;
    ASSERT_EQ(DirectInputCreateA(nullptr, DIRECTINPUT_VERSION, &di, nullptr), DI_OK);
    auto keyboardFor = [&](HWND window) {
        LPDIRECTINPUTDEVICE keyboard;
        EXPECT_EQ(di->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr), DI_OK);
        keyboard->SetDataFormat(&c_dfDIKeyboard);
        EXPECT_EQ(keyboard->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND), DI_OK);
        return keyboard;
    };

    LPDIRECTINPUTDEVICE keyboard = keyboardFor(shown);
    const auto [firstMs, first] = AcquireOnASteppedClock(*keyboard);
    EXPECT_EQ(first, DIERR_OTHERAPPHASPRIO);
    EXPECT_GE(firstMs, 1000u);
    EXPECT_LE(firstMs, 1020u);  // the start and the reading that ends the wait
    const auto [againMs, again] = AcquireOnASteppedClock(*keyboard);
    EXPECT_EQ(again, DIERR_OTHERAPPHASPRIO);
    EXPECT_EQ(againMs, 0u);

    // A handle without a window of its own has no focus coming.
    plat::WindowHandle bare(320, 200);
    LPDIRECTINPUTDEVICE other = keyboardFor(&bare);
    const auto [bareMs, refused] = AcquireOnASteppedClock(*other);
    EXPECT_EQ(refused, DIERR_OTHERAPPHASPRIO);
    EXPECT_EQ(bareMs, 0u);

    // A clock that stands still does not hold the first acquisition for ever:
    // it ends after as many looks as fit in the wait.
    LPDIRECTINPUTDEVICE stillClock = keyboardFor(shown);
    plat::SetTimeSource([] { return DWORD{77}; });
    EXPECT_EQ(stillClock->Acquire(), DIERR_OTHERAPPHASPRIO);
    plat::SetTimeSource({});
    Application->DestroyWindow();
}

TEST(DirectInputDevices, MouseReadsAndSecondInterface) {
    LPDIRECTINPUT di;
    ASSERT_EQ(DirectInputCreateA(nullptr, DIRECTINPUT_VERSION, &di, nullptr), DI_OK);
    LPDIRECTINPUTDEVICE mouse;
    ASSERT_EQ(di->CreateDevice(GUID_SysMouse, &mouse, nullptr), DI_OK);
    LPDIRECTINPUTDEVICE2 second;
    EXPECT_EQ(mouse->QueryInterface(GUID_SysMouse, &second), DIERR_NOINTERFACE);
    ASSERT_EQ(mouse->QueryInterface(IID_IDirectInputDevice2, &second), DI_OK);
    EXPECT_EQ(second.get(), mouse.get());
    ASSERT_EQ(mouse->SetDataFormat(&c_dfDIMouse), DI_OK);
    ASSERT_EQ(mouse->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    ASSERT_EQ(mouse->Acquire(), DI_OK);
    DIMOUSESTATE m;
    m.lX = 99;
    ASSERT_EQ(mouse->GetDeviceState(sizeof m, &m), DI_OK);
    EXPECT_EQ(m.lX, 0);
    EXPECT_EQ(m.rgbButtons[0], 0);
}

// The A key going down and up again, as SDL reports it.
void TapA() {
    for (const Uint32 type : {Uint32{SDL_KEYDOWN}, Uint32{SDL_KEYUP}}) {
        SDL_Event e{};
        e.type = type;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.scancode = SDL_SCANCODE_A;
        SDL_PushEvent(&e);
    }
}

TEST(DirectInputDevices, APressLetGoBeforeTheReadStillReadsAsDownOnce) {
    LPDIRECTINPUT di;
    ASSERT_EQ(DirectInputCreateA(nullptr, DIRECTINPUT_VERSION, &di, nullptr), DI_OK);
    LPDIRECTINPUTDEVICE keyboard, mouse;
    ASSERT_EQ(di->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr), DI_OK);
    ASSERT_EQ(di->CreateDevice(GUID_SysMouse, &mouse, nullptr), DI_OK);
    ASSERT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    ASSERT_EQ(mouse->SetDataFormat(&c_dfDIMouse), DI_OK);
    for (auto* device : {&keyboard, &mouse}) {
        ASSERT_EQ((*device)->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
        ASSERT_EQ((*device)->Acquire(), DI_OK);
    }
    TapA();
    plat::PushClick(10, 10);
    BYTE keys[256];
    DIMOUSESTATE m;
    for (const BYTE expected : {BYTE{0x80}, BYTE{0}}) {
        ASSERT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DI_OK);
        ASSERT_EQ(mouse->GetDeviceState(sizeof m, &m), DI_OK);
        EXPECT_EQ(keys[DIK_A], expected);
        EXPECT_EQ(keys[DIK_B], 0);
        EXPECT_EQ(m.rgbButtons[0], expected);
        EXPECT_EQ(m.rgbButtons[1], 0);
    }
    // A press made while the device was not acquired belongs to nobody.
    ASSERT_EQ(keyboard->Unacquire(), DI_OK);
    TapA();
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    ASSERT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DI_OK);
    EXPECT_EQ(keys[DIK_A], 0);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

}  // namespace
