// Message boxes on SDL_ShowMessageBox, or on standard error where none can
// be shown.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/msgbox.h"

namespace plat {

namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

constexpr int kSmallestOwner = 320;

bool DisplayAvailable() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0)) return false;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

int ShowOnSdl(const MessageBoxCall& call) {
    UINT buttons = call.type & MB_BUTTONSMASK;
    std::vector<SDL_MessageBoxButtonData> list;
    int defaultAnswer = DefaultMessageBoxAnswer(call.type);
    auto add = [&](int id, const char* label) {
        Uint32 flags = 0;
        if (id == defaultAnswer) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (id == IDNO || id == IDCANCEL || (buttons == MB_OK && id == IDOK))
            flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        list.push_back(SDL_MessageBoxButtonData{flags, id, label});
    };
    if (buttons == MB_YESNO) {
        add(IDYES, "Yes");
        add(IDNO, "No");
    } else if (buttons == MB_OKCANCEL) {
        add(IDOK, "OK");
        add(IDCANCEL, "Cancel");
    } else {
        add(IDOK, "OK");
    }
    UINT icon = call.type & MB_ICONMASK;
    Uint32 flags = icon == MB_ICONERROR       ? SDL_MESSAGEBOX_ERROR
                   : icon == MB_ICONWARNING   ? SDL_MESSAGEBOX_WARNING
                                              : SDL_MESSAGEBOX_INFORMATION;
    SDL_MessageBoxData data{};
    data.flags = flags;
    // SDL centres a box on its owner. An owner too small to hold it (the
    // game shrinks its window to a speck while it loads) would push the box
    // off the screen; then the box goes in the middle of the screen instead.
    data.window = call.owner ? call.owner->NativeWindow() : nullptr;
    if (data.window) {
        int w = 0, h = 0;
        SDL_GetWindowSize(data.window, &w, &h);
        if (w < kSmallestOwner || h < kSmallestOwner) data.window = nullptr;
    }
    data.title = call.caption.c_str();
    data.message = call.text.c_str();
    data.numbuttons = static_cast<int>(list.size());
    data.buttons = list.data();
    int answer = 0;
    if (!DisplayAvailable() || SDL_ShowMessageBox(&data, &answer) != 0 || answer <= 0) {
        std::fprintf(stderr, "%s: %s\n", call.caption.c_str(), call.text.c_str());
        return defaultAnswer;
    }
    return answer;
}

}  // namespace

int DefaultMessageBoxAnswer(UINT type) {
    UINT buttons = type & MB_BUTTONSMASK;
    bool second = (type & MB_DEFBUTTON2) != 0;
    if (buttons == MB_YESNO) return second ? IDNO : IDYES;
    if (buttons == MB_OKCANCEL) return second ? IDCANCEL : IDOK;
    return IDOK;
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

}  // namespace plat

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    plat::MessageBoxCall call;
    call.owner = owner;
    call.text = text ? text : "";
    call.caption = caption ? caption : "Error";
    call.type = type;
    if (plat::Handler()) return plat::Handler()(call);
    return plat::ShowOnSdl(call);
}
