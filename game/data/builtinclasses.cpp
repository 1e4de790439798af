#include "game/data/builtinclasses.h"

#include <cstdio>

namespace builtin {

namespace {

constexpr Mount L(std::int32_t x, std::int32_t y, float dir, std::int32_t arc = 0, std::int32_t power = 10,
                  std::int32_t range = 120) {
    return Mount{MountLaser, x, y, dir, arc, power, range};
}
constexpr Mount I(std::int32_t x, std::int32_t y, float dir, std::int32_t arc = 0, std::int32_t power = 10,
                  std::int32_t range = 120) {
    return Mount{MountIonCannon, x, y, dir, arc, power, range};
}
constexpr Mount B(std::int32_t x, std::int32_t y, float dir, std::int32_t arc = 0, std::int32_t power = 10,
                  std::int32_t range = 120) {
    return Mount{MountCuttingBeam, x, y, dir, arc, power, range};
}

// clang-format off
constexpr std::array<BuiltInClass, kBuiltInClassCount> kClasses = {{
    //  name                tech shld hull  armour  msl turn accel  scale sphere  L  I  B  engine droid aim drive mounts
    {"XWing",                0,  50,  50,   0,   0,  4, 3, 0.9f,   26, 23,  4, 0, 0,  0, 1, 0, 1, 4,
     {L(-20, -9, 0.6f), L(20, -9, -0.6f), L(-16, -8, 0.5f), L(16, -8, -0.5f)}},
    {"YWing",                0,  75, 100,   0,   0,  6, 2, 0.76f,  38, 33,  2, 2, 0,  1, 1, 0, 1, 4,
     {L(-2, -35, 0), L(2, -35, 0), I(-5, -25, 0.22f), I(5, -25, -0.22f)}},
    {"AWing",                0,  50,  35,   0,   0,  6, 4, 1.3f,   23, 20,  2, 0, 0,  2, 2, 0, 1, 2,
     {L(-11, -4, 0.35f), L(11, -4, -0.35f)}},
    {"BWing",                0, 100, 150,   0,   0,  8, 3, 0.9f,   27, 24,  3, 3, 0,  3, 1, 0, 1, 6,
     {L(-23, -10, 0.7f), L(23, -10, -0.7f), L(0, -10, 0), I(-2, -8, 0), I(2, -8, 0), I(0, -8, 0)}},
    {"KWing",                0, 100, 100,   0,   0,  6, 2, 0.76f,  34, 30,  4, 2, 0,  1, 2, 0, 1, 6,
     {L(-30, -14, 0.77f), L(30, -14, -0.77f), L(-16, -9, 0.5f), L(16, -9, -0.5f),
      I(-29, -11, 0.74f), I(29, -11, -0.74f)}},
    {"EWing",                0,  80,  80,   0,   0,  6, 4, 1.05f,  30, 26,  3, 0, 0,  0, 1, 0, 1, 3,
     {L(-13, -4, 0.5f), L(13, -4, -0.5f), L(0, -27, 0)}},
    {"TWing",                0,  20,  35,   0,   0,  6, 3, 1.0f,   23, 19,  2, 0, 0,  0, 1, 0, 1, 2,
     {L(-9, 0, 0.3f), L(9, 0, -0.3f)}},
    {"Head Hunter",          0,  20,  35,   0,   0,  3, 3, 0.95f,  27, 23,  2, 0, 0,  0, 1, 0, 1, 2,
     {L(-21, -7, 0.5f), L(21, -7, -0.5f)}},
    {"Tie Fighter",          1,   0,  30,   0,   0,  0, 4, 1.05f,  18, 17,  2, 0, 0,  4, 2, 1, 1, 2,
     {L(-2, -4, 0), L(2, -4, 0)}},
    {"Tie Bomber",           1,   0,  70,   0,   0,  4, 3, 0.9f,   23, 20,  2, 0, 0,  4, 2, 1, 1, 2,
     {L(-8, -8, 0), L(-4, -8, 0)}},
    {"Tie Interceptor",      1,   0,  40,   0,   0,  0, 4, 1.2f,   31, 24,  4, 0, 0,  4, 2, 0, 1, 4,
     {L(-3, -4, 0), L(3, -4, 0), L(-1, -5, 0), L(1, -5, 0)}},
    {"Tie Advanced",         1,  40,  35,   0,   0,  4, 4, 1.3f,   21, 19,  4, 0, 0,  4, 2, 1, 1, 4,
     {L(-3, -10, 0), L(3, -10, 0), L(-1, -11, 0), L(1, -11, 0)}},
    {"Tie Defender",         1, 100,  35,   0,   0,  4, 4, 1.3f,   26, 23,  4, 2, 0,  4, 2, 0, 1, 6,
     {L(-3, -2, 0), L(3, -3, 0), L(-1, -3, 0), L(1, -2, 0), I(-1, -2, 0), I(1, -2, 0)}},
    {"Skipray Blastboat",    1, 102, 152,   0,   0,  6, 3, 0.8f,   29, 26,  2, 3, 0,  5, 2, 0, 1, 5,
     {L(-1, -12, 0.12f), L(1, -12, -0.12f), I(-9, -15, 0.18f), I(0, -5, -0.18f), I(9, -15, 0)}},
    {"Assault Gunboat",      1, 100,  70,   0,   0,  6, 3, 0.9f,   36, 30,  2, 2, 0,  5, 2, 0, 1, 4,
     {L(-5, -12, 0.12f), L(5, -12, -0.12f), I(-2, -12, 0.1f), I(2, -12, -0.1f)}},
    {"Missile Boat",         1, 120,  48,   0,   0, 40, 3, 1.05f,  32, 28,  1, 0, 0,  5, 2, 0, 1, 1,
     {L(0, -25, 0)}},
    {"Colonial Viper",       2,   0,  60,  30,  30,  0, 4, 1.4f,   21, 17,  2, 0, 0,  6, 2, 0, 0, 2,
     {L(-4, -3, 0.12f), L(4, -3, -0.12f)}},
    {"Cylon Raider",         3,   0,  60,  40,  40,  0, 3, 1.1f,   23, 20,  2, 0, 0,  7, 2, 1, 0, 2,
     {L(-14, -16, 0.4f), L(14, -16, -0.4f)}},
    {"StarFury",             4,   0, 120,  50,  40,  0, 4, 1.4f,   30, 26,  6, 0, 0, 11, 2, 0, 0, 6,
     {L(-4, -12, 0, 0, 10, 140), L(4, -12, 0, 0, 10, 140), L(-2, -13, 0, 0, 10, 140),
      L(2, -13, 0, 0, 10, 140), L(-1, -15, 0, 0, 7, 100), L(1, -15, 0, 0, 7, 100)}},
    {"Nial Fighter",         5,   0, 200, 200, 150,  0, 3, 1.6f,   40, 32,  0, 0, 3,  9, 2, 0, 0, 3,
     {B(6, -28, 0), B(0, -28, 0), B(-6, -28, 0)}},
    {"Type 9 Shuttle",       6,  40,  20,   0,   0,  4, 4, 1.8f,   18, 16,  0, 0, 2,  8, 2, 1, 0, 2,
     {B(-4, -8, 0, 70, 6, 60), B(4, -8, 0, 70, 6, 60)}},
    {"Peregrine",            6, 120,  80,   0,   0,  8, 3, 1.3f,   33, 28,  0, 0, 2,  8, 2, 0, 0, 2,
     {B(9, -13, 0, 0, 15), B(-9, -13, 0, 0, 15)}},
    {"Tacfighter",           6, 100,  60,   0,   0,  8, 4, 1.6f,   28, 24,  4, 0, 0,  8, 2, 0, 0, 4,
     {L(-12, -18, 0, 0, 20), L(12, -18, 0, 0, 20), L(-12, -18, 0, 0, 20), L(12, -18, 0, 0, 20)}},
    {"Runabout",             6, 160, 100,   0,   0, 20, 2, 0.6f,   44, 38,  0, 0, 4,  8, 2, 0, 0, 4,
     {B(-8, -29, 0, 90), B(8, -29, 0, 90), B(-11, -13, 270, 90, 6, 60), B(11, -13, 90, 90, 6, 60)}},
}};
// clang-format on

constexpr bool MountsMatchCounts() {
    for (const BuiltInClass& c : kClasses) {
        if (c.MountCount != c.LaserCount + c.IonCount + c.BeamCount) return false;
        for (int s = 0; s < c.MountCount; ++s) {
            const std::int32_t want = s < c.LaserCount                ? MountLaser
                                      : s < c.LaserCount + c.IonCount ? MountIonCannon
                                                                      : MountCuttingBeam;
            if (c.Mounts[s].Kind != want) return false;
        }
    }
    return true;
}
static_assert(MountsMatchCounts(), "mount kinds must follow the weapon counts");

constexpr std::array<const char*, kBuiltInClassCount> kFramePatterns = {
    "img\\xwing\\xwing00%02d.bmp", "img\\ywing\\ywink00%02d.bmp",   "img\\awing\\awing00%02d.bmp",
    "img\\bwing\\bwing00%02d.bmp", "img\\kwing\\kwing00%02d.bmp",   "img\\ewing\\ewing00%02d.bmp",
    "img\\twing\\twing00%02d.bmp", "img\\hhunt\\hh00%02d.bmp",      "img\\tiefig\\tief00%02d.bmp",
    "img\\tiebom\\tieb00%02d.bmp", "img\\tieint\\tiei00%02d.bmp",   "img\\tieadv\\tiea00%02d.bmp",
    "img\\tiedef\\tied00%02d.bmp", "img\\skipray\\skip00%02d.bmp",  "img\\asgun\\asgun00%02d.bmp",
    "img\\mboat\\mboat00%02d.bmp", "img\\viper\\viper00%02d.bmp",   "img\\raider\\raider00%02d.bmp",
    "img\\sfury\\sfury00%02d.bmp", "img\\mfig\\mfig00%02d.bmp",     "img\\type9\\type900%02d.bmp",
    "img\\maqu\\maqu00%02d.bmp",   "img\\tacfig\\tacfig00%02d.bmp", "img\\runa\\runa00%02d.bmp",
};

}  // namespace

const BuiltInClass& BuiltInClassAt(int i) { return kClasses.at(static_cast<std::size_t>(i)); }

std::span<const BuiltInClass, kBuiltInClassCount> BuiltInClasses() { return kClasses; }

const char* BuiltInFramePattern(int i) { return kFramePatterns.at(static_cast<std::size_t>(i)); }

std::string BuiltInFrameName(int i, int frame) {
    char buf[64];
    std::snprintf(buf, sizeof buf, BuiltInFramePattern(i), frame);
    return buf;
}

std::string CustomFrameName(const char* folder, const char* stem, int frame) {
    // Folder and stem are at most 19 characters each, but size the buffer by
    // what is actually passed.
    const int n = std::snprintf(nullptr, 0, kCustomFramePattern, folder, stem, frame);
    std::string name(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    std::snprintf(name.data(), name.size() + 1, kCustomFramePattern, folder, stem, frame);
    return name;
}

}  // namespace builtin
