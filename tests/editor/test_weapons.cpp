// The weapons page: slots, counts, bars and the schematic.
#include "tests/editor/support_editor.h"

#include <QMouseEvent>
#include <QApplication>

using namespace hull;
using namespace hulltest;

class WeaponsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        sheet = MakeSheet();
        messages.clear();
    }
    // The counts always equal the slots of each kind.
    void ExpectCountsMatchSlots() {
        int counts[3] = {0, 0, 0};
        for (int s = 0; s < 20; ++s)
            if (sheet->D.WeaponType[0][s] >= 0) ++counts[sheet->D.WeaponType[0][s]];
        EXPECT_EQ(sheet->D.LaserCount[0], counts[0]);
        EXPECT_EQ(sheet->D.IonCount[0], counts[1]);
        EXPECT_EQ(sheet->D.BeamCount[0], counts[2]);
    }
    QRgb Pixel(int x, int y) const { return sheet->DrawImage->Picture().pixel(x, y); }
    // True when a pixel within one of (x, y) has colour `c`.
    bool Near(int x, int y, QRgb c) const {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (Pixel(x + dx, y + dy) == c) return true;
        return false;
    }
    int CountColour(QRgb c) const {
        int n = 0;
        const QImage& p = sheet->DrawImage->Picture();
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x) n += p.pixel(x, y) == c;
        return n;
    }
    std::unique_ptr<TMainSheet> sheet;
};

TEST_F(WeaponsTest, AddingPastTwentyWeaponsReplacesTheLastSlot) {
    sheet->WeaponBox->SetRow(0);
    for (int i = 0; i < 25; ++i) sheet->AddLaserClick();
    EXPECT_EQ(sheet->SelectedRow, 19);
    EXPECT_EQ(sheet->D.LaserCount[0], 20);
    sheet->AddIonClick();
    EXPECT_EQ(sheet->SelectedRow, 19);
    EXPECT_EQ(sheet->D.LaserCount[0], 19);
    EXPECT_EQ(sheet->D.IonCount[0], 1);
    EXPECT_EQ(sheet->WeaponBox->Cell(0, 19), QString("Ion Cannon"));
    ExpectCountsMatchSlots();
}

TEST_F(WeaponsTest, EveryReplacementKeepsCountsEqualToSlots) {
    using Add = void (TMainSheet::*)();
    const Add adds[3] = {&TMainSheet::AddLaserClick, &TMainSheet::AddIonClick, &TMainSheet::AddBeamClick};
    const char* names[3] = {"Laser", "Ion Cannon", "Cutting Beam"};
    for (int from = -1; from < 3; ++from) {
        for (int to = 0; to < 3; ++to) {
            sheet->WeaponBox->SetRow(4);
            if (from >= 0) (sheet.get()->*adds[from])();
            sheet->WeaponBox->SetRow(4);
            sheet->TurretBar->SetPosition(from >= 0 ? 30 : 0);
            (sheet.get()->*adds[to])();
            EXPECT_EQ(sheet->D.WeaponType[0][4], to);
            EXPECT_EQ(sheet->D.TurretCover[0][4], 0);
            EXPECT_EQ(sheet->WeaponBox->Cell(0, 4), QString(names[to]));
            EXPECT_EQ(sheet->SelectedRow, 5);
            ExpectCountsMatchSlots();
        }
    }
}

TEST_F(WeaponsTest, AddingInAnEmptySlotShowsOnlyItsName) {
    sheet->WeaponBox->SetRow(2);
    sheet->AddBeamClick();
    EXPECT_EQ(sheet->WeaponBox->Cell(0, 2), QString("Cutting Beam"));
    for (int c = 1; c < 4; ++c) EXPECT_TRUE(sheet->WeaponBox->Cell(c, 2).isEmpty());
    // With no row selected nothing is added.
    sheet->SlotBoxClick();
    sheet->AddLaserClick();
    EXPECT_EQ(sheet->D.LaserCount[0], 0);
    EXPECT_EQ(sheet->D.BeamCount[0], 1);
}

TEST_F(WeaponsTest, RemovingClearsTheSlotAndSelectsThePreviousRow) {
    sheet->WeaponBox->SetRow(0);
    sheet->AddLaserClick();
    sheet->AddIonClick();
    sheet->AddIonClick();
    sheet->WeaponBox->SetRow(1);
    sheet->PowerBar->SetPosition(33);
    sheet->RangeBar->SetPosition(250);
    sheet->AimBar->SetPosition(45);
    sheet->DrawImageMouseDown(Qt::LeftButton, 150, 150);
    sheet->RemoveWeaponClick();
    EXPECT_EQ(sheet->D.WeaponType[0][1], kEmpty);
    EXPECT_EQ(sheet->D.WeaponX[0][1], 0);
    EXPECT_EQ(sheet->D.Aim[0][1], 0.0f);
    EXPECT_EQ(sheet->D.Convergence[0][1], 1000.0f);
    EXPECT_EQ(sheet->D.Power[0][1], 33);  // power and range stay
    EXPECT_EQ(sheet->D.Range[0][1], 250);
    EXPECT_EQ(sheet->SelectedRow, 0);
    for (int c = 0; c < 4; ++c) EXPECT_TRUE(sheet->WeaponBox->Cell(c, 1).isEmpty());
    ExpectCountsMatchSlots();
    sheet->RemoveWeaponClick();  // row 0 stays selected
    EXPECT_EQ(sheet->SelectedRow, 0);
    EXPECT_EQ(sheet->D.LaserCount[0], 0);
    sheet->RemoveWeaponClick();  // an empty slot: nothing changes
    EXPECT_EQ(sheet->D.LaserCount[0], 0);
    ExpectCountsMatchSlots();
}

TEST_F(WeaponsTest, AimAndConvergenceGiveFireDirection) {
    sheet->WeaponBox->SetRow(0);
    sheet->AddLaserClick();
    sheet->WeaponBox->SetRow(0);
    sheet->AimBar->SetPosition(90);
    EXPECT_EQ(sheet->Dire->Text(), QString("RIGHT"));
    sheet->ConverBar->SetPosition(1500);
    EXPECT_EQ(sheet->D.FireDirection[0][0], 90.5f);
    EXPECT_EQ(sheet->WeaponBox->Cell(1, 0), QString("90.50"));
    EXPECT_EQ(sheet->Conv->Text(), QString("0.50"));
    sheet->ConverBar->SetPosition(0);
    EXPECT_EQ(sheet->D.FireDirection[0][0], 89.0f);
    EXPECT_EQ(sheet->Conv->Text(), QString("-1.00"));
    const struct {
        int aim;
        const char* echo;
    } echoes[] = {{0, "FRONT"}, {180, "BACK"}, {270, "LEFT"}, {17, "17"}};
    for (const auto& e : echoes) {
        sheet->AimBar->SetPosition(e.aim);
        EXPECT_EQ(sheet->Dire->Text(), QString(e.echo));
    }
    sheet->TurretBar->SetPosition(45);
    EXPECT_EQ(sheet->WeaponBox->Cell(0, 0), QString("Laser Turret"));
    // Reset puts every bar, and so the slot, back to the defaults.
    sheet->ResetDirClick();
    EXPECT_EQ(sheet->D.Convergence[0][0], 1000.0f);
    EXPECT_EQ(sheet->D.Aim[0][0], 0.0f);
    EXPECT_EQ(sheet->D.TurretCover[0][0], 0);
    EXPECT_EQ(sheet->WeaponBox->Cell(0, 0), QString("Laser"));
}

TEST_F(WeaponsTest, BarsWithoutASelectedWeaponStoreNothing) {
    sheet->RangeBar->SetPosition(300);
    EXPECT_EQ(sheet->RangeBar->Position(), 120);
    EXPECT_EQ(sheet->Rang->Text(), QString("120"));
    sheet->ConverBar->SetPosition(1700);
    EXPECT_EQ(sheet->ConverBar->Position(), 1000);
    EXPECT_EQ(sheet->Conv->Text(), QString("0"));
    sheet->WeaponBox->SetRow(3);  // an empty slot
    sheet->PowerBar->SetPosition(30);
    EXPECT_EQ(sheet->PowerBar->Position(), 10);
    EXPECT_EQ(sheet->D.Power[0][3], 10);
}

TEST_F(WeaponsTest, SchematicClickPlacesTheSelectedWeapon) {
    // Scale 25: column 0 is -25 and column 199 is 24.
    sheet->DrawImageMouseMove(0, 199);
    EXPECT_EQ(sheet->PosX->Text(), QString("-25"));
    EXPECT_EQ(sheet->PosY->Text(), QString("24"));
    EXPECT_EQ(sheet->InfoLabel->text(),
              QString("When placing weapons you use this schematic to place your selections."));

    sheet->PageControl1->setCurrentWidget(sheet->TabSheet3);
    sheet->ScaleBar->SetPosition(40);
    sheet->WeaponBox->SetRow(0);
    sheet->AddLaserClick();
    sheet->WeaponBox->SetRow(0);
    // Through a real mouse press on the overlay.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(150, 60), QPointF(150, 60), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(sheet->DrawImage, &press);
    EXPECT_EQ(sheet->D.WeaponX[0][0], 20);   // trunc((75 - 50) * 40 * 0.02)
    EXPECT_EQ(sheet->D.WeaponY[0][0], -16);  // trunc((30 - 50) * 40 * 0.02)
    EXPECT_EQ(sheet->WeaponBox->Cell(2, 0), QString("20"));
    EXPECT_EQ(sheet->WeaponBox->Cell(3, 0), QString("-16"));
    // The right button, or no selected row, places nothing.
    sheet->DrawImageMouseDown(Qt::RightButton, 10, 10);
    EXPECT_EQ(sheet->D.WeaponX[0][0], 20);
    sheet->SlotBoxClick();
    sheet->DrawImageMouseDown(Qt::LeftButton, 10, 10);
    EXPECT_EQ(sheet->D.WeaponX[0][0], 20);
    EXPECT_EQ(sheet->D.WeaponY[0][0], -16);
}

TEST_F(WeaponsTest, SchematicPixelsFollowTheGeometry) {
    Designs& d = sheet->D;
    d.WeaponType[0][0] = kLaser;  // at the centre, firing ahead
    d.WeaponType[0][1] = kIonCannon;
    d.WeaponX[0][1] = 10;
    d.WeaponY[0][1] = -10;
    d.FireDirection[0][1] = 90.0f;  // firing to the right
    d.LaserCount[0] = 1;
    d.IonCount[0] = 1;
    sheet->SlotBoxClick();
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    const QRgb yellow = qRgb(255, 255, 0);
    // The direction line starts at the dot's centre, so the dot shows beside it.
    EXPECT_EQ(Pixel(99, 101), red);
    EXPECT_EQ(Pixel(100, 100), yellow);
    EXPECT_EQ(Pixel(139, 61), blue);    // trunc((50 / 25 * 10 + 50) * 2), trunc((50 / 25 * -10 + 50) * 2)
    EXPECT_EQ(Pixel(100, 90), yellow);  // direction 0: straight up
    EXPECT_EQ(Pixel(150, 60), yellow);  // direction 90: to the right
    EXPECT_EQ(qAlpha(Pixel(100, 110)), 0);
    // The bounding circle: radius trunc(50 / 25 * 25 * 2) = 100 round the centre.
    EXPECT_TRUE(Near(0, 100, yellow));
    EXPECT_TRUE(Near(100, 0, yellow));
    EXPECT_EQ(qAlpha(Pixel(30, 100)), 0);  // clear brush: not filled

    // The selected weapon is drawn in its own colours with its arc.
    sheet->WeaponBox->SetRow(1);
    sheet->TurretBar->SetPosition(90);
    const QRgb selectedBrush = qRgb(0xEE, 0xFF, 0xFF);
    const QRgb selectedPen = qRgb(0x55, 0xFF, 0xFF);
    EXPECT_EQ(Pixel(139, 59), selectedBrush);  // inside the outline, off the line
    EXPECT_GT(CountColour(selectedPen), 20);   // outline and two arc lines
    // Arc lines at 90 + 270 +- 45 degrees: ends near (150, 70) and (150, 50).
    EXPECT_TRUE(Near(150, 70, selectedPen));
    EXPECT_TRUE(Near(150, 50, selectedPen));
    // Hiding the angles leaves only dots and the circle.
    sheet->AngleShow->SetChecked(false);
    EXPECT_GT(CountColour(selectedPen), 0);  // the dot's outline only
    EXPECT_LT(CountColour(selectedPen), 16);
    EXPECT_EQ(qAlpha(Pixel(100, 90)), 0);
    EXPECT_EQ(qAlpha(Pixel(150, 60)), 0);
    EXPECT_EQ(Pixel(100, 100), red);
    EXPECT_EQ(Pixel(140, 60), selectedBrush);
    EXPECT_TRUE(Near(0, 100, yellow));
}

TEST_F(WeaponsTest, WeaponAtTheScaleEdgeIsDrawnJustOutside) {
    sheet->D.WeaponType[0][0] = kLaser;
    sheet->D.WeaponX[0][0] = 25;
    sheet->D.LaserCount[0] = 1;
    sheet->AngleShow->SetChecked(false);
    sheet->SlotBoxClick();
    // Pixel 200 lies outside the 200-pixel picture: only the dot's left half shows.
    EXPECT_EQ(Pixel(198, 100), qRgb(255, 0, 0));
    EXPECT_EQ(sheet->DrawImage->Picture().width(), 200);
}
