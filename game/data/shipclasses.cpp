#include "game/data/shipclasses.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "game/data/builtinclasses.h"
#include "game/program/winmain.h"
#include "platform/system/files.h"
#include "shipdata/shipvalue.h"

namespace {

constexpr const char* kShipsFile = "ships.dat";

bool IsBuiltInSelection(std::int32_t s) { return s >= 0 && s < builtin::kBuiltInClassCount; }

}  // namespace

void ClassToRecord(const ClassTable& t, int c, shipdata::ShipClassRecord& r) {
#define COPY_TO_RECORD(name, kind, count, at) shipdata::CopyField(r.name, t.name[c]);
    SHIPDATA_RECORD_FIELDS(COPY_TO_RECORD)
#undef COPY_TO_RECORD
}

void RecordToClass(const shipdata::ShipClassRecord& r, ClassTable& t, int c) {
#define COPY_TO_CLASS(name, kind, count, at) shipdata::CopyField(t.name[c], r.name);
    SHIPDATA_RECORD_FIELDS(COPY_TO_CLASS)
#undef COPY_TO_CLASS
}

void SetUserClassDefaults(GameState* game) {
    ClassTable& t = game->ShipClassTable;
    for (int c = kFirstUserClass; c < kClassCount; ++c) {
        t.Active[c] = 0;
        t.Technology[c] = 0;
        t.ImageSelection[c] = shipdata::CustomImage;
        t.Missiles[c] = 4;
        t.IonCount[c] = 0;
        t.LaserCount[c] = 0;
        t.BeamCount[c] = 0;
        t.Turn[c] = 3;
        t.Acceleration[c] = 1.0f;
        t.Shield[c] = 50;
        t.Hull[c] = 50;
        t.DrawScale[c] = 50;
        t.BoundingSphere[c] = 50;
        t.FrameCount[c] = 60;
        for (int s = 0; s < kClassSlots; ++s) {
            t.WeaponType[c][s] = shipdata::NoWeapon;
            t.WeaponX[c][s] = 0;
            t.WeaponY[c][s] = 0;
            t.Aim[c][s] = 0.0f;
            t.FireDirection[c][s] = 0.0f;
            t.TurretCover[c][s] = 0;
            t.Convergence[c][s] = 1000.0f;
        }
    }
}

void SetupShipClasses(GameState* game) {
    ClassTable& t = game->ShipClassTable;
    for (int c = 0; c < builtin::kBuiltInClassCount; ++c) {
        const builtin::BuiltInClass& b = builtin::BuiltInClassAt(c);

        t.ImageSelection[c] = c;
        t.FrameCount[c] = builtin::kBuiltInFrameCount;
        t.Technology[c] = b.Technology;
        t.Shield[c] = b.Shield;
        t.Hull[c] = b.Hull;
        t.Armor[c][0] = b.ArmorFront;
        t.Armor[c][1] = b.ArmorBack;
        t.Missiles[c] = b.Missiles;
        t.Turn[c] = b.Turn;
        t.Acceleration[c] = b.Acceleration;
        t.DrawScale[c] = b.DrawScale;
        t.BoundingSphere[c] = b.BoundingSphere;
        t.LaserCount[c] = b.LaserCount;
        t.IonCount[c] = b.IonCount;
        t.BeamCount[c] = b.BeamCount;
        t.EngineSoundKind[c] = b.EngineSoundKind;
        t.AstroDroid[c] = b.AstroDroid;
        t.AimLine[c] = b.AimLine;
        std::fill(std::begin(t.Specials[c]), std::end(t.Specials[c]), 0);
        t.Specials[c][shipdata::Drive] = b.Drive;

        for (int s = 0; s < kClassSlots; ++s) {
            const bool mounted = s < b.MountCount;
            const builtin::Mount m = mounted ? b.Mounts[s] : builtin::Mount{};
            t.WeaponX[c][s] = mounted ? m.X : 0;
            t.WeaponY[c][s] = mounted ? m.Y : 0;
            t.FireDirection[c][s] = mounted ? m.FireDirection : 0.0f;
            t.TurretCover[c][s] = mounted ? m.TurretCover : 0;
            t.Power[c][s] = mounted ? m.Power : 10;
            t.Range[c][s] = mounted ? m.Range : 120;
        }

        // The slot kinds follow from the counts: lasers, ion cannons, beams.
        int s = 0;
        std::fill(std::begin(t.WeaponType[c]), std::end(t.WeaponType[c]), shipdata::NoWeapon);
        for (int k = 0; k < b.LaserCount; ++k) t.WeaponType[c][s++] = shipdata::Laser;
        for (int k = 0; k < b.IonCount; ++k) t.WeaponType[c][s++] = shipdata::IonCannon;
        for (int k = 0; k < b.BeamCount; ++k) t.WeaponType[c][s++] = shipdata::CuttingBeam;
    }

    shipdata::ShipClassRecord rec;
    for (int c = 0; c < kClassCount; ++c) {
        ClassToRecord(t, c, rec);
        game->ShipValue[c] = shipdata::ShipValue(rec);
    }
}

bool PrepareUserRecord(shipdata::ShipClassRecord& rec) {
    shipdata::CopyName(rec.ImageFolder, rec.ImageFolder);
    shipdata::CopyName(rec.ImageName, rec.ImageName);
    shipdata::CopyName(rec.Name, rec.Name);

    const bool borrowed = IsBuiltInSelection(rec.ImageSelection);
    if (borrowed) rec.FrameCount = builtin::kBuiltInFrameCount;

    if (!borrowed && rec.ImageSelection != shipdata::CustomImage) return false;
    if (rec.FrameCount < 1 || rec.FrameCount > kFramesPerSet) return false;
    if (rec.LaserCount < 0 || rec.IonCount < 0 || rec.BeamCount < 0) return false;
    if (std::int64_t{rec.LaserCount} + rec.IonCount + rec.BeamCount > shipdata::kWeaponSlots) return false;
    if (rec.Technology < 0 || rec.Technology > 6) return false;
    if (rec.EngineSoundKind < 0 || rec.EngineSoundKind > 11) return false;
    if (rec.BoundingSphere <= 0 || rec.DrawScale <= 0) return false;
    return true;
}

void LoadShipClasses(GameState* game) {
    // A missing file reads as no bytes; DecodeFile takes only the exact length.
    if (auto records = shipdata::DecodeFile(plat::ReadWholeFile(kShipsFile))) {
        for (int i = 0; i < shipdata::kFileRecords; ++i) {
            shipdata::ShipClassRecord& rec = (*records)[i];
            if (!PrepareUserRecord(rec)) rec.Active = 0;
            RecordToClass(rec, game->ShipClassTable, kFirstUserClass + i);
        }
    }
    CheckClassSprites(game);
}

int ClassFrameCount(const GameState* game, int cls) {
    const ClassTable& t = game->ShipClassTable;
    if (cls < kFirstUserClass) return builtin::kBuiltInFrameCount;
    const std::int32_t sel = t.ImageSelection[cls];
    if (IsBuiltInSelection(sel)) return builtin::kBuiltInFrameCount;
    if (sel != shipdata::CustomImage) return 0;
    const std::int32_t n = t.FrameCount[cls];
    return n >= 1 && n <= kFramesPerSet ? n : 0;
}

std::string ClassFrameName(const GameState* game, int cls, int frame) {
    const ClassTable& t = game->ShipClassTable;
    if (cls < kFirstUserClass) return builtin::BuiltInFrameName(cls, frame);
    const std::int32_t sel = t.ImageSelection[cls];
    if (IsBuiltInSelection(sel)) return builtin::BuiltInFrameName(sel, frame);
    if (sel != shipdata::CustomImage) return {};
    // Copies with a guaranteed terminator, whatever the table holds.
    char folder[kClassNameSize];
    char stem[kClassNameSize];
    shipdata::CopyName(folder, t.ImageFolder[cls]);
    shipdata::CopyName(stem, t.ImageName[cls]);
    return builtin::CustomFrameName(folder, stem, frame);
}

void CheckClassSprites(GameState* game) {
    ClassTable& t = game->ShipClassTable;
    for (int c = 0; c < kClassCount; ++c) {
        if (c >= kFirstUserClass && t.Active[c] == 0) {
            game->ClassAvailable[c] = 0;
            continue;
        }
        const int frames = ClassFrameCount(game, c);
        // Every frame is tested; a missing one does not stop the test.
        bool all = frames > 0;
        for (int f = 1; f <= frames; ++f) {
            if (!plat::FileExists(ClassFrameName(game, c, f).c_str())) all = false;
        }
        game->ClassAvailable[c] = all ? 1 : 0;
        t.Active[c] = all ? 1 : 0;
    }
}
