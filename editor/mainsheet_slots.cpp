// Showing a design in the controls, and the menu commands.
#include "editor/mainsheet.h"

#include <QMessageBox>

#include <cmath>

namespace hull {

QString FieldText(const Text& field) {
    size_t length = 0;
    while (length < field.size() - 1 && field[length] != '\0') ++length;
    return QString::fromLatin1(field.data(), static_cast<qsizetype>(length));
}

void SetFieldText(Text& field, const QString& text) {
    const QByteArray bytes = text.toLatin1().left(kTextSize - 1);
    field.fill(0);
    std::copy(bytes.begin(), bytes.end(), field.begin());
}

void TMainSheet::SlotBoxClick() {
    // 1-2: leave the current design sorted and take the chosen one.
    SortDesignWeapons();
    CurrentDesign = std::clamp(SlotBox->ItemIndex(), 0, kDesigns - 1);
    SelectedRow = -1;
    WeaponBox->clearSelection();
    const int d = CurrentDesign;
    // Setting the controls runs their change events, which store what the
    // controls can show (rounded, clamped, the built-in picture's texts).
    // Showing a design changes none of its values: they are put back below,
    // and a value changes only when the designer moves its control.
    const shipdata::ShipClassRecord stored = D.Record(d);

    // 3: with no row selected the weapon bars only reset their echoes.
    AimBar->SetPosition(0);
    ConverBar->SetPosition(1000);
    TurretBar->SetPosition(0);
    PowerBar->SetPosition(10);
    RangeBar->SetPosition(120);

    // 4-6: systems.
    ArmorBarFront->SetPosition(D.Armor[d][0]);
    ArmorBarBack->SetPosition(D.Armor[d][1]);
    SpeedBar->SetPosition(static_cast<int>(std::lround(D.Acceleration[d] * 10.0)));
    ShieldBar->SetPosition(D.Shield[d]);
    HullBar->SetPosition(D.Hull[d]);
    TurnBar->SetPosition(D.Turn[d]);
    MissileBar->SetPosition(D.Missiles[d]);

    // 7: setting the scale may lower the bound bar; the bound read first
    // sets it back.
    const int bound = D.BoundingSphere[d];
    ScaleBar->SetPosition(D.DrawScale[d]);
    BoundBar->SetPosition(bound);

    // 8-9
    Universe->SetItemIndex(D.Technology[d]);
    EngineSound->SetItemIndex(D.EngineSoundKind[d]);
    ShipName->SetText(FieldText(D.Name[d]));

    // 10: activation runs its check when the box turns checked.
    HelpLine->SetChecked(D.AimLine[d] != 0);
    Activate->SetChecked(D.Active[d] != 0);
    R2Unit->SetChecked(D.AstroDroid[d] == 1);

    // 11
    DriveG->SetItemIndex(D.Specials[d][kDrive]);
    CloakS->SetItemIndex(D.Specials[d][kCloak]);
    TeleC->SetChecked(D.Specials[d][kTeleport] != 0);
    BlossomC->SetChecked(D.Specials[d][kDeathBlossom] != 0);
    LinkCheck->SetChecked(D.LinkAll[d] != 0);

    // 12-16
    ShowPicture();
    FrBar->SetPosition(D.FrameCount[d]);
    // The design as it was, except that an activation the check refused
    // stays off.
    D.SetRecord(d, stored);
    if (!Activate->Checked()) D.Active[d] = 0;
    FillWeaponBox();
    ShipImage2->resize(2 * ScaleBar->Position(), 2 * ScaleBar->Position());
    DrawWeaponSchematic();
    ComputeShipValue();
}

void TMainSheet::Load1Click() {
    LoadShipFile();
    SlotBoxClick();
}

void TMainSheet::N1Click() { SaveShipFile(); }

void TMainSheet::Quit1Click() { close(); }

void TMainSheet::About1Click() {
    ShowMessage(
        QStringLiteral("Vantorra version 2. Hullsmith v. 1.0\n"
                       "Ship editor and game: the Vantorra developers.\n"
                       "Ship pictures and sounds: drawn and synthesised for Vantorra.\n"
                       "Thanks to every pilot who flew the first designs."));
}

}  // namespace hull
