// Moving the 20 designs between memory and ships.dat.
#include "editor/mainsheet.h"

#include "shipdata/shipclassrecord.h"
#include "shipdata/shipvalue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <vector>

namespace hull {

namespace {

const QString kCannotWrite = QStringLiteral("Cannot write ships.dat.");

std::vector<uint8_t> ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// Moves a ships.dat the editor will not use out of the way, under the first
// of ships.dat.bad, ships.dat.bad.1, ships.dat.bad.2, ... that is free, so
// no earlier kept file is ever replaced. Returns the new name, or an empty
// one when the file could not be moved (it then stays where it is).
QString KeepAside(const QString& path) {
    for (int n = 0; n < 100000; ++n) {
        const QString kept = path + QStringLiteral(".bad") + (n == 0 ? QString() : QStringLiteral(".%1").arg(n));
        if (QFileInfo::exists(kept)) continue;
        return QFile::rename(path, kept) ? kept : QString();
    }
    return QString();
}

// Writes `bytes` to `path`.tmp, flushes it to the disk and renames it over
// `path`: the old file (or, when there was none, no file) stays as it was
// until the new one is complete. A save cut short leaves at most that one
// temporary file, which the next save replaces. A link is followed, so the
// file it points to is the one replaced.
bool ReplaceWhole(const QString& path, const std::vector<uint8_t>& bytes) {
    const QFileInfo info(path);
    const QString target = info.exists() ? info.canonicalFilePath() : path;
    const QString temp = target + QStringLiteral(".tmp");
    QFile::remove(temp);
    QFile file(temp);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
    const auto size = static_cast<qint64>(bytes.size());
    bool written = file.write(reinterpret_cast<const char*>(bytes.data()), size) == size && file.flush() &&
                   ::fsync(file.handle()) == 0;
    file.close();
    written = written && file.error() == QFileDevice::NoError;
    if (written && info.exists()) file.setPermissions(info.permissions());
    if (!written || std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(temp);
        return false;
    }
    return true;
}

QString KeptMessage(const QString& kept) {
    return QStringLiteral("\nThe old file was kept as ") + QDir::toNativeSeparators(kept) + QStringLiteral(".");
}

}  // namespace

QString TMainSheet::ShipFilePath() const { return QDir(StartDirectory).filePath(QStringLiteral("ships.dat")); }

void TMainSheet::LoadShipFile() {
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
            for (int d = 0; d < kDesigns; ++d) D.SetRecord(d, (*records)[static_cast<size_t>(d)]);
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
    const QString kept = KeepAside(path);
    if (kept.isEmpty()) {
        ShowMessage(QString::number(length) + QStringLiteral("Dat file wrong sized.\n") + kCannotWrite);
        return;
    }
    ShowMessage(QString::number(length) + QStringLiteral("Dat file wrong sized.") + KeptMessage(kept));
    CreateShipFile();
}

void TMainSheet::LoadLegacyShipFile() {
    const std::vector<uint8_t> bytes = ReadAll(ShipFilePath());
    std::array<shipdata::ShipClassRecord, shipdata::kFileRecords> records;
    for (int d = 0; d < kDesigns; ++d) records[static_cast<size_t>(d)] = D.Record(d);
    if (!shipdata::DecodeLegacyFile(bytes, records)) return;
    for (int d = 0; d < shipdata::kLegacyFileRecords; ++d) D.SetRecord(d, records[static_cast<size_t>(d)]);
}

void TMainSheet::SaveShipFile() {
    const QString path = ShipFilePath();
    const QFileInfo info(path);
    if (!info.exists()) {
        if (CreateShipFile()) SlotBoxClick();
        return;
    }
    const qint64 length = info.size();
    SortDesignWeapons();
    if (length > static_cast<qint64>(shipdata::kFileSize)) {
        // Kept aside as a wrong-sized file is, and written anew.
        const QString kept = KeepAside(path);
        if (kept.isEmpty()) {
            ShowMessage(QStringLiteral("Dat file too long\n") + kCannotWrite);
            return;
        }
        ShowMessage(QStringLiteral("Dat file too long") + KeptMessage(kept));
        if (CreateShipFile()) SlotBoxClick();
        return;
    }
    if (WriteShipFile()) SlotBoxClick();
}

bool TMainSheet::WriteShipFile() {
    std::array<shipdata::ShipClassRecord, shipdata::kFileRecords> records;
    for (int d = 0; d < kDesigns; ++d) records[static_cast<size_t>(d)] = D.Record(d);
    if (!ReplaceWhole(ShipFilePath(), shipdata::EncodeFile(records))) {
        ShowMessage(kCannotWrite);
        return false;
    }
    return true;
}

bool TMainSheet::CreateShipFile() {
    ShowMessage(QStringLiteral("Creating a new dat file."));
    // Never an empty file first: a program stopped half way through leaves
    // no ships.dat, which the next start creates again.
    SortDesignWeapons();
    if (!WriteShipFile()) return false;
    SlotBoxClick();
    return true;
}

void TMainSheet::SortDesignWeapons() { SortDesignWeapons(CurrentDesign); }

void TMainSheet::SortDesignWeapons(int d) {
    // Whole slots move: lasers, ion cannons, cutting beams, then every other
    // slot in its old order with all it holds, so sorting a design that is
    // already sorted changes nothing. A damaged type value becomes empty.
    std::array<int, kSlots> order;
    int next = 0;
    for (int32_t kind : {kLaser, kIonCannon, kCuttingBeam})
        for (int s = 0; s < kSlots; ++s)
            if (D.WeaponType[d][s] == kind) order[next++] = s;
    for (int s = 0; s < kSlots; ++s)
        if (D.WeaponType[d][s] < kLaser || D.WeaponType[d][s] > kCuttingBeam) order[next++] = s;
    auto move = [&](auto& field) {
        const auto was = field[d];
        for (int to = 0; to < kSlots; ++to) field[d][to] = was[order[to]];
    };
    move(D.WeaponType);
    move(D.WeaponX);
    move(D.WeaponY);
    move(D.Aim);
    move(D.Convergence);
    move(D.FireDirection);
    move(D.TurretCover);
    move(D.Power);
    move(D.Range);
    for (int32_t& type : D.WeaponType[d])
        if (type < kEmpty || type > kCuttingBeam) type = kEmpty;
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

void TMainSheet::ComputeShipValue() {
    DesignValue[static_cast<size_t>(CurrentDesign)] = shipdata::ShipValue(D.Record(CurrentDesign));
    Value->SetText(QString::number(DesignValue[static_cast<size_t>(CurrentDesign)]));
}

}  // namespace hull
