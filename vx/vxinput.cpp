#include "vx/vxinput.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/system/systime.h"

namespace {

constexpr int kAcquireAttempts = 51;

// Retries Acquire until it works, at most kAcquireAttempts times in all.
int AcquireWithRetries(IDirectInputDevice& device) {
    for (int attempt = 0; attempt < kAcquireAttempts; ++attempt)
        if (SUCCEEDED(device.Acquire())) return 1;
    return 0;
}

// trunc(v × factor) toward zero, kept inside int.
int Scaled(LONG v, float factor) {
    const double product = static_cast<double>(v) * static_cast<double>(factor);
    if (!(product == product)) return 0;  // not a number
    return static_cast<int>(
        std::clamp(std::trunc(product), static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX)));
}

// Wraps like the 32-bit sum it is, without signed overflow.
int WrappingAdd(int a, int b) {
    return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// Kept below `max`; at or below `min` it becomes `min + lowMargin`.
int Clamped(std::int64_t v, int min, int max, int lowMargin = 0) {
    if (v >= max) v = static_cast<std::int64_t>(max) - 1;
    if (v <= min) v = static_cast<std::int64_t>(min) + lowMargin;
    return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

BOOL EnumJoysticksCallback(const DIDEVICEINSTANCEA* instance, void* context) {
    auto* search = static_cast<JoystickSearch*>(context);
    if (!instance || !search || !search->Input) return DIENUM_STOP;
    if (FAILED(search->Input->CreateDevice(instance->guidInstance, &search->Device, nullptr)) || !search->Device)
        return DIENUM_CONTINUE;
    return DIENUM_STOP;
}

VXInput::VXInput() { ClearKeyStates(); }

VXInput::~VXInput() {
    if (!DirectInput) return;
    if (Keyboard) {
        Keyboard->Unacquire();
        Keyboard.reset();
    }
    if (Mouse) {
        Mouse->Unacquire();
        Mouse.reset();
    }
    if (Joystick) {
        Joystick->Unacquire();
        Joystick.reset();
    }
    DirectInput.reset();
}

int VXInput::Create(HINSTANCE instance, HWND window, int exclusiveMouse) {
    if (FAILED(DirectInputCreateA(instance, DIRECTINPUT_VERSION, &DirectInput, nullptr)) || !DirectInput) return 0;

    if (SUCCEEDED(DirectInput->CreateDevice(GUID_SysMouse, &Mouse, nullptr)) && Mouse) {
        Mouse->SetDataFormat(&c_dfDIMouse);
        Mouse->SetCooperativeLevel(
            window, exclusiveMouse ? DISCL_EXCLUSIVE | DISCL_FOREGROUND : DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
        AcquireMouse();
        if (!MouseAcquired) return 0;
    } else {
        Mouse.reset();
    }

    if (SUCCEEDED(DirectInput->CreateDevice(GUID_SysKeyboard, &Keyboard, nullptr)) && Keyboard) {
        Keyboard->SetDataFormat(&c_dfDIKeyboard);
        Keyboard->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
        AcquireKeyboard();
        if (!KeyboardAcquired) return 0;
        InitKeyCodeTable();
        InitShiftTable();
    } else {
        Keyboard.reset();
    }

    JoystickSearch search;
    search.Input = DirectInput.get();
    DirectInput->EnumDevices(DIDEVTYPE_JOYSTICK, &EnumJoysticksCallback, &search, DIEDFL_ATTACHEDONLY);
    if (!search.Device) return 1;
    if (FAILED(search.Device->QueryInterface(IID_IDirectInputDevice2, &Joystick)) || !Joystick) return 0;
    search.Device.reset();

    Joystick->SetDataFormat(&c_dfDIJoystick);
    Joystick->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
    for (DWORD axis : {DIJOFS_X, DIJOFS_Y}) {
        DIPROPRANGE range;
        range.diph.dwSize = sizeof(DIPROPRANGE);
        range.diph.dwHeaderSize = sizeof(DIPROPHEADER);
        range.diph.dwObj = axis;
        range.diph.dwHow = DIPH_BYOFFSET;
        range.lMin = -1000;
        range.lMax = 1000;
        if (FAILED(Joystick->SetProperty(DIPROP_RANGE, &range.diph))) return 0;
    }
    for (DWORD axis : {DIJOFS_X, DIJOFS_Y}) {
        DIPROPDWORD deadZone;
        deadZone.diph.dwSize = sizeof(DIPROPDWORD);
        deadZone.diph.dwHeaderSize = sizeof(DIPROPHEADER);
        deadZone.diph.dwObj = axis;
        deadZone.diph.dwHow = DIPH_BYOFFSET;
        deadZone.dwData = 1000;  // 10 %
        if (FAILED(Joystick->SetProperty(DIPROP_DEADZONE, &deadZone.diph))) return 0;
    }
    AcquireJoystick();
    if (!JoystickAcquired) return 0;
    return 1;
}

void VXInput::SetMouseLimits(int x1, int y1, int x2, int y2) {
    MouseMinX = x1;
    MouseMinY = y1;
    MouseMaxX = x2;
    MouseMaxY = y2;
}

void VXInput::SetMousePos(int x, int y) {
    // Kept one inside the lower limit, unlike Update.
    MouseX = Clamped(x, MouseMinX, MouseMaxX, 1);
    MouseY = Clamped(y, MouseMinY, MouseMaxY, 1);
    MouseDeltaX = 0;
    MouseDeltaY = 0;
}

void VXInput::SetMouseSensitivity(float factor) { MouseSensitivity = factor; }

BYTE VXInput::GetKeyState(std::uint16_t code) const {
    return code < InputCodeCount ? KeyStates[code] : BYTE{InputKeyUp};
}

void VXInput::GetMousePos(int* x, int* y) const {
    if (x) *x = MouseX;
    if (y) *y = MouseY;
}

void VXInput::Move(LONG dx, LONG dy, float sensitivity, int& travelX, int& travelY, int& x, int& y, int& deltaX,
                   int& deltaY, int minX, int minY, int maxX, int maxY) {
    const int mx = Scaled(dx, sensitivity);
    const int my = Scaled(dy, sensitivity);
    const int beforeX = travelX, beforeY = travelY;
    travelX = WrappingAdd(travelX, mx);
    travelY = WrappingAdd(travelY, my);
    x = Clamped(static_cast<std::int64_t>(x) + mx, minX, maxX);
    y = Clamped(static_cast<std::int64_t>(y) + my, minY, maxY);
    deltaX = static_cast<int>(static_cast<std::uint32_t>(travelX) - static_cast<std::uint32_t>(beforeX));
    deltaY = static_cast<int>(static_cast<std::uint32_t>(travelY) - static_cast<std::uint32_t>(beforeY));
}

void VXInput::Update() {
    if (Keyboard) {
        if (FAILED(Keyboard->GetDeviceState(256, RawKeys.data()))) {
            AcquireKeyboard();
            return;
        }
        for (int sc = 0; sc < 256; ++sc)
            if (KeyCodeTable[sc] != 0) UpdateKeyState(KeyCodeTable[sc], (RawKeys[sc] & 0x80) != 0);
    }

    if (MouseAcquired == 1 && Mouse) {
        DIMOUSESTATE m;
        if (FAILED(Mouse->GetDeviceState(sizeof m, &m))) {
            AcquireMouse();
            return;
        }
        Move(m.lX, m.lY, MouseSensitivity, MouseTravelX, MouseTravelY, MouseX, MouseY, MouseDeltaX, MouseDeltaY,
             MouseMinX, MouseMinY, MouseMaxX, MouseMaxY);
        for (int i = 0; i < 3; ++i) UpdateKeyState(InputCodeMouseLeft + i, (m.rgbButtons[i] & 0x80) != 0);
    }

    if (JoystickAcquired == 1 && Joystick) {
        DIJOYSTATE j;
        Joystick->Poll();
        if (FAILED(Joystick->GetDeviceState(sizeof j, &j))) {
            Joystick->Acquire();
            return;
        }
        Move(j.lX, j.lY, JoystickSensitivity, JoystickTravelX, JoystickTravelY, JoystickX, JoystickY, JoystickDeltaX,
             JoystickDeltaY, JoystickMinX, JoystickMinY, JoystickMaxX, JoystickMaxY);
        for (int i = 0; i < 10; ++i) UpdateKeyState(InputCodeJoystickButton0 + i, (j.rgbButtons[i] & 0x80) != 0);
    }
}

void VXInput::AcquireKeyboard() {
    if (!Keyboard) return;
    KeyboardAcquired = 1;
    if (!AcquireWithRetries(*Keyboard)) {
        KeyboardAcquired = 0;
        return;
    }
    // Keys seen before the device went away start again from up.
    ClearKeyStates();
}

void VXInput::AcquireMouse() {
    if (!Mouse) return;
    MouseAcquired = 1;
    if (!AcquireWithRetries(*Mouse)) MouseAcquired = 0;
}

void VXInput::AcquireJoystick() {
    if (!Joystick) return;
    JoystickAcquired = 1;
    if (!AcquireWithRetries(*Joystick)) JoystickAcquired = 0;
}

void VXInput::UnacquireKeyboard() {
    ClearKeyStates();
    KeyboardAcquired = 0;
    if (Keyboard) Keyboard->Unacquire();
}

void VXInput::UnacquireMouse() {
    MouseAcquired = 0;
    if (Mouse) Mouse->Unacquire();
}

void VXInput::UnacquireJoystick() {
    JoystickAcquired = 0;
    if (Joystick) Joystick->Unacquire();
}

void VXInput::ClearKeyStates() {
    KeyStates.fill(InputKeyUp);
    RawKeys.fill(0);
    PressTime.fill(0);
    PressPos.fill(Point{});
}

void VXInput::UpdateKeyState(int code, int down) {
    if (code < 0 || code >= InputCodeCount) return;
    BYTE& state = KeyStates[code];
    if (down) {
        if (state == InputKeyUp || state == InputKeyReleased) {
            state = InputKeyPressed;
            PressTime[code] = timeGetTime();
            PressPos[code] = Point{MouseTravelX, MouseTravelY};
        } else {
            state = InputKeyHeld;
        }
    } else {
        state = (state == InputKeyPressed || state == InputKeyHeld) ? InputKeyReleased : InputKeyUp;
    }
}

void VXInput::InitKeyCodeTable() {
    KeyCodeTable.fill(0);
    auto& t = KeyCodeTable;
    t[DIK_BACK] = 8;
    t[DIK_TAB] = 9;
    t[DIK_RETURN] = 13;
    t[DIK_ESCAPE] = 27;
    t[DIK_SPACE] = 32;
    const BYTE digits[10] = {DIK_0, DIK_1, DIK_2, DIK_3, DIK_4, DIK_5, DIK_6, DIK_7, DIK_8, DIK_9};
    for (int i = 0; i < 10; ++i) t[digits[i]] = '0' + i;
    const BYTE letters[26] = {DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I,
                              DIK_J, DIK_K, DIK_L, DIK_M, DIK_N, DIK_O, DIK_P, DIK_Q, DIK_R,
                              DIK_S, DIK_T, DIK_U, DIK_V, DIK_W, DIK_X, DIK_Y, DIK_Z};
    for (int i = 0; i < 26; ++i) t[letters[i]] = 'a' + i;
    t[DIK_APOSTROPHE] = 39;
    t[DIK_COMMA] = 44;
    t[DIK_MINUS] = 45;
    t[DIK_PERIOD] = 46;
    t[DIK_SLASH] = 47;
    t[DIK_SEMICOLON] = 59;
    t[DIK_EQUALS] = 61;
    t[DIK_LBRACKET] = 91;
    t[DIK_BACKSLASH] = 92;
    t[DIK_RBRACKET] = 93;
    t[DIK_GRAVE] = 96;
    t[DIK_LSHIFT] = 128;
    t[DIK_RSHIFT] = 129;
    t[DIK_LCONTROL] = 130;
    t[DIK_RCONTROL] = 131;
    t[DIK_LMENU] = 132;
    t[DIK_RMENU] = 133;
    t[DIK_LEFT] = 134;
    t[DIK_RIGHT] = 135;
    t[DIK_UP] = 136;
    t[DIK_DOWN] = 137;
    const BYTE functions[12] = {DIK_F1, DIK_F2, DIK_F3, DIK_F4,  DIK_F5,  DIK_F6,
                                DIK_F7, DIK_F8, DIK_F9, DIK_F10, DIK_F11, DIK_F12};
    for (int i = 0; i < 12; ++i) t[functions[i]] = 138 + i;
    t[DIK_INSERT] = 150;
    t[DIK_DELETE] = 151;
    t[DIK_HOME] = 152;
    t[DIK_END] = 153;
    t[DIK_PRIOR] = 154;
    t[DIK_NEXT] = 155;
    t[DIK_DIVIDE] = 156;
    t[DIK_MULTIPLY] = 157;
    t[DIK_SUBTRACT] = 158;
    t[DIK_ADD] = 159;
    t[DIK_NUMPADENTER] = 160;
    t[DIK_DECIMAL] = 161;
    const BYTE pad[10] = {DIK_NUMPAD0, DIK_NUMPAD1, DIK_NUMPAD2, DIK_NUMPAD3, DIK_NUMPAD4,
                          DIK_NUMPAD5, DIK_NUMPAD6, DIK_NUMPAD7, DIK_NUMPAD8, DIK_NUMPAD9};
    for (int i = 0; i < 10; ++i) t[pad[i]] = 162 + i;
    t[DIK_NUMLOCK] = 172;
    t[DIK_CAPITAL] = 173;
    t[DIK_SCROLL] = 174;
    t[DIK_SYSRQ] = 175;
    t[DIK_LWIN] = 0;
    t[DIK_RWIN] = 0;
    t[DIK_APPS] = 0;
}

void VXInput::InitShiftTable() {
    ShiftTable.fill(0);
    auto& s = ShiftTable;
    for (int c = 'a'; c <= 'z'; ++c) s[c] = static_cast<BYTE>(c - 'a' + 'A');
    const char* digitsShifted = ")!@#$%^&*(";
    for (int i = 0; i < 10; ++i) s['0' + i] = static_cast<BYTE>(digitsShifted[i]);
    s['-'] = '_';
    s['='] = '+';
    s['['] = '{';
    s[']'] = '}';
    s['\\'] = '|';
    s[';'] = ':';
    s['\''] = '"';
    s[','] = '<';
    s['.'] = '>';
    s['/'] = '?';
    s['`'] = '~';
}
