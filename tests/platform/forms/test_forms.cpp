// The form toolkit driven by scripted input, as a user would drive it.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/forms/forms.h"
#include "platform/forms/formwindow.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/msgform.h"
#include "platform/system/quit.h"
#include "platform/input/scriptinput.h"

namespace {

class TMainForm : public TForm {
public:
    TMainForm() : Picture(this) {
        BorderStyle = bsNone;
        KeyPreview = true;
        Picture.Align = alClient;
        Picture.Stretch = true;
    }
    TImage Picture;
};

class TDialog : public TForm {
public:
    TDialog() : Ok(this), List(this), Cancel(this), Box(this), Note(this) {
        Caption = "Dialog";
        BorderStyle = bsSingle;
        Left = 100;
        Top = 80;
        ClientWidth = 300;
        ClientHeight = 200;
        Ok.SetBounds(200, 10, 80, 25);
        Ok.Caption = "OK";
        Ok.OnClick = [this](TObject*) {
            ++okClicks;
            ModalResult = mrOk;
        };
        List.SetBounds(10, 10, 150, 120);
        List.Items = {"one", "two", "three"};
        Cancel.SetBounds(200, 160, 80, 25);
        Cancel.Caption = "Cancel";
        Cancel.OnClick = [this](TObject*) { Close(); };
        Box.SetBounds(200, 60, 90, 30);
        Box.Caption = "Box";
        Box.Checked = true;
        Box.OnClick = [this](TObject*) { ++boxClicks; };
        Note.SetBounds(10, 140, 150, 40);
        Note.Caption = "a label that wraps over more than one line";
        Note.WordWrap = true;
        OnActivate = [this](TObject*) { ++activations; };
        SetActiveControl(&Ok);
    }
    // Window coordinates of a point in a control.
    int X(const TControl& c, int dx = 5) const { return ClientRect().Left + c.Left + dx; }
    int Y(const TControl& c, int dy = 5) const { return ClientRect().Top + c.Top + dy; }

    TButton Ok;
    TListBox List;
    TButton Cancel;
    TCheckBox Box;
    TLabel Note;
    int okClicks = 0;
    int boxClicks = 0;
    int activations = 0;
};

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        Application->Title = "Test";
        Application->CreateForm(main);
        Application->CreateForm(dialog);
        plat::SetMessageBoxHandler([this](const plat::MessageBoxCall& call) {
            boxes.push_back(call.text);
            return IDOK;
        });
        Application->EnsureWindow();
        ASSERT_NE(Application->Window(), nullptr);
    }
    void TearDown() override {
        plat::SetMessageBoxHandler({});
        plat::ClearQuit();
        Application->Initialize();
    }
    TMainForm* main = nullptr;
    TDialog* dialog = nullptr;
    std::vector<std::string> boxes;
};

TEST_F(FormsTest, KeyboardMovesFocusInTabOrderAndWorksEachWidget) {
    plat::PushKeyPress("Tab");        // Ok -> List
    plat::PushKeyPress("Down");       // nothing selected -> first item
    plat::PushKeyPress("Down");       // -> second
    plat::PushKeyPress("Tab");        // -> Cancel
    plat::PushKeyPress("Tab");        // -> Box
    plat::PushKeyPress("Space");      // unticks
    plat::PushKeyPress("Tab", true);  // back to Cancel
    plat::PushKeyPress("Tab", true);  // List
    plat::PushKeyPress("Up");         // first item
    plat::PushKeyPress("Up");         // stays on the first
    plat::PushKeyPress("Tab", true);  // Ok
    plat::PushKeyPress("Space");      // a Space press clicks the button
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(dialog->List.ItemIndex, 0);
    EXPECT_FALSE(dialog->Box.Checked);
    EXPECT_EQ(dialog->boxClicks, 1);
    EXPECT_EQ(dialog->okClicks, 1);
    EXPECT_FALSE(dialog->Visible());
}

TEST_F(FormsTest, ReturnClicksTheFocusedButton) {
    plat::PushKeyPress("Tab");
    plat::PushKeyPress("Tab");     // Cancel
    plat::PushKeyPress("Return");  // Close -> mrCancel
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(dialog->okClicks, 0);
}

TEST_F(FormsTest, MouseSelectsTogglesAndClicks) {
    TDialog& d = *dialog;
    plat::PushClick(d.X(d.List), d.Y(d.List, 2 + 13 * 2 + 4));  // third item
    plat::PushClick(d.X(d.Box), d.Y(d.Box));
    // Pressed on Ok but let go outside it: no click.
    plat::PushMouseButton(d.X(d.Ok), d.Y(d.Ok), true);
    plat::PushMouseButton(d.X(d.Ok) - 50, d.Y(d.Ok) + 60, false);
    // Outside the dialog: ignored while it is modal.
    plat::PushClick(5, 5);
    plat::PushClick(d.X(d.Ok), d.Y(d.Ok));
    EXPECT_EQ(d.ShowModal(), mrOk);
    EXPECT_EQ(d.List.ItemIndex, 2);
    EXPECT_FALSE(d.Box.Checked);
    EXPECT_EQ(d.okClicks, 1);
    EXPECT_EQ(d.ActiveControl(), &d.Ok);
}

TEST_F(FormsTest, ModalLoopEndsOnTheQuitMessageAndLeavesItForTheProgram) {
    PostQuitMessage(0);
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_TRUE(plat::QuitPosted());
}

TEST_F(FormsTest, ClosingTheWindowPostsTheQuitMessage) {
    plat::PushWindowClose();
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_TRUE(plat::QuitPosted());
}

TEST_F(FormsTest, RegainingTheFocusActivatesTheModalFormAgain) {
    plat::PushFocusGained();
    plat::PushKeyPress("Return");
    dialog->ShowModal();
    EXPECT_GE(dialog->activations, 2);
}

TEST_F(FormsTest, KeyPreviewSeesKeysFirstAndCanSwallowThem) {
    std::vector<int> downs, ups;
    main->OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState) {
        downs.push_back(key);
        if (key == 'Q') key = 0;
    };
    main->OnKeyUp = [&](TObject*, std::uint16_t& key, TShiftState) { ups.push_back(key); };
    main->HandleKeyDown('Q', 0);
    main->HandleKeyDown(VK_F10, ssAlt);
    main->HandleKeyUp(VK_F10, 0);
    EXPECT_EQ(downs, (std::vector<int>{'Q', VK_F10}));
    EXPECT_EQ(ups, (std::vector<int>{VK_F10}));
}

TEST_F(FormsTest, ShowMessageShowsABoxTitledWithTheApplication) {
    ShowMessage("Hello there.");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Hello there.");
}

TEST_F(FormsTest, TheMainFormsPictureFillsTheWindowAndTheDialogSitsOverIt) {
    main->Picture.Picture.Width = 2;
    main->Picture.Picture.Height = 2;
    main->Picture.Picture.Pixels = {0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF};
    main->Show();
    const int w = main->Width(), h = main->Height();
    EXPECT_EQ(plat::WindowPixel(2, 2), 0xFF0000u);
    EXPECT_EQ(plat::WindowPixel(w - 3, h - 3), 0x0000FFu);
    // The dialog's face shows inside its client area while it is modal.
    dialog->OnActivate = [&](TObject*) {
        const TRect client = dialog->ClientRect();
        EXPECT_EQ(plat::WindowPixel(client.Left + 180, client.Top + 190), kDialogFace);
        EXPECT_EQ(plat::WindowPixel(2, 2), 0xFF0000u);
        dialog->ModalResult = mrOk;
    };
    dialog->Colour = kDialogFace;
    EXPECT_EQ(dialog->ShowModal(), mrOk);
}

TEST_F(FormsTest, WhereSdlHasNoBoxTheFormsDrawItAndStandardErrorStillGetsTheText) {
    plat::SetMessageBoxHandler({});
    plat::SetSystemMessageBoxFails(true);
    main->Show();
    PostQuitMessage(3);  // waits until the box is answered
    plat::PushKeyPress("Tab");
    plat::PushKeyPress("Return");
    ::testing::internal::CaptureStderr();
    const int answer = MessageBoxA(Application->Window(), "Continue with Sound turned off?", "Error", MB_YESNO);
    const std::string err = ::testing::internal::GetCapturedStderr();
    plat::SetSystemMessageBoxFails(false);
    EXPECT_EQ(answer, IDNO);  // the second button, not the default answer
    EXPECT_EQ(err, "Error: Continue with Sound turned off?\n");
    EXPECT_TRUE(plat::QuitPosted());
    EXPECT_EQ(plat::QuitExitCode(), 3);
}

TEST_F(FormsTest, TheFormsBoxHasTheTitleLinesAndButtonsAndShowsOverTheDisplay) {
    plat::MessageBoxCall call;
    call.caption = "Error";
    call.text = "DirectSound Error 'DSERR_NODRIVER.'\nContinue with Sound turned off?";
    call.type = MB_YESNO;
    // The display has taken the window: the box is drawn over black.
    static_cast<plat::FormWindow*>(Application->Window())->DisplayModeSet(800, 600);
    plat::MessageForm box(call);
    EXPECT_EQ(box.Caption, "Error");
    ASSERT_EQ(box.Lines.size(), 2u);
    EXPECT_EQ(box.Lines[0]->Caption, "DirectSound Error 'DSERR_NODRIVER.'");
    EXPECT_EQ(box.Lines[1]->Caption, "Continue with Sound turned off?");
    ASSERT_EQ(box.Buttons.size(), 2u);
    EXPECT_EQ(box.Buttons[0]->Caption, "Yes");
    EXPECT_EQ(box.Buttons[1]->Caption, "No");
    EXPECT_EQ(box.ActiveControl(), box.Buttons[0].get());
    bool drawn = false;
    box.OnActivate = [&](TObject*) {
        const TRect client = box.ClientRect();
        EXPECT_GT(client.Left, 0);
        EXPECT_LT(client.Right, 800);
        EXPECT_LT(client.Bottom, 600);
        EXPECT_EQ(plat::WindowPixel(2, 2), 0u);
        EXPECT_EQ(plat::WindowPixel(client.Left + 2, client.Bottom - 2), kDialogFace);
        // Some of each line's text is drawn.
        for (const auto& line : box.Lines) {
            int ink = 0;
            for (int x = line->Left; x < line->Left + line->Width; ++x)
                for (int y = line->Top; y < line->Top + line->Height; ++y)
                    ink += plat::WindowPixel(client.Left + x, client.Top + y) != kDialogFace;
            EXPECT_GT(ink, 0) << line->Caption;
        }
        drawn = true;
    };
    plat::PushKeyPress("Escape");
    EXPECT_EQ(box.Execute(), IDNO);
    EXPECT_TRUE(drawn);
}

TEST(Application, RunActivatesTheMainFormAndEndsWhenItCloses) {
    class TCloser : public TForm {
    public:
        TCloser() {
            OnActivate = [this](TObject*) {
                ++activations;
                Close();
            };
        }
        int activations = 0;
    };
    Application->Initialize();
    TCloser* form = nullptr;
    Application->CreateForm(form);
    int* activations = &form->activations;
    int seen = 0;
    form->OnClose = [&](TObject*, TCloseAction& action) {
        seen = *activations;
        EXPECT_EQ(action, caFree);
    };
    Application->Run();
    EXPECT_EQ(seen, 1);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(Application->MainForm(), nullptr);  // the forms are gone
    plat::ClearQuit();
}

TEST(Application, AnExceptionInAnEventGoesToOnException) {
    class TThrower : public TForm {
    public:
        TThrower() {
            OnActivate = [](TObject*) { throw std::runtime_error("boom"); };
        }
    };
    Application->Initialize();
    TThrower* form = nullptr;
    Application->CreateForm(form);
    std::string caught;
    Application->OnException = [&](TObject* sender, const std::exception& e) {
        caught = e.what();
        EXPECT_EQ(sender, Application->MainForm());
        Application->Terminate();
    };
    Application->Run();
    EXPECT_EQ(caught, "boom");
    plat::ClearQuit();
}

TEST(Messages, QueueFromSystemEvents) {
    Application->Initialize();
    plat::PushKey("Escape", true);
    plat::PushKey("a", true, true);
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_KEYDOWN);
    EXPECT_EQ(msg.wParam, VK_ESCAPE);
    // Not removed: GetMessage takes the same one.
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.wParam, VK_ESCAPE);
    EXPECT_EQ(TranslateMessage(&msg), 0);  // Esc gives no character
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.wParam, 'A');
    EXPECT_EQ(TranslateMessage(&msg), 1);
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, WM_CHAR);
    EXPECT_EQ(msg.wParam, 'A');
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    // The quit message comes after every other message and makes GetMessage 0.
    plat::PushKey("b", true);
    PostQuitMessage(3);
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.wParam, 'B');
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(plat::QuitPosted());
}

}  // namespace
