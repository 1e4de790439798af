// Moving the 20 designs between memory and ships.dat.
#include "editor/mainsheet.h"

#include "shipdata/shipclassrecord.h"
#include "shipdata/shipvalue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <vector>

namespace hull {

namespace {

const QString kCannotWrite = QStringLiteral("Cannot write ships.dat.");

std::vector<uint8_t> ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

} // namespace

QString TMainSheet::ShipFilePath() const { return QDir(StartDirectory).filePath(QStringLiteral("ships.dat")); }

void TMainSheet::LoadShipFile()
{
    const QString path = ShipFilePath();
    const QFileInfo info(path);
    if (!info.exists()) {
        CreateShipFile();
        return;
    }
    const qint64 length = info.size();
    if (length == static_cast<qint64>(shipdata::kFileSize)) {
        const std::vector<uint8_t> bytes = ReadAll(path);
        if (const auto records = shipdata::DecodeFile(bytes)) {
            for (int d = 0; d < kDesigns; ++d)
                D.SetRecord(d, (*records)[static_cast<size_t>(d)]);
            return;
        }
        // The file changed or vanished between the length test and the read:
        // treat it as wrong sized below.
    } else if (length == static_cast<qint64>(shipdata::kLegacyFileSize)) {
        LoadLegacyShipFile();
        return;
    }
    // A file of the wrong size is kept aside, never deleted: its designs may
    // still be recovered by hand.
    const QString kept = path + QStringLiteral(".bad");
    QFile::remove(kept);
    if (!QFile::rename(path, kept)) {
        ShowMessage(QString::number(length) + QStringLiteral("Dat file wrong sized.\n") + kCannotWrite);
        return;
    }
    ShowMessage(QString::number(length) + QStringLiteral("Dat file wrong sized.\nThe old file was kept as ") +
                QDir::toNativeSeparators(kept) + QStringLiteral("."));
    CreateShipFile();
}

void TMainSheet::LoadLegacyShipFile()
{
    const std::vector<uint8_t> bytes = ReadAll(ShipFilePath());
    std::array<shipdata::ShipClassRecord, shipdata::kFileRecords> records;
    for (int d = 0; d < kDesigns; ++d)
        records[static_cast<size_t>(d)] = D.Record(d);
    if (!shipdata::DecodeLegacyFile(bytes, records))
        return;
    for (int d = 0; d < shipdata::kLegacyFileRecords; ++d)
        D.SetRecord(d, records[static_cast<size_t>(d)]);
}

void TMainSheet::SaveShipFile()
{
    const QString path = ShipFilePath();
    const QFileInfo info(path);
    if (!info.exists()) {
        if (CreateShipFile())
            SlotBoxClick();
        return;
    }
    const qint64 length = info.size();
    SortDesignWeapons();
    if (length > static_cast<qint64>(shipdata::kFileSize)) {
        ShowMessage(QStringLiteral("Dat file too long"));
        QFile::remove(path);
        if (CreateShipFile())
            SlotBoxClick();
        return;
    }
    std::array<shipdata::ShipClassRecord, shipdata::kFileRecords> records;
    for (int d = 0; d < kDesigns; ++d)
        records[static_cast<size_t>(d)] = D.Record(d);
    const std::vector<uint8_t> bytes = shipdata::EncodeFile(records);
    // The whole file goes to a temporary file beside ships.dat, which then
    // replaces the old one: a failed save leaves the old file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        ShowMessage(kCannotWrite);
        return;
    }
    SlotBoxClick();
}

bool TMainSheet::CreateShipFile()
{
    ShowMessage(QStringLiteral("Creating a new dat file."));
    QFile file(ShipFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ShowMessage(kCannotWrite);
        return false;
    }
    file.close();
    SaveShipFile();
    return QFileInfo(ShipFilePath()).size() == static_cast<qint64>(shipdata::kFileSize);
}

void TMainSheet::SortDesignWeapons() { SortDesignWeapons(CurrentDesign); }

void TMainSheet::SortDesignWeapons(int d)
{
    Designs sorted;
    int next = 0;
    for (int s = 0; s < kSlots; ++s)
        sorted.ClearSlot(d, s);
    for (int32_t kind : {kLaser, kIonCannon, kCuttingBeam}) {
        for (int s = 0; s < kSlots; ++s) {
            if (D.WeaponType[d][s] != kind)
                continue;
            sorted.WeaponType[d][next] = D.WeaponType[d][s];
            sorted.WeaponX[d][next] = D.WeaponX[d][s];
            sorted.WeaponY[d][next] = D.WeaponY[d][s];
            sorted.Aim[d][next] = D.Aim[d][s];
            sorted.Convergence[d][next] = D.Convergence[d][s];
            sorted.FireDirection[d][next] = D.FireDirection[d][s];
            sorted.TurretCover[d][next] = D.TurretCover[d][s];
            sorted.Power[d][next] = D.Power[d][s];
            sorted.Range[d][next] = D.Range[d][s];
            ++next;
        }
    }
    D.WeaponType[d] = sorted.WeaponType[d];
    D.WeaponX[d] = sorted.WeaponX[d];
    D.WeaponY[d] = sorted.WeaponY[d];
    D.Aim[d] = sorted.Aim[d];
    D.Convergence[d] = sorted.Convergence[d];
    D.FireDirection[d] = sorted.FireDirection[d];
    D.TurretCover[d] = sorted.TurretCover[d];
    D.Power[d] = sorted.Power[d];
    D.Range[d] = sorted.Range[d];
    // The counts follow the sorted slots, whatever they held before.
    D.LaserCount[d] = D.IonCount[d] = D.BeamCount[d] = 0;
    for (int s = 0; s < kSlots; ++s) {
        switch (D.WeaponType[d][s]) {
        case kLaser: ++D.LaserCount[d]; break;
        case kIonCannon: ++D.IonCount[d]; break;
        case kCuttingBeam: ++D.BeamCount[d]; break;
        default: break;
        }
    }
}

void TMainSheet::ComputeShipValue()
{
    DesignValue[static_cast<size_t>(CurrentDesign)] = shipdata::ShipValue(D.Record(CurrentDesign));
    Value->SetText(QString::number(DesignValue[static_cast<size_t>(CurrentDesign)]));
}

} // namespace hull
