#include "game/program/videodialog.h"

#include <string>

#include "game/program/winmain.h"
#include "vx/vxscreen.h"

TForm2* Form2 = nullptr;

TForm2::TForm2() : Button1(this), List(this), Button2(this), CheckBox1(this), Label1(this), Label2(this) {
    Caption = "Choose a Resolution (1024x768 recommended)";
    BorderStyle = bsSingle;
    HasCloseBox = false;
    FormStyle = fsStayOnTop;
    Left = 337;
    Top = 190;
    ClientWidth = 395;
    ClientHeight = 339;
    Colour = kDialogFace;
    OnActivate = [this](TObject* sender) { FormActivate(sender); };

    Button1.SetBounds(289, 17, 85, 25);
    Button1.Caption = "Start Fullscreen";
    Button1.OnClick = [this](TObject* sender) { Button1Click(sender); };

    List.SetBounds(38, 17, 165, 302);
    List.ItemHeight = 13;

    Button2.SetBounds(289, 294, 85, 25);
    Button2.Caption = "Quit";
    Button2.OnClick = [this](TObject* sender) { Button2Click(sender); };

    CheckBox1.SetBounds(288, 80, 97, 33);
    CheckBox1.Caption = "Sounds are on";
    CheckBox1.Checked = true;
    CheckBox1.OnClick = [this](TObject* sender) { CheckBox1Click(sender); };

    Label1.SetBounds(39, 5, 120, 13);
    Label1.Caption = "Available Resolutions";
    Label2.SetBounds(288, 112, 87, 52);
    Label2.Caption = "Remember to turn sounds off if you dont have a soundcard";
    Label2.WordWrap = true;

    SetActiveControl(&Button1);
}

void TForm2::FormActivate(TObject*) {
    // The dialog is activated again whenever the window regains the focus;
    // the modes it listed the first time stay as they are.
    if (listed_) return;
    listed_ = true;
    VXScreen* display = Form1 ? Form1->Display.get() : nullptr;
    if (display) {
        for (int i = 0; i < display->GetNumberOfVideoModes(); ++i) {
            int w = 0, h = 0, d = 0;
            display->GetVideoModeInformation(static_cast<unsigned>(i), w, h, d);
            // Compared unsigned, as the display reports them.
            const auto width = static_cast<unsigned>(w), height = static_cast<unsigned>(h),
                       depth = static_cast<unsigned>(d);
            if (height < 600u || height > 1250u || width < 800u || width > 1690u || depth != 16u) continue;
            VideoModes[static_cast<std::size_t>(VideoModeCount)] = VideoModeRecord{
                static_cast<std::int32_t>(height), static_cast<std::int32_t>(width), static_cast<std::int32_t>(depth)};
            ++VideoModeCount;
            if (VideoModeCount > 9) break;
        }
    }
    for (int i = 0; i < VideoModeCount; ++i) {
        const VideoModeRecord& mode = VideoModes[static_cast<std::size_t>(i)];
        List.Items.push_back(std::to_string(mode.Width) + ", " + std::to_string(mode.Height) + ", " +
                             std::to_string(mode.Depth));
    }
}

void TForm2::Button1Click(TObject*) {
    bool chosen = false;
    for (int i = 0; i < VideoModeCount; ++i) {
        if (!List.Selected(i)) continue;
        Form1->ModeWidth = VideoModes[static_cast<std::size_t>(i)].Width;
        Form1->ModeHeight = VideoModes[static_cast<std::size_t>(i)].Height;
        Form1->QuitChosen = 0;
        chosen = true;
    }
    if (chosen)
        Close();
    else
        ShowMessage("Select a video mode.");
}

void TForm2::Button2Click(TObject*) {
    Close();
    Form1->QuitChosen = 1;
}

void TForm2::CheckBox1Click(TObject*) {
    if (CheckBox1.Checked) {
        Form1->SoundsOn = 1;
        CheckBox1.Caption = "Sounds are on";
    } else {
        Form1->SoundsOn = 0;
        CheckBox1.Caption = "Sounds are off";
    }
}
