// Keyboard, mouse and joystick, as the layer used DirectInput 5: devices that
// are acquired for a window and then read whole (GetDeviceState) once a frame.
//
// The system devices read SDL's keyboard state, its summed relative mouse
// motion and the first SDL joystick. A device set to the foreground level can
// be acquired only while its window has the keyboard focus; losing the focus
// takes it away, and the next read fails, as it did on Windows. A device's
// first acquisition gives a window that is on screen up to a second (on
// timeGetTime's clock) to get the focus the window system is about to hand it.
//
// Tests put their own DirectInput in place with plat::SetDirectInputFactory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/system/win32types.h"
#include "platform/system/window_handle.h"

struct GUID {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::uint8_t Data4[8] = {};
};
inline bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}

extern const GUID GUID_SysMouse;
extern const GUID GUID_SysKeyboard;
extern const GUID IID_IDirectInputDevice2;

inline constexpr DWORD DIRECTINPUT_VERSION = 0x0500;

inline constexpr HRESULT DI_OK = S_OK;
inline constexpr HRESULT DI_NOEFFECT = S_FALSE;
// Our own input failure codes; a few are the general ones.
inline constexpr HRESULT MakeDirectInputResult(unsigned code) { return MakeResult(0x88B40000u + code); }
inline constexpr HRESULT DIERR_OBJECTNOTFOUND = MakeDirectInputResult(1);
inline constexpr HRESULT DIERR_OTHERAPPHASPRIO = MakeDirectInputResult(2);
inline constexpr HRESULT DIERR_NOTACQUIRED = MakeDirectInputResult(3);
inline constexpr HRESULT DIERR_NOTINITIALIZED = MakeDirectInputResult(4);
inline constexpr HRESULT DIERR_INPUTLOST = MakeDirectInputResult(5);
inline constexpr HRESULT DIERR_INVALIDPARAM = E_INVALIDARG;
inline constexpr HRESULT DIERR_ACQUIRED = MakeDirectInputResult(6);
inline constexpr HRESULT DIERR_OLDDIRECTINPUTVERSION = MakeDirectInputResult(7);
inline constexpr HRESULT DIERR_NOINTERFACE = E_NOINTERFACE;
inline constexpr HRESULT DIERR_NOAGGREGATION = CLASS_E_NOAGGREGATION;
inline constexpr HRESULT DIERR_DEVICENOTREG = MakeDirectInputResult(8);
inline constexpr HRESULT DIERR_UNSUPPORTED = E_NOTIMPL;

// Our own flag and identifier values.
inline constexpr DWORD DISCL_EXCLUSIVE = 0x00000010;
inline constexpr DWORD DISCL_NONEXCLUSIVE = 0x00000020;
inline constexpr DWORD DISCL_FOREGROUND = 0x00000040;
inline constexpr DWORD DISCL_BACKGROUND = 0x00000080;

inline constexpr DWORD DIDEVTYPE_DEVICE = 11;
inline constexpr DWORD DIDEVTYPE_MOUSE = 12;
inline constexpr DWORD DIDEVTYPE_KEYBOARD = 13;
inline constexpr DWORD DIDEVTYPE_JOYSTICK = 14;

inline constexpr DWORD DIEDFL_ALLDEVICES = 1;
inline constexpr DWORD DIEDFL_ATTACHEDONLY = 2;

inline constexpr BOOL DIENUM_CONTINUE = 3;
inline constexpr BOOL DIENUM_STOP = 4;

// The layout a device's GetDeviceState fills. Only the three predefined ones
// exist; they are told apart by their size.
struct DIDATAFORMAT {
    DWORD dwDataSize;
};
extern const DIDATAFORMAT c_dfDIKeyboard;  // 256 key bytes by scan code
extern const DIDATAFORMAT c_dfDIMouse;     // DIMOUSESTATE
extern const DIDATAFORMAT c_dfDIJoystick;  // DIJOYSTATE

struct DIMOUSESTATE {
    LONG lX = 0;
    LONG lY = 0;
    LONG lZ = 0;
    BYTE rgbButtons[4] = {};
};

struct DIJOYSTATE {
    LONG lX = 0;
    LONG lY = 0;
    LONG lZ = 0;
    LONG lRx = 0;
    LONG lRy = 0;
    LONG lRz = 0;
    BYTE rgbButtons[32] = {};
};

struct DIPROPHEADER {
    DWORD dwSize = 0;
    DWORD dwHeaderSize = 0;
    DWORD dwObj = 0;
    DWORD dwHow = 0;
};
struct DIPROPRANGE {
    DIPROPHEADER diph;
    LONG lMin = 0;
    LONG lMax = 0;
};
struct DIPROPDWORD {
    DIPROPHEADER diph;
    DWORD dwData = 0;
};

// Properties are named by number.
using DIPROPID = int;
inline constexpr DIPROPID DIPROP_RANGE = 1;
inline constexpr DIPROPID DIPROP_DEADZONE = 2;
inline constexpr DIPROPID DIPROP_SATURATION = 3;

inline constexpr DWORD DIPH_DEVICE = 1;
inline constexpr DWORD DIPH_BYOFFSET = 2;

// Offsets of the axes in DIJOYSTATE.
inline constexpr DWORD DIJOFS_X = offsetof(DIJOYSTATE, lX);
inline constexpr DWORD DIJOFS_Y = offsetof(DIJOYSTATE, lY);
inline constexpr DWORD DIJOFS_Z = offsetof(DIJOYSTATE, lZ);
inline constexpr DWORD DIJOFS_RX = offsetof(DIJOYSTATE, lRx);
inline constexpr DWORD DIJOFS_RY = offsetof(DIJOYSTATE, lRy);
inline constexpr DWORD DIJOFS_RZ = offsetof(DIJOYSTATE, lRz);

struct DIDEVICEINSTANCEA {
    GUID guidInstance;
    DWORD dwDevType = 0;
    char tszInstanceName[64] = {};
};
using LPDIENUMDEVICESCALLBACKA = BOOL (*)(const DIDEVICEINSTANCEA* instance, void* context);

// Our own key numbers, the indexes of the keyboard state's 256 bytes: the
// letters, the digits and the function keys first, then the other keys.
// 0 is no key.
inline constexpr BYTE DIK_A = 1;
inline constexpr BYTE DIK_B = 2;
inline constexpr BYTE DIK_C = 3;
inline constexpr BYTE DIK_D = 4;
inline constexpr BYTE DIK_E = 5;
inline constexpr BYTE DIK_F = 6;
inline constexpr BYTE DIK_G = 7;
inline constexpr BYTE DIK_H = 8;
inline constexpr BYTE DIK_I = 9;
inline constexpr BYTE DIK_J = 10;
inline constexpr BYTE DIK_K = 11;
inline constexpr BYTE DIK_L = 12;
inline constexpr BYTE DIK_M = 13;
inline constexpr BYTE DIK_N = 14;
inline constexpr BYTE DIK_O = 15;
inline constexpr BYTE DIK_P = 16;
inline constexpr BYTE DIK_Q = 17;
inline constexpr BYTE DIK_R = 18;
inline constexpr BYTE DIK_S = 19;
inline constexpr BYTE DIK_T = 20;
inline constexpr BYTE DIK_U = 21;
inline constexpr BYTE DIK_V = 22;
inline constexpr BYTE DIK_W = 23;
inline constexpr BYTE DIK_X = 24;
inline constexpr BYTE DIK_Y = 25;
inline constexpr BYTE DIK_Z = 26;
inline constexpr BYTE DIK_0 = 27;
inline constexpr BYTE DIK_1 = 28;
inline constexpr BYTE DIK_2 = 29;
inline constexpr BYTE DIK_3 = 30;
inline constexpr BYTE DIK_4 = 31;
inline constexpr BYTE DIK_5 = 32;
inline constexpr BYTE DIK_6 = 33;
inline constexpr BYTE DIK_7 = 34;
inline constexpr BYTE DIK_8 = 35;
inline constexpr BYTE DIK_9 = 36;
inline constexpr BYTE DIK_F1 = 37;
inline constexpr BYTE DIK_F2 = 38;
inline constexpr BYTE DIK_F3 = 39;
inline constexpr BYTE DIK_F4 = 40;
inline constexpr BYTE DIK_F5 = 41;
inline constexpr BYTE DIK_F6 = 42;
inline constexpr BYTE DIK_F7 = 43;
inline constexpr BYTE DIK_F8 = 44;
inline constexpr BYTE DIK_F9 = 45;
inline constexpr BYTE DIK_F10 = 46;
inline constexpr BYTE DIK_F11 = 47;
inline constexpr BYTE DIK_F12 = 48;
inline constexpr BYTE DIK_ESCAPE = 49;
inline constexpr BYTE DIK_MINUS = 50;
inline constexpr BYTE DIK_EQUALS = 51;
inline constexpr BYTE DIK_BACK = 52;
inline constexpr BYTE DIK_TAB = 53;
inline constexpr BYTE DIK_LBRACKET = 54;
inline constexpr BYTE DIK_RBRACKET = 55;
inline constexpr BYTE DIK_RETURN = 56;
inline constexpr BYTE DIK_LCONTROL = 57;
inline constexpr BYTE DIK_SEMICOLON = 58;
inline constexpr BYTE DIK_APOSTROPHE = 59;
inline constexpr BYTE DIK_GRAVE = 60;
inline constexpr BYTE DIK_LSHIFT = 61;
inline constexpr BYTE DIK_BACKSLASH = 62;
inline constexpr BYTE DIK_COMMA = 63;
inline constexpr BYTE DIK_PERIOD = 64;
inline constexpr BYTE DIK_SLASH = 65;
inline constexpr BYTE DIK_RSHIFT = 66;
inline constexpr BYTE DIK_MULTIPLY = 67;
inline constexpr BYTE DIK_LMENU = 68;
inline constexpr BYTE DIK_SPACE = 69;
inline constexpr BYTE DIK_CAPITAL = 70;
inline constexpr BYTE DIK_NUMLOCK = 71;
inline constexpr BYTE DIK_SCROLL = 72;
inline constexpr BYTE DIK_NUMPAD7 = 73;
inline constexpr BYTE DIK_NUMPAD8 = 74;
inline constexpr BYTE DIK_NUMPAD9 = 75;
inline constexpr BYTE DIK_SUBTRACT = 76;
inline constexpr BYTE DIK_NUMPAD4 = 77;
inline constexpr BYTE DIK_NUMPAD5 = 78;
inline constexpr BYTE DIK_NUMPAD6 = 79;
inline constexpr BYTE DIK_ADD = 80;
inline constexpr BYTE DIK_NUMPAD1 = 81;
inline constexpr BYTE DIK_NUMPAD2 = 82;
inline constexpr BYTE DIK_NUMPAD3 = 83;
inline constexpr BYTE DIK_NUMPAD0 = 84;
inline constexpr BYTE DIK_DECIMAL = 85;
inline constexpr BYTE DIK_OEM_102 = 86;
inline constexpr BYTE DIK_NUMPADENTER = 87;
inline constexpr BYTE DIK_RCONTROL = 88;
inline constexpr BYTE DIK_DIVIDE = 89;
inline constexpr BYTE DIK_SYSRQ = 90;
inline constexpr BYTE DIK_RMENU = 91;
inline constexpr BYTE DIK_PAUSE = 92;
inline constexpr BYTE DIK_HOME = 93;
inline constexpr BYTE DIK_UP = 94;
inline constexpr BYTE DIK_PRIOR = 95;
inline constexpr BYTE DIK_LEFT = 96;
inline constexpr BYTE DIK_RIGHT = 97;
inline constexpr BYTE DIK_END = 98;
inline constexpr BYTE DIK_DOWN = 99;
inline constexpr BYTE DIK_NEXT = 100;
inline constexpr BYTE DIK_INSERT = 101;
inline constexpr BYTE DIK_DELETE = 102;
inline constexpr BYTE DIK_LWIN = 103;
inline constexpr BYTE DIK_RWIN = 104;
inline constexpr BYTE DIK_APPS = 105;

class IDirectInputDevice;
class IDirectInputDevice2;
class IDirectInput;
using LPDIRECTINPUTDEVICE = std::shared_ptr<IDirectInputDevice>;
using LPDIRECTINPUTDEVICE2 = std::shared_ptr<IDirectInputDevice2>;
using LPDIRECTINPUT = std::shared_ptr<IDirectInput>;

// A device. Releasing it is dropping the last reference; devices are always
// made by std::make_shared, so QueryInterface can hand out another reference.
class IDirectInputDevice : public std::enable_shared_from_this<IDirectInputDevice> {
public:
    virtual ~IDirectInputDevice() = default;
    virtual HRESULT SetDataFormat(const DIDATAFORMAT* format) = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT Acquire() = 0;
    virtual HRESULT Unacquire() = 0;
    virtual HRESULT GetDeviceState(DWORD size, void* data) = 0;
    virtual HRESULT SetProperty(DIPROPID property, const DIPROPHEADER* header) = 0;
    // IID_IDirectInputDevice2 gives the same device as IDirectInputDevice2
    // when it is one.
    virtual HRESULT QueryInterface(const GUID& iid, LPDIRECTINPUTDEVICE2* out);
};

class IDirectInputDevice2 : public IDirectInputDevice {
public:
    virtual HRESULT Poll() = 0;
};

class IDirectInput {
public:
    virtual ~IDirectInput() = default;
    virtual HRESULT CreateDevice(const GUID& guid, LPDIRECTINPUTDEVICE* out, void* outer) = 0;
    virtual HRESULT EnumDevices(DWORD type, LPDIENUMDEVICESCALLBACKA callback, void* context, DWORD flags) = 0;
};

HRESULT DirectInputCreateA(HINSTANCE instance, DWORD version, LPDIRECTINPUT* out, void* outer);

namespace plat {

// Makes DirectInputCreateA hand out what `factory` makes; an empty function
// goes back to the SDL devices.
using DirectInputFactory = std::function<HRESULT(LPDIRECTINPUT*)>;
void SetDirectInputFactory(DirectInputFactory factory);

// The scan code of an SDL scancode, 0 for keys the keyboard state leaves out.
BYTE ScanCodeFromSdlScancode(int sdlScancode);

// An SDL axis value (-32768..32767) as a device with the given range, dead
// zone and saturation (0.01 % of the half range each) reports it.
LONG ScaleJoystickAxis(int raw, LONG min, LONG max, DWORD deadZone, DWORD saturation);

}  // namespace plat
