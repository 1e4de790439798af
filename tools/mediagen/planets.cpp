#include "tools/mediagen/planets.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include "tools/mediagen/noise.h"
#include "tools/mediagen/random.h"

namespace mediagen {

namespace {

struct V3 {
    float x, y, z;
};
float Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 Norm(V3 a) {
    const float n = std::sqrt(Dot(a, a));
    return {a.x / n, a.y / n, a.z / n};
}

struct Crater {
    V3 centre;
    float radius;  // angular, radians-ish (chord length)
};

std::vector<Crater> MakeCraters(std::uint64_t seed, int count, float rMin, float rMax) {
    Rng rng(seed);
    std::vector<Crater> out;
    for (int i = 0; i < count; ++i) {
        V3 c{rng.Signed(), rng.Signed(), rng.Signed()};
        if (Dot(c, c) < 1e-3f) c = {0, 0, 1};
        const float u = rng.Uniform();
        out.push_back({Norm(c), rMin + (rMax - rMin) * u * u * u});
    }
    return out;
}

// Darkened floors and bright rims; the rim is brighter on its side toward
// the light so the craters read as hollows.
float CraterShade(V3 p, const std::vector<Crater>& craters, V3 light) {
    float shade = 0;
    for (const Crater& c : craters) {
        const V3 d{p.x - c.centre.x, p.y - c.centre.y, p.z - c.centre.z};
        const float dist = std::sqrt(Dot(d, d));
        if (dist > c.radius * 1.35f) continue;
        const float t = dist / c.radius;
        if (t < 1.0f) {
            // Inside: the wall toward the light lies in shadow.
            const float facing = -Dot(Norm({d.x + 1e-6f, d.y, d.z}), light);
            shade -= 0.18f + 0.25f * t * t * std::max(0.0f, -facing);
            shade += 0.2f * t * t * std::max(0.0f, facing);
        } else {
            shade += 0.16f * (1.35f - t) / 0.35f;
        }
    }
    return shade;
}

Colour Ramp(std::initializer_list<Colour> stops, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    const std::size_t n = stops.size();
    const float f = t * static_cast<float>(n - 1);
    const std::size_t i = std::min(static_cast<std::size_t>(f), n - 2);
    return Mix(stops.begin()[i], stops.begin()[i + 1], f - static_cast<float>(i));
}

struct Look {
    Colour surface;
    Colour atmosphere;  // rim glow; black for none
    float relief = 0;   // bump strength from the surface noise
};

using Surface = Look (*)(V3 p, std::uint32_t seed, const std::vector<Crater>& craters, V3 light);

Look Earth(V3 p, std::uint32_t s, const std::vector<Crater>&, V3) {
    const float land = Fbm3(p.x * 1.8f, p.y * 1.8f, p.z * 1.8f, s, 6) + 0.02f;
    const float lat = std::fabs(p.y);
    Colour c;
    if (land > 0.05f) {
        const float dry = Fbm3(p.x * 4, p.y * 4, p.z * 4, s + 9, 3) * 0.5f + 0.5f - lat * 0.4f;
        c = Mix(Hex(0x3C6E2E), Hex(0xB09A64), std::clamp(dry, 0.0f, 1.0f));
        c = Mix(c, Hex(0x6A5A44), Smoothstep(0.25f, 0.45f, land));
    } else {
        c = Mix(Hex(0x0C2A66), Hex(0x2A66A8), Smoothstep(-0.25f, 0.05f, land));
    }
    if (lat > 0.82f + 0.06f * Noise3(p.x * 6, p.y * 6, p.z * 6, s + 3)) c = Hex(0xEEF2F6);
    const float cloud = Fbm3(p.x * 3 + 7, p.y * 5, p.z * 3, s + 21, 5);
    c = Mix(c, Hex(0xF4F6FA), Smoothstep(0.05f, 0.35f, cloud) * 0.85f);
    return {c, Hex(0x5A9CFF), 0.0f};
}

Look Jupiter(V3 p, std::uint32_t s, const std::vector<Crater>&, V3) {
    const float turb = Fbm3(p.x * 3, p.y * 3, p.z * 3, s, 4);
    float band = std::sin(p.y * 17.0f + turb * 1.6f) * 0.5f + 0.5f;
    band = band * 0.7f + 0.3f * (std::sin(p.y * 41.0f + turb * 3.0f) * 0.5f + 0.5f);
    Colour c = Ramp({Hex(0x8A5A3A), Hex(0xC89A6A), Hex(0xE8D8B8), Hex(0xD2A87A)}, band);
    // The great red spot, swirled.
    const float lon = std::atan2(p.x, p.z);
    const float dx = (lon - 0.5f) / 0.34f, dy = (p.y - 0.33f) / 0.12f;
    const float spot = dx * dx + dy * dy + 0.3f * turb;
    if (spot < 1.0f) c = Mix(c, Mix(Hex(0xB4442A), Hex(0xD8784A), spot), Smoothstep(1.0f, 0.5f, spot));
    return {c, Hex(0xD8B890), 0.0f};
}

Look Io(V3 p, std::uint32_t s, const std::vector<Crater>&, V3) {
    const float n = Fbm3(p.x * 3, p.y * 3, p.z * 3, s, 5);
    Colour c = Mix(Hex(0xD8C050), Hex(0xE8E0A0), n * 0.5f + 0.5f);
    c = Mix(c, Hex(0xC86A2A), Smoothstep(0.25f, 0.5f, Fbm3(p.x * 2, p.y * 2, p.z * 2, s + 5, 3)));
    const float v = Noise3(p.x * 14, p.y * 14, p.z * 14, s + 7);
    if (v > 0.55f) c = Mix(c, Hex(0x3A2A1A), Smoothstep(0.55f, 0.75f, v));
    if (std::fabs(p.y) > 0.8f) c = Mix(c, Hex(0x9A8A6A), 0.5f);
    return {c, {}, 0.35f};
}

Look Cratered(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 light, Colour lo, Colour hi, float bright) {
    const float n = Fbm3(p.x * 3, p.y * 3, p.z * 3, s, 5) * 0.5f + 0.5f;
    Colour c = Mix(lo, hi, n);
    c = c * (1.0f + bright * CraterShade(p, cr, light));
    return {c, {}, 0.5f};
}

Look Callisto(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 l) {
    Look k = Cratered(p, s, cr, l, Hex(0x3A3228), Hex(0x7A6A58), 1.2f);
    if (Noise3(p.x * 30, p.y * 30, p.z * 30, s + 1) > 0.6f) k.surface = Mix(k.surface, Hex(0xD8D0C0), 0.6f);
    return k;
}
Look Mars(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 l) {
    const float n = Fbm3(p.x * 2.5f, p.y * 2.5f, p.z * 2.5f, s, 6);
    Colour c = Mix(Hex(0xB8562E), Hex(0xD88A52), n * 0.5f + 0.5f);
    c = Mix(c, Hex(0x5A2E1E), Smoothstep(0.1f, 0.35f, Fbm3(p.x * 1.5f, p.y * 1.5f, p.z * 1.5f, s + 4, 4)));
    c = c * (1.0f + 0.5f * CraterShade(p, cr, l));
    if (std::fabs(p.y) > 0.86f + 0.05f * n) c = Hex(0xF0ECE6);
    return {c, Hex(0xE8A070), 0.3f};
}
Look Titan(V3 p, std::uint32_t s, const std::vector<Crater>&, V3) {
    const float n = Fbm3(p.x * 2, p.y * 4, p.z * 2, s, 4);
    Colour c = Mix(Hex(0xC07A2A), Hex(0xE8B060), std::sin(p.y * 6 + n) * 0.25f + 0.5f + n * 0.2f);
    return {c, Hex(0xF0B050), 0.0f};
}
Look Titania(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 l) {
    return Cratered(p, s, cr, l, Hex(0x6A6660), Hex(0xB0AAA0), 1.0f);
}
Look Tethys(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 l) {
    Look k = Cratered(p, s, cr, l, Hex(0xA8ACB0), Hex(0xE4E6E8), 0.9f);
    const float canyon = std::fabs(p.x * 0.8f + p.z * 0.6f + 0.1f * Noise3(p.x * 8, p.y * 8, p.z * 8, s));
    if (canyon < 0.04f) k.surface = k.surface * 0.7f;
    return k;
}
Look Venus(V3 p, std::uint32_t s, const std::vector<Crater>&, V3) {
    const float n = Fbm3(p.x * 2 + p.y * 2.5f, p.y * 5, p.z * 2, s, 5);
    Colour c = Mix(Hex(0xC8A660), Hex(0xF0E0B0), n * 0.5f + 0.5f);
    return {c, Hex(0xF8E8C0), 0.0f};
}
Look Ganymede(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 l) {
    Look k = Cratered(p, s, cr, l, Hex(0x5A5044), Hex(0x9A9080), 0.8f);
    const float g = Ridged3(p.x * 3, p.y * 3, p.z * 3, s + 2, 4);
    k.surface = Mix(k.surface, Hex(0xC8C0B0), Smoothstep(0.5f, 0.8f, g) * 0.6f);
    return k;
}
Look Neptune(V3 p, std::uint32_t s, const std::vector<Crater>&, V3) {
    const float turb = Fbm3(p.x * 3, p.y * 3, p.z * 3, s, 4);
    Colour c = Mix(Hex(0x1E3C9C), Hex(0x3A6AD8), std::sin(p.y * 9 + turb) * 0.5f + 0.5f);
    const float lon = std::atan2(p.x, p.z);
    const float dx = (lon + 0.4f) / 0.3f, dy = (p.y + 0.25f) / 0.1f;
    if (dx * dx + dy * dy < 1.0f) c = Mix(c, Hex(0x10204E), 0.7f);
    if (std::fabs(p.y + 0.1f + 0.05f * turb) < 0.03f) c = Mix(c, Hex(0xE0ECFF), 0.7f);
    return {c, Hex(0x6A9CFF), 0.0f};
}
Look Uranus(V3 p, std::uint32_t s, const std::vector<Crater>&, V3) {
    const float n = Noise3(p.x * 2, p.y * 2, p.z * 2, s);
    Colour c = Mix(Hex(0x8ED0D8), Hex(0xB8E8EC), std::sin(p.y * 7 + n) * 0.3f + 0.5f);
    return {c, Hex(0xB0F0FF), 0.0f};
}
Look Ariel(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 l) {
    return Cratered(p, s, cr, l, Hex(0x8A8680), Hex(0xC8C4BC), 1.0f);
}
Look Enceladus(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 l) {
    Look k = Cratered(p, s, cr, l, Hex(0xD8E0E8), Hex(0xFAFCFF), 0.5f);
    if (p.y > 0.45f) {
        const float stripe = std::fabs(std::sin((p.x + 0.3f * p.z) * 18 + Noise3(p.x * 5, p.y * 5, p.z * 5, s) * 2));
        if (stripe < 0.18f) k.surface = Mix(k.surface, Hex(0x7AA8D8), 0.7f);
    }
    return k;
}
Look Iapetus(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 l) {
    Look k = Cratered(p, s, cr, l, Hex(0xA8A49C), Hex(0xE0DCD4), 0.8f);
    const float dark = Smoothstep(-0.1f, 0.15f, p.x + 0.2f * p.y + 0.15f * Noise3(p.x * 4, p.y * 4, p.z * 4, s));
    k.surface = Mix(k.surface, Hex(0x3A2C20), dark * 0.85f);
    return k;
}
Look Umbriel(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 l) {
    return Cratered(p, s, cr, l, Hex(0x3E3C3A), Hex(0x6A6662), 1.2f);
}
Look Rhea(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 l) {
    return Cratered(p, s, cr, l, Hex(0x9A9894), Hex(0xD4D2CE), 1.1f);
}
Look Mimas(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 l) {
    Look k = Cratered(p, s, cr, l, Hex(0x8A8884), Hex(0xC4C2BE), 1.0f);
    // The one huge crater that gives the moon its look.
    static const std::vector<Crater> big = {{Norm({-0.35f, -0.2f, 0.9f}), 0.42f}};
    k.surface = k.surface * (1.0f + 1.3f * CraterShade(p, big, l));
    return k;
}
Look Miranda(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 l) {
    Look k = Cratered(p, s, cr, l, Hex(0x7A7A7A), Hex(0xBABAB4), 0.7f);
    const float patch = Noise3(p.x * 2.2f, p.y * 2.2f, p.z * 2.2f, s + 8);
    if (patch > 0.2f) {
        const float chevron = std::fabs(std::sin((std::fabs(p.x) + p.y) * 30));
        k.surface = Mix(k.surface, chevron > 0.5f ? Hex(0xD0D0C8) : Hex(0x5A5A58), 0.5f);
    }
    return k;
}
Look Europa(V3 p, std::uint32_t s, const std::vector<Crater>&, V3) {
    const float n = Fbm3(p.x * 2, p.y * 2, p.z * 2, s, 4) * 0.5f + 0.5f;
    Colour c = Mix(Hex(0xC8B8A0), Hex(0xF0EAE0), n);
    const float cracks = Ridged3(p.x * 2.5f, p.y * 2.5f, p.z * 2.5f, s + 3, 4);
    c = Mix(c, Hex(0x8A5A3A), Smoothstep(0.72f, 0.9f, cracks) * 0.8f);
    return {c, {}, 0.1f};
}
Look Moon(V3 p, std::uint32_t s, const std::vector<Crater>& cr, V3 l) {
    Look k = Cratered(p, s, cr, l, Hex(0x7A7874), Hex(0xC2C0BA), 0.9f);
    const float maria = Fbm3(p.x * 1.6f, p.y * 1.6f, p.z * 1.6f, s + 6, 4);
    k.surface = Mix(k.surface, Hex(0x4E4C4A), Smoothstep(0.05f, 0.25f, maria) * 0.75f);
    return k;
}

struct Style {
    PlanetSpec spec;
    Surface surface;
    int craters;
    float tilt;  // degrees the axis leans toward the viewer
};

// In the order of the game's picture table.
const Style kStyles[] = {
    {{"earth1", 140}, Earth, 0, 20},        {{"jupiter", 90}, Jupiter, 0, 8},      {{"io", 150}, Io, 0, 10},
    {{"calisteo", 141}, Callisto, 120, 15}, {{"mars", 80}, Mars, 25, 18},          {{"titan", 150}, Titan, 0, 12},
    {{"titania", 150}, Titania, 70, 10},    {{"tethys", 150}, Tethys, 60, 14},     {{"venus", 150}, Venus, 0, 6},
    {{"ganymede", 138}, Ganymede, 50, 12},  {{"neptune", 150}, Neptune, 0, 16},    {{"uranus", 150}, Uranus, 0, 60},
    {{"ariel", 142}, Ariel, 60, 20},        {{"encelad", 138}, Enceladus, 30, 10}, {{"iapetus", 136}, Iapetus, 60, 12},
    {{"umbriel", 150}, Umbriel, 90, 15},    {{"rhea", 150}, Rhea, 110, 14},        {{"mimas", 104}, Mimas, 70, 10},
    {{"miranda", 150}, Miranda, 30, 22},    {{"europa", 146}, Europa, 0, 12},      {{"moon", 150}, Moon, 90, 8},
};

}  // namespace

const std::vector<PlanetSpec>& PlanetSpecs() {
    static const std::vector<PlanetSpec> specs = [] {
        std::vector<PlanetSpec> all;
        for (const Style& s : kStyles) all.push_back(s.spec);
        return all;
    }();
    return specs;
}

std::string PlanetPath(const PlanetSpec& spec) { return std::string("img/planets/") + spec.stem + ".bmp"; }

Image RenderPlanet(const PlanetSpec& spec) {
    const Style* style = &kStyles[0];
    for (const Style& s : kStyles) {
        if (std::strcmp(s.spec.stem, spec.stem) == 0) style = &s;
    }
    const std::uint32_t seed = static_cast<std::uint32_t>(Rng::HashName(spec.stem));
    const std::vector<Crater> craters = MakeCraters(seed, style->craters, 0.04f, 0.3f);
    const V3 light = Norm({-0.62f, -0.42f, 0.66f});
    const float tilt = style->tilt * std::numbers::pi_v<float> / 180.0f;
    const float ct = std::cos(tilt), st = std::sin(tilt);
    const int f = spec.frameSize;
    const float radius = static_cast<float>(f) * 0.5f - 0.5f, centre = static_cast<float>(f) * 0.5f;
    constexpr int kSs = 3;
    Image img(f, f);
    for (int y = 0; y < f; ++y) {
        for (int x = 0; x < f; ++x) {
            Colour sum;
            int covered = 0;
            for (int j = 0; j < kSs; ++j) {
                for (int i = 0; i < kSs; ++i) {
                    const float sx = (static_cast<float>(x) + (static_cast<float>(i) + 0.5f) / kSs - centre) / radius;
                    const float sy = (static_cast<float>(y) + (static_cast<float>(j) + 0.5f) / kSs - centre) / radius;
                    const float r2 = sx * sx + sy * sy;
                    if (r2 >= 1.0f) continue;
                    ++covered;
                    V3 n{sx, sy, std::sqrt(1.0f - r2)};
                    // The body's own frame: its axis tipped toward the viewer.
                    const V3 p{n.x, n.y * ct - n.z * st, n.y * st + n.z * ct};
                    Look look = style->surface(p, seed, craters, light);
                    if (look.relief > 0) {
                        const float e = 0.02f;
                        const float h0 = Fbm3(p.x * 6, p.y * 6, p.z * 6, seed + 50, 3);
                        const float hx = Fbm3((p.x + e) * 6, p.y * 6, p.z * 6, seed + 50, 3);
                        const float hy = Fbm3(p.x * 6, (p.y + e) * 6, p.z * 6, seed + 50, 3);
                        n = Norm(
                            {n.x - look.relief * (hx - h0) / e * 0.1f, n.y - look.relief * (hy - h0) / e * 0.1f, n.z});
                    }
                    const float lambert = std::max(0.0f, Dot(n, light));
                    Colour c = look.surface * (0.06f + 1.05f * std::pow(lambert, 0.85f));
                    if (look.atmosphere.Max() > 0) {
                        const float rim = std::pow(1.0f - n.z, 3.0f);
                        const float lit = Smoothstep(-0.3f, 0.4f, Dot(n, light));
                        c += look.atmosphere * (0.9f * rim * lit);
                    }
                    sum += c;
                }
            }
            if (covered * 4 < kSs * kSs) continue;  // mostly outside: black
            const float cover = static_cast<float>(covered) / (kSs * kSs);
            Colour c = sum * (1.0f / static_cast<float>(covered)) * (0.5f + 0.5f * cover);
            // The night side keeps a trace of light so the disc never holes.
            c = {std::max(c.r, 0.035f), std::max(c.g, 0.035f), std::max(c.b, 0.04f)};
            img.At(x, y) = ToRgb(c);
        }
    }
    MakeKeySafe(img);
    return img;
}

}  // namespace mediagen
