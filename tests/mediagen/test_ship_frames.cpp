// The ship frames: drawn from each class's geometry, centred, turned
// clockwise 6 degrees a frame, guns on the class's mounts, hull sized by its
// bounding sphere, and every class telling itself apart from the others.
#include <cmath>

#include <gtest/gtest.h>

#include "game/data/builtinclasses.h"
#include "tests/mediagen/support_media.h"

using namespace mediatest;

namespace {

constexpr int kSize = 128;
constexpr float kHalf = kSize / 2.0f;

struct Mask {
    std::vector<bool> on = std::vector<bool>(kSize * kSize);
    bool At(int x, int y) const { return on[static_cast<std::size_t>(y) * kSize + x]; }
    int Count() const { return static_cast<int>(std::count(on.begin(), on.end(), true)); }
};

Mask Opaque(int cls, int frame) { return {OpaqueMask(FramePath(cls, frame), kSize)}; }

// Share of the pixels opaque in either mask that agree, after mapping frame
// b's pixel (x, y) onto frame a by `map`.
template <typename Map>
double Agreement(const Mask& a, const Mask& b, Map map) {
    int both = 0, either = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const auto [ax, ay] = map(x, y);
            const bool pa = a.At(ax, ay), pb = b.At(x, y);
            if (pa || pb) ++either;
            if (pa && pb) ++both;
        }
    }
    return either ? static_cast<double>(both) / either : 0.0;
}

bool OpaqueNear(const Mask& m, float fx, float fy) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int x = static_cast<int>(std::floor(fx)) + dx, y = static_cast<int>(std::floor(fy)) + dy;
            if (x >= 0 && y >= 0 && x < kSize && y < kSize && m.At(x, y)) return true;
        }
    }
    return false;
}

}  // namespace

TEST(ShipFrames, QuarterAndHalfTurnsAreTheFirstFrameTurnedAboutTheCentre) {
    for (int cls = 0; cls < 24; ++cls) {
        const Mask f1 = Opaque(cls, 1), f16 = Opaque(cls, 16), f31 = Opaque(cls, 31), f46 = Opaque(cls, 46);
        ASSERT_GT(f1.Count(), 800) << "class " << cls << " draws a craft";
        // 90 degrees clockwise: frame 16's (x, y) is frame 1's (y, 127 - x).
        EXPECT_GT(Agreement(f1, f16, [](int x, int y) { return std::pair{y, kSize - 1 - x}; }), 0.97) << cls;
        EXPECT_GT(Agreement(f1, f31,
                            [](int x, int y) {
                                return std::pair{kSize - 1 - x, kSize - 1 - y};
                            }),
                  0.97)
            << cls;
        EXPECT_GT(Agreement(f1, f46, [](int x, int y) { return std::pair{kSize - 1 - y, x}; }), 0.97) << cls;
        // And the turn is not a no-op: the craft is not round.
        EXPECT_LT(Agreement(f1, f16, [](int x, int y) { return std::pair{x, y}; }), 0.9) << cls;
    }
}

TEST(ShipFrames, FrameOneFacesUpAndFrameSixteenFacesRight) {
    for (int cls = 0; cls < 24; ++cls) {
        const builtin::BuiltInClass& bc = builtin::BuiltInClassAt(cls);
        const float px = kHalf / static_cast<float>(bc.DrawScale);
        const Mask f1 = Opaque(cls, 1), f16 = Opaque(cls, 16);
        for (const builtin::Mount& m : bc.UsedMounts()) {
            // A point just behind the muzzle, on the barrel.
            const float x = static_cast<float>(m.X) * px, y = static_cast<float>(m.Y) * px + 1.5f;
            EXPECT_TRUE(OpaqueNear(f1, kHalf + x, kHalf + y)) << bc.Name << " gun at " << m.X << "," << m.Y;
            // Turned a quarter clockwise, (x, y) goes to (-y, x): a gun ahead
            // of the centre now lies right of it.
            EXPECT_TRUE(OpaqueNear(f16, kHalf - y, kHalf + x)) << bc.Name << " gun at " << m.X << "," << m.Y;
        }
    }
}

TEST(ShipFrames, HullReachesTheBoundingSphereAndStaysInsideTheInscribedCircle) {
    for (int cls = 0; cls < 24; ++cls) {
        const builtin::BuiltInClass& bc = builtin::BuiltInClassAt(cls);
        const float reach = kHalf * static_cast<float>(bc.BoundingSphere) / static_cast<float>(bc.DrawScale);
        for (int frame = 1; frame <= 60; ++frame) {
            const Mask m = Opaque(cls, frame);
            float far = 0;
            for (int y = 0; y < kSize; ++y) {
                for (int x = 0; x < kSize; ++x) {
                    if (!m.At(x, y)) continue;
                    const float dx = static_cast<float>(x) + 0.5f - kHalf, dy = static_cast<float>(y) + 0.5f - kHalf;
                    far = std::max(far, std::sqrt(dx * dx + dy * dy));
                }
            }
            EXPECT_LE(far, kHalf) << bc.Name << " frame " << frame;
            EXPECT_GE(far, reach * 0.85f) << bc.Name << " frame " << frame;
            EXPECT_LE(far, reach * 1.15f) << bc.Name << " frame " << frame;
        }
    }
}

TEST(ShipFrames, EveryClassHasItsOwnSilhouette) {
    std::vector<Mask> masks;
    for (int cls = 0; cls < 24; ++cls) masks.push_back(Opaque(cls, 1));
    for (int a = 0; a < 24; ++a) {
        for (int b = a + 1; b < 24; ++b) {
            EXPECT_LT(Agreement(masks[static_cast<std::size_t>(a)], masks[static_cast<std::size_t>(b)],
                                [](int x, int y) {
                                    return std::pair{x, y};
                                }),
                      0.8)
                << "classes " << a << " and " << b << " look alike";
        }
    }
}

TEST(ShipFrames, ThumbnailsShowFrameOneOfEachSetInTagOrder) {
    for (int cls = 0; cls < 24; ++cls) {
        const std::string name = ThumbnailPath(cls);
        const auto thumb = LoadBmpAt(GenDir() / name);
        ASSERT_TRUE(thumb);
        const Mask f1 = Opaque(cls, 1);
        // Compare at the thumbnail's scale: frame pixel (x, y) sits at 100/128 of it.
        int both = 0, either = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                const bool t = !thumb->At(x, y).IsBlack();
                const bool f = f1.At((x * kSize + kSize / 2) / 100, (y * kSize + kSize / 2) / 100);
                both += t && f;
                either += t || f;
            }
        }
        ASSERT_GT(either, 0);
        EXPECT_GT(static_cast<double>(both) / either, 0.85) << name;
    }
}
