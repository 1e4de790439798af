#include "image.h"

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
        auto lift = [s](std::uint8_t v) {
            return static_cast<std::uint8_t>(std::min(255.0f, std::ceil(v * s)));
        };
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

Image Downscale(const Image& src, int w, int h) {
    Image out(w, h);
    for (int y = 0; y < h; ++y) {
        const int y0 = y * src.height / h;
        const int y1 = std::max(y0 + 1, (y + 1) * src.height / h);
        for (int x = 0; x < w; ++x) {
            const int x0 = x * src.width / w;
            const int x1 = std::max(x0 + 1, (x + 1) * src.width / w);
            int r = 0, g = 0, b = 0, n = 0;
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    const Rgb& p = src.At(sx, sy);
                    r += p.r;
                    g += p.g;
                    b += p.b;
                    ++n;
                }
            }
            out.At(x, y) = {static_cast<std::uint8_t>(r / n), static_cast<std::uint8_t>(g / n),
                            static_cast<std::uint8_t>(b / n)};
        }
    }
    return out;
}

}  // namespace mediagen
