// The systems, specials and general information pages, and the help line.
#include "tests/editor/support_editor.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

using namespace hull;
using namespace hulltest;

class PagesTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        sheet = MakeSheet();
        messages.clear();
    }
    std::unique_ptr<TMainSheet> sheet;
};

TEST_F(PagesTest, ScaleAndBoundStayCoupled) {
    sheet->ScaleBar->SetPosition(40);
    sheet->BoundBar->SetPosition(30);
    sheet->ScaleBar->SetPosition(20);
    EXPECT_EQ(sheet->BoundBar->Position(), 20);
    EXPECT_EQ(sheet->D.BoundingSphere[0], 20);
    EXPECT_EQ(sheet->D.DrawScale[0], 20);
    EXPECT_EQ(sheet->ShipImage2->size(), QSize(40, 40));
    EXPECT_EQ(sheet->BoundR->Text(), QString("20"));
    EXPECT_EQ(sheet->ScaleR->Text(), QString("20"));
    // The bound never goes above the scale.
    sheet->BoundBar->SetPosition(90);
    EXPECT_EQ(sheet->BoundBar->Position(), 20);
    EXPECT_EQ(sheet->D.BoundingSphere[0], 20);
    sheet->BoundBar->setValue(70);  // a user drag
    EXPECT_EQ(sheet->BoundBar->Position(), 20);
    // Raising the scale leaves the bound alone.
    sheet->ScaleBar->SetPosition(100);
    EXPECT_EQ(sheet->BoundBar->Position(), 20);
    EXPECT_EQ(sheet->ShipImage2->size(), QSize(200, 200));
}

TEST_F(PagesTest, EachBarStoresItsField) {
    sheet->SpeedBar->SetPosition(15);
    EXPECT_EQ(sheet->D.Acceleration[0], 1.5f);
    EXPECT_EQ(sheet->SpeedR->Text(), QLocale::system().toString(1.5));
    sheet->SpeedBar->SetPosition(3);  // below the range: 0.4
    EXPECT_EQ(sheet->D.Acceleration[0], static_cast<float>(4 * 0.1));
    const struct {
        TTrackBar* bar;
        TEdit* echo;
        int set;
        const int32_t* field;
    } bars[] = {
        {sheet->ShieldBar, sheet->ShieldR, 0, &sheet->D.Shield[0]},
        {sheet->HullBar, sheet->HullR, 200, &sheet->D.Hull[0]},
        {sheet->TurnBar, sheet->TurnR, 6, &sheet->D.Turn[0]},
        {sheet->MissileBar, sheet->MissileR, 100, &sheet->D.Missiles[0]},
        {sheet->ArmorBarFront, sheet->ArmorRF, 70, &sheet->D.Armor[0][0]},
        {sheet->ArmorBarBack, sheet->ArmorRB, 80, &sheet->D.Armor[0][1]},
    };
    for (const auto& b : bars) {
        b.bar->SetPosition(b.set);
        EXPECT_EQ(*b.field, b.set) << b.bar->objectName().toStdString();
        EXPECT_EQ(b.echo->Text(), QString::number(b.set));
        EXPECT_EQ(sheet->Value->Text(), QString::number(sheet->DesignValue[0]));
    }
}

TEST_F(PagesTest, ChecksListsAndGroupsStoreTheirFields) {
    Designs& d = sheet->D;
    sheet->R2Unit->SetChecked(true);
    EXPECT_EQ(d.AstroDroid[0], 1);
    sheet->R2Unit->SetChecked(false);
    EXPECT_EQ(d.AstroDroid[0], 2);
    sheet->HelpLine->click();
    EXPECT_EQ(d.AimLine[0], 1);
    sheet->LinkCheck->click();
    EXPECT_EQ(d.LinkAll[0], 1);
    sheet->BlossomC->click();
    EXPECT_EQ(d.Specials[0][kDeathBlossom], 1);
    sheet->TeleC->click();
    EXPECT_EQ(d.Specials[0][kTeleport], 1);
    sheet->DriveG->Button(2)->click();
    EXPECT_EQ(d.Specials[0][kDrive], 2);
    sheet->CloakS->Button(1)->click();
    EXPECT_EQ(d.Specials[0][kCloak], 1);
    const QString valued = sheet->Value->Text();
    sheet->CloakS->Button(2)->click();
    EXPECT_NE(sheet->Value->Text(), valued);  // phasing costs more
    for (int i = 4; i < 10; ++i) EXPECT_EQ(d.Specials[0][i], 0);

    // The lists are drop-downs: nothing can be typed, only items picked.
    EXPECT_FALSE(sheet->Universe->isEditable());
    EXPECT_FALSE(sheet->EngineSound->isEditable());
    EXPECT_EQ(sheet->Universe->count(), 7);
    EXPECT_EQ(sheet->EngineSound->count(), 12);
    EXPECT_EQ(sheet->EngineSound->itemText(8), QString("Enteprise Bridge"));
    sheet->Universe->setCurrentIndex(6);
    emit sheet->Universe->activated(6);
    EXPECT_EQ(d.Technology[0], 6);
    sheet->EngineSound->setCurrentIndex(11);
    emit sheet->EngineSound->activated(11);
    EXPECT_EQ(d.EngineSoundKind[0], 11);
}

TEST_F(PagesTest, NameOfNineteenCharactersIsStoredWholeWithItsNul) {
    sheet->ShipName->clear();
    sheet->ShipName->setFocus();
    TypeText(sheet->ShipName, "Nineteen characters!");  // 20 typed
    EXPECT_EQ(sheet->ShipName->Text(), QString("Nineteen characters"));
    const Text& name = sheet->D.Name[0];
    EXPECT_EQ(std::string(name.data(), 19), "Nineteen characters");
    EXPECT_EQ(name[19], '\0');
    sheet->ShipName->SetText("Jo");
    EXPECT_EQ(FieldText(sheet->D.Name[0]), QString("Jo"));
    EXPECT_EQ(name[2], '\0');
}

TEST_F(PagesTest, HelpLineFollowsTheMouse) {
    auto move = [](QWidget* w) {
        QMouseEvent event(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    };
    move(sheet->TabSheet2);
    EXPECT_EQ(sheet->InfoLabel->text(), QString("Use the sliders to set your fighters parameters."));
    move(sheet->AddLaser);
    EXPECT_EQ(sheet->InfoLabel->text(), QString("Add a laser to your design."));
    const struct {
        QWidget* widget;
        const char* text;
    } cases[] = {
        {sheet->TabSheet1, "Use these options to arm your fighter."},
        {sheet->TabSheet3, "General information about your fighter."},
        {sheet->TabSheet6, "Select special systems for your ship."},
        {sheet->RemoveWeapon, "Remove the selected weapon."},
        {sheet->Activate,
         "Finally try to activate your design. If you do not activate the design you wont be able "
         "to use it. You will be notified on errors."},
        {sheet->AddIon, "Add an ion cannon to your design."},
        {sheet->AddBeam,
         "Cutting beams are of the selected Universe type(phaser, B5 cutting beams, deathstar "
         "beam..)."},
        {sheet->LinkCheck, "When this is checked full link firing mode fires all energy weapons at once."},
        {sheet->Button1, "The naming conventions of file naming already apply. See Files page for description."},
        {sheet->Button2,
         "This program has to in the folder where the game exe and IMG folder reside for the "
         "verification to be successful."},
        {sheet->BlossomC,
         "Death blossom fires all your remaining energy and missiles wildly spinning to all "
         "directions."},
        {sheet->TeleC, "Subspace teleporter instantaneously moves your ship from one place to another."},
    };
    for (const auto& c : cases) {
        move(c.widget);
        EXPECT_EQ(sheet->InfoLabel->text(), QString(c.text));
    }
    // Pages without help leave the text as it was.
    move(sheet->TabSheet4);
    EXPECT_EQ(sheet->InfoLabel->text(), QString(std::end(cases)[-1].text));
    move(sheet->TabSheet5);
    EXPECT_EQ(sheet->InfoLabel->text(), QString(std::end(cases)[-1].text));
    // The radio groups explain themselves on entry.
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(sheet->DriveG->Button(1), &focus);
    EXPECT_EQ(sheet->InfoLabel->text(), QString("Select an approriate drive system for your design."));
    QApplication::sendEvent(sheet->CloakS->Button(2), &focus);
    EXPECT_EQ(sheet->InfoLabel->text(), QString("Normal cloaking device makes your ship invisible. Phasing cloak "
                                                "makes your ship pass through normal matter."));
}
