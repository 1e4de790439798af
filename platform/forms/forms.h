// The form toolkit of the game: an application object, forms with their
// activation, close and key events, modal dialogs and a small set of widgets
// (labels, buttons, a check box, a list box, an image). All forms live in the
// program's one window: the main form fills it, dialogs are drawn over it.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/jpeg.h"
#include "platform/input/keys.h"
#include "platform/system/messages.h"
#include "platform/system/quit.h"
#include "platform/system/window.h"

class TObject {
public:
    virtual ~TObject() = default;
};

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TShiftState = std::uint32_t;  // ssShift | ssAlt | ssCtrl
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poDesktopCenter, poScreenCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TAlign { alNone, alClient };

// The face colour of a dialog (0x00RRGGBB).
inline constexpr std::uint32_t kDialogFace = 0xD2CFC8;

using TModalResult = int;
// 0 while a modal form is still open; our own numbers for how it ended.
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrCancel = 1;
inline constexpr TModalResult mrOk = 2;

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TForm;
class TCanvas;  // a form's drawing target while it paints

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
};

// A widget on a form, placed in the form's client coordinates.
class TControl : public TObject {
public:
    explicit TControl(TForm* owner);
    ~TControl() override;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    TForm* Owner() const { return owner_; }
    void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return {Left, Top, Left + Width, Top + Height}; }

    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::string Caption;
    bool Visible = true;
    bool Enabled = true;
    bool TabStop = false;
    TAlign Align = alNone;

    // Called by the toolkit; coordinates are the form's client coordinates.
    virtual void Paint(TCanvas& canvas, bool focused) = 0;
    // False for controls that may draw beyond their bounds (wrapped labels).
    virtual bool ClipsToBounds() const { return true; }
    virtual void MouseDown(int x, int y);
    virtual void MouseUp(int x, int y, bool inside);
    // Returns true when the control used the key.
    virtual bool KeyDown(std::uint16_t key, TShiftState shift);
    virtual bool KeyUp(std::uint16_t key, TShiftState shift);

private:
    TForm* owner_;
};

class TLabel : public TControl {
public:
    using TControl::TControl;
    bool WordWrap = false;
    void Paint(TCanvas& canvas, bool focused) override;
    bool ClipsToBounds() const override { return false; }
};

class TButton : public TControl {
public:
    explicit TButton(TForm* owner);
    TNotifyEvent OnClick;
    void Click();
    void Paint(TCanvas& canvas, bool focused) override;
    void MouseDown(int x, int y) override;
    void MouseUp(int x, int y, bool inside) override;
    bool KeyDown(std::uint16_t key, TShiftState shift) override;
    bool KeyUp(std::uint16_t key, TShiftState shift) override;
    bool Down() const { return down_; }

private:
    bool down_ = false;
};

class TCheckBox : public TControl {
public:
    explicit TCheckBox(TForm* owner);
    bool Checked = false;
    TNotifyEvent OnClick;
    // Toggles the box and runs OnClick, as a click or Space does.
    void Toggle();
    void Paint(TCanvas& canvas, bool focused) override;
    void MouseUp(int x, int y, bool inside) override;
    bool KeyDown(std::uint16_t key, TShiftState shift) override;
};

// A single-selection list.
class TListBox : public TControl {
public:
    explicit TListBox(TForm* owner);
    std::vector<std::string> Items;
    int ItemIndex = -1;  // the selected item, -1 for none
    int ItemHeight = 13;
    int TopIndex = 0;  // first item shown
    bool Selected(int index) const { return index >= 0 && index == ItemIndex; }
    void SelectItem(int index);  // clamps to the items, keeps it in view
    void Paint(TCanvas& canvas, bool focused) override;
    void MouseDown(int x, int y) override;
    bool KeyDown(std::uint16_t key, TShiftState shift) override;
};

// A picture, drawn at its size or stretched over its bounds.
class TImage : public TControl {
public:
    using TControl::TControl;
    bool Stretch = false;
    bool AutoSize = false;
    plat::DecodedPicture Picture;
    // Decodes a JPEG picture into Picture; false when it cannot.
    bool LoadJpeg(const unsigned char* data, std::size_t size);
    void Paint(TCanvas& canvas, bool focused) override;
};

class TForm : public TObject {
public:
    TForm();
    ~TForm() override;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    std::string Caption;
    int Left = 0;
    int Top = 0;
    int ClientWidth = 320;
    int ClientHeight = 240;
    TBorderStyle BorderStyle = bsSizeable;
    TFormStyle FormStyle = fsNormal;
    TPosition Position = poDesigned;
    bool KeyPreview = false;
    bool HasCloseBox = true;             // border icons
    std::uint32_t Colour = kDialogFace;  // face colour, 0x00RRGGBB
    TModalResult ModalResult = mrNone;

    TNotifyEvent OnActivate;
    TCloseEvent OnClose;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;

    // The window this form lives in (the application's window).
    HWND Handle() const;

    // Outer size; the main form's is its window's.
    int Width() const;
    int Height() const;
    void SetWidth(int width);
    void SetHeight(int height);
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state);

    bool Visible() const { return visible_; }
    void Show();
    void Hide();
    // Shows the form over the others and runs its own message loop until
    // ModalResult is set (or the form is closed); returns ModalResult.
    TModalResult ShowModal();
    // Runs OnClose; hides the form or, for the main form, ends the program.
    void Close();
    // Runs OnActivate, as the toolkit does whenever the form becomes active.
    void Activate();

    TControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TControl* control);
    void SelectNext(bool forward);
    const std::vector<TControl*>& Controls() const { return controls_; }

    // Message handling, for the toolkit.
    void HandleKeyDown(std::uint16_t key, TShiftState shift);
    void HandleKeyUp(std::uint16_t key, TShiftState shift);
    void HandleMouseDown(int x, int y);  // client coordinates
    void HandleMouseUp(int x, int y);
    // The outer frame and client area in window coordinates.
    TRect FrameRect() const;
    TRect ClientRect() const;
    void PaintForm(TCanvas& canvas);
    bool Modal() const { return modal_; }
    bool IsMain() const;

private:
    friend class TControl;
    void AddControl(TControl* control);
    void RemoveControl(TControl* control);

    std::vector<TControl*> controls_;  // in tab order; owned by the form's class
    TControl* activeControl_ = nullptr;
    TControl* pressed_ = nullptr;
    TWindowState windowState_ = wsNormal;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = false;
    bool modal_ = false;
    bool closing_ = false;
};

class TApplication : public TObject {
public:
    std::string Title;
    TExceptionEvent OnException;

    // Starts a fresh run: no forms, not terminated, an empty message queue.
    void Initialize();
    template <class T>
    void CreateForm(T*& reference) {
        auto form = std::make_unique<T>();
        reference = form.get();
        AddForm(std::move(form));
    }
    // Shows and activates the main form, then handles messages until the
    // program ends. The forms are destroyed before it returns.
    void Run();
    // Ends the program: posts the quit message and stops Run.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles an exception caught at the top of an event: OnException when
    // set, else ShowException.
    void HandleException(TObject* sender, const std::exception& e);
    void ShowException(const std::exception& e);

    TForm* MainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }
    // The form that receives input: the topmost modal form, else the main form.
    TForm* ActiveForm() const;
    HWND Window() const { return window_.get(); }
    // Redraws the window from the visible forms, when it is not the display's.
    void Repaint();

    // For the toolkit.
    void AddForm(std::unique_ptr<TForm> form);
    void PushModal(TForm* form);
    void PopModal(TForm* form);
    void EnsureWindow();
    void DestroyWindow();

private:
    std::vector<std::unique_ptr<TForm>> forms_;
    std::vector<TForm*> modal_;
    std::unique_ptr<plat::WindowHandle> window_;  // the program's window, once shown
    bool terminated_ = false;
};

extern TApplication* Application;

// A message box with the text and an OK button, titled with the
// application's Title.
void ShowMessage(const std::string& text);
