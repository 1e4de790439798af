#include "platform/forms/forms.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "platform/forms/formwindow.h"
#include "platform/forms/msgbox.h"
#include "platform/system/system.h"

namespace {

TApplication g_application;

plat::FormWindow* WindowOf(HWND handle) { return static_cast<plat::FormWindow*>(handle); }

}  // namespace

TApplication* Application = &g_application;

// ---- TForm --------------------------------------------------------------

TForm::TForm() = default;

TForm::~TForm() {
    if (Application) Application->PopModal(this);
}

HWND TForm::Handle() const { return Application->Window(); }

bool TForm::IsMain() const { return Application->MainForm() == this; }

int TForm::Width() const {
    if (IsMain() && Handle()) return Handle()->ClientWidth;
    if (width_ > 0) return width_;
    const TRect frame = FrameRect();
    return frame.Right - frame.Left;
}

int TForm::Height() const {
    if (IsMain() && Handle()) return Handle()->ClientHeight;
    if (height_ > 0) return height_;
    const TRect frame = FrameRect();
    return frame.Bottom - frame.Top;
}

void TForm::SetWidth(int width) {
    width_ = width;
    if (IsMain() && Handle()) WindowOf(Handle())->Resize(width, Height());
}

void TForm::SetHeight(int height) {
    height_ = height;
    if (IsMain() && Handle()) WindowOf(Handle())->Resize(Width(), height);
}

void TForm::SetWindowState(TWindowState state) { windowState_ = state; }

void TForm::Show() {
    visible_ = true;
    if (IsMain()) Application->EnsureWindow();
    Application->Repaint();
}

void TForm::Hide() {
    visible_ = false;
    Application->Repaint();
}

TModalResult TForm::ShowModal() {
    if (modal_) return mrCancel;
    Application->EnsureWindow();
    modal_ = true;
    closing_ = false;
    ModalResult = mrNone;
    visible_ = true;
    Application->PushModal(this);
    if (!activeControl_) SelectNext(true);
    Application->Repaint();
    try {
        Activate();
    } catch (const std::exception& e) {
        Application->HandleException(this, e);
    }
    Application->Repaint();
    while (ModalResult == mrNone) {
        if (Application->Terminated()) {
            ModalResult = mrCancel;
            break;
        }
        MSG msg{};
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            // Leave the quit message for the loop that runs the program.
            PostQuitMessage(static_cast<int>(msg.wParam));
            ModalResult = mrCancel;
            break;
        }
        TranslateMessage(&msg);
        try {
            DispatchMessage(&msg);
        } catch (const std::exception& e) {
            Application->HandleException(this, e);
        }
        Application->Repaint();
    }
    Application->PopModal(this);
    modal_ = false;
    visible_ = false;
    Application->Repaint();
    return ModalResult;
}

void TForm::Close() {
    if (closing_) return;
    closing_ = true;
    TCloseAction action = IsMain() ? caFree : caHide;
    if (OnClose) OnClose(this, action);
    closing_ = false;
    if (action == caNone) return;
    if (modal_) {
        ModalResult = mrCancel;
        return;
    }
    if (IsMain()) {
        visible_ = false;
        Application->Terminate();
        return;
    }
    Hide();
}

void TForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TForm::SetActiveControl(TControl* control) {
    if (control && std::find(controls_.begin(), controls_.end(), control) == controls_.end()) return;
    activeControl_ = control;
}

void TForm::SelectNext(bool forward) {
    std::vector<TControl*> stops;
    for (TControl* c : controls_)
        if (c->TabStop && c->Visible && c->Enabled) stops.push_back(c);
    if (stops.empty()) return;
    auto it = std::find(stops.begin(), stops.end(), activeControl_);
    if (it == stops.end()) {
        activeControl_ = forward ? stops.front() : stops.back();
        return;
    }
    std::size_t index = static_cast<std::size_t>(it - stops.begin());
    index = forward ? (index + 1) % stops.size() : (index + stops.size() - 1) % stops.size();
    activeControl_ = stops[index];
}

void TForm::HandleKeyDown(std::uint16_t key, TShiftState shift) {
    if (KeyPreview && OnKeyDown) {
        OnKeyDown(this, key, shift);
        if (key == 0) return;
    }
    if (key == VK_TAB) {
        SelectNext((shift & ssShift) == 0);
        return;
    }
    if (activeControl_ && activeControl_->Enabled) activeControl_->KeyDown(key, shift);
}

void TForm::HandleKeyUp(std::uint16_t key, TShiftState shift) {
    if (KeyPreview && OnKeyUp) {
        OnKeyUp(this, key, shift);
        if (key == 0) return;
    }
    if (activeControl_ && activeControl_->Enabled) activeControl_->KeyUp(key, shift);
}

void TForm::HandleMouseDown(int x, int y) {
    pressed_ = nullptr;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!c->Visible || !c->Enabled || !c->BoundsRect().Contains(x, y)) continue;
        if (c->TabStop) activeControl_ = c;
        pressed_ = c;
        c->MouseDown(x, y);
        return;
    }
}

void TForm::HandleMouseUp(int x, int y) {
    TControl* c = pressed_;
    pressed_ = nullptr;
    if (c) c->MouseUp(x, y, c->BoundsRect().Contains(x, y));
}

TRect TForm::FrameRect() const {
    if (IsMain()) {
        HWND h = Handle();
        return {0, 0, h ? h->ClientWidth : ClientWidth, h ? h->ClientHeight : ClientHeight};
    }
    int extraW = 0, extraH = 0;
    if (BorderStyle != bsNone) {
        extraW = 2 * ui::BorderWidth;
        extraH = 2 * ui::BorderWidth + ui::CaptionHeight;
    }
    int left = Left, top = Top;
    if (Position != poDesigned && Handle()) {
        left = (Handle()->ClientWidth - (ClientWidth + extraW)) / 2;
        top = (Handle()->ClientHeight - (ClientHeight + extraH)) / 2;
    }
    return {left, top, left + ClientWidth + extraW, top + ClientHeight + extraH};
}

TRect TForm::ClientRect() const {
    TRect r = FrameRect();
    if (IsMain() || BorderStyle == bsNone) return r;
    return {r.Left + ui::BorderWidth, r.Top + ui::BorderWidth + ui::CaptionHeight, r.Right - ui::BorderWidth,
            r.Bottom - ui::BorderWidth};
}

void TForm::PaintForm(TCanvas& canvas) {
    const TRect client = ClientRect();
    const int w = client.Right - client.Left;
    const int h = client.Bottom - client.Top;
    canvas.FillRect({0, 0, w, h}, Colour);
    for (TControl* c : controls_) {
        if (!c->Visible) continue;
        TRect bounds = c->BoundsRect();
        if (c->Align == alClient) {
            c->SetBounds(0, 0, w, h);
            bounds = c->BoundsRect();
        }
        canvas.SetClip(c->ClipsToBounds() ? bounds : TRect{0, 0, w, h});
        c->Paint(canvas, c == activeControl_ && Application->ActiveForm() == this);
    }
    canvas.SetClip({0, 0, w, h});
}

void TForm::AddControl(TControl* control) { controls_.push_back(control); }

void TForm::RemoveControl(TControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (activeControl_ == control) activeControl_ = nullptr;
    if (pressed_ == control) pressed_ = nullptr;
}

// ---- TApplication -------------------------------------------------------

void TApplication::Initialize() {
    modal_.clear();
    forms_.clear();
    DestroyWindow();
    terminated_ = false;
    OnException = nullptr;
    plat::ClearMessageQueue();
    plat::ResetCursorDisplayCount();
}

void TApplication::AddForm(std::unique_ptr<TForm> form) { forms_.push_back(std::move(form)); }

void TApplication::Run() {
    TForm* main = MainForm();
    if (main && !terminated_) {
        try {
            main->Show();
            main->Activate();
        } catch (const std::exception& e) {
            HandleException(main, e);
        }
        while (!terminated_) {
            MSG msg{};
            if (!GetMessage(&msg, nullptr, 0, 0)) break;
            TranslateMessage(&msg);
            try {
                DispatchMessage(&msg);
            } catch (const std::exception& e) {
                HandleException(main, e);
            }
            Repaint();
        }
    }
    terminated_ = true;
    modal_.clear();
    // Forms go in the reverse order of their creation, then the window.
    while (!forms_.empty()) forms_.pop_back();
    OnException = nullptr;
    DestroyWindow();
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::HandleException(TObject* sender, const std::exception& e) {
    if (OnException)
        OnException(sender, e);
    else
        ShowException(e);
}

void TApplication::ShowException(const std::exception& e) {
    std::string text = e.what();
    if (!text.empty() && text.back() != '.') text += '.';
    ShowMessage(text);
}

TForm* TApplication::ActiveForm() const {
    if (!modal_.empty()) return modal_.back();
    return MainForm();
}

void TApplication::PushModal(TForm* form) {
    PopModal(form);
    modal_.push_back(form);
}

void TApplication::PopModal(TForm* form) {
    modal_.erase(std::remove(modal_.begin(), modal_.end(), form), modal_.end());
}

void TApplication::EnsureWindow() {
    if (window_) return;
    auto window = std::make_unique<plat::FormWindow>(Title.empty() ? std::string("Form") : Title);
    if (!window->Valid()) return;
    window_ = std::move(window);
}

void TApplication::DestroyWindow() { window_.reset(); }

void TApplication::Repaint() {
    plat::FormWindow* window = WindowOf(window_.get());
    // Once the display has the window, only a modal form (a message box) is
    // drawn, over black, until it closes and the display draws again.
    if (!window || (window->Exclusive() && modal_.empty())) return;
    SDL_Surface* target = window->Composition();
    if (!target) return;
    SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
    std::vector<TForm*> order;
    if (!window->Exclusive()) {
        if (TForm* main = MainForm(); main && main->Visible()) order.push_back(main);
        for (const auto& form : forms_)
            if (form.get() != MainForm() && form->Visible() && !form->Modal()) order.push_back(form.get());
    }
    for (TForm* form : modal_) order.push_back(form);
    for (TForm* form : order) {
        const TRect frame = form->FrameRect();
        const TRect client = form->ClientRect();
        if (form != MainForm() && form->BorderStyle != bsNone) {
            TCanvas outer(target, frame);
            const int w = frame.Right - frame.Left, h = frame.Bottom - frame.Top;
            outer.FillRect({0, 0, w, h}, ui::Face);
            outer.Frame({0, 0, w, h}, ui::Light, ui::DarkShadow);
            outer.Frame({1, 1, w - 1, h - 1}, ui::Highlight, ui::Shadow);
            const int barW = w - 2 * ui::BorderWidth;
            for (int x = 0; x < barW; ++x) {
                // The title bar fades from the caption colour to a light blue.
                auto mix = [&](int shift) {
                    const int a = static_cast<int>(ui::Caption >> shift & 0xFF);
                    const int b = static_cast<int>(ui::CaptionEnd >> shift & 0xFF);
                    return static_cast<std::uint32_t>(a + (b - a) * x / std::max(1, barW - 1));
                };
                const std::uint32_t c = mix(16) << 16 | mix(8) << 8 | mix(0);
                outer.FillRect({ui::BorderWidth + x, ui::BorderWidth, ui::BorderWidth + x + 1,
                                ui::BorderWidth + ui::CaptionHeight - 1},
                               c);
            }
            outer.TextOut(ui::BorderWidth + 4, ui::BorderWidth + 2, form->Caption, ui::CaptionText);
        }
        TCanvas canvas(target, client);
        form->PaintForm(canvas);
    }
    SDL_SetClipRect(target, nullptr);
    window->Present();
}

// ---- ShowMessage --------------------------------------------------------

void ShowMessage(const std::string& text) {
    MessageBoxA(Application->Window(), text.c_str(), Application->Title.c_str(), MB_OK);
}
