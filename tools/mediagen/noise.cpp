#include "tools/mediagen/noise.h"

#include <cmath>

namespace mediagen {

namespace {

std::uint32_t Hash(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed) {
    std::uint32_t h = seed * 0x27D4EB2Du;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h = (h << 11) | (h >> 21);
    h ^= static_cast<std::uint32_t>(z) * 0x165667B1u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

float Lattice(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed) {
    return static_cast<float>(Hash(x, y, z, seed) >> 8) * (2.0f / 16777216.0f) - 1.0f;
}

float Fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }
float Lerp(float a, float b, float t) { return a + (b - a) * t; }

}  // namespace

float Noise2(float x, float y, std::uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy);
    const float tx = Fade(x - fx), ty = Fade(y - fy);
    const float a = Lerp(Lattice(ix, iy, 0, seed), Lattice(ix + 1, iy, 0, seed), tx);
    const float b = Lerp(Lattice(ix, iy + 1, 0, seed), Lattice(ix + 1, iy + 1, 0, seed), tx);
    return Lerp(a, b, ty);
}

float Noise3(float x, float y, float z, std::uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const auto ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy),
               iz = static_cast<std::int32_t>(fz);
    const float tx = Fade(x - fx), ty = Fade(y - fy), tz = Fade(z - fz);
    float c[2][2];
    for (int dz = 0; dz < 2; ++dz) {
        for (int dy = 0; dy < 2; ++dy) {
            c[dz][dy] = Lerp(Lattice(ix, iy + dy, iz + dz, seed), Lattice(ix + 1, iy + dy, iz + dz, seed), tx);
        }
    }
    return Lerp(Lerp(c[0][0], c[0][1], ty), Lerp(c[1][0], c[1][1], ty), tz);
}

float Fbm2(float x, float y, std::uint32_t seed, int octaves, float gain) {
    float sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * Noise2(x, y, seed + static_cast<std::uint32_t>(o) * 101u);
        total += weight;
        weight *= gain;
        x = x * 2.03f + 17.1f;
        y = y * 2.03f + 5.3f;
    }
    return sum / total;
}

float Fbm3(float x, float y, float z, std::uint32_t seed, int octaves, float gain) {
    float sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * Noise3(x, y, z, seed + static_cast<std::uint32_t>(o) * 101u);
        total += weight;
        weight *= gain;
        x = x * 2.03f + 17.1f;
        y = y * 2.03f + 5.3f;
        z = z * 2.03f + 11.7f;
    }
    return sum / total;
}

float Ridged3(float x, float y, float z, std::uint32_t seed, int octaves) {
    float sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        const float n = 1.0f - std::fabs(Noise3(x, y, z, seed + static_cast<std::uint32_t>(o) * 131u));
        sum += weight * n * n;
        total += weight;
        weight *= 0.5f;
        x *= 2.1f;
        y *= 2.1f;
        z *= 2.1f;
    }
    return sum / total;
}

float Smoothstep(float e0, float e1, float x) {
    float t = (x - e0) / (e1 - e0);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace mediagen
