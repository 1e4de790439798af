// Switching between design slots: every control is loaded from the design
// without changing it.
#include "tests/editor/support_editor.h"

#include "shipdata/shipvalue.h"

using namespace hull;
using namespace hulltest;

class SlotsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        sheet = MakeSheet();
        messages.clear();
    }
    void Show(int design) {
        sheet->SlotBox->SetItemIndex(design);
        sheet->SlotBoxClick();
    }
    std::unique_ptr<TMainSheet> sheet;
};

TEST_F(SlotsTest, StartShowsDesignZeroOnTheSpecialsPage) {
    EXPECT_EQ(sheet->windowTitle(), QString("Vantorra Fighter Editor V 1.0"));
    EXPECT_EQ(sheet->size(), QSize(802, 642));
    EXPECT_EQ(sheet->PageControl1->currentWidget(), sheet->TabSheet6);
    QStringList tabs;
    for (int i = 0; i < sheet->PageControl1->count(); ++i) tabs << sheet->PageControl1->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"Weapons", "Specials", "Systems", "General Information", "Images", "Files"}));
    EXPECT_EQ(sheet->CurrentDesign, 0);
    EXPECT_EQ(sheet->SelectedRow, -1);
    EXPECT_EQ(sheet->SlotBox->count(), 20);
    EXPECT_EQ(sheet->Selec->Text(), QString("Custom"));
    EXPECT_EQ(sheet->InfoLabel->text(), QString("Information"));
    EXPECT_EQ(sheet->StartDirectory, dir);
}

TEST_F(SlotsTest, AccelerationRoundTripsThroughTheBar) {
    for (int tenth = 4; tenth <= 30; ++tenth) {
        const float stored = static_cast<float>(tenth * 0.1);
        sheet->D.Acceleration[5] = stored;
        Show(5);
        EXPECT_EQ(sheet->SpeedBar->Position(), tenth);
        Show(6);
        Show(5);
        EXPECT_EQ(sheet->D.Acceleration[5], stored) << tenth;
    }
    // Values that are not whole tenths show rounded.
    sheet->D.Acceleration[5] = 0.66f;
    Show(5);
    EXPECT_EQ(sheet->SpeedBar->Position(), 7);
}

TEST_F(SlotsTest, ScaleIsSetBeforeBoundSoTheBoundSurvives) {
    sheet->D.DrawScale[1] = 50;
    sheet->D.BoundingSphere[1] = 40;
    sheet->D.DrawScale[2] = 20;
    sheet->D.BoundingSphere[2] = 15;
    Show(1);
    ASSERT_EQ(sheet->BoundBar->Position(), 40);
    Show(2);
    EXPECT_EQ(sheet->ScaleBar->Position(), 20);
    EXPECT_EQ(sheet->BoundBar->Position(), 15);
    EXPECT_EQ(sheet->D.BoundingSphere[2], 15);
    EXPECT_EQ(sheet->D.DrawScale[2], 20);
    EXPECT_EQ(sheet->D.BoundingSphere[1], 40);
    EXPECT_EQ(sheet->ShipImage2->size(), QSize(40, 40));
}

TEST_F(SlotsTest, SameShieldRunsNoEventButEchoIsRight) {
    sheet->D.Shield[3] = 80;
    sheet->D.Shield[4] = 80;
    Show(3);
    int events = 0;
    const Event handler = sheet->ShieldBar->OnChange;
    sheet->ShieldBar->OnChange = [&] {
        ++events;
        handler();
    };
    Show(4);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(sheet->ShieldR->Text(), QString("80"));
    sheet->D.Shield[5] = 81;
    Show(5);
    EXPECT_EQ(events, 1);
}

TEST_F(SlotsTest, SwitchingToActiveDesignWithMissingFramesDeactivatesIt) {
    sheet->D.Active[8] = 1;
    SetFieldText(sheet->D.Name[8], "Ghost");
    SetFieldText(sheet->D.ImageFolder[8], "ghost");
    SetFieldText(sheet->D.ImageName[8], "gh");
    Show(8);
    EXPECT_EQ(messages, QStringList{"All Images not OK."});
    EXPECT_EQ(sheet->D.Active[8], 0);
    EXPECT_FALSE(sheet->Activate->Checked());
}

TEST_F(SlotsTest, OutOfRangeImageSelectionShowsCustomWithoutPictures) {
    for (int32_t selection : {-1, 24, 99, 101, 1 << 30}) {
        sheet->D.ImageSelection[9] = selection;
        Show(9);
        EXPECT_EQ(sheet->Selec->Text(), QString("Custom")) << selection;
        EXPECT_TRUE(sheet->ShipImage->Picture().isNull()) << selection;
        EXPECT_FALSE(sheet->NameE->isReadOnly());
        EXPECT_EQ(sheet->D.ImageSelection[9], selection);  // kept until a picture is picked
        // It cannot be activated as it stands.
        SetFieldText(sheet->D.Name[9], "Odd");
        sheet->ShipName->SetText("Odd");
        sheet->Activate->SetChecked(true);
        EXPECT_EQ(sheet->D.Active[9], 0);
        EXPECT_FALSE(sheet->Activate->Checked());
    }
    sheet->XWingClick(sheet->BuiltInPictures[4]);
    EXPECT_EQ(sheet->D.ImageSelection[9], 4);
}

TEST_F(SlotsTest, TextWithoutNulIsReadAsItsFirst19Bytes) {
    Text full;
    full.fill('Q');
    sheet->D.Name[2] = full;
    EXPECT_EQ(FieldText(sheet->D.Name[2]), QString(19, 'Q'));
    Show(2);
    EXPECT_EQ(sheet->ShipName->Text(), QString(19, 'Q'));
    EXPECT_EQ(sheet->D.Name[2], full);  // stored as read until the name is edited
}

TEST_F(SlotsTest, ValueMatchesTheSharedFormula) {
    EXPECT_EQ(sheet->Value->Text(), QString("25"));
    EXPECT_EQ(shipdata::ShipValue(sheet->D.Record(0)), 25);
    sheet->PageControl1->setCurrentWidget(sheet->TabSheet1);
    sheet->WeaponBox->SetRow(0);
    sheet->AddLaserClick();
    EXPECT_EQ(sheet->Value->Text(), QString("30"));
    EXPECT_EQ(sheet->DesignValue[0], 30);
    EXPECT_EQ(shipdata::ShipValue(sheet->D.Record(0)), 30);
    // Every priced control reprices at once.
    sheet->TeleC->SetChecked(true);
    EXPECT_EQ(sheet->Value->Text(), QString::number(shipdata::ShipValue(sheet->D.Record(0))));
    EXPECT_EQ(sheet->Value->Text(), QString("70"));
}

TEST_F(SlotsTest, DamagedValuesFromAFileAreShownSafely) {
    Designs& d = sheet->D;
    d.DrawScale[6] = 0;
    d.BoundingSphere[6] = 0;
    d.WeaponType[6][0] = kLaser;
    d.WeaponX[6][0] = 2000000000;
    d.Aim[6][0] = 1.0e30f;
    d.Technology[6] = 40;
    d.EngineSoundKind[6] = -3;
    d.Specials[6][kDrive] = 9;
    d.FrameCount[6] = 100000;
    Show(6);
    sheet->WeaponBox->SetRow(0);
    EXPECT_EQ(sheet->ScaleBar->Position(), 15);
    EXPECT_EQ(d.DrawScale[6], 0);  // kept until the user edits it
    // The schematic and the mouse work with the bar's clamped scale.
    sheet->DrawImageMouseMove(0, 199);
    EXPECT_EQ(sheet->PosX->Text(), QString("-15"));
    EXPECT_EQ(sheet->PosY->Text(), QString("14"));
    sheet->DrawImageMouseDown(Qt::LeftButton, 0, 100);
    EXPECT_EQ(d.WeaponX[6][0], -15);
    EXPECT_EQ(sheet->DrawImage->Picture().size(), QSize(200, 200));
    sheet->ScaleBar->SetPosition(60);  // the user's own scale is stored
    EXPECT_EQ(d.DrawScale[6], 60);
    EXPECT_EQ(sheet->Universe->ItemIndex(), -1);
    EXPECT_EQ(d.Technology[6], 40);
    EXPECT_EQ(d.EngineSoundKind[6], -3);
    EXPECT_EQ(d.Specials[6][kDrive], 9);
    EXPECT_EQ(sheet->FrBar->Position(), 180);
    EXPECT_FALSE(sheet->Value->Text().isEmpty());
}
