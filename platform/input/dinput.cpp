#include "platform/input/dinput.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/system/systime.h"

// Our own identifiers for the two system devices and the second device interface.
const GUID GUID_SysMouse = {0x56544D31, 0x0001, 0x0001, {'V', 'a', 'n', 't', 'o', 'r', 'r', 'a'}};
const GUID GUID_SysKeyboard = {0x56544B31, 0x0001, 0x0001, {'V', 'a', 'n', 't', 'o', 'r', 'r', 'a'}};
const GUID IID_IDirectInputDevice2 = {0x56544432, 0x0001, 0x0001, {'V', 'a', 'n', 't', 'o', 'r', 'r', 'a'}};

const DIDATAFORMAT c_dfDIKeyboard = {256};
const DIDATAFORMAT c_dfDIMouse = {sizeof(DIMOUSESTATE)};
const DIDATAFORMAT c_dfDIJoystick = {sizeof(DIJOYSTATE)};

HRESULT IDirectInputDevice::QueryInterface(const GUID& iid, LPDIRECTINPUTDEVICE2* out) {
    if (!out) return DIERR_INVALIDPARAM;
    out->reset();
    if (!(iid == IID_IDirectInputDevice2)) return DIERR_NOINTERFACE;
    std::shared_ptr<IDirectInputDevice> self = weak_from_this().lock();
    auto device2 = std::dynamic_pointer_cast<IDirectInputDevice2>(self);
    if (!device2) return DIERR_NOINTERFACE;
    *out = std::move(device2);
    return DI_OK;
}

namespace plat {

BYTE ScanCodeFromSdlScancode(int sdlScancode) {
    switch (sdlScancode) {
        case SDL_SCANCODE_ESCAPE: return DIK_ESCAPE;
        case SDL_SCANCODE_1: return DIK_1;
        case SDL_SCANCODE_2: return DIK_2;
        case SDL_SCANCODE_3: return DIK_3;
        case SDL_SCANCODE_4: return DIK_4;
        case SDL_SCANCODE_5: return DIK_5;
        case SDL_SCANCODE_6: return DIK_6;
        case SDL_SCANCODE_7: return DIK_7;
        case SDL_SCANCODE_8: return DIK_8;
        case SDL_SCANCODE_9: return DIK_9;
        case SDL_SCANCODE_0: return DIK_0;
        case SDL_SCANCODE_MINUS: return DIK_MINUS;
        case SDL_SCANCODE_EQUALS: return DIK_EQUALS;
        case SDL_SCANCODE_BACKSPACE: return DIK_BACK;
        case SDL_SCANCODE_TAB: return DIK_TAB;
        case SDL_SCANCODE_Q: return DIK_Q;
        case SDL_SCANCODE_W: return DIK_W;
        case SDL_SCANCODE_E: return DIK_E;
        case SDL_SCANCODE_R: return DIK_R;
        case SDL_SCANCODE_T: return DIK_T;
        case SDL_SCANCODE_Y: return DIK_Y;
        case SDL_SCANCODE_U: return DIK_U;
        case SDL_SCANCODE_I: return DIK_I;
        case SDL_SCANCODE_O: return DIK_O;
        case SDL_SCANCODE_P: return DIK_P;
        case SDL_SCANCODE_LEFTBRACKET: return DIK_LBRACKET;
        case SDL_SCANCODE_RIGHTBRACKET: return DIK_RBRACKET;
        case SDL_SCANCODE_RETURN: return DIK_RETURN;
        case SDL_SCANCODE_LCTRL: return DIK_LCONTROL;
        case SDL_SCANCODE_A: return DIK_A;
        case SDL_SCANCODE_S: return DIK_S;
        case SDL_SCANCODE_D: return DIK_D;
        case SDL_SCANCODE_F: return DIK_F;
        case SDL_SCANCODE_G: return DIK_G;
        case SDL_SCANCODE_H: return DIK_H;
        case SDL_SCANCODE_J: return DIK_J;
        case SDL_SCANCODE_K: return DIK_K;
        case SDL_SCANCODE_L: return DIK_L;
        case SDL_SCANCODE_SEMICOLON: return DIK_SEMICOLON;
        case SDL_SCANCODE_APOSTROPHE: return DIK_APOSTROPHE;
        case SDL_SCANCODE_GRAVE: return DIK_GRAVE;
        case SDL_SCANCODE_LSHIFT: return DIK_LSHIFT;
        case SDL_SCANCODE_BACKSLASH: return DIK_BACKSLASH;
        case SDL_SCANCODE_NONUSHASH: return DIK_BACKSLASH;
        case SDL_SCANCODE_Z: return DIK_Z;
        case SDL_SCANCODE_X: return DIK_X;
        case SDL_SCANCODE_C: return DIK_C;
        case SDL_SCANCODE_V: return DIK_V;
        case SDL_SCANCODE_B: return DIK_B;
        case SDL_SCANCODE_N: return DIK_N;
        case SDL_SCANCODE_M: return DIK_M;
        case SDL_SCANCODE_COMMA: return DIK_COMMA;
        case SDL_SCANCODE_PERIOD: return DIK_PERIOD;
        case SDL_SCANCODE_SLASH: return DIK_SLASH;
        case SDL_SCANCODE_RSHIFT: return DIK_RSHIFT;
        case SDL_SCANCODE_KP_MULTIPLY: return DIK_MULTIPLY;
        case SDL_SCANCODE_LALT: return DIK_LMENU;
        case SDL_SCANCODE_SPACE: return DIK_SPACE;
        case SDL_SCANCODE_CAPSLOCK: return DIK_CAPITAL;
        case SDL_SCANCODE_F1: return DIK_F1;
        case SDL_SCANCODE_F2: return DIK_F2;
        case SDL_SCANCODE_F3: return DIK_F3;
        case SDL_SCANCODE_F4: return DIK_F4;
        case SDL_SCANCODE_F5: return DIK_F5;
        case SDL_SCANCODE_F6: return DIK_F6;
        case SDL_SCANCODE_F7: return DIK_F7;
        case SDL_SCANCODE_F8: return DIK_F8;
        case SDL_SCANCODE_F9: return DIK_F9;
        case SDL_SCANCODE_F10: return DIK_F10;
        case SDL_SCANCODE_NUMLOCKCLEAR: return DIK_NUMLOCK;
        case SDL_SCANCODE_SCROLLLOCK: return DIK_SCROLL;
        case SDL_SCANCODE_KP_7: return DIK_NUMPAD7;
        case SDL_SCANCODE_KP_8: return DIK_NUMPAD8;
        case SDL_SCANCODE_KP_9: return DIK_NUMPAD9;
        case SDL_SCANCODE_KP_MINUS: return DIK_SUBTRACT;
        case SDL_SCANCODE_KP_4: return DIK_NUMPAD4;
        case SDL_SCANCODE_KP_5: return DIK_NUMPAD5;
        case SDL_SCANCODE_KP_6: return DIK_NUMPAD6;
        case SDL_SCANCODE_KP_PLUS: return DIK_ADD;
        case SDL_SCANCODE_KP_1: return DIK_NUMPAD1;
        case SDL_SCANCODE_KP_2: return DIK_NUMPAD2;
        case SDL_SCANCODE_KP_3: return DIK_NUMPAD3;
        case SDL_SCANCODE_KP_0: return DIK_NUMPAD0;
        case SDL_SCANCODE_KP_PERIOD: return DIK_DECIMAL;
        case SDL_SCANCODE_NONUSBACKSLASH: return DIK_OEM_102;
        case SDL_SCANCODE_F11: return DIK_F11;
        case SDL_SCANCODE_F12: return DIK_F12;
        case SDL_SCANCODE_KP_ENTER: return DIK_NUMPADENTER;
        case SDL_SCANCODE_RCTRL: return DIK_RCONTROL;
        case SDL_SCANCODE_KP_DIVIDE: return DIK_DIVIDE;
        case SDL_SCANCODE_PRINTSCREEN: return DIK_SYSRQ;
        case SDL_SCANCODE_RALT: return DIK_RMENU;
        case SDL_SCANCODE_PAUSE: return DIK_PAUSE;
        case SDL_SCANCODE_HOME: return DIK_HOME;
        case SDL_SCANCODE_UP: return DIK_UP;
        case SDL_SCANCODE_PAGEUP: return DIK_PRIOR;
        case SDL_SCANCODE_LEFT: return DIK_LEFT;
        case SDL_SCANCODE_RIGHT: return DIK_RIGHT;
        case SDL_SCANCODE_END: return DIK_END;
        case SDL_SCANCODE_DOWN: return DIK_DOWN;
        case SDL_SCANCODE_PAGEDOWN: return DIK_NEXT;
        case SDL_SCANCODE_INSERT: return DIK_INSERT;
        case SDL_SCANCODE_DELETE: return DIK_DELETE;
        case SDL_SCANCODE_LGUI: return DIK_LWIN;
        case SDL_SCANCODE_RGUI: return DIK_RWIN;
        case SDL_SCANCODE_APPLICATION: return DIK_APPS;
        default: return 0;
    }
}

LONG ScaleJoystickAxis(int raw, LONG min, LONG max, DWORD deadZone, DWORD saturation) {
    const double norm = std::clamp(raw / 32767.0, -1.0, 1.0);
    const double magnitude = std::fabs(norm) * 10000.0;
    const double dz = std::min<double>(deadZone, 10000.0);
    const double sat = std::clamp<double>(saturation, dz, 10000.0);
    double scaled;  // 0..1 of the half range
    if (magnitude <= dz)
        scaled = 0.0;
    else if (magnitude >= sat)
        scaled = 1.0;
    else
        scaled = (magnitude - dz) / (sat - dz);
    const double half = (static_cast<double>(max) - static_cast<double>(min)) / 2.0;
    const double centre = (static_cast<double>(max) + static_cast<double>(min)) / 2.0;
    const double value = centre + (norm < 0 ? -scaled : scaled) * half;
    return static_cast<LONG>(std::clamp(std::lround(value), static_cast<long>(min), static_cast<long>(max)));
}

namespace {

DirectInputFactory& Factory() {
    static DirectInputFactory factory;
    return factory;
}

// Whether `window` is the one with the keyboard focus. A handle without an
// SDL window stands for the program's window in general: then any window of
// the program with the focus counts.
bool HasFocus(HWND window) {
    SDL_Window* focus = SDL_GetKeyboardFocus();
    if (!focus) {
        // A focus change may still wait in the window system's queue.
        SDL_PumpEvents();
        focus = SDL_GetKeyboardFocus();
    }
    if (!focus || !window) return false;
    if (SDL_Window* native = window->NativeWindow()) return focus == native;
    return true;
}

// How long a device's first acquisition waits for a shown window to get the
// focus, and how often it looks. The window system hands the focus to a
// window some time after it is shown or goes full-screen; the devices are
// made and acquired right after that, when on Windows the window was already
// the active one.
constexpr DWORD kFirstFocusWaitMs = 1000;
constexpr Uint32 kFocusLookMs = 5;

// Waits, pumping the window system's events, until `window` has the focus or
// the wait is over. Only a real window that is on screen is waited for. The
// wait is measured on timeGetTime's clock; it also ends after as many looks
// as fit in it, so a clock put in place that stands still cannot make it
// endless.
bool AwaitFocus(HWND window) {
    SDL_Window* native = window ? window->NativeWindow() : nullptr;
    if (!native) return false;
    const Uint32 flags = SDL_GetWindowFlags(native);
    if (!(flags & SDL_WINDOW_SHOWN) || (flags & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED))) return false;
    const DWORD start = timeGetTime();
    for (DWORD looks = 0; looks < kFirstFocusWaitMs / kFocusLookMs && timeGetTime() - start < kFirstFocusWaitMs;
         ++looks) {
        SDL_Delay(kFocusLookMs);
        SDL_PumpEvents();
        if (HasFocus(window)) return true;
    }
    return false;
}

// Keeps SDL's joystick service up while a DirectInput object or a joystick
// device lives.
struct JoystickService {
    JoystickService() : Up(SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0) {}
    ~JoystickService() {
        if (Up) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    JoystickService(const JoystickService&) = delete;
    JoystickService& operator=(const JoystickService&) = delete;
    bool Up;
};

constexpr std::uint32_t kJoystickTag = 0x4A4F5953;  // the instance GUIDs of joysticks

// What every SDL-backed device shares: the data format, the cooperative
// level and the acquired state, lost with the window's focus.
class SdlDevice : public IDirectInputDevice2 {
public:
    explicit SdlDevice(const DIDATAFORMAT& format) : format_(format) {}

    HRESULT SetDataFormat(const DIDATAFORMAT* format) override {
        if (acquired_) return DIERR_ACQUIRED;
        if (!format || format->dwDataSize != format_.dwDataSize) return DIERR_INVALIDPARAM;
        formatSet_ = true;
        return DI_OK;
    }

    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override {
        const bool exclusive = flags & DISCL_EXCLUSIVE, nonexclusive = flags & DISCL_NONEXCLUSIVE;
        const bool foreground = flags & DISCL_FOREGROUND, background = flags & DISCL_BACKGROUND;
        if (exclusive == nonexclusive || foreground == background) return DIERR_INVALIDPARAM;
        if (foreground && !window) return DIERR_INVALIDPARAM;
        if (acquired_) return DIERR_ACQUIRED;
        window_ = window;
        flags_ = flags;
        return DI_OK;
    }

    HRESULT Acquire() override {
        if (!formatSet_) return DIERR_INVALIDPARAM;
        if (acquired_) return DI_NOEFFECT;
        const bool first = !triedAcquire_;
        triedAcquire_ = true;
        // Only the first attempt waits for the focus; a device taken away
        // later is refused at once, as long as the window lacks the focus.
        if ((flags_ & DISCL_FOREGROUND) && !HasFocus(window_) && !(first && AwaitFocus(window_)))
            return DIERR_OTHERAPPHASPRIO;
        acquired_ = true;
        OnAcquire();
        return DI_OK;
    }

    HRESULT Unacquire() override {
        if (!acquired_) return DI_NOEFFECT;
        acquired_ = false;
        OnUnacquire();
        return DI_OK;
    }

    HRESULT GetDeviceState(DWORD size, void* data) override {
        if (!data || size != format_.dwDataSize) return DIERR_INVALIDPARAM;
        if (!acquired_) return DIERR_NOTACQUIRED;
        if ((flags_ & DISCL_FOREGROUND) && !HasFocus(window_)) {
            Unacquire();
            return DIERR_INPUTLOST;
        }
        std::memset(data, 0, size);
        Read(data);
        return DI_OK;
    }

    HRESULT SetProperty(DIPROPID, const DIPROPHEADER* header) override {
        return header ? DIERR_UNSUPPORTED : DIERR_INVALIDPARAM;
    }

    HRESULT Poll() override { return acquired_ ? DI_NOEFFECT : DIERR_NOTACQUIRED; }

protected:
    virtual void OnAcquire() {}
    virtual void OnUnacquire() {}
    virtual void Read(void* data) = 0;
    bool Exclusive() const { return (flags_ & DISCL_EXCLUSIVE) != 0; }
    bool Acquired() const { return acquired_; }

private:
    DIDATAFORMAT format_;
    bool formatSet_ = false;
    bool acquired_ = false;
    bool triedAcquire_ = false;
    HWND window_ = nullptr;
    DWORD flags_ = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;
};

// The keys or buttons that went down since the last read, as SDL reports
// them while a device is acquired. A read takes them, so a key pressed and
// let go between two reads still reads as down for that one read.
class PressWatch {
public:
    explicit PressWatch(Uint32 downEvent) : downEvent_(downEvent) {}
    ~PressWatch() { Stop(); }
    PressWatch(const PressWatch&) = delete;
    PressWatch& operator=(const PressWatch&) = delete;

    // Presses from before belong to nobody.
    void Start() {
        for (auto& p : pressed_) p = false;
        if (!watching_) SDL_AddEventWatch(&PressWatch::OnEvent, this);
        watching_ = true;
    }
    void Stop() {
        if (watching_) SDL_DelEventWatch(&PressWatch::OnEvent, this);
        watching_ = false;
    }
    // Whether `index` (scancode or button) went down since the last take.
    bool Take(int index) {
        return index >= 0 && index < static_cast<int>(pressed_.size()) &&
               pressed_[static_cast<std::size_t>(index)].exchange(false);
    }

private:
    static int OnEvent(void* self, SDL_Event* event) {
        auto* watch = static_cast<PressWatch*>(self);
        if (event->type != watch->downEvent_) return 0;
        int index = -1;
        if (event->type == SDL_KEYDOWN && !event->key.repeat) index = event->key.keysym.scancode;
        if (event->type == SDL_MOUSEBUTTONDOWN) index = event->button.button;
        if (index >= 0 && index < static_cast<int>(watch->pressed_.size()))
            watch->pressed_[static_cast<std::size_t>(index)] = true;
        return 0;
    }

    Uint32 downEvent_;
    bool watching_ = false;
    std::array<std::atomic<bool>, SDL_NUM_SCANCODES> pressed_{};
};

class SdlKeyboard final : public SdlDevice {
public:
    SdlKeyboard() : SdlDevice(c_dfDIKeyboard) {}

protected:
    void OnAcquire() override { presses_.Start(); }
    void OnUnacquire() override { presses_.Stop(); }
    void Read(void* data) override {
        auto* keys = static_cast<BYTE*>(data);
        int count = 0;
        const Uint8* state = SDL_GetKeyboardState(&count);
        for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
            const bool held = state && sc < count && state[sc];
            if (presses_.Take(sc) || held)
                if (BYTE dik = ScanCodeFromSdlScancode(sc)) keys[dik] = 0x80;
        }
    }

private:
    PressWatch presses_{SDL_KEYDOWN};
};

// The system mouse: the motion SDL summed since the last read, and the
// buttons left, right, middle and the first extra one. The exclusive mouse is
// SDL's relative mode, which hides the pointer and keeps it in the window.
class SdlMouse final : public SdlDevice {
public:
    SdlMouse() : SdlDevice(c_dfDIMouse) {}
    ~SdlMouse() override {
        if (Acquired()) OnUnacquire();
    }

protected:
    void OnAcquire() override {
        if (Exclusive()) SDL_SetRelativeMouseMode(SDL_TRUE);
        SDL_GetRelativeMouseState(nullptr, nullptr);  // motion from before belongs to nobody
        presses_.Start();
    }
    void OnUnacquire() override {
        presses_.Stop();
        if (Exclusive()) SDL_SetRelativeMouseMode(SDL_FALSE);
    }
    void Read(void* data) override {
        auto* m = static_cast<DIMOUSESTATE*>(data);
        int dx = 0, dy = 0;
        const Uint32 buttons = SDL_GetRelativeMouseState(&dx, &dy);
        m->lX = dx;
        m->lY = dy;
        const int order[4] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1};
        for (int i = 0; i < 4; ++i)
            m->rgbButtons[i] = (presses_.Take(order[i]) || (buttons & SDL_BUTTON(order[i]))) ? 0x80 : 0;
    }

private:
    PressWatch presses_{SDL_MOUSEBUTTONDOWN};
};

class SdlJoystick final : public SdlDevice {
public:
    SdlJoystick(std::shared_ptr<JoystickService> service, SDL_Joystick* joystick)
        : SdlDevice(c_dfDIJoystick), service_(std::move(service)), joystick_(joystick) {}
    ~SdlJoystick() override {
        if (joystick_) SDL_JoystickClose(joystick_);
    }

    HRESULT SetProperty(DIPROPID property, const DIPROPHEADER* header) override {
        if (!header || header->dwHeaderSize != sizeof(DIPROPHEADER)) return DIERR_INVALIDPARAM;
        if (Acquired()) return DIERR_ACQUIRED;
        int first = 0, last = kAxes - 1;
        if (header->dwHow == DIPH_BYOFFSET) {
            if (header->dwObj % 4 != 0 || header->dwObj / 4 >= kAxes) return DIERR_OBJECTNOTFOUND;
            first = last = static_cast<int>(header->dwObj / 4);
        } else if (header->dwHow != DIPH_DEVICE || header->dwObj != 0) {
            return DIERR_INVALIDPARAM;
        }
        if (property == DIPROP_RANGE) {
            if (header->dwSize != sizeof(DIPROPRANGE)) return DIERR_INVALIDPARAM;
            const auto* r = reinterpret_cast<const DIPROPRANGE*>(header);
            if (r->lMin >= r->lMax) return DIERR_INVALIDPARAM;
            for (int a = first; a <= last; ++a) {
                axes_[a].min = r->lMin;
                axes_[a].max = r->lMax;
            }
            return DI_OK;
        }
        if (property == DIPROP_DEADZONE || property == DIPROP_SATURATION) {
            if (header->dwSize != sizeof(DIPROPDWORD)) return DIERR_INVALIDPARAM;
            const DWORD v = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
            if (v > 10000) return DIERR_INVALIDPARAM;
            for (int a = first; a <= last; ++a)
                (property == DIPROP_DEADZONE ? axes_[a].deadZone : axes_[a].saturation) = v;
            return DI_OK;
        }
        return DIERR_UNSUPPORTED;
    }

    HRESULT Poll() override {
        if (!Acquired()) return DIERR_NOTACQUIRED;
        SDL_JoystickUpdate();
        return DI_OK;
    }

protected:
    void Read(void* data) override {
        auto* j = static_cast<DIJOYSTATE*>(data);
        LONG* axes[kAxes] = {&j->lX, &j->lY, &j->lZ, &j->lRx, &j->lRy, &j->lRz};
        const int count = SDL_JoystickNumAxes(joystick_);
        for (int a = 0; a < kAxes; ++a) {
            const Axis& ax = axes_[a];
            const int raw = a < count ? SDL_JoystickGetAxis(joystick_, a) : 0;
            *axes[a] = ScaleJoystickAxis(raw, ax.min, ax.max, ax.deadZone, ax.saturation);
        }
        const int buttons = std::min(SDL_JoystickNumButtons(joystick_), 32);
        for (int b = 0; b < buttons; ++b) j->rgbButtons[b] = SDL_JoystickGetButton(joystick_, b) ? 0x80 : 0;
    }

private:
    static constexpr int kAxes = 6;
    // Until a range is set, an axis reports over SDL's own range.
    struct Axis {
        LONG min = -32768;
        LONG max = 32767;
        DWORD deadZone = 0;
        DWORD saturation = 10000;
    };

    std::shared_ptr<JoystickService> service_;
    SDL_Joystick* joystick_;  // closed by the destructor
    Axis axes_[kAxes];
};

class SdlDirectInput final : public IDirectInput {
public:
    SdlDirectInput() : service_(std::make_shared<JoystickService>()) {}

    HRESULT CreateDevice(const GUID& guid, LPDIRECTINPUTDEVICE* out, void* outer) override {
        if (!out) return DIERR_INVALIDPARAM;
        out->reset();
        if (outer) return DIERR_NOAGGREGATION;
        if (guid == GUID_SysKeyboard) {
            *out = std::make_shared<SdlKeyboard>();
            return DI_OK;
        }
        if (guid == GUID_SysMouse) {
            *out = std::make_shared<SdlMouse>();
            return DI_OK;
        }
        if (guid.Data1 == kJoystickTag && service_->Up) {
            SDL_Joystick* j = SDL_JoystickOpen(guid.Data2);
            if (!j) return DIERR_DEVICENOTREG;
            *out = std::make_shared<SdlJoystick>(service_, j);
            return DI_OK;
        }
        return DIERR_DEVICENOTREG;
    }

    HRESULT EnumDevices(DWORD type, LPDIENUMDEVICESCALLBACKA callback, void* context, DWORD) override {
        if (!callback) return DIERR_INVALIDPARAM;
        auto offer = [&](const GUID& guid, DWORD devType, const char* name) {
            DIDEVICEINSTANCEA instance;
            instance.guidInstance = guid;
            instance.dwDevType = devType;
            std::snprintf(instance.tszInstanceName, sizeof instance.tszInstanceName, "%s", name);
            return callback(&instance, context) != DIENUM_STOP;
        };
        if ((type == 0 || type == DIDEVTYPE_MOUSE) && !offer(GUID_SysMouse, DIDEVTYPE_MOUSE, "Mouse")) return DI_OK;
        if ((type == 0 || type == DIDEVTYPE_KEYBOARD) && !offer(GUID_SysKeyboard, DIDEVTYPE_KEYBOARD, "Keyboard"))
            return DI_OK;
        if ((type == 0 || type == DIDEVTYPE_JOYSTICK) && service_->Up) {
            const int count = SDL_NumJoysticks();
            for (int i = 0; i < count; ++i) {
                GUID guid;
                guid.Data1 = kJoystickTag;
                guid.Data2 = static_cast<std::uint16_t>(i);
                const char* name = SDL_JoystickNameForIndex(i);
                if (!offer(guid, DIDEVTYPE_JOYSTICK, name ? name : "Joystick")) break;
            }
        }
        return DI_OK;
    }

private:
    std::shared_ptr<JoystickService> service_;
};

}  // namespace

void SetDirectInputFactory(DirectInputFactory factory) { Factory() = std::move(factory); }

}  // namespace plat

HRESULT DirectInputCreateA(HINSTANCE, DWORD version, LPDIRECTINPUT* out, void* outer) {
    if (!out) return DIERR_INVALIDPARAM;
    out->reset();
    if (outer) return DIERR_NOAGGREGATION;
    if (version > DIRECTINPUT_VERSION) return DIERR_OLDDIRECTINPUTVERSION;
    if (plat::Factory()) return plat::Factory()(out);
    *out = std::make_shared<plat::SdlDirectInput>();
    return DI_OK;
}
