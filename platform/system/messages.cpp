#include "platform/system/messages.h"

#include <deque>

#include "platform/forms/formwindow.h"
#include "platform/forms/forms.h"
#include "platform/input/keys.h"
#include "platform/system/quit.h"

namespace {

std::deque<MSG> g_queue;

TShiftState ShiftFromMod(Uint16 mod) {
    TShiftState shift = 0;
    if (mod & KMOD_SHIFT) shift |= ssShift;
    if (mod & KMOD_ALT) shift |= ssAlt;
    if (mod & KMOD_CTRL) shift |= ssCtrl;
    return shift;
}

void Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam, std::uint32_t time, int x = 0,
          int y = 0) {
    MSG msg{};
    msg.hwnd = Application->Window();
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = time;
    msg.pt = POINT{x, y};
    g_queue.push_back(msg);
}

// Turns one system event into the window messages it stands for.
void Translate(const SDL_Event& e) {
    switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const std::uint16_t vk = plat::VirtualKeyFromKeycode(e.key.keysym.sym);
            const std::intptr_t lParam = static_cast<std::intptr_t>(ShiftFromMod(e.key.keysym.mod)) |
                                         (e.key.repeat ? std::intptr_t{1} << 30 : 0);
            Post(e.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, vk, lParam, e.key.timestamp);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            std::uint32_t message = 0;
            if (e.button.button == SDL_BUTTON_LEFT)
                message = e.type == SDL_MOUSEBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            if (e.button.button == SDL_BUTTON_RIGHT)
                message = e.type == SDL_MOUSEBUTTONDOWN ? WM_RBUTTONDOWN : WM_RBUTTONUP;
            if (message) Post(message, 0, 0, e.button.timestamp, e.button.x, e.button.y);
            break;
        }
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
                case SDL_WINDOWEVENT_FOCUS_GAINED: Post(WM_ACTIVATE, WA_ACTIVE, 0, e.window.timestamp); break;
                case SDL_WINDOWEVENT_EXPOSED: Post(WM_PAINT, 0, 0, e.window.timestamp); break;
                case SDL_WINDOWEVENT_CLOSE: PostQuitMessage(0); break;
                default: break;
            }
            break;
        case SDL_QUIT: PostQuitMessage(0); break;
        default: break;
    }
}

void Pump() {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) Translate(e);
}

}  // namespace

int PeekMessage(MSG* msg, HWND, std::uint32_t, std::uint32_t, std::uint32_t removeFlags) {
    Pump();
    if (!g_queue.empty()) {
        if (msg) *msg = g_queue.front();
        if (removeFlags & PM_REMOVE) g_queue.pop_front();
        return 1;
    }
    if (!plat::QuitPosted()) return 0;
    if (msg)
        *msg = MSG{Application->Window(), WM_QUIT, static_cast<std::uintptr_t>(plat::QuitExitCode()), 0, 0, POINT{}};
    if (removeFlags & PM_REMOVE) plat::ClearQuit();
    return 1;
}

int GetMessage(MSG* msg, HWND window, std::uint32_t filterMin, std::uint32_t filterMax) {
    MSG local{};
    for (;;) {
        if (PeekMessage(&local, window, filterMin, filterMax, PM_REMOVE)) break;
        if (SDL_WasInit(SDL_INIT_EVENTS))
            SDL_WaitEventTimeout(nullptr, 20);
        else
            SDL_Delay(1);
    }
    if (msg) *msg = local;
    return local.message == WM_QUIT ? 0 : 1;
}

int TranslateMessage(const MSG* msg) {
    if (!msg || msg->message != WM_KEYDOWN) return 0;
    const auto vk = static_cast<std::uint16_t>(msg->wParam);
    const bool shifted = (msg->lParam & ssShift) != 0;
    char c = 0;
    if (vk >= 'A' && vk <= 'Z')
        c = static_cast<char>(shifted ? vk : vk - 'A' + 'a');
    else if ((vk >= '0' && vk <= '9') || vk == VK_SPACE)
        c = static_cast<char>(vk);
    if (!c) return 0;
    MSG ch = *msg;
    ch.message = WM_CHAR;
    ch.wParam = static_cast<unsigned char>(c);
    g_queue.push_front(ch);
    return 1;
}

std::intptr_t DispatchMessage(const MSG* msg) {
    if (!msg) return 0;
    TForm* form = Application->ActiveForm();
    switch (msg->message) {
        case WM_KEYDOWN:
            if (form)
                form->HandleKeyDown(static_cast<std::uint16_t>(msg->wParam), static_cast<TShiftState>(msg->lParam & 7));
            break;
        case WM_KEYUP:
            if (form)
                form->HandleKeyUp(static_cast<std::uint16_t>(msg->wParam), static_cast<TShiftState>(msg->lParam & 7));
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            if (form) {
                const TRect client = form->ClientRect();
                const int x = msg->pt.x - client.Left, y = msg->pt.y - client.Top;
                if (msg->message == WM_LBUTTONDOWN) {
                    if (client.Contains(msg->pt.x, msg->pt.y)) form->HandleMouseDown(x, y);
                } else {
                    form->HandleMouseUp(x, y);
                }
            }
            break;
        case WM_ACTIVATE:
            if (form && msg->wParam != WA_INACTIVE) form->Activate();
            break;
        case WM_PAINT: Application->Repaint(); break;
        default: break;
    }
    return 0;
}

namespace plat {

void ClearMessageQueue() {
    g_queue.clear();
    ClearQuit();
}

}  // namespace plat
