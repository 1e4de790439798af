// The 24 built-in hulls, seen from above with the nose up, in hull units.
#include <cmath>
#include <numbers>

#include "tools/mediagen/shipart.h"

namespace mediagen {

namespace {

Vec2 Polar(float r, float deg) {
    const float a = deg * std::numbers::pi_v<float> / 180.0f;
    return {r * std::cos(a), r * std::sin(a)};
}

void HexPanel(Draft& d, Vec2 c, float hw, float hh, float inset) {
    // A tall six-sided solar panel with its frame and ribs.
    d.Poly({{c.x, c.y - hh},
            {c.x + hw, c.y - hh + inset},
            {c.x + hw, c.y + hh - inset},
            {c.x, c.y + hh},
            {c.x - hw, c.y + hh - inset},
            {c.x - hw, c.y - hh + inset}},
           d.Dark(0.02f, 0.015f));
    const Colour frame = d.Pal().hull2;
    d.Tube({c.x, c.y - hh}, {c.x, c.y + hh}, 0.025f, frame, 0.03f);
    d.Tube({c.x - hw, c.y}, {c.x + hw, c.y}, 0.02f, frame, 0.03f);
    for (float t : {-0.5f, 0.5f}) d.Line({c.x - hw, c.y + hh * t}, {c.x + hw, c.y + hh * t}, 0.008f);
    d.Tube({c.x, c.y - hh}, {c.x + hw, c.y - hh + inset}, 0.02f, frame, 0.03f);
    d.Tube({c.x, c.y - hh}, {c.x - hw, c.y - hh + inset}, 0.02f, frame, 0.03f);
    d.Tube({c.x, c.y + hh}, {c.x + hw, c.y + hh - inset}, 0.02f, frame, 0.03f);
    d.Tube({c.x, c.y + hh}, {c.x - hw, c.y + hh - inset}, 0.02f, frame, 0.03f);
    d.Tube({c.x + hw, c.y - hh + inset}, {c.x + hw, c.y + hh - inset}, 0.02f, frame, 0.03f);
    d.Tube({c.x - hw, c.y - hh + inset}, {c.x - hw, c.y + hh - inset}, 0.02f, frame, 0.03f);
}

void TieBall(Draft& d, Vec2 c, float r) {
    Layer ball = d.Hull(0.05f);
    ball.profile = Profile::Dome;
    ball.height = r * 0.9f;
    ball.specular = 0.45f;
    d.Ellipse(c, r, r, ball);
    // The round front window with its spokes.
    const Vec2 w{c.x, c.y - r * 0.45f};
    d.Cockpit(w, r * 0.42f, r * 0.42f, 0.2f);
    for (int k = 0; k < 4; ++k) {
        const Vec2 p = Polar(r * 0.42f, 45.0f + 90.0f * static_cast<float>(k));
        d.Line(w, w + p, 0.01f);
    }
}

void XWing(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Pair({{0.1f, 0.02f}, {0.66f, 0.06f}, {0.72f, 0.12f}, {0.72f, 0.3f}, {0.1f, 0.4f}}, d.Hull2(0.0f));
    d.Pair({{0.1f, -0.02f}, {0.84f, 0.02f}, {0.9f, 0.08f}, {0.9f, 0.26f}, {0.1f, 0.36f}}, d.Hull(0.04f));
    d.Pair({{0.34f, 0.0f}, {0.5f, 0.01f}, {0.5f, 0.33f}, {0.34f, 0.34f}}, d.Decal(p.accent, 0.85f));
    d.PairLine({0.55f, 0.02f}, {0.55f, 0.32f});
    d.PairSegment({0.7f, -0.14f}, {0.7f, 0.26f}, 0.036f, d.Hull2(0.05f));
    d.PairSegment({0.87f, -0.17f}, {0.87f, 0.24f}, 0.042f, d.Hull2(0.07f));
    d.PairSegment({0.2f, -0.1f}, {0.2f, 0.44f}, 0.075f, d.Hull2(0.08f));
    d.PairEngine({0.2f, 0.46f}, 0.06f, 0.045f);
    d.Sym({{0.0f, -1.0f},
           {0.05f, -0.96f},
           {0.085f, -0.7f},
           {0.12f, -0.25f},
           {0.15f, 0.2f},
           {0.14f, 0.5f},
           {0.08f, 0.56f},
           {0.0f, 0.56f}},
          d.Hull(0.1f));
    d.Poly({{-0.085f, -0.7f}, {0.085f, -0.7f}, {0.095f, -0.6f}, {-0.095f, -0.6f}}, d.Decal(p.accent));
    d.Line({-0.1f, -0.5f}, {0.1f, -0.5f});
    d.Line({0.0f, 0.2f}, {0.0f, 0.5f});
    d.Cockpit({0.0f, -0.28f}, 0.065f, 0.13f, 0.16f);
    Layer droid = d.Tinted(Hex(0xD8DCE8), 0.14f);
    droid.profile = Profile::Dome;
    droid.height = 0.05f;
    d.Ellipse({0.0f, 0.08f}, 0.055f, 0.055f, droid);
    d.Light({0.0f, 0.06f}, 0.018f, Hex(0x4A8CFF));
}

void YWing(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.PairSegment({0.55f, -0.35f}, {0.55f, 0.8f}, 0.11f, d.Hull(0.02f));
    Layer cap = d.Hull2(0.03f);
    cap.profile = Profile::Dome;
    cap.height = 0.1f;
    d.PairEllipse({0.55f, -0.36f}, 0.12f, 0.1f, 0, cap);
    d.Pair({{0.45f, -0.2f}, {0.65f, -0.2f}, {0.65f, -0.13f}, {0.45f, -0.13f}}, d.Decal(Hex(0xE0B030)));
    d.PairLine({0.47f, 0.3f}, {0.63f, 0.3f});
    d.PairLine({0.47f, 0.6f}, {0.63f, 0.6f});
    d.PairEngine({0.55f, 0.81f}, 0.085f, 0.05f);
    d.Sym({{0.0f, -0.02f}, {0.5f, 0.02f}, {0.5f, 0.16f}, {0.0f, 0.2f}}, d.Hull2(0.06f));
    d.Sym({{0.0f, -0.5f}, {0.09f, -0.45f}, {0.09f, 0.35f}, {0.0f, 0.4f}}, d.Dark(0.07f));
    for (float y : {-0.3f, -0.15f, 0.3f}) d.Line({-0.08f, y}, {0.08f, y}, 0.015f);
    d.Sym({{0.0f, -1.0f}, {0.12f, -0.96f}, {0.21f, -0.72f}, {0.21f, -0.5f}, {0.14f, -0.42f}, {0.0f, -0.42f}},
          d.Hull(0.1f));
    d.Poly({{-0.21f, -0.6f}, {0.21f, -0.6f}, {0.21f, -0.55f}, {-0.21f, -0.55f}}, d.Decal(Hex(0xE0B030)));
    d.Cockpit({0.0f, -0.86f}, 0.07f, 0.07f, 0.16f);
    Layer turret = d.Dark(0.16f);
    turret.colour = p.gun;
    turret.profile = Profile::Dome;
    turret.height = 0.06f;
    d.Ellipse({0.0f, -0.7f}, 0.09f, 0.09f, turret);
}

void AWing(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Sym({{0.0f, -1.0f}, {0.1f, -0.92f}, {0.58f, 0.42f}, {0.58f, 0.66f}, {0.2f, 0.6f}, {0.0f, 0.64f}},
          d.Hull(0.04f, 0.08f));
    d.Pair({{0.06f, -0.86f}, {0.12f, -0.88f}, {0.42f, -0.08f}, {0.34f, -0.08f}}, d.Decal(p.accent, 0.9f));
    d.Poly({{-0.06f, -0.9f}, {0.06f, -0.9f}, {0.1f, -0.75f}, {-0.1f, -0.75f}}, d.Decal(p.accent));
    d.PairLine({0.1f, 0.1f}, {0.45f, 0.5f});
    d.Line({-0.2f, 0.3f}, {0.2f, 0.3f});
    d.PairSegment({0.62f, -0.28f}, {0.62f, 0.72f}, 0.13f, d.Hull2(0.07f));
    d.Pair({{0.5f, 0.3f}, {0.74f, 0.3f}, {0.74f, 0.36f}, {0.5f, 0.36f}}, d.Decal(p.accent));
    d.PairEngine({0.62f, 0.74f}, 0.1f, 0.06f);
    d.Cockpit({0.0f, -0.3f}, 0.09f, 0.17f, 0.1f);
    d.Light({0.0f, 0.55f}, 0.03f, p.engine);
}

void BWing(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Sym({{0.0f, -0.36f}, {0.92f, -0.24f}, {0.99f, -0.16f}, {0.99f, 0.02f}, {0.9f, 0.07f}, {0.0f, 0.12f}},
          d.Hull2(0.02f));
    d.Pair({{0.55f, -0.28f}, {0.75f, -0.26f}, {0.75f, 0.05f}, {0.55f, 0.07f}}, d.Decal(p.accent2, 0.9f));
    d.PairLine({0.3f, -0.3f}, {0.3f, 0.1f});
    d.PairSegment({0.96f, -0.3f}, {0.96f, 0.22f}, 0.05f, d.Dark(0.05f));
    d.Pair({{0.08f, 0.18f}, {0.34f, 0.56f}, {0.26f, 0.62f}, {0.02f, 0.3f}}, d.Hull(0.03f));
    Layer hub = d.Hull(0.06f);
    hub.profile = Profile::Dome;
    hub.height = 0.16f;
    d.Ellipse({0.0f, 0.08f}, 0.27f, 0.27f, hub);
    Layer ring = d.Dark(0.12f);
    ring.profile = Profile::Dome;
    d.Raw().Arc({0.0f, 0.08f}, 0.19f, 0.27f, 0.0f, 360.0f, ring);
    d.PairEngine({0.09f, 0.36f}, 0.05f, 0.035f);
    d.PairEngine({0.22f, 0.3f}, 0.045f, 0.03f);
    d.Sym({{0.0f, -0.66f}, {0.1f, -0.6f}, {0.13f, -0.2f}, {0.0f, -0.12f}}, d.Hull(0.1f));
    d.Cockpit({0.0f, -0.48f}, 0.06f, 0.1f, 0.15f);
}

void KWing(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Sym({{0.0f, -0.36f},
           {0.9f, -0.44f},
           {0.96f, -0.38f},
           {0.96f, -0.26f},
           {0.32f, 0.1f},
           {0.26f, 0.48f},
           {0.0f, 0.52f}},
          d.Hull2(0.02f));
    d.Pair({{0.6f, -0.38f}, {0.8f, -0.4f}, {0.8f, -0.3f}, {0.6f, -0.22f}}, d.Decal(p.accent2, 0.85f));
    d.PairSegment({0.53f, -0.36f}, {0.53f, -0.05f}, 0.05f, d.Dark(0.05f));
    d.PairSegment({0.97f, -0.42f}, {0.97f, -0.18f}, 0.05f, d.Dark(0.05f));
    d.PairSegment({0.75f, -0.35f}, {0.75f, -0.12f}, 0.045f, d.Tinted(Hex(0x8E9A86), 0.05f));
    Layer ring = d.Hull(0.05f);
    ring.profile = Profile::Dome;
    d.Raw().Arc({0.0f, 0.1f}, 0.3f, 0.38f, 0.0f, 360.0f, ring);
    d.Sym({{0.0f, -0.95f}, {0.09f, -0.86f}, {0.14f, -0.3f}, {0.14f, 0.58f}, {0.0f, 0.66f}}, d.Hull(0.09f));
    d.Line({-0.13f, -0.1f}, {0.13f, -0.1f});
    d.Line({-0.13f, 0.25f}, {0.13f, 0.25f});
    d.Engine({0.0f, 0.68f}, 0.08f, 0.05f);
    d.PairEngine({0.25f, 0.5f}, 0.06f, 0.04f);
    d.Cockpit({0.0f, -0.58f}, 0.06f, 0.14f, 0.15f);
}

void EWing(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Pair({{0.12f, -0.05f}, {0.5f, 0.12f}, {0.54f, 0.28f}, {0.54f, 0.42f}, {0.14f, 0.6f}}, d.Hull2(0.03f));
    d.Pair({{0.2f, 0.05f}, {0.3f, 0.09f}, {0.3f, 0.5f}, {0.2f, 0.54f}}, d.Decal(Hex(0x3C64B0), 0.85f));
    d.PairSegment({0.5f, -0.12f}, {0.5f, 0.4f}, 0.045f, d.Dark(0.06f));
    d.Sym({{0.0f, -0.92f}, {0.06f, -0.88f}, {0.1f, -0.4f}, {0.16f, 0.3f}, {0.14f, 0.74f}, {0.0f, 0.78f}},
          d.Hull(0.08f));
    d.Poly({{-0.07f, -0.6f}, {0.07f, -0.6f}, {0.08f, -0.52f}, {-0.08f, -0.52f}}, d.Decal(p.accent));
    d.Tube({0.0f, 0.2f}, {0.0f, 0.72f}, 0.04f, p.hull2, 0.14f);
    d.Engine({0.0f, 0.8f}, 0.08f, 0.04f);
    d.PairEngine({0.36f, 0.57f}, 0.05f, 0.03f);
    d.Cockpit({0.0f, -0.3f}, 0.06f, 0.14f, 0.15f);
}

void TWing(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Sym({{0.0f, -0.15f}, {0.55f, -0.1f}, {0.6f, -0.04f}, {0.6f, 0.12f}, {0.55f, 0.16f}, {0.0f, 0.18f}},
          d.Hull2(0.03f));
    d.Pair({{0.44f, -0.1f}, {0.6f, -0.08f}, {0.6f, 0.14f}, {0.44f, 0.16f}}, d.Decal(p.accent2, 0.9f));
    d.Sym({{0.0f, -1.0f}, {0.07f, -0.92f}, {0.15f, -0.5f}, {0.17f, 0.4f}, {0.11f, 0.8f}, {0.0f, 0.82f}}, d.Hull(0.07f));
    d.Sym({{0.0f, 0.62f}, {0.4f, 0.7f}, {0.42f, 0.8f}, {0.0f, 0.84f}}, d.Hull2(0.1f));
    d.Tube({0.0f, 0.25f}, {0.0f, 0.84f}, 0.04f, p.hull, 0.13f);
    d.PairEngine({0.08f, 0.86f}, 0.05f, 0.03f);
    d.Line({-0.15f, -0.3f}, {0.15f, -0.3f});
    d.Cockpit({0.0f, -0.48f}, 0.06f, 0.13f, 0.13f);
}

void HeadHunter(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Sym({{0.0f, -0.3f}, {0.86f, -0.2f}, {0.92f, -0.14f}, {0.92f, 0.06f}, {0.3f, 0.2f}, {0.0f, 0.22f}}, d.Hull(0.03f));
    d.Pair({{0.62f, -0.22f}, {0.76f, -0.2f}, {0.76f, 0.1f}, {0.62f, 0.12f}}, d.Decal(p.accent, 0.9f));
    d.PairSegment({0.91f, -0.2f}, {0.91f, 0.12f}, 0.04f, d.Hull2(0.05f));
    d.Pair({{0.2f, 0.45f}, {0.42f, 0.6f}, {0.42f, 0.7f}, {0.2f, 0.68f}}, d.Hull(0.04f));
    d.Sym({{0.0f, -0.95f}, {0.08f, -0.9f}, {0.16f, -0.5f}, {0.19f, 0.2f}, {0.24f, 0.5f}, {0.24f, 0.7f}, {0.0f, 0.72f}},
          d.Hull2(0.08f));
    d.Poly({{-0.09f, -0.8f}, {0.09f, -0.8f}, {0.11f, -0.72f}, {-0.11f, -0.72f}}, d.Decal(p.accent));
    d.PairEngine({0.11f, 0.72f}, 0.07f, 0.045f);
    d.Line({-0.18f, 0.1f}, {0.18f, 0.1f});
    d.Cockpit({0.0f, -0.36f}, 0.08f, 0.16f, 0.14f);
}

void TieFighter(Draft& d) {
    d.PairSegment({0.15f, 0.0f}, {0.66f, 0.0f}, 0.07f, d.Hull(0.03f));
    HexPanel(d, {0.77f, 0.0f}, 0.15f, 0.62f, 0.3f);
    HexPanel(d, {-0.77f, 0.0f}, 0.15f, 0.62f, 0.3f);
    TieBall(d, {0.0f, 0.0f}, 0.33f);
}

void TieBomber(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.PairSegment({0.2f, 0.0f}, {0.72f, 0.0f}, 0.06f, d.Hull(0.03f));
    for (float s : {1.0f, -1.0f}) {
        d.Poly({{0.78f * s, -0.64f},
                {0.95f * s, -0.2f},
                {0.86f * s, 0.0f},
                {0.95f * s, 0.2f},
                {0.78f * s, 0.64f},
                {0.68f * s, 0.2f},
                {0.77f * s, 0.0f},
                {0.68f * s, -0.2f}},
               d.Dark(0.02f, 0.015f));
        d.Tube({0.78f * s, -0.64f}, {0.78f * s, 0.64f}, 0.025f, p.hull2, 0.04f);
        d.Tube({0.68f * s, -0.2f}, {0.95f * s, -0.2f}, 0.02f, p.hull2, 0.04f);
        d.Tube({0.68f * s, 0.2f}, {0.95f * s, 0.2f}, 0.02f, p.hull2, 0.04f);
    }
    d.Segment({-0.3f, 0.0f}, {0.3f, 0.0f}, 0.08f, d.Hull2(0.05f));
    Layer pod = d.Hull(0.06f);
    pod.profile = Profile::Dome;
    pod.height = 0.14f;
    d.Ellipse({-0.3f, -0.06f}, 0.17f, 0.52f, pod);
    d.Ellipse({0.3f, 0.04f}, 0.16f, 0.56f, pod);
    for (float y : {-0.2f, 0.0f, 0.2f, 0.4f}) d.Line({0.18f, y}, {0.42f, y}, 0.012f);
    d.Cockpit({-0.3f, -0.38f}, 0.09f, 0.09f, 0.2f);
    d.Light({-0.3f, 0.44f}, 0.04f, p.engine);
    d.Light({0.3f, 0.58f}, 0.04f, p.engine);
}

void TieInterceptor(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.PairSegment({0.15f, 0.0f}, {0.62f, 0.0f}, 0.07f, d.Hull(0.03f));
    for (float s : {1.0f, -1.0f}) {
        d.Poly({{0.5f * s, -0.88f},
                {0.72f * s, -0.35f},
                {0.72f * s, 0.35f},
                {0.5f * s, 0.88f},
                {0.62f * s, 0.3f},
                {0.62f * s, -0.3f}},
               d.Dark(0.02f, 0.015f));
        d.Tube({0.5f * s, -0.88f}, {0.67f * s, -0.3f}, 0.025f, p.hull2, 0.04f);
        d.Tube({0.67f * s, -0.3f}, {0.67f * s, 0.3f}, 0.03f, p.hull2, 0.04f);
        d.Tube({0.67f * s, 0.3f}, {0.5f * s, 0.88f}, 0.025f, p.hull2, 0.04f);
        d.Line({0.62f * s, -0.15f}, {0.72f * s, -0.15f}, 0.008f);
        d.Line({0.62f * s, 0.15f}, {0.72f * s, 0.15f}, 0.008f);
    }
    TieBall(d, {0.0f, 0.0f}, 0.3f);
}

void TieAdvanced(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Sym({{0.0f, -0.3f}, {0.22f, -0.2f}, {0.2f, 0.55f}, {0.1f, 0.7f}, {0.0f, 0.7f}}, d.Hull2(0.03f));
    d.Line({-0.2f, 0.2f}, {0.2f, 0.2f});
    d.Line({-0.18f, 0.45f}, {0.18f, 0.45f});
    d.PairEngine({0.08f, 0.7f}, 0.05f, 0.03f);
    d.PairSegment({0.2f, -0.1f}, {0.6f, -0.1f}, 0.07f, d.Hull(0.03f));
    for (float s : {1.0f, -1.0f}) {
        d.Poly({{0.48f * s, -0.82f},
                {0.72f * s, -0.5f},
                {0.8f * s, 0.0f},
                {0.72f * s, 0.5f},
                {0.48f * s, 0.74f},
                {0.6f * s, 0.38f},
                {0.65f * s, -0.1f},
                {0.6f * s, -0.5f}},
               d.Dark(0.02f, 0.015f));
        d.Tube({0.48f * s, -0.82f}, {0.72f * s, -0.5f}, 0.022f, p.hull2, 0.04f);
        d.Tube({0.72f * s, -0.5f}, {0.8f * s, 0.0f}, 0.022f, p.hull2, 0.04f);
        d.Tube({0.8f * s, 0.0f}, {0.72f * s, 0.5f}, 0.022f, p.hull2, 0.04f);
        d.Tube({0.72f * s, 0.5f}, {0.48f * s, 0.74f}, 0.022f, p.hull2, 0.04f);
    }
    TieBall(d, {0.0f, -0.3f}, 0.28f);
}

void TieDefender(Draft& d) {
    const ShipPalette& p = d.Pal();
    for (float a : {90.0f, 210.0f, 330.0f}) {
        const Vec2 u = Polar(1.0f, a), v = Polar(1.0f, a + 90.0f);
        d.Segment(u * 0.2f, u * 0.55f, 0.07f, d.Hull(0.03f));
        auto at = [&](float along, float across) { return u * along + v * across; };
        d.Poly({at(0.45f, -0.08f), at(0.95f, -0.2f), at(0.95f, 0.2f), at(0.45f, 0.08f)}, d.Dark(0.03f, 0.015f));
        d.Tube(at(0.45f, 0.0f), at(0.95f, 0.0f), 0.025f, p.hull2, 0.05f);
        d.Tube(at(0.93f, -0.2f), at(0.93f, 0.2f), 0.03f, p.hull2, 0.05f);
        d.Line(at(0.7f, -0.14f), at(0.7f, 0.14f), 0.008f);
    }
    TieBall(d, {0.0f, 0.0f}, 0.3f);
    d.PairEngine({0.1f, 0.28f}, 0.04f, 0.03f);
}

void Skipray(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Pair({{0.4f, -0.1f}, {0.85f, 0.3f}, {0.85f, 0.45f}, {0.4f, 0.5f}}, d.Hull2(0.02f));
    d.Pair({{0.7f, 0.2f}, {0.85f, 0.32f}, {0.85f, 0.45f}, {0.7f, 0.47f}}, d.Decal(p.accent, 0.8f));
    d.Sym({{0.0f, -0.75f}, {0.25f, -0.7f}, {0.42f, -0.5f}, {0.45f, 0.2f}, {0.3f, 0.7f}, {0.0f, 0.75f}},
          d.Hull(0.05f, 0.08f));
    d.PairLine({0.2f, -0.4f}, {0.3f, 0.5f});
    d.Line({-0.4f, 0.0f}, {0.4f, 0.0f});
    d.Tube({0.0f, -0.3f}, {0.0f, 0.7f}, 0.05f, p.dark, 0.14f);
    d.PairSegment({0.35f, -0.66f}, {0.35f, -0.3f}, 0.06f, d.Dark(0.08f));
    d.Cockpit({0.14f, -0.5f}, 0.08f, 0.1f, 0.14f);
    d.PairEngine({0.16f, 0.72f}, 0.1f, 0.04f);
}

void AssaultGunboat(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Pair({{0.22f, 0.0f}, {0.78f, 0.1f}, {0.82f, 0.2f}, {0.82f, 0.5f}, {0.22f, 0.55f}}, d.Hull2(0.02f));
    d.PairLine({0.45f, 0.06f}, {0.45f, 0.52f});
    d.PairSegment({0.86f, -0.05f}, {0.86f, 0.68f}, 0.05f, d.Dark(0.04f));
    d.Sym({{0.0f, -0.62f}, {0.2f, -0.58f}, {0.24f, -0.2f}, {0.22f, 0.5f}, {0.12f, 0.62f}, {0.0f, 0.62f}},
          d.Hull(0.07f));
    d.Poly({{-0.22f, 0.1f}, {0.22f, 0.1f}, {0.22f, 0.18f}, {-0.22f, 0.18f}}, d.Decal(p.accent, 0.8f));
    d.Line({-0.2f, 0.35f}, {0.2f, 0.35f});
    d.Cockpit({0.0f, -0.36f}, 0.13f, 0.1f, 0.12f);
    d.PairEngine({0.1f, 0.63f}, 0.07f, 0.04f);
}

void MissileBoat(Draft& d) {
    d.Pair({{0.14f, 0.3f}, {0.55f, 0.55f}, {0.55f, 0.7f}, {0.14f, 0.7f}}, d.Hull2(0.02f));
    d.Sym({{0.0f, -0.98f}, {0.06f, -0.94f}, {0.12f, -0.7f}, {0.14f, 0.8f}, {0.0f, 0.85f}}, d.Hull(0.06f));
    for (int k = 0; k < 6; ++k) {
        const float y = -0.45f + 0.16f * static_cast<float>(k);
        d.Pair({{0.14f, y}, {0.3f, y}, {0.3f, y + 0.12f}, {0.14f, y + 0.12f}}, d.Hull2(0.05f, 0.02f));
        d.Light({0.22f, y + 0.03f}, 0.022f, Hex(0xFF5A3A));
        d.Light({-0.22f, y + 0.03f}, 0.022f, Hex(0xFF5A3A));
    }
    d.Line({0.0f, -0.5f}, {0.0f, 0.75f});
    d.Engine({0.0f, 0.86f}, 0.1f, 0.05f);
    d.PairEngine({0.45f, 0.71f}, 0.05f, 0.03f);
    d.Cockpit({0.0f, -0.62f}, 0.06f, 0.1f, 0.12f);
}

void Viper(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Pair({{0.15f, -0.1f}, {0.55f, 0.35f}, {0.6f, 0.55f}, {0.55f, 0.62f}, {0.2f, 0.55f}}, d.Hull2(0.03f));
    d.Pair({{0.32f, 0.12f}, {0.44f, 0.25f}, {0.44f, 0.6f}, {0.32f, 0.58f}}, d.Decal(p.accent, 0.9f));
    d.Sym({{0.0f, -1.0f}, {0.07f, -0.9f}, {0.14f, -0.4f}, {0.17f, 0.3f}, {0.24f, 0.6f}, {0.21f, 0.74f}, {0.0f, 0.74f}},
          d.Hull(0.07f));
    d.Poly({{-0.1f, -0.62f}, {0.1f, -0.62f}, {0.11f, -0.55f}, {-0.11f, -0.55f}}, d.Decal(p.accent));
    d.Tube({0.0f, 0.3f}, {0.0f, 0.76f}, 0.035f, p.hull2, 0.14f);
    d.Engine({0.0f, 0.8f}, 0.06f, 0.04f);
    d.PairEngine({0.14f, 0.76f}, 0.055f, 0.04f);
    d.Cockpit({0.0f, -0.35f}, 0.07f, 0.14f, 0.13f);
}

void CylonRaider(Draft& d) {
    const ShipPalette& p = d.Pal();
    Layer wing = d.Hull(0.03f, 0.1f);
    wing.specular = 0.6f;
    wing.shininess = 30.0f;
    d.Sym({{0.0f, -0.1f},
           {0.3f, -0.08f},
           {0.52f, -0.3f},
           {0.66f, -0.82f},
           {0.76f, -0.76f},
           {0.88f, -0.3f},
           {0.76f, 0.3f},
           {0.42f, 0.55f},
           {0.0f, 0.6f}},
          wing);
    d.PairLine({0.3f, 0.0f}, {0.75f, -0.3f});
    d.PairLine({0.3f, 0.3f}, {0.7f, 0.28f});
    Layer dome = d.Hull2(0.06f);
    dome.profile = Profile::Dome;
    dome.height = 0.25f;
    dome.specular = 0.7f;
    dome.shininess = 36.0f;
    d.Ellipse({0.0f, 0.12f}, 0.36f, 0.36f, dome);
    Layer slot = d.Dark(0.2f);
    d.Segment({-0.2f, -0.12f}, {0.2f, -0.12f}, 0.045f, slot);
    d.Ellipse({0.06f, -0.12f}, 0.07f, 0.03f, d.Glow(p.accent));
    d.PairEngine({0.2f, 0.56f}, 0.06f, 0.035f);
}

void StarFury(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.PairSegment({0.1f, -0.1f}, {0.62f, -0.55f}, 0.07f, d.Hull(0.03f));
    d.PairSegment({0.1f, 0.1f}, {0.62f, 0.55f}, 0.07f, d.Hull(0.03f));
    d.PairLine({0.3f, -0.27f}, {0.45f, -0.4f}, 0.02f);
    for (float y : {-0.57f, 0.57f}) {
        d.PairSegment({0.68f, y - 0.16f}, {0.68f, y + 0.16f}, 0.12f, d.Hull(0.05f));
        d.Pair({{0.56f, y - 0.04f}, {0.8f, y - 0.04f}, {0.8f, y + 0.02f}, {0.56f, y + 0.02f}}, d.Decal(p.accent));
        d.PairEngine({0.68f, y + 0.18f}, 0.08f, 0.04f);
    }
    d.Sym({{0.0f, -0.66f}, {0.12f, -0.6f}, {0.2f, -0.2f}, {0.2f, 0.3f}, {0.12f, 0.5f}, {0.0f, 0.5f}}, d.Hull2(0.08f));
    d.Line({-0.18f, 0.1f}, {0.18f, 0.1f});
    d.Line({0.0f, 0.1f}, {0.0f, 0.45f});
    d.Cockpit({0.0f, -0.18f}, 0.08f, 0.16f, 0.14f);
}

void NialFighter(Draft& d) {
    const ShipPalette& p = d.Pal();
    Layer body = d.Hull(0.03f, 0.16f);
    body.specular = 0.7f;
    body.shininess = 30.0f;
    body.grime = 0.25f;
    d.Sym({{0.0f, -0.95f},
           {0.12f, -0.88f},
           {0.2f, -0.5f},
           {0.55f, -0.2f},
           {0.95f, 0.15f},
           {0.7f, 0.36f},
           {0.3f, 0.55f},
           {0.1f, 0.8f},
           {0.0f, 0.7f}},
          body);
    d.Pair({{0.3f, -0.18f}, {0.8f, 0.12f}, {0.68f, 0.26f}, {0.28f, 0.05f}}, d.Decal(p.accent2, 0.6f));
    Layer prong = d.Hull2(0.06f, 0.04f);
    prong.profile = Profile::Dome;
    prong.height = 0.06f;
    prong.specular = 0.7f;
    d.PairSegment({0.19f, -0.3f}, {0.19f, -0.82f}, 0.05f, prong);
    d.Segment({0.0f, -0.85f}, {0.0f, 0.55f}, 0.08f, prong);
    const Layer seam = d.Glow(p.accent);
    d.PairSegment({0.3f, -0.1f}, {0.78f, 0.16f}, 0.016f, seam);
    d.PairSegment({0.25f, 0.2f}, {0.55f, 0.38f}, 0.014f, seam);
    d.Cockpit({0.0f, -0.3f}, 0.06f, 0.12f, 0.16f);
    d.Engine({0.0f, 0.72f}, 0.08f, 0.04f);
}

void Type9(Draft& d) {
    // A blunt-nosed shuttle box riding between two short warp nacelles.
    const ShipPalette& p = d.Pal();
    d.Pair({{0.36f, 0.12f}, {0.56f, 0.12f}, {0.56f, 0.42f}, {0.36f, 0.42f}}, d.Hull2(0.03f));
    d.PairSegment({0.64f, 0.02f}, {0.64f, 0.72f}, 0.1f, d.Hull2(0.05f));
    d.PairSegment({0.64f, 0.16f}, {0.64f, 0.6f}, 0.032f, d.Glow(p.engine));
    d.Light({0.64f, -0.02f}, 0.065f, Hex(0xFF4A2A));
    d.Light({-0.64f, -0.02f}, 0.065f, Hex(0xFF4A2A));
    d.Sym({{0.0f, -0.64f}, {0.34f, -0.64f}, {0.4f, -0.54f}, {0.4f, 0.62f}, {0.34f, 0.68f}, {0.0f, 0.68f}},
          d.Hull(0.06f, 0.05f));
    Layer glass = d.Tinted(p.glass, 0.06f, 0.02f);
    glass.specular = 0.9f;
    glass.shininess = 40.0f;
    d.Poly({{-0.3f, -0.6f}, {0.3f, -0.6f}, {0.33f, -0.48f}, {-0.33f, -0.48f}}, glass);
    d.Poly({{-0.38f, -0.05f}, {0.38f, -0.05f}, {0.38f, 0.02f}, {-0.38f, 0.02f}}, d.Decal(p.accent, 0.8f));
    d.Line({-0.38f, 0.3f}, {0.38f, 0.3f});
    d.Line({0.0f, -0.4f}, {0.0f, 0.62f});
    d.PairLine({0.2f, -0.4f}, {0.2f, 0.62f});
    d.PairEngine({0.18f, 0.68f}, 0.09f, 0.03f);
}

void Peregrine(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Pair({{0.16f, -0.35f}, {0.85f, 0.35f}, {0.88f, 0.5f}, {0.18f, 0.45f}}, d.Hull2(0.02f));
    d.Pair({{0.4f, -0.05f}, {0.6f, 0.15f}, {0.58f, 0.22f}, {0.38f, 0.04f}}, d.Decal(p.accent, 0.8f));
    d.PairSegment({0.7f, 0.12f}, {0.7f, 0.72f}, 0.07f, d.Hull(0.05f));
    d.PairSegment({0.7f, 0.25f}, {0.7f, 0.62f}, 0.025f, d.Glow(p.engine));
    d.Light({0.7f, 0.1f}, 0.05f, Hex(0xFF4A2A));
    d.Light({-0.7f, 0.1f}, 0.05f, Hex(0xFF4A2A));
    d.Sym({{0.0f, -1.0f}, {0.1f, -0.85f}, {0.16f, -0.3f}, {0.18f, 0.5f}, {0.1f, 0.7f}, {0.0f, 0.7f}}, d.Hull(0.07f));
    d.Line({-0.15f, 0.0f}, {0.15f, 0.0f});
    d.Line({-0.16f, 0.3f}, {0.16f, 0.3f});
    d.Cockpit({0.0f, -0.5f}, 0.06f, 0.12f, 0.13f);
    d.Engine({0.0f, 0.71f}, 0.08f, 0.035f);
}

void Tacfighter(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Sym({{0.0f, -0.4f}, {0.55f, 0.2f}, {0.8f, 0.52f}, {0.75f, 0.64f}, {0.0f, 0.6f}}, d.Hull2(0.03f));
    d.Pair({{0.5f, 0.25f}, {0.72f, 0.5f}, {0.7f, 0.56f}, {0.48f, 0.4f}}, d.Decal(p.accent2, 0.85f));
    d.PairSegment({0.5f, -0.62f}, {0.44f, 0.25f}, 0.08f, d.Hull(0.06f));
    d.PairLine({0.5f, -0.4f}, {0.46f, 0.0f});
    d.Sym({{0.0f, -0.7f}, {0.12f, -0.6f}, {0.16f, 0.2f}, {0.14f, 0.7f}, {0.0f, 0.72f}}, d.Hull(0.08f));
    d.Line({-0.14f, 0.35f}, {0.14f, 0.35f});
    d.Cockpit({0.0f, -0.35f}, 0.07f, 0.14f, 0.14f);
    d.PairEngine({0.07f, 0.72f}, 0.055f, 0.035f);
    d.PairEngine({0.44f, 0.3f}, 0.05f, 0.03f);
}

void Runabout(Draft& d) {
    const ShipPalette& p = d.Pal();
    d.Pair({{0.28f, 0.0f}, {0.38f, 0.0f}, {0.38f, 0.35f}, {0.28f, 0.35f}}, d.Hull2(0.02f));
    d.PairSegment({0.44f, -0.3f}, {0.44f, 0.78f}, 0.09f, d.Hull2(0.04f));
    d.PairSegment({0.44f, -0.1f}, {0.44f, 0.65f}, 0.03f, d.Glow(p.engine));
    d.Light({0.44f, -0.33f}, 0.06f, Hex(0xFF4A2A));
    d.Light({-0.44f, -0.33f}, 0.06f, Hex(0xFF4A2A));
    d.Sym({{0.0f, -0.85f}, {0.2f, -0.83f}, {0.28f, -0.7f}, {0.3f, 0.6f}, {0.26f, 0.7f}, {0.0f, 0.72f}}, d.Hull(0.05f));
    Layer glass = d.Tinted(p.glass, 0.05f, 0.02f);
    glass.specular = 0.9f;
    glass.shininess = 40.0f;
    d.Poly({{-0.18f, -0.8f}, {0.18f, -0.8f}, {0.24f, -0.7f}, {-0.24f, -0.7f}}, glass);
    for (float y : {-0.45f, -0.2f, 0.45f}) d.Line({-0.28f, y}, {0.28f, y});
    d.Line({0.0f, -0.65f}, {0.0f, 0.65f});
    d.Poly({{-0.46f, 0.08f}, {0.46f, 0.08f}, {0.46f, 0.24f}, {-0.46f, 0.24f}}, d.Hull(0.1f, 0.03f));
    d.Poly({{-0.3f, 0.13f}, {0.3f, 0.13f}, {0.3f, 0.19f}, {-0.3f, 0.19f}}, d.Decal(p.accent, 0.8f));
    d.PairEngine({0.12f, 0.71f}, 0.07f, 0.03f);
}

}  // namespace

void DrawShipDesign(int index, Draft& d) {
    using Design = void (*)(Draft&);
    static constexpr Design kDesigns[kShipClassCount] = {
        XWing,      YWing,       AWing,          BWing,       KWing,       EWing,     TWing,          HeadHunter,
        TieFighter, TieBomber,   TieInterceptor, TieAdvanced, TieDefender, Skipray,   AssaultGunboat, MissileBoat,
        Viper,      CylonRaider, StarFury,       NialFighter, Type9,       Peregrine, Tacfighter,     Runabout};
    if (index >= 0 && index < kShipClassCount) kDesigns[index](d);
}

}  // namespace mediagen
