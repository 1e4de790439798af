// Message boxes on SDL_ShowMessageBox. Where SDL cannot show one, the text
// goes to standard error and the box is drawn with the program's own forms;
// without any display, the text on standard error is all there is.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/forms/msgbox.h"
#include "platform/forms/msgform.h"

namespace plat {

namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

constexpr int kSmallestOwner = 320;

bool g_SystemBoxFails = false;

bool DisplayAvailable() {
    if (g_SystemBoxFails) return true;
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0)) return false;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

// SDL's own box; false when SDL cannot show it.
bool ShownBySdl(const MessageBoxCall& call, int& answer) {
    if (g_SystemBoxFails) return false;
    std::vector<SDL_MessageBoxButtonData> list;
    for (const BoxButton& b : BoxButtons(call.type)) {
        Uint32 flags = 0;
        if (b.isDefault) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (b.isEscape) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        list.push_back(SDL_MessageBoxButtonData{flags, b.answer, b.label});
    }
    UINT icon = call.type & MB_ICONMASK;
    Uint32 flags = icon == MB_ICONERROR     ? SDL_MESSAGEBOX_ERROR
                   : icon == MB_ICONWARNING ? SDL_MESSAGEBOX_WARNING
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
    answer = 0;
    return SDL_ShowMessageBox(&data, &answer) == 0 && answer > 0;
}

int Show(const MessageBoxCall& call) {
    const bool display = DisplayAvailable();
    int answer = 0;
    if (display && ShownBySdl(call, answer)) return answer;
    std::fprintf(stderr, "%s: %s\n", call.caption.c_str(), call.text.c_str());
    // SDL has no box here (no dialog helper, no fonts): the forms draw one.
    if (display && (answer = ShowOnForms(call)) > 0) return answer;
    return DefaultMessageBoxAnswer(call.type);
}

}  // namespace

std::vector<BoxButton> BoxButtons(UINT type) {
    const UINT buttons = type & MB_BUTTONSMASK;
    const int defaultAnswer = DefaultMessageBoxAnswer(type);
    std::vector<BoxButton> list;
    auto add = [&](int answer, const char* label) {
        const bool escape = answer == IDNO || answer == IDCANCEL || (buttons != MB_YESNO && buttons != MB_OKCANCEL);
        list.push_back(BoxButton{answer, label, answer == defaultAnswer, escape});
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
    return list;
}

void SetSystemMessageBoxFails(bool fails) { g_SystemBoxFails = fails; }

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
    return plat::Show(call);
}
