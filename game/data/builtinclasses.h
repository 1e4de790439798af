// The 24 ship classes built into the game, as plain constants.
//
// This file has no dependency on the layer or the rest of the game, so the
// media generator can draw each class's frames from the same mounts, draw
// scale and bounding sphere that the game flies with.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace builtin {

inline constexpr int kBuiltInClassCount = 24;
inline constexpr int kBuiltInFrameCount = 60;
inline constexpr int kMaxMounts = 20;

// Mount kinds, the same numbers as WeaponType.
enum MountKind : std::int32_t { MountLaser = 0, MountIonCannon = 1, MountCuttingBeam = 2 };

// One weapon mount: position across (x, to the right) and along the ship (y,
// toward its back), firing direction in degrees relative to the heading,
// firing arc (0 = fixed), power and range.
struct Mount {
    std::int32_t Kind;
    std::int32_t X;
    std::int32_t Y;
    float FireDirection;
    std::int32_t TurretCover = 0;
    std::int32_t Power = 10;
    std::int32_t Range = 120;
};

struct BuiltInClass {
    const char* Name;
    std::int32_t Technology;  // 0 Rebel, 1 Imperial, 2 Colonial, 3 Cylon, 4 Earth Alliance, 5 Minbari, 6 Star Fleet
    std::int32_t Shield;
    std::int32_t Hull;
    std::int32_t ArmorFront;
    std::int32_t ArmorBack;
    std::int32_t Missiles;
    std::int32_t Turn;
    float Acceleration;
    std::int32_t DrawScale;
    std::int32_t BoundingSphere;
    std::int32_t LaserCount;
    std::int32_t IonCount;
    std::int32_t BeamCount;
    std::int32_t EngineSoundKind;
    std::int32_t AstroDroid;  // 1 fitted, 2 not fitted
    std::int32_t AimLine;
    std::int32_t Drive;                    // 1 "Star Wars", 0 "Normal"
    std::int32_t MountCount;               // LaserCount + IonCount + BeamCount
    std::array<Mount, kMaxMounts> Mounts;  // in slot order; the rest unused

    std::span<const Mount> UsedMounts() const {
        return std::span<const Mount>(Mounts.data(), static_cast<std::size_t>(MountCount));
    }
};

// Class i of the game, i = 0..23 ("XWing" .. "Runabout").
const BuiltInClass& BuiltInClassAt(int i);
std::span<const BuiltInClass, kBuiltInClassCount> BuiltInClasses();

// printf pattern of the frame files of built-in class i, filled with the
// frame number 1..60 ("img\\xwing\\xwing00%02d.bmp").
const char* BuiltInFramePattern(int i);

// Pattern of a custom frame set, filled with the folder, the file stem and
// the frame number.
inline constexpr const char* kCustomFramePattern = "img\\%s\\%s00%02d.bmp";

// The name of frame `frame` (1-based) of built-in class i.
std::string BuiltInFrameName(int i, int frame);

// The name of frame `frame` of a custom set.
std::string CustomFrameName(const char* folder, const char* stem, int frame);

}  // namespace builtin
