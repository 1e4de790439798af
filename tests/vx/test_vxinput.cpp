#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/system/systime.h"
#include "vx/vxinput.h"

namespace {

// A device driven by the test: what it reads, how often Acquire fails, and a
// log of the calls that matter.
class FakeDevice : public IDirectInputDevice2 {
public:
    HRESULT SetDataFormat(const DIDATAFORMAT* f) override {
        format = f;
        return DI_OK;
    }
    HRESULT SetCooperativeLevel(HWND, DWORD flags) override {
        level = flags;
        return DI_OK;
    }
    HRESULT Acquire() override {
        ++acquireCalls;
        if (failAcquires < 0 || acquireCalls <= failAcquires) return DIERR_OTHERAPPHASPRIO;
        acquired = true;
        return DI_OK;
    }
    HRESULT Unacquire() override {
        ++unacquireCalls;
        acquired = false;
        return DI_OK;
    }
    HRESULT GetDeviceState(DWORD size, void* data) override {
        ++reads;
        if (failReads > 0) {
            --failReads;
            acquired = false;
            return DIERR_INPUTLOST;
        }
        if (size == 256)
            std::memcpy(data, keys, 256);
        else if (size == sizeof(DIMOUSESTATE))
            std::memcpy(data, &mouse, sizeof mouse);
        else if (size == sizeof(DIJOYSTATE))
            std::memcpy(data, &joystick, sizeof joystick);
        else
            return DIERR_INVALIDPARAM;
        return DI_OK;
    }
    HRESULT SetProperty(DIPROPID property, const DIPROPHEADER* h) override {
        if (refuseProperty) return DIERR_UNSUPPORTED;
        std::string entry = property == DIPROP_RANGE ? "range" : property == DIPROP_DEADZONE ? "deadzone" : "?";
        entry += h->dwObj == DIJOFS_X ? " x" : h->dwObj == DIJOFS_Y ? " y" : " ?";
        if (h->dwHow != DIPH_BYOFFSET) entry += " not by offset";
        if (property == DIPROP_RANGE) {
            const auto* r = reinterpret_cast<const DIPROPRANGE*>(h);
            entry += " " + std::to_string(r->lMin) + ".." + std::to_string(r->lMax);
        } else {
            entry += " " + std::to_string(reinterpret_cast<const DIPROPDWORD*>(h)->dwData);
        }
        properties.push_back(entry);
        return DI_OK;
    }
    HRESULT Poll() override {
        ++polls;
        return DI_OK;
    }

    int failAcquires = 0;  // this many Acquire calls fail first; -1: all fail
    int failReads = 0;
    bool refuseProperty = false;
    int acquireCalls = 0, unacquireCalls = 0, reads = 0, polls = 0;
    bool acquired = false;
    const DIDATAFORMAT* format = nullptr;
    DWORD level = 0;
    BYTE keys[256] = {};
    DIMOUSESTATE mouse;
    DIJOYSTATE joystick;
    std::vector<std::string> properties;
};

// A device of the first interface only.
class OldDevice : public IDirectInputDevice {
public:
    HRESULT SetDataFormat(const DIDATAFORMAT*) override { return DI_OK; }
    HRESULT SetCooperativeLevel(HWND, DWORD) override { return DI_OK; }
    HRESULT Acquire() override { return DI_OK; }
    HRESULT Unacquire() override { return DI_OK; }
    HRESULT GetDeviceState(DWORD, void*) override { return DI_OK; }
    HRESULT SetProperty(DIPROPID, const DIPROPHEADER*) override { return DI_OK; }
};

class FakeDirectInput : public IDirectInput {
public:
    HRESULT CreateDevice(const GUID& guid, LPDIRECTINPUTDEVICE* out, void*) override {
        if (guid == GUID_SysMouse && mouse)
            *out = mouse;
        else if (guid == GUID_SysKeyboard && keyboard)
            *out = keyboard;
        else if (guid.Data1 == 77 && joystick)
            *out = joystick;
        else
            return DIERR_DEVICENOTREG;
        return DI_OK;
    }
    HRESULT EnumDevices(DWORD type, LPDIENUMDEVICESCALLBACKA callback, void* context, DWORD) override {
        if (type != DIDEVTYPE_JOYSTICK) return DI_OK;
        // A joystick that cannot be opened comes first: the search goes on.
        for (std::uint32_t id : {76u, 77u}) {
            if (!joystick && id == 77) break;
            DIDEVICEINSTANCEA instance;
            instance.guidInstance.Data1 = id;
            ++offered;
            if (callback(&instance, context) == DIENUM_STOP) break;
        }
        return DI_OK;
    }
    std::shared_ptr<FakeDevice> mouse = std::make_shared<FakeDevice>();
    std::shared_ptr<FakeDevice> keyboard = std::make_shared<FakeDevice>();
    std::shared_ptr<IDirectInputDevice> joystick;
    int offered = 0;
};

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::SetDirectInputFactory([this](LPDIRECTINPUT* out) {
            if (!fake) return DIERR_NOTINITIALIZED;
            *out = fake;
            return DI_OK;
        });
        plat::SetTimeSource([this] { return now; });
    }
    void TearDown() override {
        plat::SetDirectInputFactory({});
        plat::SetTimeSource({});
    }
    FakeDevice& Mouse() { return *fake->mouse; }
    FakeDevice& Keyboard() { return *fake->keyboard; }
    std::shared_ptr<FakeDevice> AddJoystick() {
        auto j = std::make_shared<FakeDevice>();
        fake->joystick = j;
        return j;
    }

    std::shared_ptr<FakeDirectInput> fake = std::make_shared<FakeDirectInput>();
    plat::WindowHandle window{800, 600};
    DWORD now = 1000;
    VXInput input;
};

TEST_F(InputTest, ConstructedWithOpenLimitsAndEverythingUp) {
    EXPECT_FALSE(input.DirectInput);
    EXPECT_EQ(input.MouseSensitivity, 1.0f);
    EXPECT_EQ(input.JoystickSensitivity, 1.0f);
    EXPECT_EQ(input.MouseMinX, INT32_MIN);
    EXPECT_EQ(input.MouseMaxY, INT32_MAX);
    EXPECT_EQ(input.JoystickMinY, INT32_MIN);
    EXPECT_EQ(input.JoystickMaxX, INT32_MAX);
    for (int code = 0; code < InputCodeCount; ++code) ASSERT_EQ(input.GetKeyState(code), InputKeyUp);
    input.Update();  // no devices: nothing to read
}

TEST_F(InputTest, KeyStateMachine) {
    struct Case {
        std::vector<int> downs;
        std::vector<BYTE> states;
    };
    const Case cases[] = {
        {{1, 1, 1, 0, 0}, {InputKeyPressed, InputKeyHeld, InputKeyHeld, InputKeyReleased, InputKeyUp}},
        {{1, 0, 1, 0}, {InputKeyPressed, InputKeyReleased, InputKeyPressed, InputKeyReleased}},
        {{0, 0}, {InputKeyUp, InputKeyUp}},
    };
    for (const Case& c : cases) {
        input.ClearKeyStates();
        for (std::size_t i = 0; i < c.downs.size(); ++i) {
            input.UpdateKeyState('q', c.downs[i]);
            EXPECT_EQ(input.GetKeyState('q'), c.states[i]) << "step " << i;
        }
    }
    input.UpdateKeyState(400, 1);  // outside the table: ignored
    EXPECT_EQ(input.GetKeyState(400), InputKeyUp);
}

TEST_F(InputTest, KeyboardReadsStepTheMappedKeys) {
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    Keyboard().keys[DIK_A] = 0x80;
    Keyboard().keys[DIK_LWIN] = 0x80;     // ignored key
    Keyboard().keys[DIK_NUMPAD7] = 0x01;  // only bit 7 counts
    const std::vector<BYTE> expected = {InputKeyPressed, InputKeyHeld, InputKeyHeld, InputKeyReleased, InputKeyUp};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (i == 3) Keyboard().keys[DIK_A] = 0;
        input.Update();
        EXPECT_EQ(input.GetKeyState('a'), expected[i]) << i;
        EXPECT_EQ(input.RawKeys[DIK_LWIN], 0x80);
    }
    EXPECT_EQ(input.GetKeyState(169), InputKeyUp);  // keypad 7
}

TEST_F(InputTest, PressRecordsTimeAndTravelAgainAfterARelease) {
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    Keyboard().keys[DIK_SPACE] = 0x80;
    Mouse().mouse.lX = 5;
    input.Update();
    EXPECT_EQ(input.PressTime[32], 1000u);
    EXPECT_EQ(input.PressPos[32].x, 0);  // keys are read before the mouse moves
    Keyboard().keys[DIK_SPACE] = 0;
    now = 1500;
    input.Update();
    EXPECT_EQ(input.GetKeyState(32), InputKeyReleased);
    Keyboard().keys[DIK_SPACE] = 0x80;
    now = 2000;
    input.Update();
    EXPECT_EQ(input.GetKeyState(32), InputKeyPressed);
    EXPECT_EQ(input.PressTime[32], 2000u);
    EXPECT_EQ(input.PressPos[32].x, 10);
    now = 2500;
    input.Update();
    EXPECT_EQ(input.PressTime[32], 2000u);  // held: not a new press
}

TEST_F(InputTest, MouseSensitivityTruncatesEachMove) {
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    input.SetMouseSensitivity(1.6f);
    const LONG moves[] = {1, -1, 2, -3};
    const int deltas[] = {1, -1, 3, -4};
    int travel = 0;
    for (int i = 0; i < 4; ++i) {
        Mouse().mouse.lX = moves[i];
        Mouse().mouse.lY = -moves[i];
        input.Update();
        travel += deltas[i];
        EXPECT_EQ(input.MouseDeltaX, deltas[i]);
        EXPECT_EQ(input.MouseDeltaY, -deltas[i]);
        EXPECT_EQ(input.MouseTravelX, travel);
        EXPECT_EQ(input.MouseX, travel);
    }
}

TEST_F(InputTest, MouseStaysInsideItsLimitsWhileTheTravelCountsOn) {
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    input.SetMouseLimits(0, 0, 799, 599);
    Mouse().mouse.lX = 500;
    Mouse().mouse.lY = 400;
    input.Update();
    input.Update();
    EXPECT_EQ(input.MouseX, 798);
    EXPECT_EQ(input.MouseY, 598);
    EXPECT_EQ(input.MouseTravelX, 1000);
    EXPECT_EQ(input.MouseTravelY, 800);
    Mouse().mouse.lX = -3000;
    Mouse().mouse.lY = -3000;
    input.Update();
    EXPECT_EQ(input.MouseX, 0);  // Update lets it reach the lower limit
    EXPECT_EQ(input.MouseY, 0);
    EXPECT_EQ(input.MouseTravelX, -2000);
    EXPECT_EQ(input.MouseDeltaX, -3000);
}

TEST_F(InputTest, ExtremeMovesDoNotOverflow) {
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    input.SetMouseSensitivity(1e9f);
    Mouse().mouse.lX = 1000;
    input.Update();
    EXPECT_EQ(input.MouseX, INT32_MAX - 1);
    Mouse().mouse.lX = -1000;
    input.Update();
    input.Update();
    EXPECT_EQ(input.MouseX, INT32_MIN);
}

TEST_F(InputTest, SetMousePosKeepsOneInsideTheLowerLimit) {
    input.SetMouseLimits(0, 0, 799, 599);
    input.MouseDeltaX = 7;
    input.MouseTravelX = 33;
    input.SetMousePos(-5, 10);
    EXPECT_EQ(input.MouseX, 1);
    EXPECT_EQ(input.MouseY, 10);
    EXPECT_EQ(input.MouseDeltaX, 0);
    EXPECT_EQ(input.MouseTravelX, 33);
    input.SetMousePos(900, 700);
    int x = 0, y = 0;
    input.GetMousePos(&x, &y);
    EXPECT_EQ(x, 798);
    EXPECT_EQ(y, 598);
}

TEST_F(InputTest, MouseButtonsAreCodes256To258) {
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    Mouse().mouse.rgbButtons[0] = 0x80;
    Mouse().mouse.rgbButtons[2] = 0x80;
    Mouse().mouse.rgbButtons[3] = 0x80;  // the fourth is not read
    input.Update();
    EXPECT_EQ(input.GetKeyState(InputCodeMouseLeft), InputKeyPressed);
    EXPECT_EQ(input.GetKeyState(InputCodeMouseRight), InputKeyUp);
    EXPECT_EQ(input.GetKeyState(258), InputKeyPressed);
    EXPECT_EQ(input.GetKeyState(259), InputKeyUp);
}

TEST_F(InputTest, AcquireTriesFiftyOneTimes) {
    struct Case {
        int failures;
        int acquired, calls;
    };
    for (const Case c : {Case{0, 1, 1}, Case{50, 1, 51}, Case{51, 0, 51}, Case{-1, 0, 51}}) {
        VXInput fresh;
        auto mouse = std::make_shared<FakeDevice>();
        mouse->failAcquires = c.failures;
        fresh.Mouse = mouse;
        fresh.AcquireMouse();
        EXPECT_EQ(fresh.MouseAcquired, c.acquired) << c.failures;
        EXPECT_EQ(mouse->acquireCalls, c.calls) << c.failures;
    }
    VXInput none;
    none.AcquireKeyboard();  // without the device nothing happens
    none.AcquireJoystick();
    EXPECT_EQ(none.KeyboardAcquired, 0);
    EXPECT_EQ(none.JoystickAcquired, 0);
}

TEST_F(InputTest, KeyboardAcquireClearsStatesOnlyWhenItWorks) {
    auto keyboard = std::make_shared<FakeDevice>();
    input.Keyboard = keyboard;
    input.UpdateKeyState(InputCodeMouseLeft, 1);
    keyboard->failAcquires = -1;
    input.AcquireKeyboard();
    EXPECT_EQ(input.KeyboardAcquired, 0);
    EXPECT_EQ(input.GetKeyState(InputCodeMouseLeft), InputKeyPressed);
    keyboard->failAcquires = 0;
    keyboard->acquireCalls = 0;
    input.AcquireKeyboard();
    EXPECT_EQ(input.KeyboardAcquired, 1);
    EXPECT_EQ(input.GetKeyState(InputCodeMouseLeft), InputKeyUp);
}

TEST_F(InputTest, CreateSetsUpMouseAndKeyboard) {
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    EXPECT_EQ(Mouse().format, &c_dfDIMouse);
    EXPECT_EQ(Mouse().level, DISCL_EXCLUSIVE | DISCL_FOREGROUND);
    EXPECT_EQ(Keyboard().format, &c_dfDIKeyboard);
    EXPECT_EQ(Keyboard().level, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
    EXPECT_EQ(input.MouseAcquired, 1);
    EXPECT_EQ(input.KeyboardAcquired, 1);
    EXPECT_FALSE(input.Joystick);
    EXPECT_EQ(input.KeyCodeTable[DIK_A], 'a');
    VXInput shared;
    ASSERT_EQ(shared.Create(nullptr, &window, 0), 1);
    EXPECT_EQ(Mouse().level, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
}

TEST_F(InputTest, WithoutAJoystickItsButtonsStayUp) {
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    input.Update();
    input.Update();
    for (int code = 260; code < 270; ++code) EXPECT_EQ(input.GetKeyState(code), InputKeyUp);
}

TEST_F(InputTest, MissingDevicesAreNoFailure) {
    fake->mouse.reset();
    fake->keyboard.reset();
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    EXPECT_FALSE(input.Mouse);
    EXPECT_FALSE(input.Keyboard);
    input.Update();
    EXPECT_EQ(input.KeyCodeTable[DIK_A], 0);  // the keyboard's tables are made with it
}

TEST_F(InputTest, CreateFailures) {
    {
        VXInput i;
        auto keep = fake;
        fake.reset();  // DirectInput cannot be made
        EXPECT_EQ(i.Create(nullptr, &window, 1), 0);
        fake = keep;
    }
    {
        VXInput i;
        Mouse().failAcquires = -1;
        EXPECT_EQ(i.Create(nullptr, &window, 1), 0);
        EXPECT_EQ(Mouse().acquireCalls, 51);
        EXPECT_EQ(Keyboard().acquireCalls, 0);  // nothing after the mouse
        Mouse().failAcquires = 0;
    }
    {
        VXInput i;
        Keyboard().failAcquires = -1;
        EXPECT_EQ(i.Create(nullptr, &window, 1), 0);
        Keyboard().failAcquires = 0;
    }
    {
        VXInput i;
        fake->joystick = std::make_shared<OldDevice>();
        EXPECT_EQ(i.Create(nullptr, &window, 1), 0);
        EXPECT_FALSE(i.Joystick);
    }
    {
        VXInput i;
        AddJoystick()->refuseProperty = true;
        EXPECT_EQ(i.Create(nullptr, &window, 1), 0);
    }
    {
        VXInput i;
        AddJoystick()->failAcquires = -1;
        EXPECT_EQ(i.Create(nullptr, &window, 1), 0);
        EXPECT_EQ(i.JoystickAcquired, 0);
    }
}

TEST_F(InputTest, JoystickGetsItsRangeAndDeadZone) {
    auto joystick = AddJoystick();
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    EXPECT_EQ(fake->offered, 2);  // the first offer could not be opened
    EXPECT_EQ(joystick->format, &c_dfDIJoystick);
    EXPECT_EQ(joystick->level, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
    EXPECT_EQ(joystick->properties, (std::vector<std::string>{"range x -1000..1000", "range y -1000..1000",
                                                              "deadzone x 1000", "deadzone y 1000"}));
    EXPECT_EQ(input.JoystickAcquired, 1);
}

TEST_F(InputTest, JoystickDeflectionMovesItsPositionEveryUpdate) {
    auto joystick = AddJoystick();
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    joystick->joystick.lX = 300;
    joystick->joystick.lY = -1000;
    joystick->joystick.rgbButtons[9] = 0x80;
    joystick->joystick.rgbButtons[10] = 0x80;  // only ten buttons are read
    input.Update();
    input.Update();
    EXPECT_EQ(input.JoystickX, 600);
    EXPECT_EQ(input.JoystickY, -2000);
    EXPECT_EQ(input.JoystickDeltaX, 300);
    EXPECT_EQ(joystick->polls, 2);
    EXPECT_EQ(input.GetKeyState(269), InputKeyHeld);
    joystick->joystick.lX = 0;  // inside the dead zone the device reports 0
    input.Update();
    EXPECT_EQ(input.JoystickX, 600);
}

TEST_F(InputTest, FailedKeyboardReadReacquiresAndClearsAllStates) {
    auto joystick = AddJoystick();
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    Mouse().mouse.rgbButtons[1] = 0x80;
    joystick->joystick.rgbButtons[0] = 0x80;
    Keyboard().keys[DIK_W] = 0x80;
    input.Update();
    ASSERT_EQ(input.GetKeyState(InputCodeMouseRight), InputKeyPressed);
    ASSERT_EQ(input.GetKeyState(260), InputKeyPressed);
    const int mouseReads = Mouse().reads;
    Keyboard().failReads = 1;
    Keyboard().acquireCalls = 0;
    input.Update();
    EXPECT_EQ(Keyboard().acquireCalls, 1);
    EXPECT_EQ(Mouse().reads, mouseReads);  // the update ended at the keyboard
    for (int code = 0; code < InputCodeCount; ++code) ASSERT_EQ(input.GetKeyState(code), InputKeyUp) << code;
    input.Update();
    EXPECT_EQ(input.GetKeyState('w'), InputKeyPressed);
}

TEST_F(InputTest, FailedMouseReadReacquiresAndSkipsTheJoystick) {
    auto joystick = AddJoystick();
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    Mouse().failReads = 1;
    Mouse().acquireCalls = 0;
    Mouse().mouse.lX = 9;
    input.Update();
    EXPECT_EQ(Mouse().acquireCalls, 1);
    EXPECT_EQ(joystick->reads, 0);
    EXPECT_EQ(input.MouseX, 0);
    input.Update();
    EXPECT_EQ(input.MouseX, 9);
    EXPECT_EQ(joystick->reads, 1);
}

TEST_F(InputTest, LostMouseThatCannotBeReacquiredIsNoLongerRead) {
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    Mouse().failReads = 1;
    Mouse().failAcquires = -1;
    input.Update();
    EXPECT_EQ(input.MouseAcquired, 0);
    const int reads = Mouse().reads;
    input.Update();
    EXPECT_EQ(Mouse().reads, reads);
}

TEST_F(InputTest, FailedJoystickReadAcquiresOnceWithoutRetries) {
    auto joystick = AddJoystick();
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    joystick->failReads = 1;
    joystick->failAcquires = -1;
    joystick->acquireCalls = 0;
    input.Update();
    EXPECT_EQ(joystick->acquireCalls, 1);
    EXPECT_EQ(input.JoystickAcquired, 1);
}

TEST_F(InputTest, UnacquireDropsTheFlagAndTheKeyboardItsStates) {
    ASSERT_EQ(input.Create(nullptr, &window, 1), 1);
    input.UpdateKeyState('x', 1);
    input.UnacquireKeyboard();
    input.UnacquireMouse();
    input.UnacquireJoystick();  // absent: only the flag
    EXPECT_EQ(input.KeyboardAcquired, 0);
    EXPECT_EQ(input.MouseAcquired, 0);
    EXPECT_EQ(input.GetKeyState('x'), InputKeyUp);
    EXPECT_FALSE(Keyboard().acquired);
    EXPECT_FALSE(Mouse().acquired);
}

TEST_F(InputTest, DestructionUnacquiresEveryDevice) {
    auto joystick = AddJoystick();
    {
        VXInput i;
        ASSERT_EQ(i.Create(nullptr, &window, 1), 1);
    }
    EXPECT_EQ(Keyboard().unacquireCalls, 1);
    EXPECT_EQ(Mouse().unacquireCalls, 1);
    EXPECT_EQ(joystick->unacquireCalls, 1);
}

TEST_F(InputTest, KeyCodeAndShiftTables) {
    input.InitKeyCodeTable();
    input.InitShiftTable();
    struct Case {
        BYTE scan;
        int code;
    };
    const Case codes[] = {{DIK_BACK, 8},          {DIK_RETURN, 13},   {DIK_0, '0'},       {DIK_9, '9'},
                          {DIK_Q, 'q'},           {DIK_M, 'm'},       {DIK_GRAVE, '`'},   {DIK_RMENU, 133},
                          {DIK_DOWN, 137},        {DIK_F11, 148},     {DIK_F12, 149},     {DIK_NEXT, 155},
                          {DIK_NUMPADENTER, 160}, {DIK_NUMPAD0, 162}, {DIK_NUMPAD9, 171}, {DIK_SYSRQ, 175},
                          {DIK_LWIN, 0},          {DIK_APPS, 0},      {DIK_PAUSE, 0}};
    for (const Case& c : codes) EXPECT_EQ(input.KeyCodeTable[c.scan], c.code) << int(c.scan);
    EXPECT_EQ(input.ShiftTable[50], 64);
    EXPECT_EQ(input.ShiftTable[128], 0);
    EXPECT_EQ(input.ShiftTable['a'], 'A');
    EXPECT_EQ(input.ShiftTable['0'], ')');
    EXPECT_EQ(input.ShiftTable['`'], '~');
    EXPECT_EQ(input.ShiftTable['\\'], '|');
}

}  // namespace

namespace {

// The machine's devices, for a window that never has the focus: the mouse
// cannot be acquired in 51 attempts, so Create fails as the game expects.
TEST(InputOnSdl, CreateFailsWithoutTheFocus) {
    plat::SetDirectInputFactory({});
    plat::WindowHandle window(800, 600);
    VXInput input;
    EXPECT_EQ(input.Create(nullptr, &window, 1), 0);
    EXPECT_TRUE(input.Mouse);
    EXPECT_EQ(input.MouseAcquired, 0);
    input.Update();  // nothing acquired: the keyboard is not there yet either
    EXPECT_EQ(input.GetKeyState(InputCodeMouseLeft), InputKeyUp);
}

}  // namespace
