// The video-mode dialog on its own, over a display with a scripted mode list.
#include <gtest/gtest.h>

#include "game/program/videodialog.h"
#include "game/program/winmain.h"
#include "platform/display/ddraw.h"
#include "platform/forms/msgbox.h"
#include "vx/vxscreen.h"

namespace {

class VideoDialog : public ::testing::Test {
protected:
    void SetUp() override {
        plat::SetMessageBoxHandler([this](const plat::MessageBoxCall& call) {
            boxes.push_back(call.text);
            return IDOK;
        });
        Application->Initialize();
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
    }
    void TearDown() override {
        Application->Initialize();
        Form1 = nullptr;
        Form2 = nullptr;
        plat::SetEnumeratedModes({});
        plat::SetMessageBoxHandler({});
    }
    void ListModes(std::vector<plat::EnumeratedMode> modes) {
        plat::SetEnumeratedModes(std::move(modes));
        Form1->Display = std::make_unique<VXScreen>();
        Form2->FormActivate(Form2);
    }
    std::vector<std::string> boxes;
};

TEST_F(VideoDialog, ListsOnlyUsable16BitModesInTheirOrder) {
    ListModes({{1024, 768, 32},
               {1024, 768, 16},
               {800, 600, 15},
               {800, 600, 24},
               {799, 600, 16},
               {800, 599, 16},
               {1691, 1050, 16},
               {1280, 1251, 16},
               {800, 600, 16},
               {1690, 1250, 16},
               {1024, 768, 16}});
    EXPECT_EQ(Form2->List.Items,
              (std::vector<std::string>{"1024, 768, 16", "800, 600, 16", "1690, 1250, 16", "1024, 768, 16"}));
    EXPECT_EQ(Form2->VideoModeCount, 4);
    EXPECT_EQ(Form2->VideoModes[2].Width, 1690);
    EXPECT_EQ(Form2->VideoModes[2].Height, 1250);
    EXPECT_EQ(Form2->VideoModes[2].Depth, 16);
    EXPECT_EQ(Form2->List.ItemIndex, -1);  // nothing preselected
}

TEST_F(VideoDialog, KeepsTheFirstTenAndASecondActivationAddsNothing) {
    std::vector<plat::EnumeratedMode> modes;
    for (int i = 0; i < 14; ++i) modes.push_back({800 + 10 * i, 600, 16});
    ListModes(modes);
    ASSERT_EQ(Form2->VideoModeCount, 10);
    ASSERT_EQ(Form2->List.Items.size(), 10u);
    EXPECT_EQ(Form2->List.Items.back(), "890, 600, 16");
    Form2->Activate();
    Form2->Activate();
    EXPECT_EQ(Form2->VideoModeCount, 10);
    EXPECT_EQ(Form2->List.Items.size(), 10u);
}

TEST_F(VideoDialog, StartNeedsASelectionAndThenSetsTheMode) {
    ListModes({{800, 600, 16}, {1280, 1024, 16}});
    Form2->Button1Click(&Form2->Button1);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Select a video mode."}));
    EXPECT_EQ(Form1->ModeWidth, 800);
    EXPECT_EQ(Form1->ModeHeight, 600);
    Form1->QuitChosen = 1;
    Form2->List.SelectItem(1);
    Form2->Button1Click(&Form2->Button1);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Form1->ModeWidth, 1280);
    EXPECT_EQ(Form1->ModeHeight, 1024);
    EXPECT_EQ(Form1->QuitChosen, 0);
}

TEST_F(VideoDialog, WithNoUsableModeOnlyQuitLeaves) {
    ListModes({{640, 480, 16}, {1024, 768, 32}});
    EXPECT_TRUE(Form2->List.Items.empty());
    Form2->List.SelectItem(0);
    Form2->Button1Click(&Form2->Button1);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Select a video mode."}));
    Form2->Button2Click(&Form2->Button2);
    EXPECT_EQ(Form1->QuitChosen, 1);
}

TEST_F(VideoDialog, TheCheckBoxSwitchesSoundAndItsCaption) {
    ListModes({});
    EXPECT_TRUE(Form2->CheckBox1.Checked);
    Form2->CheckBox1.Toggle();
    EXPECT_EQ(Form1->SoundsOn, 0);
    EXPECT_EQ(Form2->CheckBox1.Caption, "Sounds are off");
    Form2->CheckBox1.Toggle();
    EXPECT_EQ(Form1->SoundsOn, 1);
    EXPECT_EQ(Form2->CheckBox1.Caption, "Sounds are on");
}

TEST_F(VideoDialog, LayoutAndTabOrder) {
    EXPECT_EQ(Form2->Caption, "Choose a Resolution (1024x768 recommended)");
    EXPECT_FALSE(Form2->HasCloseBox);
    EXPECT_EQ(Form2->ClientWidth, 395);
    EXPECT_EQ(Form2->ClientHeight, 339);
    EXPECT_EQ(Form2->ActiveControl(), &Form2->Button1);
    Form2->SelectNext(true);
    EXPECT_EQ(Form2->ActiveControl(), &Form2->List);
    Form2->SelectNext(true);
    EXPECT_EQ(Form2->ActiveControl(), &Form2->Button2);
    Form2->SelectNext(true);
    EXPECT_EQ(Form2->ActiveControl(), &Form2->CheckBox1);
    Form2->SelectNext(true);
    EXPECT_EQ(Form2->ActiveControl(), &Form2->Button1);
    EXPECT_EQ(Form2->Label2.Caption, "Remember to turn sounds off if you dont have a soundcard");
}

}  // namespace
