// Keyboard, mouse and joystick, as the layer used DirectInput 5: devices that
// are acquired for a window and then read whole (GetDeviceState) once a frame.
//
// The system devices read SDL's keyboard state, its summed relative mouse
// motion and the first SDL joystick. A device set to the foreground level can
// be acquired only while its window has the keyboard focus; losing the focus
// takes it away, and the next read fails, as it did on Windows. A device's
// first acquisition gives a window that is on screen up to a second to get
// the focus the window system is about to hand it.
//
// Tests put their own DirectInput in place with plat::SetDirectInputFactory.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/win32types.h"
#include "platform/window_handle.h"

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
inline constexpr HRESULT DIERR_OBJECTNOTFOUND = MakeResult(0x80070002u);
inline constexpr HRESULT DIERR_OTHERAPPHASPRIO = MakeResult(0x80070005u);
inline constexpr HRESULT DIERR_NOTACQUIRED = MakeResult(0x8007000Cu);
inline constexpr HRESULT DIERR_NOTINITIALIZED = MakeResult(0x80070015u);
inline constexpr HRESULT DIERR_INPUTLOST = MakeResult(0x8007001Eu);
inline constexpr HRESULT DIERR_INVALIDPARAM = E_INVALIDARG;
inline constexpr HRESULT DIERR_ACQUIRED = MakeResult(0x800700AAu);
inline constexpr HRESULT DIERR_OLDDIRECTINPUTVERSION = MakeResult(0x8007047Eu);
inline constexpr HRESULT DIERR_NOINTERFACE = MakeResult(0x80004002u);
inline constexpr HRESULT DIERR_NOAGGREGATION = CLASS_E_NOAGGREGATION;
inline constexpr HRESULT DIERR_DEVICENOTREG = MakeResult(0x80040154u);
inline constexpr HRESULT DIERR_UNSUPPORTED = E_NOTIMPL;

inline constexpr DWORD DISCL_EXCLUSIVE = 0x1;
inline constexpr DWORD DISCL_NONEXCLUSIVE = 0x2;
inline constexpr DWORD DISCL_FOREGROUND = 0x4;
inline constexpr DWORD DISCL_BACKGROUND = 0x8;

inline constexpr DWORD DIDEVTYPE_DEVICE = 1;
inline constexpr DWORD DIDEVTYPE_MOUSE = 2;
inline constexpr DWORD DIDEVTYPE_KEYBOARD = 3;
inline constexpr DWORD DIDEVTYPE_JOYSTICK = 4;

inline constexpr DWORD DIEDFL_ALLDEVICES = 0;
inline constexpr DWORD DIEDFL_ATTACHEDONLY = 1;

inline constexpr BOOL DIENUM_STOP = 0;
inline constexpr BOOL DIENUM_CONTINUE = 1;

// The layout a device's GetDeviceState fills. Only the three predefined ones
// exist; they are told apart by their size.
struct DIDATAFORMAT {
    DWORD dwSize;
    DWORD dwObjSize;
    DWORD dwFlags;
    DWORD dwDataSize;
    DWORD dwNumObjs;
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
    LONG rglSlider[2] = {};
    DWORD rgdwPOV[4] = {};
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
inline constexpr DIPROPID DIPROP_RANGE = 4;
inline constexpr DIPROPID DIPROP_DEADZONE = 5;
inline constexpr DIPROPID DIPROP_SATURATION = 6;

inline constexpr DWORD DIPH_DEVICE = 0;
inline constexpr DWORD DIPH_BYOFFSET = 1;

// Offsets of the axes in DIJOYSTATE.
inline constexpr DWORD DIJOFS_X = 0;
inline constexpr DWORD DIJOFS_Y = 4;
inline constexpr DWORD DIJOFS_Z = 8;
inline constexpr DWORD DIJOFS_RX = 12;
inline constexpr DWORD DIJOFS_RY = 16;
inline constexpr DWORD DIJOFS_RZ = 20;

struct DIDEVICEINSTANCEA {
    DWORD dwSize = 0;
    GUID guidInstance;
    GUID guidProduct;
    DWORD dwDevType = 0;
    char tszInstanceName[260] = {};
    char tszProductName[260] = {};
};
using LPDIENUMDEVICESCALLBACKA = BOOL (*)(const DIDEVICEINSTANCEA* instance, void* context);

// Scan codes of the keyboard (set 1; keys with an E0 prefix have bit 7 set).
inline constexpr BYTE DIK_ESCAPE = 0x01;
inline constexpr BYTE DIK_1 = 0x02;
inline constexpr BYTE DIK_2 = 0x03;
inline constexpr BYTE DIK_3 = 0x04;
inline constexpr BYTE DIK_4 = 0x05;
inline constexpr BYTE DIK_5 = 0x06;
inline constexpr BYTE DIK_6 = 0x07;
inline constexpr BYTE DIK_7 = 0x08;
inline constexpr BYTE DIK_8 = 0x09;
inline constexpr BYTE DIK_9 = 0x0A;
inline constexpr BYTE DIK_0 = 0x0B;
inline constexpr BYTE DIK_MINUS = 0x0C;
inline constexpr BYTE DIK_EQUALS = 0x0D;
inline constexpr BYTE DIK_BACK = 0x0E;
inline constexpr BYTE DIK_TAB = 0x0F;
inline constexpr BYTE DIK_Q = 0x10;
inline constexpr BYTE DIK_W = 0x11;
inline constexpr BYTE DIK_E = 0x12;
inline constexpr BYTE DIK_R = 0x13;
inline constexpr BYTE DIK_T = 0x14;
inline constexpr BYTE DIK_Y = 0x15;
inline constexpr BYTE DIK_U = 0x16;
inline constexpr BYTE DIK_I = 0x17;
inline constexpr BYTE DIK_O = 0x18;
inline constexpr BYTE DIK_P = 0x19;
inline constexpr BYTE DIK_LBRACKET = 0x1A;
inline constexpr BYTE DIK_RBRACKET = 0x1B;
inline constexpr BYTE DIK_RETURN = 0x1C;
inline constexpr BYTE DIK_LCONTROL = 0x1D;
inline constexpr BYTE DIK_A = 0x1E;
inline constexpr BYTE DIK_S = 0x1F;
inline constexpr BYTE DIK_D = 0x20;
inline constexpr BYTE DIK_F = 0x21;
inline constexpr BYTE DIK_G = 0x22;
inline constexpr BYTE DIK_H = 0x23;
inline constexpr BYTE DIK_J = 0x24;
inline constexpr BYTE DIK_K = 0x25;
inline constexpr BYTE DIK_L = 0x26;
inline constexpr BYTE DIK_SEMICOLON = 0x27;
inline constexpr BYTE DIK_APOSTROPHE = 0x28;
inline constexpr BYTE DIK_GRAVE = 0x29;
inline constexpr BYTE DIK_LSHIFT = 0x2A;
inline constexpr BYTE DIK_BACKSLASH = 0x2B;
inline constexpr BYTE DIK_Z = 0x2C;
inline constexpr BYTE DIK_X = 0x2D;
inline constexpr BYTE DIK_C = 0x2E;
inline constexpr BYTE DIK_V = 0x2F;
inline constexpr BYTE DIK_B = 0x30;
inline constexpr BYTE DIK_N = 0x31;
inline constexpr BYTE DIK_M = 0x32;
inline constexpr BYTE DIK_COMMA = 0x33;
inline constexpr BYTE DIK_PERIOD = 0x34;
inline constexpr BYTE DIK_SLASH = 0x35;
inline constexpr BYTE DIK_RSHIFT = 0x36;
inline constexpr BYTE DIK_MULTIPLY = 0x37;
inline constexpr BYTE DIK_LMENU = 0x38;
inline constexpr BYTE DIK_SPACE = 0x39;
inline constexpr BYTE DIK_CAPITAL = 0x3A;
inline constexpr BYTE DIK_F1 = 0x3B;
inline constexpr BYTE DIK_F2 = 0x3C;
inline constexpr BYTE DIK_F3 = 0x3D;
inline constexpr BYTE DIK_F4 = 0x3E;
inline constexpr BYTE DIK_F5 = 0x3F;
inline constexpr BYTE DIK_F6 = 0x40;
inline constexpr BYTE DIK_F7 = 0x41;
inline constexpr BYTE DIK_F8 = 0x42;
inline constexpr BYTE DIK_F9 = 0x43;
inline constexpr BYTE DIK_F10 = 0x44;
inline constexpr BYTE DIK_NUMLOCK = 0x45;
inline constexpr BYTE DIK_SCROLL = 0x46;
inline constexpr BYTE DIK_NUMPAD7 = 0x47;
inline constexpr BYTE DIK_NUMPAD8 = 0x48;
inline constexpr BYTE DIK_NUMPAD9 = 0x49;
inline constexpr BYTE DIK_SUBTRACT = 0x4A;
inline constexpr BYTE DIK_NUMPAD4 = 0x4B;
inline constexpr BYTE DIK_NUMPAD5 = 0x4C;
inline constexpr BYTE DIK_NUMPAD6 = 0x4D;
inline constexpr BYTE DIK_ADD = 0x4E;
inline constexpr BYTE DIK_NUMPAD1 = 0x4F;
inline constexpr BYTE DIK_NUMPAD2 = 0x50;
inline constexpr BYTE DIK_NUMPAD3 = 0x51;
inline constexpr BYTE DIK_NUMPAD0 = 0x52;
inline constexpr BYTE DIK_DECIMAL = 0x53;
inline constexpr BYTE DIK_OEM_102 = 0x56;
inline constexpr BYTE DIK_F11 = 0x57;
inline constexpr BYTE DIK_F12 = 0x58;
inline constexpr BYTE DIK_NUMPADENTER = 0x9C;
inline constexpr BYTE DIK_RCONTROL = 0x9D;
inline constexpr BYTE DIK_DIVIDE = 0xB5;
inline constexpr BYTE DIK_SYSRQ = 0xB7;
inline constexpr BYTE DIK_RMENU = 0xB8;
inline constexpr BYTE DIK_PAUSE = 0xC5;
inline constexpr BYTE DIK_HOME = 0xC7;
inline constexpr BYTE DIK_UP = 0xC8;
inline constexpr BYTE DIK_PRIOR = 0xC9;
inline constexpr BYTE DIK_LEFT = 0xCB;
inline constexpr BYTE DIK_RIGHT = 0xCD;
inline constexpr BYTE DIK_END = 0xCF;
inline constexpr BYTE DIK_DOWN = 0xD0;
inline constexpr BYTE DIK_NEXT = 0xD1;
inline constexpr BYTE DIK_INSERT = 0xD2;
inline constexpr BYTE DIK_DELETE = 0xD3;
inline constexpr BYTE DIK_LWIN = 0xDB;
inline constexpr BYTE DIK_RWIN = 0xDC;
inline constexpr BYTE DIK_APPS = 0xDD;

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
