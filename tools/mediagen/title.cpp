#include "tools/mediagen/title.h"

#include <cmath>
#include <vector>

#include "tools/mediagen/canvas.h"
#include "tools/mediagen/noise.h"
#include "tools/mediagen/planets.h"
#include "tools/mediagen/random.h"
#include "tools/mediagen/shipart.h"

namespace mediagen {

namespace {

struct Stroke {
    Vec2 a, b;
};

struct Letter {
    char ch;
    std::vector<Stroke> strokes;
    bool ring = false;  // O
    bool bowl = false;  // R
    float width = 0.78f;
};

const std::vector<Letter>& Letters() {
    static const std::vector<Letter> letters = {
        {'V', {{{0, 0}, {0.39f, 1}}, {{0.39f, 1}, {0.78f, 0}}}},
        {'A', {{{0, 1}, {0.39f, 0}}, {{0.39f, 0}, {0.78f, 1}}, {{0.17f, 0.64f}, {0.61f, 0.64f}}}},
        {'N', {{{0, 1}, {0, 0}}, {{0, 0}, {0.74f, 1}}, {{0.74f, 1}, {0.74f, 0}}}, false, false, 0.74f},
        {'T', {{{0, 0}, {0.74f, 0}}, {{0.37f, 0}, {0.37f, 1}}}, false, false, 0.74f},
        {'O', {}, true, false, 0.9f},
        {'R',
         {{{0, 1}, {0, 0}}, {{0, 0}, {0.42f, 0}}, {{0, 0.54f}, {0.42f, 0.54f}}, {{0.36f, 0.54f}, {0.74f, 1}}},
         false,
         true,
         0.74f},
    };
    return letters;
}

void DrawWord(Canvas& c, const char* word, float x, float y, float h, float halfWidth, const Layer& layer) {
    for (const char* p = word; *p; ++p) {
        for (const Letter& l : Letters()) {
            if (l.ch != *p) continue;
            for (const Stroke& s : l.strokes)
                c.Segment({x + s.a.x * h, y + s.a.y * h}, {x + s.b.x * h, y + s.b.y * h}, halfWidth, layer);
            if (l.ring) c.Arc({x + 0.45f * h, y + 0.5f * h}, 0.5f * h - halfWidth, 0.5f * h + halfWidth, 0, 360, layer);
            if (l.bowl)
                c.Arc({x + 0.42f * h, y + 0.27f * h}, 0.27f * h - halfWidth, 0.27f * h + halfWidth, -90, 90, layer);
            x += (l.width + 0.3f) * h;
        }
    }
}

float WordWidth(const char* word, float h) {
    float w = 0;
    for (const char* p = word; *p; ++p) {
        for (const Letter& l : Letters()) {
            if (l.ch == *p) w += (l.width + 0.3f) * h;
        }
    }
    return w - 0.3f * h;
}

void Composite(Image& dst, const Rendered& src, int ox, int oy) {
    for (int y = 0; y < src.image.height; ++y) {
        for (int x = 0; x < src.image.width; ++x) {
            if (!dst.Contains(ox + x, oy + y)) continue;
            const float a = src.coverage[static_cast<std::size_t>(y) * src.image.width + x];
            if (a <= 0) continue;
            Rgb& d = dst.At(ox + x, oy + y);
            const Rgb& s = src.image.At(x, y);
            auto blend = [a](std::uint8_t dv, std::uint8_t sv) {
                return static_cast<std::uint8_t>(std::min(255.0f, dv * (1.0f - a) + sv));
            };
            d = {blend(d.r, s.r), blend(d.g, s.g), blend(d.b, s.b)};
        }
    }
}

}  // namespace

Image RenderTitle() {
    Image img(kTitleWidth, kTitleHeight);
    // Deep space: a blue-violet nebula and three depths of stars.
    for (int y = 0; y < kTitleHeight; ++y) {
        for (int x = 0; x < kTitleWidth; ++x) {
            const float u = static_cast<float>(x) / 160.0f, v = static_cast<float>(y) / 160.0f;
            const float warp = Fbm2(u * 0.6f, v * 0.6f, 91u, 3);
            const float a = Fbm2(u + warp, v + warp * 1.3f, 92u, 6) * 0.5f + 0.5f;
            const float b = Fbm2(u * 1.4f - warp, v * 1.4f, 93u, 5) * 0.5f + 0.5f;
            Colour c = Hex(0x02040C);
            c += Hex(0x3C1E78) * (std::pow(Smoothstep(0.4f, 1.0f, a), 1.5f) * 0.9f);
            c += Hex(0x0E5A8C) * (std::pow(Smoothstep(0.5f, 1.0f, b), 2.0f) * 0.8f);
            img.At(x, y) = ToRgb(c);
        }
    }
    Rng rng("title stars");
    for (int i = 0; i < 900; ++i) {
        const int x = rng.Int(kTitleWidth), y = rng.Int(kTitleHeight);
        const float l = rng.Uniform();
        const auto v = static_cast<std::uint8_t>(90 + 165 * l * l);
        img.At(x, y) = {v, v, static_cast<std::uint8_t>(std::min(255, v + 25))};
        if (l > 0.9f) {
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                if (img.Contains(x + dx, y + dy))
                    img.At(x + dx, y + dy) = {static_cast<std::uint8_t>(v / 2), static_cast<std::uint8_t>(v / 2),
                                              static_cast<std::uint8_t>(v / 2 + 20)};
            }
        }
    }

    // A gas giant rising at the bottom and a small moon beside it.
    const Image giant = RenderPlanet({"jupiter", 520});
    Paste(img, giant, 60, 330, true);
    const Image moon = RenderPlanet({"europa", 70});
    Paste(img, moon, 540, 372, true);

    // Two fighters crossing on the left and the right edges.
    const Image hero = RenderShip(0, 35.0f, 210);
    Paste(img, hero, 4, 130, true);
    const Image foe = RenderShip(8, 220.0f, 110);
    Paste(img, foe, 520, 150, true);

    // The name, lit chrome over a warm glow.
    const char* word = "VANTORRA";
    const float h = 62.0f;
    const float w = WordWidth(word, h);
    const float x0 = (kTitleWidth - w) * 0.5f, y0 = 22.0f;
    Canvas glow(kTitleWidth, 110, 2);
    glow.SetTransform({0, 0}, 1.0f, 0);
    Layer halo;
    halo.paint = Paint::Glow;
    halo.profile = Profile::Dome;
    halo.colour = Hex(0xB04A10);
    DrawWord(glow, word, x0, y0, h, 11.0f, halo);
    Rendered haze = glow.Resolve();
    for (std::size_t i = 0; i < haze.coverage.size(); ++i) haze.coverage[i] *= 0.6f;
    Composite(img, haze, 0, 0);
    Canvas text(kTitleWidth, 110, 3);
    text.SetTransform({0, 0}, 1.0f, 0);
    Layer chrome;
    chrome.colour = Hex(0xB8C8E0);
    chrome.profile = Profile::Dome;
    chrome.height = 5.0f;
    chrome.specular = 0.9f;
    chrome.shininess = 22.0f;
    DrawWord(text, word, x0, y0, h, 6.0f, chrome);
    Composite(img, text.Resolve(), 0, 0);
    return img;
}

}  // namespace mediagen
