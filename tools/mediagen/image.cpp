#include "tools/mediagen/image.h"

#include <cmath>

namespace mediagen {

static std::uint8_t ToByte(float v) {
    const float s = std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f;
    return static_cast<std::uint8_t>(s);
}

Rgb ToRgb(const Colour& c) { return {ToByte(c.r), ToByte(c.g), ToByte(c.b)}; }

void MakeKeySafe(Image& img) {
    for (Rgb& p : img.pixels) {
        if (p.IsBlack()) continue;
        const int m = std::max<int>(p.r, std::max<int>(p.g, p.b));
        if (m >= kKeySafeFloor) continue;
        // Scale the pixel up so its brightest channel reaches the floor.
        const float s = static_cast<float>(kKeySafeFloor) / static_cast<float>(m);
        auto lift = [s](std::uint8_t v) { return static_cast<std::uint8_t>(std::min(255.0f, std::ceil(v * s))); };
        p = {lift(p.r), lift(p.g), lift(p.b)};
    }
}

void Paste(Image& dst, const Image& src, int x, int y, bool keyed) {
    for (int j = 0; j < src.height; ++j) {
        for (int i = 0; i < src.width; ++i) {
            if (!dst.Contains(x + i, y + j)) continue;
            const Rgb& p = src.At(i, j);
            if (keyed && p.IsBlack()) continue;
            dst.At(x + i, y + j) = p;
        }
    }
}

}  // namespace mediagen
