// Keyboard, mouse and the first joystick, polled once a frame. Every key and
// button steps through a small state machine per Update, so a caller can tell
// a new press from a held key and from a release.
#pragma once

#include <array>
#include <cstdint>

#include "platform/input/dinput.h"

// The state of one key or button.
enum InputKeyState : BYTE {
    InputKeyUp = 0,
    InputKeyReleased = 1,
    InputKeyPressed = 2,
    InputKeyHeld = 3,
};

// Keys by a character-like code; buttons above 255.
using InputKeyCode = int;
inline constexpr InputKeyCode InputCodeMouseLeft = 256;
inline constexpr InputKeyCode InputCodeMouseRight = 257;
inline constexpr InputKeyCode InputCodeMouseMiddle = 258;
inline constexpr InputKeyCode InputCodeJoystickButton0 = 260;
inline constexpr int InputCodeCount = 270;

// Finds the first attached joystick for VXInput::Create: it makes the device
// of the first joystick it is offered that DirectInput can open.
struct JoystickSearch {
    IDirectInput* Input = nullptr;
    LPDIRECTINPUTDEVICE Device;
};
BOOL EnumJoysticksCallback(const DIDEVICEINSTANCEA* instance, void* search);

class VXInput {
public:
    VXInput();
    ~VXInput();
    VXInput(const VXInput&) = delete;
    VXInput& operator=(const VXInput&) = delete;

    // Makes and acquires the mouse, the keyboard and the first joystick for
    // `window`. 1, or 0 when DirectInput is missing or a device that exists
    // cannot be acquired or set up.
    int Create(HINSTANCE instance, HWND window, int exclusiveMouse);
    void SetMouseLimits(int x1, int y1, int x2, int y2);
    void SetMousePos(int x, int y);
    void SetMouseSensitivity(float factor);
    BYTE GetKeyState(std::uint16_t code) const;
    void GetMousePos(int* x, int* y) const;
    // Reads every device once and steps every key state.
    void Update();

    void AcquireKeyboard();
    void AcquireMouse();
    void AcquireJoystick();
    void UnacquireKeyboard();
    void UnacquireMouse();
    void UnacquireJoystick();
    void ClearKeyStates();
    void UpdateKeyState(int code, int down);
    void InitKeyCodeTable();
    void InitShiftTable();

    LPDIRECTINPUT DirectInput;
    LPDIRECTINPUTDEVICE Keyboard;
    LPDIRECTINPUTDEVICE Mouse;
    LPDIRECTINPUTDEVICE2 Joystick;
    int MouseAcquired = 0;
    int KeyboardAcquired = 0;
    int JoystickAcquired = 0;
    float MouseSensitivity = 1.0f;
    float JoystickSensitivity = 1.0f;
    int MouseMinX = INT32_MIN, MouseMinY = INT32_MIN;
    int MouseMaxX = INT32_MAX, MouseMaxY = INT32_MAX;
    int JoystickMinX = INT32_MIN, JoystickMinY = INT32_MIN;
    int JoystickMaxX = INT32_MAX, JoystickMaxY = INT32_MAX;
    int MouseX = 0, MouseY = 0;
    int MouseTravelX = 0, MouseTravelY = 0;
    int MouseDeltaX = 0, MouseDeltaY = 0;
    int JoystickX = 0, JoystickY = 0;
    int JoystickTravelX = 0, JoystickTravelY = 0;
    int JoystickDeltaX = 0, JoystickDeltaY = 0;
    std::array<BYTE, InputCodeCount> KeyStates{};
    std::array<BYTE, InputCodeCount> RawKeys{};  // the keyboard's last read, by scan code, in the first 256
    std::array<DWORD, InputCodeCount> PressTime{};
    struct Point {
        int x = 0;
        int y = 0;
    };
    std::array<Point, InputCodeCount> PressPos{};
    std::array<BYTE, InputCodeCount> ShiftTable{};
    std::array<int, 256> KeyCodeTable{};

private:
    // Adds one read's movement, scaled, to a travel and a clamped position.
    static void Move(LONG dx, LONG dy, float sensitivity, int& travelX, int& travelY, int& x, int& y, int& deltaX,
                     int& deltaY, int minX, int minY, int maxX, int maxY);
};
