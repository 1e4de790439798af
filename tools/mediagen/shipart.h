// Ship frames drawn from each built-in class's own geometry: a top-down
// design per class in hull units (1 = the class's bounding sphere, nose
// toward -y), the class's weapon mounts placed where the game fires from,
// and a palette by technology.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "tools/mediagen/canvas.h"

namespace mediagen {

inline constexpr int kShipClassCount = 24;
inline constexpr int kShipFrameCount = 60;
inline constexpr int kShipFrameSize = 128;
inline constexpr int kThumbnailSize = 100;

struct ShipPalette {
    Colour hull, hull2, accent, accent2, dark, glass, engine, gun, muzzle;
};

ShipPalette PaletteFor(int technology);

// One mount of a class, in hull units.
struct GunMount {
    int kind = 0;         // 0 laser, 1 ion cannon, 2 cutting beam
    Vec2 at;              // the muzzle
    float direction = 0;  // degrees clockwise from the nose
    bool turret = false;
};

// The drawing helpers a design uses; every shape is in hull units.
class Draft {
public:
    Draft(Canvas& canvas, const ShipPalette& palette) : c_(canvas), pal_(palette) {}

    const ShipPalette& Pal() const { return pal_; }
    Canvas& Raw() { return c_; }

    // Layers in the palette's colours at elevation z.
    Layer Hull(float z, float bevel = 0.06f) const;
    Layer Hull2(float z, float bevel = 0.05f) const;
    Layer Dark(float z, float bevel = 0.03f) const;
    Layer Tinted(const Colour& c, float z, float bevel = 0.05f) const;
    Layer Decal(const Colour& c, float alpha = 1.0f) const;
    // Self-lit, rounded: engines, lights, seams.
    Layer Glow(const Colour& c) const;

    void Poly(std::initializer_list<Vec2> pts, const Layer& l);
    // A left-right symmetric outline from its right half, listed from the
    // front on the centre line round to the back.
    void Sym(std::initializer_list<Vec2> right, const Layer& l);
    // The same polygon on the right and mirrored on the left.
    void Pair(std::initializer_list<Vec2> right, const Layer& l);
    void PairEllipse(Vec2 right, float rx, float ry, float angle, const Layer& l);
    void PairSegment(Vec2 a, Vec2 b, float halfWidth, const Layer& l);
    void Ellipse(Vec2 c, float rx, float ry, const Layer& l, float angle = 0);
    void Segment(Vec2 a, Vec2 b, float halfWidth, const Layer& l);
    void Tube(Vec2 a, Vec2 b, float halfWidth, const Colour& c, float z);

    void Cockpit(Vec2 c, float rx, float ry, float z);
    void Engine(Vec2 c, float rx, float ry);
    void PairEngine(Vec2 right, float rx, float ry);
    void Line(Vec2 a, Vec2 b, float width = 0.012f);
    void PairLine(Vec2 a, Vec2 b, float width = 0.012f);
    void Light(Vec2 c, float r, const Colour& col);

    void Guns(const std::vector<GunMount>& mounts);

private:
    Canvas& c_;
    ShipPalette pal_;
};

// Draws class `index`'s hull in hull units.
void DrawShipDesign(int index, Draft& d);

struct ShipClassArt {
    int technology;
    float drawScale;
    float boundingSphere;
    std::vector<GunMount> mounts;
};

ShipClassArt ShipClassArtFor(int index);

// One square frame of `size` pixels with the design turned clockwise by
// angleDeg (0 = nose up), colour-keyed on black.
Image RenderShip(int index, float angleDeg, int size);

// Frame 1..60 of a class at the game's frame size.
Image RenderShipFrame(int index, int frame);

// File name (with '/') of frame 1..60 of a class.
std::string ShipFramePath(int index, int frame);

}  // namespace mediagen
