// The "Weapons" page: the slot grid, the add/remove/reset buttons, the five
// weapon bars and the schematic drawn over the ship's picture.
#include "editor/mainsheet.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace hull {

namespace {

// Truncates toward zero, keeping damaged values (huge, infinite, NaN) inside
// a range every caller can draw or show safely.
int SafeTrunc(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(v, -1.0e6, 1.0e6));
}

bool IsWeapon(int32_t type) { return type == kLaser || type == kIonCannon || type == kCuttingBeam; }

int32_t* KindCount(Designs& designs, int d, int32_t kind) {
    switch (kind) {
        case kLaser: return &designs.LaserCount[d];
        case kIonCannon: return &designs.IonCount[d];
        case kCuttingBeam: return &designs.BeamCount[d];
        default: return nullptr;
    }
}

constexpr unsigned kIonColour = 0xFF0000;
constexpr unsigned kLaserColour = 0x0000FF;
constexpr unsigned kSelectedBrush = 0xFFFFEE;
constexpr unsigned kSelectedPen = 0xFFFF55;
constexpr unsigned kLineColour = 0x00FFFF;

}  // namespace

QString WeaponKindName(int32_t kind, int32_t turretCover) {
    const bool turret = turretCover != 0;
    switch (kind) {
        case kLaser: return turret ? QStringLiteral("Laser Turret") : QStringLiteral("Laser");
        case kIonCannon: return turret ? QStringLiteral("Ion Turret") : QStringLiteral("Ion Cannon");
        case kCuttingBeam: return turret ? QStringLiteral("Beam Turret") : QStringLiteral("Cutting Beam");
        default: return QString();
    }
}

void TMainSheet::FillWeaponBox() {
    const int d = CurrentDesign;
    for (int s = 0; s < kSlots; ++s) {
        if (IsWeapon(D.WeaponType[d][s])) {
            WeaponBox->SetCell(0, s, WeaponKindName(D.WeaponType[d][s], D.TurretCover[d][s]));
            WeaponBox->SetCell(1, s, QString::asprintf("%.2f", static_cast<double>(D.FireDirection[d][s])));
            WeaponBox->SetCell(2, s, QString::number(D.WeaponX[d][s]));
            WeaponBox->SetCell(3, s, QString::number(D.WeaponY[d][s]));
        } else {
            for (int c = 0; c < 4; ++c) WeaponBox->SetCell(c, s, QString());
        }
    }
}

void TMainSheet::WeaponBoxSelectCell(int, int row) {
    if (row < 0 || row >= kSlots) return;
    SelectedRow = row;
    const int d = CurrentDesign;
    ConverBar->SetPosition(SafeTrunc(D.Convergence[d][row]));
    AimBar->SetPosition(SafeTrunc(D.Aim[d][row]));
    TurretBar->SetPosition(D.TurretCover[d][row]);
    PowerBar->SetPosition(D.Power[d][row]);
    RangeBar->SetPosition(D.Range[d][row]);
    LinkCheck->SetChecked(D.LinkAll[d] != 0);
    DrawWeaponSchematic();
}

void TMainSheet::AddWeapon(int kind) {
    const int d = CurrentDesign;
    const int r = SelectedRow;
    if (r >= 0) {
        WeaponBox->SetCell(0, r, WeaponKindName(kind, 0));
        const int32_t old = D.WeaponType[d][r];
        if (old != kind) {
            if (int32_t* count = KindCount(D, d, old)) --*count;
            ++*KindCount(D, d, kind);
        }
        D.TurretCover[d][r] = 0;
        D.WeaponType[d][r] = kind;
        if (r < kSlots - 1) WeaponBox->SetRow(r + 1);
    }
    DrawWeaponSchematic();
    ComputeShipValue();
}

void TMainSheet::RemoveWeaponClick() {
    const int d = CurrentDesign;
    const int r = SelectedRow;
    if (r >= 0 && D.WeaponType[d][r] != kEmpty) {
        for (int c = 0; c < 4; ++c) WeaponBox->SetCell(c, r, QString());
        if (int32_t* count = KindCount(D, d, D.WeaponType[d][r])) --*count;
        D.WeaponType[d][r] = kEmpty;
        D.WeaponX[d][r] = 0;
        D.WeaponY[d][r] = 0;
        D.Aim[d][r] = 0.0f;
        D.FireDirection[d][r] = 0.0f;
        D.TurretCover[d][r] = 0;
        D.Convergence[d][r] = 1000.0f;
        if (r > 0) WeaponBox->SetRow(r - 1);
    }
    DrawWeaponSchematic();
    ComputeShipValue();
}

void TMainSheet::ResetDirClick() {
    if (SelectedRow < 0) return;
    ConverBar->SetPosition(1000);
    AimBar->SetPosition(0);
    RangeBar->SetPosition(120);
    PowerBar->SetPosition(10);
    TurretBar->SetPosition(0);
}

// ---- the five weapon bars ----
// With no row selected, or an empty slot, a bar goes back to its default and
// stores nothing.

void TMainSheet::AimBarChange() {
    const int d = CurrentDesign;
    const int r = SelectedRow;
    const int pos = AimBar->Position();
    if (r < 0 || !IsWeapon(D.WeaponType[d][r])) {
        AimBar->SetPosition(0);
        Dire->SetText(QString::number(AimBar->Position()));
    } else {
        D.Aim[d][r] = static_cast<float>(pos);
        const float t = static_cast<float>(D.Convergence[d][r] * 0.001 - 1);
        D.FireDirection[d][r] = static_cast<float>(t + D.Aim[d][r]);
        switch (pos) {
            case 0: Dire->SetText(QStringLiteral("FRONT")); break;
            case 90: Dire->SetText(QStringLiteral("RIGHT")); break;
            case 180: Dire->SetText(QStringLiteral("BACK")); break;
            case 270: Dire->SetText(QStringLiteral("LEFT")); break;
            default: Dire->SetText(QString::number(pos)); break;
        }
        WeaponBox->SetCell(1, r, QString::asprintf("%.2f", static_cast<double>(D.FireDirection[d][r])));
    }
    DrawWeaponSchematic();
}

void TMainSheet::ConverBarChange() {
    const int d = CurrentDesign;
    const int r = SelectedRow;
    const int pos = ConverBar->Position();
    if (r < 0 || !IsWeapon(D.WeaponType[d][r])) {
        ConverBar->SetPosition(1000);
        Conv->SetText(QStringLiteral("0"));
    } else {
        const float t = static_cast<float>(pos * 0.001 - 1);
        D.Convergence[d][r] = static_cast<float>(pos);
        D.FireDirection[d][r] = static_cast<float>(t + D.Aim[d][r]);
        Conv->SetText(QString::asprintf("%.2f", static_cast<double>(t)));
        WeaponBox->SetCell(1, r, QString::asprintf("%.2f", static_cast<double>(D.FireDirection[d][r])));
    }
    DrawWeaponSchematic();
}

void TMainSheet::TurretBarChange() {
    const int d = CurrentDesign;
    const int r = SelectedRow;
    const int pos = TurretBar->Position();
    if (r < 0 || !IsWeapon(D.WeaponType[d][r])) {
        TurretBar->SetPosition(0);
        Turr->SetText(QString::number(TurretBar->Position()));
    } else {
        D.TurretCover[d][r] = pos;
        Turr->SetText(QString::number(pos));
        WeaponBox->SetCell(0, r, WeaponKindName(D.WeaponType[d][r], pos));
    }
    DrawWeaponSchematic();
    ComputeShipValue();
}

void TMainSheet::RangeBarChange() {
    const int d = CurrentDesign;
    const int r = SelectedRow;
    if (r < 0 || !IsWeapon(D.WeaponType[d][r])) {
        RangeBar->SetPosition(120);
    } else {
        D.Range[d][r] = RangeBar->Position();
    }
    Rang->SetText(QString::number(RangeBar->Position()));
    ComputeShipValue();
}

void TMainSheet::PowerBarChange() {
    const int d = CurrentDesign;
    const int r = SelectedRow;
    if (r < 0 || !IsWeapon(D.WeaponType[d][r])) {
        PowerBar->SetPosition(10);
    } else {
        D.Power[d][r] = PowerBar->Position();
    }
    Powr->SetText(QString::number(PowerBar->Position()));
    ComputeShipValue();
}

void TMainSheet::AngleShowClick() { DrawWeaponSchematic(); }

// ---- the schematic ----

int TMainSheet::SchematicScale() const { return ScaleBar->Position(); }

void TMainSheet::DrawImageMouseMove(int x, int y) {
    const int scale = SchematicScale();
    PosX->SetText(QString::number(SafeTrunc((x / 2 - 50) * scale * 0.02)));
    PosY->SetText(QString::number(SafeTrunc((y / 2 - 50) * scale * 0.02)));
    ShowHelp(QStringLiteral("When placing weapons you use this schematic to place your selections."));
}

void TMainSheet::DrawImageMouseDown(Qt::MouseButtons buttons, int x, int y) {
    const int d = CurrentDesign;
    const int r = SelectedRow;
    if ((buttons & Qt::LeftButton) && r >= 0 && IsWeapon(D.WeaponType[d][r])) {
        const int scale = SchematicScale();
        D.WeaponX[d][r] = SafeTrunc((x / 2 - 50) * scale * 0.02);
        WeaponBox->SetCell(2, r, QString::number(D.WeaponX[d][r]));
        D.WeaponY[d][r] = SafeTrunc((y / 2 - 50) * scale * 0.02);
        WeaponBox->SetCell(3, r, QString::number(D.WeaponY[d][r]));
    }
    DrawWeaponSchematic();
}

void TMainSheet::DrawWeaponSchematic() {
    const int d = CurrentDesign;
    const double perUnit = 50.0 / SchematicScale();
    auto pixel = [perUnit](double c) { return SafeTrunc((perUnit * c + 50) * 2); };
    // A line of 15 pixels from (px, py) at `degrees` on the screen (0 up).
    auto ray = [](TCanvas& canvas, int px, int py, double degrees) {
        const double a = degrees / 360.0 * 2 * std::numbers::pi;
        canvas.MoveTo(px, py);
        canvas.LineTo(SafeTrunc(static_cast<float>(px + std::cos(a) * 15)),
                      SafeTrunc(static_cast<float>(py + std::sin(a) * 15)));
    };

    DrawImage->SetPicture(EmptyPic->Picture());
    TCanvas& canvas = DrawImage->Canvas();
    canvas.brushClear = false;
    for (int s = 0; s < kSlots; ++s) {
        const int32_t type = D.WeaponType[d][s];
        if (!IsWeapon(type)) continue;
        const int px = pixel(D.WeaponX[d][s]);
        const int py = pixel(D.WeaponY[d][s]);
        const double direction = D.FireDirection[d][s];
        const QColor kind = ColorFromBgr(type == kIonCannon ? kIonColour : kLaserColour);
        canvas.brushColor = kind;
        canvas.penColor = kind;
        if (s == SelectedRow) {
            canvas.brushColor = ColorFromBgr(kSelectedBrush);
            canvas.penColor = ColorFromBgr(kSelectedPen);
            if (D.TurretCover[d][s] > 0 && AngleShow->Checked()) {
                const int h = D.TurretCover[d][s] / 2;
                ray(canvas, px, py, direction + 270 + h);
                ray(canvas, px, py, direction + 270 - h);
            }
        }
        canvas.Ellipse(px - 2, py - 2, px + 2, py + 2);
        if (AngleShow->Checked()) {
            canvas.penColor = ColorFromBgr(kLineColour);
            ray(canvas, px, py, direction + 270);
        }
    }
    canvas.brushColor = ColorFromBgr(kLineColour);
    canvas.penColor = ColorFromBgr(kLineColour);
    canvas.brushClear = true;
    const int r = SafeTrunc(perUnit * D.BoundingSphere[d] * 2);
    canvas.Ellipse(100 - r, 100 - r, 100 + r, 100 + r);
    canvas.brushClear = false;
}

}  // namespace hull
