#include "game/common/misc.h"

#include <cmath>
#include <limits>
#include <numbers>

std::array<double, kSineTableSize> SineTable{};

void BuildSineTable() {
    for (int i = 0; i < kSineTableSize; ++i)
        SineTable[i] = std::sin(i * 0.01 * (1.0 / 360.0) * (2.0 * std::numbers::pi));
}

namespace {

// Entry for an angle already in [0, 360); the clamp only guards the table.
double TableAt(double deg) {
    double index = std::trunc(deg * 100.0);
    if (!(index >= 0.0)) index = 0.0;
    if (index > kSineTableSize - 1) index = kSineTableSize - 1;
    return SineTable[static_cast<int>(index)];
}

}  // namespace

// fmod is exact, so reducing first gives the same angle as subtracting 360
// step by step would, and the loops below run at most once.
double SinDeg(double deg) {
    if (!std::isfinite(deg)) return TableAt(0.0);
    deg = std::fmod(deg, 360.0);
    while (deg >= 360.0 || deg < 0.0) {
        if (deg >= 360.0) deg -= 360.0;
        if (deg < 0.0) deg += 360.0;
    }
    return TableAt(deg);
}

double CosDeg(double deg) {
    if (!std::isfinite(deg)) return TableAt(90.0);
    deg = std::fmod(deg, 360.0);
    while (deg + 90.0 >= 360.0 || deg + 90.0 < 0.0) {
        if (deg + 90.0 >= 360.0) deg -= 360.0;
        if (deg + 90.0 < 0.0) deg += 360.0;
    }
    return TableAt(deg + 90.0);
}

float NormaliseAngle(float a) {
    if (!std::isfinite(a)) return 0.0f;
    if (a > 360.0f) {
        // Wrapping down stops at 360, never at 0.
        a = std::fmod(a, 360.0f);
        if (a == 0.0f) return 360.0f;
    } else if (a < 0.0f) {
        a = std::fmod(a, 360.0f) + 0.0f;  // + 0 turns -0 into 0
    }
    while (a > 360.0f || a < 0.0f) {
        if (a > 360.0f) a -= 360.0f;
        if (a < 0.0f) a += 360.0f;
    }
    return a;
}

float AtanDeg(float v) {
    return static_cast<float>(std::atan(static_cast<double>(v)) * 360.0 / (2.0 * std::numbers::pi));
}

float RelativeBearing(float x1, float y1, float x2, float y2, float heading) {
    if (x1 == x2 && y1 == y2) return -1.0f;
    const float dx = x1 - x2;
    const float dy = y1 - y2;
    float a = 0.0f;
    if (x1 > x2 && y1 > y2) {
        a = 180.0f + AtanDeg(dy / dx);
    } else if (x1 <= x2 && y1 >= y2) {
        a = (x1 == x2) ? 270.0f : 360.0f - AtanDeg(dy / (x2 - x1));
    } else if (x1 < x2 && y1 < y2) {
        a = AtanDeg(dy / dx);
    } else if (x1 >= x2 && y1 <= y2) {
        a = (x1 == x2) ? 90.0f : 180.0f - AtanDeg((y2 - y1) / dx);
    }
    if (a > heading) return NormaliseAngle(a - heading);
    return NormaliseAngle(a + (360.0f - heading));
}

float Distance(float x1, float y1, float x2, float y2) {
    const float dx = x1 - x2;
    const float dy = y1 - y2;
    return std::sqrt(dx * dx + dy * dy);
}

float SafeDivide(float a, float b) {
    if (b == 0.0f || std::isnan(b)) return 0.0f;
    return a / b;
}

float AbsFloat(float x) { return x >= 0.0f ? x : x * -1.0f; }

int FloatToInt(float x) {
    if (std::isnan(x)) return 0;
    // 2^31 is exactly representable; everything below it truncates into range.
    if (x >= 2147483648.0f) return std::numeric_limits<int>::max();
    if (x <= -2147483648.0f) return std::numeric_limits<int>::min();
    return static_cast<int>(x);
}
