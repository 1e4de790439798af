#include "platform/forms/msgform.h"

#include <algorithm>
#include <string>

#include "platform/forms/formwindow.h"
#include "platform/input/keys.h"

namespace plat {

namespace {

constexpr int kMargin = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kSmallestWidth = 180;

}  // namespace

MessageForm::MessageForm(const MessageBoxCall& call) {
    Caption = call.caption;
    BorderStyle = bsDialog;
    HasCloseBox = false;
    FormStyle = fsStayOnTop;
    KeyPreview = true;
    const TCanvas measure(nullptr, TRect{});
    const int lineHeight = measure.LineHeight();
    int y = kMargin, textWidth = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = call.text.find('\n', start);
        auto line = std::make_unique<TLabel>(this);
        line->Caption = call.text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const int width = measure.TextWidth(line->Caption);
        line->SetBounds(kMargin, y, std::max(width, 1), lineHeight);
        textWidth = std::max(textWidth, width);
        y += lineHeight;
        Lines.push_back(std::move(line));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    const std::vector<BoxButton> buttons = BoxButtons(call.type);
    const int rowWidth = static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    ClientWidth = std::max({kSmallestWidth, textWidth + 2 * kMargin, rowWidth + 2 * kMargin});
    ClientHeight = y + kMargin + kButtonHeight + kMargin;
    int x = (ClientWidth - rowWidth) / 2;
    for (const BoxButton& b : buttons) {
        auto button = std::make_unique<TButton>(this);
        button->Caption = b.label;
        button->SetBounds(x, y + kMargin, kButtonWidth, kButtonHeight);
        const int answer = b.answer;
        button->OnClick = [this, answer](TObject*) {
            answer_ = answer;
            ModalResult = mrOk;
        };
        if (b.isDefault) SetActiveControl(button.get());
        if (b.isEscape) escapeAnswer_ = b.answer;
        x += kButtonWidth + kButtonGap;
        Buttons.push_back(std::move(button));
    }
    OnKeyDown = [this](TObject*, std::uint16_t& key, TShiftState) {
        if (key != VK_ESCAPE) return;
        key = 0;
        Close();
    };
}

int MessageForm::Execute() {
    Application->EnsureWindow();
    auto* window = static_cast<FormWindow*>(Application->Window());
    if (!window) return 0;
    // In the middle of what the window shows: the desktop, or the display's
    // mode once the display has taken the window.
    if (SDL_Surface* area = window->Composition()) {
        const TRect frame = FrameRect();
        Left = (area->w - (frame.Right - frame.Left)) / 2;
        Top = (area->h - (frame.Bottom - frame.Top)) / 2;
    }
    answer_ = 0;
    ShowModal();
    return answer_ ? answer_ : escapeAnswer_;
}

int ShowOnForms(const MessageBoxCall& call) {
    Application->EnsureWindow();
    if (!Application->Window()) return 0;
    const bool quit = QuitPosted();
    const int exitCode = QuitExitCode();
    ClearQuit();
    int answer = 0;
    {
        MessageForm box(call);
        answer = box.Execute();
    }
    if (quit) PostQuitMessage(exitCode);
    return answer;
}

}  // namespace plat
