#include "tools/mediagen/icons.h"

#include <cmath>

#include "tools/mediagen/canvas.h"
#include "tools/mediagen/noise.h"
#include "tools/mediagen/pixelfont.h"
#include "tools/mediagen/random.h"

namespace mediagen {

namespace {

struct Subsystem {
    const char* stem;
    const char* label;
    const char* mark[9];
};

const Subsystem kSubsystems[kSubsystemCount] = {
    {"missiles",
     "MISSILES",
     {".........", "......#..", "..######.", ".#######.", "#########", ".#######.", "..######.", "......#..",
      "........."}},
    {"shields",
     "SHIELDS",
     {"#########", "#.......#", "#.#####.#", "#.#####.#", "#..###..#", ".#..#..#.", "..#...#..", "...#.#...",
      "....#...."}},
    {"thrust",
     "THRUST",
     {"....#....", "...###...", "..#####..", "...###...", "..#...#..", ".#.#.#.#.", "#..#.#..#", "...#.#...",
      "....#...."}},
    {"turning",
     "TURNING",
     {"..####...", ".#....#..", "#......#.", "#.....###", "#......#.", "#........", ".#....#..", "..####...",
      "........."}},
    {"generator",
     "GENERATOR",
     {".....##..", "....##...", "...##....", "..######.", ".....##..", "....##...", "...##....", "..##.....",
      ".#......."}},
    {"weapon",
     "WEAPON",
     {"....#....", "....#....", "..#####..", ".#..#..#.", "#########", ".#..#..#.", "..#####..", "....#....",
      "....#...."}},
};

}  // namespace

std::string IconPath(int subsystem, bool broken) {
    const char* stem = kSubsystems[subsystem].stem;
    // The weapon icon alone is numbered 1 for damaged, 2 for broken.
    if (subsystem == 5) return broken ? "img/systems/weapon2.bmp" : "img/systems/weapon1.bmp";
    return std::string("img/systems/") + stem + (broken ? "2" : "") + ".bmp";
}

Image RenderIcon(int subsystem, bool broken) {
    const Subsystem& s = kSubsystems[subsystem];
    const Rgb ink = broken ? Rgb{255, 48, 36} : Rgb{255, 184, 24};
    const Rgb dim = broken ? Rgb{120, 20, 16} : Rgb{130, 88, 10};
    const Rgb fill = broken ? Rgb{44, 8, 6} : Rgb{40, 28, 4};
    Image img(kIconWidth, kIconHeight);
    for (int y = 0; y < kIconHeight; ++y) {
        for (int x = 0; x < kIconWidth; ++x) {
            const bool border = x == 0 || y == 0 || x == kIconWidth - 1 || y == kIconHeight - 1;
            const bool corner = (x == 0 || x == kIconWidth - 1) && (y == 0 || y == kIconHeight - 1);
            if (corner) continue;  // rounded corners stay clear
            img.At(x, y) = border ? dim : fill;
        }
    }
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            if (s.mark[y][x] == '#') img.At(2 + x, 2 + y) = ink;
        }
    }
    if (broken) {
        // A broken system's mark is struck through.
        for (int k = 0; k < 11; ++k) {
            img.At(1 + k, 1 + k) = Rgb{255, 230, 220};
            img.At(11 - k, 1 + k) = Rgb{255, 230, 220};
        }
    }
    for (int y = 2; y < 11; ++y) img.At(13, y) = dim;
    DrawPixelText(img, 16, 3, s.label, ink);
    MakeKeySafe(img);
    return img;
}

namespace {

// How far in from the backdrop's right and bottom edges its fade reaches, in
// pixels, before the wobble below.
constexpr float kDustFadeRight = 110.0f;
constexpr float kDustFadeBottom = 80.0f;

// How much of the backdrop shows at (x, y). The menus draw it at the top left
// of the screen, so its top and left edges lie on the screen's own; its
// right and bottom edges would show as the straight sides of a cut-out, so
// it fades to black toward them: fully shown where the fade does not reach,
// nothing on the last column and row. The reach wanders a little with a
// slow noise, so the fade's front is no straight line either.
float DustEdgeFade(int x, int y) {
    const float wobble = 1.0f + 0.25f * Fbm2(static_cast<float>(x) / 70.0f, static_cast<float>(y) / 70.0f, 41u, 3);
    const auto right = static_cast<float>(kDustWidth - 1 - x) / (kDustFadeRight * wobble);
    const auto bottom = static_cast<float>(kDustHeight - 1 - y) / (kDustFadeBottom * wobble);
    return Smoothstep(0.0f, 1.0f, right) * Smoothstep(0.0f, 1.0f, bottom);
}

}  // namespace

Image RenderDust() {
    // A dim nebula of two hues with a scatter of faint stars, fading out
    // toward the right and bottom edges; the menus draw their text on top,
    // so it stays dark.
    Image img(kDustWidth, kDustHeight);
    Rng rng("dust");
    for (int y = 0; y < kDustHeight; ++y) {
        for (int x = 0; x < kDustWidth; ++x) {
            const float u = static_cast<float>(x) / 90.0f, v = static_cast<float>(y) / 90.0f;
            const float warp = Fbm2(u * 0.7f, v * 0.7f, 31u, 3);
            const float a = Fbm2(u + warp * 1.4f, v + warp, 11u, 6) * 0.5f + 0.5f;
            const float b = Fbm2(u * 1.3f + 9.0f, v * 1.3f - warp, 12u, 5) * 0.5f + 0.5f;
            const float cloud = std::pow(Smoothstep(0.35f, 0.95f, a), 1.6f);
            const float veil = std::pow(Smoothstep(0.45f, 1.0f, b), 2.0f);
            Colour c = Hex(0x3A1E6A) * (cloud * 0.75f) + Hex(0x14507A) * (veil * 0.7f);
            c += Hex(0x6A3060) * (cloud * veil * 0.6f);
            img.At(x, y) = ToRgb(c * DustEdgeFade(x, y));
        }
    }
    for (int i = 0; i < 260; ++i) {
        const int x = rng.Int(kDustWidth), y = rng.Int(kDustHeight);
        const auto l = static_cast<std::uint8_t>(60 + rng.Int(90));
        const Rgb star{l, l, static_cast<std::uint8_t>(std::min(255, l + 20))};
        const float fade = DustEdgeFade(x, y);
        img.At(x, y) = fade < 1.0f ? ToRgb(Colour{star.r / 255.0f, star.g / 255.0f, star.b / 255.0f} * fade) : star;
    }
    // Pixels too dark to survive the colour key are simply part of the key.
    for (Rgb& p : img.pixels) {
        if (std::max<int>(p.r, std::max<int>(p.g, p.b)) < kKeySafeFloor) p = {};
    }
    return img;
}

Image RenderPointer() {
    // An arrowhead whose tip is the top-centre pixel (20, 0).
    Canvas c(kPointerSize, kPointerSize, 4);
    c.SetTransform({20.5f, 0.0f}, 1.0f, 0.0f);
    const Vec2 outline[] = {{0.0f, 0.0f}, {13.0f, 30.0f}, {0.0f, 22.0f}, {-13.0f, 30.0f}};
    Layer edge;
    edge.colour = Hex(0x1E3A6A);
    edge.profile = Profile::Flat;
    c.Polygon(outline, edge);
    const Vec2 inner[] = {{0.0f, 3.5f}, {10.0f, 27.0f}, {0.0f, 19.5f}, {-10.0f, 27.0f}};
    Layer body;
    body.colour = Hex(0x8CE8FF);
    body.z = 0.5f;
    body.height = 2.0f;
    body.bevel = 2.5f;
    body.specular = 0.6f;
    c.Polygon(inner, body);
    Image img = c.ResolveKeyed();
    // The hot spot itself is always drawn.
    img.At(20, 0) = {140, 232, 255};
    img.At(20, 1) = {140, 232, 255};
    return img;
}

}  // namespace mediagen
