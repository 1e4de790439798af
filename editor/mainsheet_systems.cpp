// The "Systems", "Specials" and "General Information" pages: each control
// writes one field of the current design at once and shows it in its echo.
#include "editor/mainsheet.h"

#include <QLocale>

namespace hull {

void TMainSheet::SpeedBarChange() {
    const int pos = SpeedBar->Position();
    D.Acceleration[CurrentDesign] = static_cast<float>(pos * 0.1);
    SpeedR->SetText(QLocale::system().toString(pos * 0.1, 'g', 15));
    ComputeShipValue();
}

void TMainSheet::ShieldBarChange() {
    D.Shield[CurrentDesign] = ShieldBar->Position();
    ShieldR->SetText(QString::number(ShieldBar->Position()));
    ComputeShipValue();
}

void TMainSheet::HullBarChange() {
    D.Hull[CurrentDesign] = HullBar->Position();
    HullR->SetText(QString::number(HullBar->Position()));
    ComputeShipValue();
}

void TMainSheet::TurnBarChange() {
    D.Turn[CurrentDesign] = TurnBar->Position();
    TurnR->SetText(QString::number(TurnBar->Position()));
    ComputeShipValue();
}

void TMainSheet::MissileBarChange() {
    D.Missiles[CurrentDesign] = MissileBar->Position();
    MissileR->SetText(QString::number(MissileBar->Position()));
    ComputeShipValue();
}

void TMainSheet::ArmorBarFrontChange() {
    D.Armor[CurrentDesign][0] = ArmorBarFront->Position();
    ArmorRF->SetText(QString::number(ArmorBarFront->Position()));
    ComputeShipValue();
}

void TMainSheet::ArmorBarBackChange() {
    D.Armor[CurrentDesign][1] = ArmorBarBack->Position();
    ArmorRB->SetText(QString::number(ArmorBarBack->Position()));
    ComputeShipValue();
}

void TMainSheet::ScaleBarChange() {
    const int scale = ScaleBar->Position();
    if (scale < BoundBar->Position()) BoundBar->SetPosition(scale);
    ScaleR->SetText(QString::number(scale));
    D.DrawScale[CurrentDesign] = scale;
    ShipImage2->resize(2 * scale, 2 * scale);
    DrawWeaponSchematic();
}

void TMainSheet::BoundBarChange() {
    if (BoundBar->Position() > ScaleBar->Position()) BoundBar->SetPosition(ScaleBar->Position());
    D.BoundingSphere[CurrentDesign] = BoundBar->Position();
    BoundR->SetText(QString::number(BoundBar->Position()));
    DrawWeaponSchematic();
    ComputeShipValue();
}

// The lists offer only their items, so an index is always one of them; a
// design whose stored index lies outside shows no item and keeps its value.
void TMainSheet::UniverseChange() {
    if (Universe->ItemIndex() >= 0) D.Technology[CurrentDesign] = Universe->ItemIndex();
    DrawWeaponSchematic();
}

void TMainSheet::EngineSoundChange() {
    if (EngineSound->ItemIndex() >= 0) D.EngineSoundKind[CurrentDesign] = EngineSound->ItemIndex();
}

void TMainSheet::ShipNameChange() { SetFieldText(D.Name[CurrentDesign], ShipName->Text()); }

void TMainSheet::HelpLineClick() { D.AimLine[CurrentDesign] = HelpLine->Checked() ? 1 : 0; }

void TMainSheet::R2UnitClick() { D.AstroDroid[CurrentDesign] = R2Unit->Checked() ? 1 : 2; }

void TMainSheet::DriveGClick() {
    if (DriveG->ItemIndex() >= 0) D.Specials[CurrentDesign][kDrive] = DriveG->ItemIndex();
}

void TMainSheet::CloakSClick() {
    if (CloakS->ItemIndex() >= 0) D.Specials[CurrentDesign][kCloak] = CloakS->ItemIndex();
    ComputeShipValue();
}

void TMainSheet::BlossomCClick() {
    D.Specials[CurrentDesign][kDeathBlossom] = BlossomC->Checked() ? 1 : 0;
    ComputeShipValue();
}

void TMainSheet::TeleCClick() {
    D.Specials[CurrentDesign][kTeleport] = TeleC->Checked() ? 1 : 0;
    ComputeShipValue();
}

void TMainSheet::LinkCheckClick() { D.LinkAll[CurrentDesign] = LinkCheck->Checked() ? 1 : 0; }

}  // namespace hull
