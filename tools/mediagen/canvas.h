// A supersampled relief canvas. Shapes are given in their own local units
// and placed through one transform (centre, scale, clockwise rotation), so a
// design can be drawn at any angle straight from its geometry. Each sample
// keeps a colour, a height and a few surface values; resolving lights the
// height field with one fixed light from the upper left of the picture, so
// every rotation of a design is lit the same way, as a model would be.
#pragma once

#include <span>
#include <vector>

#include "tools/mediagen/image.h"

namespace mediagen {

struct Vec2 {
    float x = 0, y = 0;
    Vec2 operator+(const Vec2& o) const { return {x + o.x, y + o.y}; }
    Vec2 operator-(const Vec2& o) const { return {x - o.x, y - o.y}; }
    Vec2 operator*(float s) const { return {x * s, y * s}; }
};

enum class Paint {
    Solid,   // covers: sets colour, height and surface
    Decal,   // recolours what is already covered, keeps the relief
    Groove,  // a panel line: darkens and sinks what is covered
    Glow,    // self-lit (engines, lights): not shaded, brighter inside
};

enum class Profile {
    Bevel,  // flat top with rounded edges `bevel` wide
    Dome,   // rounded all over (ellipses and segments: a half cylinder or dome)
    Flat,   // no relief
};

struct Layer {
    Paint paint = Paint::Solid;
    Profile profile = Profile::Bevel;
    Colour colour;
    float z = 0.0f;        // base elevation, local units
    float height = 0.04f;  // relief of the profile, local units
    float bevel = 0.05f;   // edge width of a bevelled polygon, local units
    float specular = 0.25f;
    float shininess = 18.0f;
    float grime = 0.0f;  // strength of a fine noise mottling, 0..1
    float alpha = 1.0f;  // decals: how much of the colour replaces the old
};

// A resolved picture: colours already multiplied by coverage, plus the
// coverage itself for compositing.
struct Rendered {
    Image image;
    std::vector<float> coverage;
};

class Canvas {
public:
    Canvas(int width, int height, int supersample);

    // local point p lands at centre + pxPerUnit * R(angle) * p, in pixels,
    // with the angle in degrees turning clockwise on the picture.
    void SetTransform(Vec2 centrePx, float pxPerUnit, float angleDeg);
    void Clear();

    void Polygon(std::span<const Vec2> pts, const Layer& layer);
    void Ellipse(Vec2 centre, float rx, float ry, float angleDeg, const Layer& layer);
    // A band of width 2 * halfWidth from a to b with round ends.
    void Segment(Vec2 a, Vec2 b, float halfWidth, const Layer& layer);
    // A ring between two radii, from angle a0 to a1 (degrees, clockwise from +x).
    void Arc(Vec2 centre, float rInner, float rOuter, float a0, float a1, const Layer& layer);

    Rendered Resolve() const;
    // Resolve for a colour-keyed picture: pixels less than a quarter covered
    // become the black key, and every other pixel is made key-safe.
    Image ResolveKeyed() const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Supersample() const { return ss_; }

private:
    struct Sample {
        Colour colour;
        Colour emission;
        float height = 0;
        float specular = 0;
        float shininess = 1;
        float grime = 0;
        bool covered = false;
        bool emissive = false;
    };

    template <typename Inside>
    void Fill(Vec2 lo, Vec2 hi, const Layer& layer, Inside inside);
    void Apply(Sample& s, const Layer& layer, float t);

    int width_, height_, ss_;
    int sw_, sh_;
    Vec2 centre_{};
    float scale_ = 1;  // samples per local unit
    float cos_ = 1, sin_ = 0;
    std::vector<Sample> samples_;
};

}  // namespace mediagen
