#include "tools/mediagen/shipart.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "game/data/builtinclasses.h"

namespace mediagen {

ShipPalette PaletteFor(int technology) {
    switch (technology) {
        case 0:  // Rebel: weathered off-white with red and orange markings
            return {Hex(0xCCC7BA), Hex(0x9C988E), Hex(0xB8362C), Hex(0xE08A2A), Hex(0x4E4B46),
                    Hex(0x2A3A58), Hex(0xFF8A5A), Hex(0x5A5856), Hex(0xFF5030)};
        case 1:  // Imperial: blue-grey steel and near-black solar panels
            return {Hex(0x8E99A6), Hex(0x66707C), Hex(0x3E4A58), Hex(0xA8B4C0), Hex(0x262C34),
                    Hex(0x3C5A3A), Hex(0x9CC8FF), Hex(0x444A52), Hex(0x50FF60)};
        case 2:  // Colonial: ivory with red bands
            return {Hex(0xDAD4C2), Hex(0xA8A291), Hex(0xB02424), Hex(0x3C4E7A), Hex(0x4C4A44),
                    Hex(0x283044), Hex(0xFFB050), Hex(0x55534E), Hex(0xFF6A30)};
        case 3:  // Cylon: chrome with the red eye
            return {Hex(0xB6BAC2), Hex(0x7C828C), Hex(0xFF2A14), Hex(0x555A64), Hex(0x3A3E46),
                    Hex(0x20242C), Hex(0xFF7A40), Hex(0x4A4E56), Hex(0xFF3020)};
        case 4:  // Earth Alliance: gunmetal with white panels and blue drives
            return {Hex(0x727A84), Hex(0xC4C8CC), Hex(0xD8B030), Hex(0x3C4654), Hex(0x30363E),
                    Hex(0x344866), Hex(0x6A9CFF), Hex(0x3E444C), Hex(0xFFD060)};
        case 5:  // Minbari: dark violet crystal with sea-green light
            return {Hex(0x4E5A86), Hex(0x7C92C4), Hex(0x5AE6B0), Hex(0x9A7CD8), Hex(0x2C3052),
                    Hex(0x86E8FF), Hex(0x7AF0FF), Hex(0x3A4266), Hex(0x7CFFC8)};
        default:  // Star Fleet: pale grey with red bussards and blue warp light
            return {Hex(0xBCC0C6), Hex(0x9299A4), Hex(0x8A2A2A), Hex(0x5E7CA8), Hex(0x4A5058),
                    Hex(0x24364E), Hex(0x62A8FF), Hex(0x50565E), Hex(0xFF9A30)};
    }
}

Layer Draft::Hull(float z, float bevel) const {
    Layer l;
    l.colour = pal_.hull;
    l.z = z;
    l.bevel = bevel;
    l.grime = 0.5f;
    return l;
}

Layer Draft::Hull2(float z, float bevel) const {
    Layer l = Hull(z, bevel);
    l.colour = pal_.hull2;
    return l;
}

Layer Draft::Dark(float z, float bevel) const {
    Layer l = Hull(z, bevel);
    l.colour = pal_.dark;
    l.grime = 0.3f;
    l.specular = 0.35f;
    return l;
}

Layer Draft::Tinted(const Colour& c, float z, float bevel) const {
    Layer l = Hull(z, bevel);
    l.colour = c;
    return l;
}

Layer Draft::Decal(const Colour& c, float alpha) const {
    Layer l;
    l.paint = Paint::Decal;
    l.colour = c;
    l.alpha = alpha;
    l.grime = 0.35f;
    return l;
}

Layer Draft::Glow(const Colour& c) const {
    Layer l;
    l.paint = Paint::Glow;
    l.profile = Profile::Dome;
    l.colour = c;
    return l;
}

void Draft::Poly(std::initializer_list<Vec2> pts, const Layer& l) {
    c_.Polygon(std::span<const Vec2>(pts.begin(), pts.size()), l);
}

void Draft::Sym(std::initializer_list<Vec2> right, const Layer& l) {
    std::vector<Vec2> pts(right.begin(), right.end());
    for (auto it = right.end(); it != right.begin();) {
        --it;
        if (it->x == 0.0f) continue;  // points on the centre line appear once
        pts.push_back({-it->x, it->y});
    }
    c_.Polygon(pts, l);
}

void Draft::Pair(std::initializer_list<Vec2> right, const Layer& l) {
    std::vector<Vec2> pts(right.begin(), right.end());
    c_.Polygon(pts, l);
    for (Vec2& p : pts) p.x = -p.x;
    c_.Polygon(pts, l);
}

void Draft::PairEllipse(Vec2 right, float rx, float ry, float angle, const Layer& l) {
    c_.Ellipse(right, rx, ry, angle, l);
    c_.Ellipse({-right.x, right.y}, rx, ry, -angle, l);
}

void Draft::PairSegment(Vec2 a, Vec2 b, float halfWidth, const Layer& l) {
    c_.Segment(a, b, halfWidth, l);
    c_.Segment({-a.x, a.y}, {-b.x, b.y}, halfWidth, l);
}

void Draft::Ellipse(Vec2 c, float rx, float ry, const Layer& l, float angle) { c_.Ellipse(c, rx, ry, angle, l); }

void Draft::Segment(Vec2 a, Vec2 b, float halfWidth, const Layer& l) { c_.Segment(a, b, halfWidth, l); }

void Draft::Tube(Vec2 a, Vec2 b, float halfWidth, const Colour& c, float z) {
    Layer l = Tinted(c, z);
    l.profile = Profile::Dome;
    l.height = halfWidth * 0.9f;
    c_.Segment(a, b, halfWidth, l);
}

void Draft::Cockpit(Vec2 c, float rx, float ry, float z) {
    Layer frame = Dark(z, 0.02f);
    c_.Ellipse(c, rx * 1.25f, ry * 1.15f, 0, frame);
    Layer glass;
    glass.colour = pal_.glass;
    glass.profile = Profile::Dome;
    glass.z = z;
    glass.height = std::min(rx, ry) * 0.9f;
    glass.specular = 0.9f;
    glass.shininess = 40.0f;
    c_.Ellipse(c, rx, ry, 0, glass);
}

void Draft::Engine(Vec2 c, float rx, float ry) {
    Layer ring = Dark(0.02f, 0.02f);
    c_.Ellipse(c, rx * 1.3f, ry * 1.3f, 0, ring);
    c_.Ellipse(c, rx, ry, 0, Glow(pal_.engine));
    c_.Ellipse(c, rx * 0.45f, ry * 0.45f, 0, Glow(Mix(pal_.engine, Colour{1, 1, 1}, 0.6f)));
}

void Draft::PairEngine(Vec2 right, float rx, float ry) {
    Engine(right, rx, ry);
    Engine({-right.x, right.y}, rx, ry);
}

void Draft::Line(Vec2 a, Vec2 b, float width) {
    Layer g;
    g.paint = Paint::Groove;
    g.profile = Profile::Dome;
    g.height = 0.012f;
    g.alpha = 0.7f;
    c_.Segment(a, b, width, g);
}

void Draft::PairLine(Vec2 a, Vec2 b, float width) {
    Line(a, b, width);
    Line({-a.x, a.y}, {-b.x, b.y}, width);
}

void Draft::Light(Vec2 c, float r, const Colour& col) { c_.Ellipse(c, r, r, 0, Glow(col)); }

void Draft::Guns(const std::vector<GunMount>& mounts) {
    constexpr float kRad = std::numbers::pi_v<float> / 180.0f;
    for (const GunMount& m : mounts) {
        // Forward along the firing direction: the nose (0, -1) turned clockwise.
        const Vec2 dir{std::sin(m.direction * kRad), -std::cos(m.direction * kRad)};
        if (m.turret) {
            Layer base = Dark(0.1f, 0.02f);
            base.colour = pal_.gun;
            c_.Ellipse(m.at - dir * 0.09f, 0.075f, 0.075f, 0, base);
        }
        if (m.kind == 2) {
            // A beam emitter: a short housing with a glowing lens at the mount.
            Tube(m.at - dir * 0.12f, m.at - dir * 0.03f, 0.04f, pal_.gun, 0.1f);
            Light(m.at - dir * 0.02f, 0.035f, pal_.muzzle);
            continue;
        }
        const float len = m.kind == 1 ? 0.17f : 0.24f;
        const float hw = m.kind == 1 ? 0.04f : 0.026f;
        Tube(m.at - dir * len, m.at - dir * (len * 0.55f), hw * 1.5f, pal_.gun, 0.1f);
        Tube(m.at - dir * len, m.at - dir * 0.02f, hw, pal_.gun, 0.12f);
        Light(m.at - dir * 0.015f, hw * 0.9f, m.kind == 1 ? Hex(0x8CC8FF) : pal_.muzzle);
    }
}

ShipClassArt ShipClassArtFor(int index) {
    const builtin::BuiltInClass& bc = builtin::BuiltInClassAt(index);
    ShipClassArt art{bc.Technology, static_cast<float>(bc.DrawScale), static_cast<float>(bc.BoundingSphere), {}};
    const float bs = art.boundingSphere;
    for (const builtin::Mount& m : bc.UsedMounts()) {
        art.mounts.push_back({static_cast<int>(m.Kind),
                              {static_cast<float>(m.X) / bs, static_cast<float>(m.Y) / bs},
                              m.FireDirection,
                              m.TurretCover > 0});
    }
    return art;
}

Image RenderShip(int index, float angleDeg, int size) {
    const ShipClassArt art = ShipClassArtFor(index);
    const int ss = size <= 128 ? 4 : 3;
    // Each thread keeps its canvas from frame to frame: a frame's samples
    // are megabytes, and clearing them is cheaper than fresh memory.
    thread_local std::unique_ptr<Canvas> kept;
    if (!kept || kept->Width() != size || kept->Height() != size || kept->Supersample() != ss)
        kept = std::make_unique<Canvas>(size, size, ss);
    else
        kept->Clear();
    Canvas& canvas = *kept;
    const float half = static_cast<float>(size) * 0.5f;
    // The frame's half side stands for DrawScale world units; the hull is
    // drawn in units of the bounding sphere.
    canvas.SetTransform({half, half}, half / art.drawScale * art.boundingSphere, angleDeg);
    Draft d(canvas, PaletteFor(art.technology));
    DrawShipDesign(index, d);
    d.Guns(art.mounts);
    return canvas.ResolveKeyed();
}

Image RenderShipFrame(int index, int frame) {
    return RenderShip(index, 6.0f * static_cast<float>(frame - 1), kShipFrameSize);
}

std::string ShipFramePath(int index, int frame) {
    std::string name = builtin::BuiltInFrameName(index, frame);
    for (char& ch : name) {
        if (ch == '\\') ch = '/';
    }
    return name;
}

}  // namespace mediagen
