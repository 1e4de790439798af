// Pictures in memory: 8-bit RGB pixels, row 0 at the top.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace mediagen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
    bool IsBlack() const { return r == 0 && g == 0 && b == 0; }
};

// A colour with float channels in 0..1 (values above 1 are clamped on output).
struct Colour {
    float r = 0, g = 0, b = 0;
    Colour operator+(const Colour& o) const { return {r + o.r, g + o.g, b + o.b}; }
    Colour operator-(const Colour& o) const { return {r - o.r, g - o.g, b - o.b}; }
    Colour operator*(float s) const { return {r * s, g * s, b * s}; }
    Colour operator*(const Colour& o) const { return {r * o.r, g * o.g, b * o.b}; }
    Colour& operator+=(const Colour& o) {
        r += o.r;
        g += o.g;
        b += o.b;
        return *this;
    }
    float Max() const { return std::max(r, std::max(g, b)); }
};

inline Colour Hex(std::uint32_t rrggbb) {
    return {((rrggbb >> 16) & 255) / 255.0f, ((rrggbb >> 8) & 255) / 255.0f, (rrggbb & 255) / 255.0f};
}
inline Colour Mix(const Colour& a, const Colour& b, float t) { return a + (b - a) * t; }

Rgb ToRgb(const Colour& c);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Image() = default;
    Image(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
    Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// The lowest channel value an opaque pixel of a keyed picture may have at
// its brightest channel. The game keys on the 16-bit pixel value 0, so a
// pixel whose every channel falls below one 5-bit step would turn
// transparent; keeping one channel at 16 or more avoids that at 5-5-5 and
// 5-6-5 alike.
inline constexpr int kKeySafeFloor = 16;

// Makes every non-black pixel of a colour-keyed picture safe: a pixel too
// dark to survive the 16-bit key is lifted to the floor, keeping its hue.
void MakeKeySafe(Image& img);

// Copies src onto dst at (x, y), skipping black pixels when keyed.
void Paste(Image& dst, const Image& src, int x, int y, bool keyed);

}  // namespace mediagen
