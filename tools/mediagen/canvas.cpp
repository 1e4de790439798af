#include "tools/mediagen/canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/mediagen/noise.h"

namespace mediagen {

namespace {

constexpr float kDegToRad = std::numbers::pi_v<float> / 180.0f;

float SegmentDistance(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 ab = b - a, ap = p - a;
    const float len2 = ab.x * ab.x + ab.y * ab.y;
    float t = len2 > 0 ? (ap.x * ab.x + ap.y * ab.y) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    const float dx = ap.x - ab.x * t, dy = ap.y - ab.y * t;
    return std::sqrt(dx * dx + dy * dy);
}

// Direction toward the light: from the upper left of the picture, above it.
struct Light {
    float x, y, z;
    float hx, hy, hz;  // half vector with the view straight down
    Light() {
        const float lx = -0.55f, ly = -0.65f, lz = 0.75f;
        const float n = std::sqrt(lx * lx + ly * ly + lz * lz);
        x = lx / n;
        y = ly / n;
        z = lz / n;
        const float hn = std::sqrt(x * x + y * y + (z + 1) * (z + 1));
        hx = x / hn;
        hy = y / hn;
        hz = (z + 1) / hn;
    }
};

// The weathering mottle of a point in design units: fractal noise, tabled
// once and read back bilinearly, since every sample of every frame asks.
float Weathering(float x, float y) {
    constexpr int kN = 640;
    constexpr float kExtent = 2.0f;  // the table covers -2..2 in both axes
    static const std::vector<float> table = [] {
        std::vector<float> t(static_cast<std::size_t>(kN) * kN);
        for (int j = 0; j < kN; ++j) {
            for (int i = 0; i < kN; ++i) {
                const float u = (static_cast<float>(i) / (kN - 1) * 2.0f - 1.0f) * kExtent;
                const float v = (static_cast<float>(j) / (kN - 1) * 2.0f - 1.0f) * kExtent;
                t[static_cast<std::size_t>(j) * kN + i] = Fbm2(u * 9.0f, v * 9.0f, 77u, 3);
            }
        }
        return t;
    }();
    const float fx = std::clamp((x / kExtent + 1.0f) * 0.5f * (kN - 1), 0.0f, kN - 1.001f);
    const float fy = std::clamp((y / kExtent + 1.0f) * 0.5f * (kN - 1), 0.0f, kN - 1.001f);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float tx = fx - static_cast<float>(ix), ty = fy - static_cast<float>(iy);
    const float* row = &table[static_cast<std::size_t>(iy) * kN + ix];
    const float top = row[0] + (row[1] - row[0]) * tx;
    const float bottom = row[kN] + (row[kN + 1] - row[kN]) * tx;
    return top + (bottom - top) * ty;
}

}  // namespace

Canvas::Canvas(int width, int height, int supersample)
    : width_(width),
      height_(height),
      ss_(supersample),
      sw_(width * supersample),
      sh_(height * supersample),
      samples_(static_cast<std::size_t>(sw_) * sh_) {}

void Canvas::SetTransform(Vec2 centrePx, float pxPerUnit, float angleDeg) {
    centre_ = centrePx * static_cast<float>(ss_);
    scale_ = pxPerUnit * static_cast<float>(ss_);
    // Exact values at the quarter turns keep those frames true rotations of
    // one another, sample for sample.
    const double a = std::fmod(static_cast<double>(angleDeg), 360.0);
    const double r = (a < 0 ? a + 360.0 : a);
    if (r == 0.0) {
        cos_ = 1, sin_ = 0;
    } else if (r == 90.0) {
        cos_ = 0, sin_ = 1;
    } else if (r == 180.0) {
        cos_ = -1, sin_ = 0;
    } else if (r == 270.0) {
        cos_ = 0, sin_ = -1;
    } else {
        cos_ = static_cast<float>(std::cos(r * std::numbers::pi / 180.0));
        sin_ = static_cast<float>(std::sin(r * std::numbers::pi / 180.0));
    }
}

void Canvas::Clear() { std::fill(samples_.begin(), samples_.end(), Sample{}); }

template <typename Inside>
void Canvas::Fill(Vec2 lo, Vec2 hi, const Layer& layer, Inside inside) {
    // The local box's corners in sample space bound the samples to test.
    float minX = 1e30f, minY = 1e30f, maxX = -1e30f, maxY = -1e30f;
    const Vec2 corners[4] = {{lo.x, lo.y}, {hi.x, lo.y}, {lo.x, hi.y}, {hi.x, hi.y}};
    for (const Vec2& c : corners) {
        const float sx = centre_.x + scale_ * (cos_ * c.x - sin_ * c.y);
        const float sy = centre_.y + scale_ * (sin_ * c.x + cos_ * c.y);
        minX = std::min(minX, sx);
        maxX = std::max(maxX, sx);
        minY = std::min(minY, sy);
        maxY = std::max(maxY, sy);
    }
    const int x0 = std::max(0, static_cast<int>(std::floor(minX)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(minY)) - 1);
    const int x1 = std::min(sw_ - 1, static_cast<int>(std::ceil(maxX)) + 1);
    const int y1 = std::min(sh_ - 1, static_cast<int>(std::ceil(maxY)) + 1);
    const float inv = 1.0f / scale_;
    for (int y = y0; y <= y1; ++y) {
        const float dy = (static_cast<float>(y) + 0.5f - centre_.y) * inv;
        for (int x = x0; x <= x1; ++x) {
            const float dx = (static_cast<float>(x) + 0.5f - centre_.x) * inv;
            const Vec2 p{cos_ * dx + sin_ * dy, -sin_ * dx + cos_ * dy};
            if (p.x < lo.x || p.x > hi.x || p.y < lo.y || p.y > hi.y) continue;
            float edge = 0, dome = 0;
            if (!inside(p, edge, dome)) continue;
            float t = 1.0f;
            if (layer.profile == Profile::Bevel) {
                const float u = layer.bevel > 0 ? std::min(edge / layer.bevel, 1.0f) : 1.0f;
                t = std::sqrt(u * (2.0f - u));
            } else if (layer.profile == Profile::Dome) {
                t = dome;
            }
            Apply(samples_[static_cast<std::size_t>(y) * sw_ + x], layer, t);
        }
    }
}

void Canvas::Apply(Sample& s, const Layer& layer, float t) {
    const Colour c = layer.colour;
    switch (layer.paint) {
        case Paint::Solid:
            s.colour = c;
            s.height = (layer.z + layer.height * t) * scale_;
            s.specular = layer.specular;
            s.shininess = layer.shininess;
            s.grime = layer.grime;
            s.covered = true;
            s.emissive = false;
            break;
        case Paint::Decal:
            if (!s.covered) return;
            s.colour = Mix(s.colour, c, layer.alpha);
            s.grime += (layer.grime - s.grime) * layer.alpha;
            if (s.emissive) s.emission = Mix(s.emission, c, layer.alpha);
            break;
        case Paint::Groove:
            if (!s.covered || s.emissive) return;
            s.height -= layer.height * t * scale_;
            s.colour = s.colour * (1.0f - 0.5f * layer.alpha);
            break;
        case Paint::Glow:
            s.emission = c * (0.45f + 0.7f * t);
            s.colour = c;
            if (!s.covered) s.height = layer.z * scale_;
            s.covered = true;
            s.emissive = true;
            break;
    }
}

void Canvas::Polygon(std::span<const Vec2> pts, const Layer& layer) {
    if (pts.size() < 3) return;
    Vec2 lo{1e30f, 1e30f}, hi{-1e30f, -1e30f};
    for (const Vec2& p : pts) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
    }
    // Edges from point j to point i, with what the distance test needs.
    struct Edge {
        Vec2 a, ab;
        float invLen2;
    };
    std::vector<Edge> edges;
    edges.reserve(pts.size());
    for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const Vec2 ab = pts[i] - pts[j];
        const float len2 = ab.x * ab.x + ab.y * ab.y;
        edges.push_back({pts[j], ab, len2 > 0 ? 1.0f / len2 : 0.0f});
    }
    // Decals and flat fills never look at the distance to the edge.
    const bool needEdge = layer.profile != Profile::Flat && layer.paint != Paint::Decal;
    Fill(lo, hi, layer, [&](Vec2 p, float& edge, float& dome) {
        bool in = false;
        for (const Edge& e : edges) {
            const float ay = e.a.y, by = e.a.y + e.ab.y;
            if ((by > p.y) != (ay > p.y) && p.x < e.a.x + e.ab.x * (p.y - ay) / e.ab.y) in = !in;
        }
        if (!in) return false;
        if (needEdge) {
            float d2 = 1e30f;
            for (const Edge& e : edges) {
                const float apx = p.x - e.a.x, apy = p.y - e.a.y;
                const float t = std::clamp((apx * e.ab.x + apy * e.ab.y) * e.invLen2, 0.0f, 1.0f);
                const float dx = apx - e.ab.x * t, dy = apy - e.ab.y * t;
                d2 = std::min(d2, dx * dx + dy * dy);
            }
            edge = std::sqrt(d2);
            const float u = std::min(edge / std::max(layer.bevel * 2.0f, 1e-4f), 1.0f);
            dome = std::sqrt(u * (2.0f - u));
        }
        return true;
    });
}

void Canvas::Ellipse(Vec2 centre, float rx, float ry, float angleDeg, const Layer& layer) {
    const float c = std::cos(angleDeg * kDegToRad), s = std::sin(angleDeg * kDegToRad);
    const float r = std::max(rx, ry);
    const float minR = std::min(rx, ry);
    Fill({centre.x - r, centre.y - r}, {centre.x + r, centre.y + r}, layer, [&](Vec2 p, float& edge, float& dome) {
        const Vec2 d = p - centre;
        const float qx = (c * d.x + s * d.y) / rx;
        const float qy = (-s * d.x + c * d.y) / ry;
        const float u = qx * qx + qy * qy;
        if (u >= 1.0f) return false;
        dome = std::sqrt(1.0f - u);
        edge = (1.0f - std::sqrt(u)) * minR;
        return true;
    });
}

void Canvas::Segment(Vec2 a, Vec2 b, float halfWidth, const Layer& layer) {
    const Vec2 lo{std::min(a.x, b.x) - halfWidth, std::min(a.y, b.y) - halfWidth};
    const Vec2 hi{std::max(a.x, b.x) + halfWidth, std::max(a.y, b.y) + halfWidth};
    Fill(lo, hi, layer, [&](Vec2 p, float& edge, float& dome) {
        const float d = SegmentDistance(p, a, b);
        if (d >= halfWidth) return false;
        const float m = d / halfWidth;
        dome = std::sqrt(1.0f - m * m);
        edge = halfWidth - d;
        return true;
    });
}

void Canvas::Arc(Vec2 centre, float rInner, float rOuter, float a0, float a1, const Layer& layer) {
    const float mid = (rInner + rOuter) * 0.5f, half = (rOuter - rInner) * 0.5f;
    const bool full = a1 - a0 >= 360.0f;
    Fill({centre.x - rOuter, centre.y - rOuter}, {centre.x + rOuter, centre.y + rOuter}, layer,
         [&](Vec2 p, float& edge, float& dome) {
             const Vec2 d = p - centre;
             const float r = std::sqrt(d.x * d.x + d.y * d.y);
             if (r <= rInner || r >= rOuter) return false;
             if (!full) {
                 float ang = std::atan2(d.y, d.x) / kDegToRad;
                 while (ang < a0) ang += 360.0f;
                 while (ang >= a0 + 360.0f) ang -= 360.0f;
                 if (ang > a1) return false;
             }
             const float m = (r - mid) / half;
             dome = std::sqrt(std::max(0.0f, 1.0f - m * m));
             edge = half - std::fabs(r - mid);
             return true;
         });
}

Rendered Canvas::Resolve() const {
    static const Light light;
    Rendered out{Image(width_, height_), std::vector<float>(static_cast<std::size_t>(width_) * height_)};
    auto heightAt = [&](int x, int y) {
        x = std::clamp(x, 0, sw_ - 1);
        y = std::clamp(y, 0, sh_ - 1);
        const Sample& s = samples_[static_cast<std::size_t>(y) * sw_ + x];
        return s.covered ? s.height : 0.0f;
    };
    const float norm = 1.0f / static_cast<float>(ss_ * ss_);
    const float inv = 1.0f / scale_;
    for (int py = 0; py < height_; ++py) {
        for (int px = 0; px < width_; ++px) {
            Colour sum;
            int covered = 0;
            for (int j = 0; j < ss_; ++j) {
                for (int i = 0; i < ss_; ++i) {
                    const int x = px * ss_ + i, y = py * ss_ + j;
                    const Sample& s = samples_[static_cast<std::size_t>(y) * sw_ + x];
                    if (!s.covered) continue;
                    ++covered;
                    if (s.emissive) {
                        sum += s.emission;
                        continue;
                    }
                    const float gx = (heightAt(x + 1, y) - heightAt(x - 1, y)) * 0.5f;
                    const float gy = (heightAt(x, y + 1) - heightAt(x, y - 1)) * 0.5f;
                    const float len = 1.0f / std::sqrt(gx * gx + gy * gy + 1.0f);
                    const float nx = -gx * len, ny = -gy * len, nz = len;
                    const float diffuse = std::max(0.0f, nx * light.x + ny * light.y + nz * light.z);
                    const float nh = std::max(0.0f, nx * light.hx + ny * light.hy + nz * light.hz);
                    const float spec = nh > 0.5f ? s.specular * std::pow(nh, s.shininess) : 0.0f;
                    Colour albedo = s.colour;
                    if (s.grime > 0) {
                        // Weathering mottles the surface; it is fixed to the
                        // design, so it turns with it.
                        const float dx = (static_cast<float>(x) + 0.5f - centre_.x) * inv;
                        const float dy = (static_cast<float>(y) + 0.5f - centre_.y) * inv;
                        const float lx = cos_ * dx + sin_ * dy, ly = -sin_ * dx + cos_ * dy;
                        albedo = albedo * (1.0f + s.grime * 0.45f * Weathering(lx, ly));
                    }
                    sum += albedo * (0.28f + 0.95f * diffuse) + Colour{spec, spec, spec * 0.95f};
                }
            }
            const std::size_t at = static_cast<std::size_t>(py) * width_ + px;
            out.coverage[at] = static_cast<float>(covered) * norm;
            out.image.pixels[at] = ToRgb(sum * norm);
        }
    }
    return out;
}

Image Canvas::ResolveKeyed() const {
    Rendered r = Resolve();
    for (std::size_t i = 0; i < r.coverage.size(); ++i) {
        const float c = r.coverage[i];
        Rgb& p = r.image.pixels[i];
        if (c < 0.25f) {
            p = {};
            continue;
        }
        // Undo part of the darkening toward the black background, so edges
        // stay crisp rather than sooty once keyed out.
        const float lift = (0.55f + 0.45f * c) / c;
        p = {static_cast<std::uint8_t>(std::min(255.0f, p.r * lift)),
             static_cast<std::uint8_t>(std::min(255.0f, p.g * lift)),
             static_cast<std::uint8_t>(std::min(255.0f, p.b * lift))};
    }
    MakeKeySafe(r.image);
    return r.image;
}

}  // namespace mediagen
