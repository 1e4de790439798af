#include "tools/mediagen/asteroids.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "tools/mediagen/noise.h"
#include "tools/mediagen/random.h"

namespace mediagen {

namespace {

struct Pit {
    float x, y, r;
};

struct Rock {
    std::vector<Pit> pits;
    static constexpr std::uint32_t kSeed = 4711u;

    Rock() {
        Rng rng("asteroid");
        for (int i = 0; i < 9; ++i) {
            const float a = rng.Range(0, 2 * std::numbers::pi_v<float>);
            const float d = std::sqrt(rng.Uniform()) * 30.0f;
            pits.push_back({d * std::cos(a), d * std::sin(a), rng.Range(3.0f, 12.0f)});
        }
    }

    // Outline radius by direction, in pixels: lumpy, never past 48.
    static float Outline(float ang) {
        const float c = std::cos(ang), s = std::sin(ang);
        const float n = Fbm2(c * 1.3f + 3.0f, s * 1.3f + 3.0f, kSeed, 4, 0.55f);
        return 40.0f + 7.5f * n;
    }

    // Height above the picture plane at a rock-local point; below 0 outside.
    float Height(float x, float y) const {
        const float r = std::sqrt(x * x + y * y);
        const float edge = Outline(std::atan2(y, x));
        if (r >= edge) return -1.0f;
        const float u = r / edge;
        float h = std::sqrt(1.0f - u * u) * 30.0f;
        h += 3.0f * Fbm2(x * 0.08f, y * 0.08f, kSeed + 1, 5);
        for (const Pit& p : pits) {
            const float dx = x - p.x, dy = y - p.y;
            const float t = std::sqrt(dx * dx + dy * dy) / p.r;
            if (t < 1.0f)
                h -= p.r * 0.6f * (1.0f - t * t);
            else if (t < 1.4f)
                h += p.r * 0.1f * (1.4f - t) / 0.4f;
        }
        return std::max(h, 0.01f);
    }

    Colour Albedo(float x, float y) const {
        const float n = Fbm2(x * 0.05f, y * 0.05f, kSeed + 2, 4) * 0.5f + 0.5f;
        Colour c = Mix(Hex(0x5E544A), Hex(0x9A8E7E), n);
        const float speck = Noise2(x * 0.4f, y * 0.4f, kSeed + 3);
        if (speck > 0.6f) c = c * 0.8f;
        return c;
    }
};

}  // namespace

Image RenderAsteroidFrame(int frame) {
    static const Rock rock;
    const float angle = 12.0f * static_cast<float>(frame - 1) * std::numbers::pi_v<float> / 180.0f;
    const float ca = std::cos(angle), sa = std::sin(angle);
    // Screen point to rock point: turn back by the frame's angle.
    auto toLocal = [&](float sx, float sy, float& lx, float& ly) {
        lx = ca * sx + sa * sy;
        ly = -sa * sx + ca * sy;
    };
    const float lxl = -0.55f, lyl = -0.6f, lzl = 0.58f;
    const float ln = std::sqrt(lxl * lxl + lyl * lyl + lzl * lzl);
    constexpr int kSs = 3;
    constexpr float kC = kAsteroidFrameSize * 0.5f;
    Image img(kAsteroidFrameSize, kAsteroidFrameSize);
    for (int y = 0; y < kAsteroidFrameSize; ++y) {
        for (int x = 0; x < kAsteroidFrameSize; ++x) {
            Colour sum;
            int covered = 0;
            for (int j = 0; j < kSs; ++j) {
                for (int i = 0; i < kSs; ++i) {
                    const float sx = static_cast<float>(x) + (static_cast<float>(i) + 0.5f) / kSs - kC;
                    const float sy = static_cast<float>(y) + (static_cast<float>(j) + 0.5f) / kSs - kC;
                    float lx, ly;
                    toLocal(sx, sy, lx, ly);
                    const float h = rock.Height(lx, ly);
                    if (h < 0) continue;
                    ++covered;
                    // Slopes in screen space, so the light stays put as the rock turns.
                    float ax, ay, bx, by;
                    toLocal(sx + 0.7f, sy, ax, ay);
                    toLocal(sx, sy + 0.7f, bx, by);
                    const float gx = (std::max(rock.Height(ax, ay), 0.0f) - h) / 0.7f;
                    const float gy = (std::max(rock.Height(bx, by), 0.0f) - h) / 0.7f;
                    const float inv = 1.0f / std::sqrt(gx * gx + gy * gy + 1.0f);
                    const float d = std::max(0.0f, (-gx * lxl - gy * lyl + lzl) * inv / ln);
                    sum += rock.Albedo(lx, ly) * (0.12f + 1.1f * d);
                }
            }
            if (covered * 4 < kSs * kSs) continue;
            const float cover = static_cast<float>(covered) / (kSs * kSs);
            img.At(x, y) = ToRgb(sum * (1.0f / static_cast<float>(covered)) * (0.55f + 0.45f * cover));
        }
    }
    MakeKeySafe(img);
    return img;
}

std::string AsteroidPath(int frame) {
    char name[48];
    std::snprintf(name, sizeof name, "img/asteroid/aster00%02d.bmp", frame);
    return name;
}

}  // namespace mediagen
