// The asteroid frames: one rock about 50 pixels in radius, centred, frame
// k + 1 showing it turned clockwise by 12 k degrees.
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "tests/mediagen/support_media.h"

using namespace mediatest;

namespace {

constexpr int kSize = 100;
constexpr float kHalf = kSize / 2.0f;

std::vector<bool> Opaque(int frame) { return OpaqueMask(AsteroidFramePath(frame), kSize); }

// Share of the opaque pixels that agree between `turned` and `first` turned
// clockwise on screen (y down) by `degrees` about the centre.
double AgreementTurned(const std::vector<bool>& first, const std::vector<bool>& turned, float degrees) {
    const float a = degrees * std::numbers::pi_v<float> / 180.0f, c = std::cos(a), s = std::sin(a);
    int both = 0, either = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            // Back from the turned frame to the first: the inverse turn.
            const float px = static_cast<float>(x) + 0.5f - kHalf, py = static_cast<float>(y) + 0.5f - kHalf;
            const int sx = static_cast<int>(std::floor(c * px + s * py + kHalf));
            const int sy = static_cast<int>(std::floor(-s * px + c * py + kHalf));
            const bool f =
                sx >= 0 && sy >= 0 && sx < kSize && sy < kSize && first[static_cast<std::size_t>(sy * kSize + sx)];
            const bool t = turned[static_cast<std::size_t>(y * kSize + x)];
            both += f && t;
            either += f || t;
        }
    }
    return either ? static_cast<double>(both) / either : 0.0;
}

}  // namespace

TEST(AsteroidFrames, OneCentredRockOfAboutFiftyPixelsRadius) {
    for (int frame : {1, 9, 30}) {
        const std::vector<bool> m = Opaque(frame);
        float nearGap = kHalf, far = 0;
        double cx = 0, cy = 0;
        int n = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const float dx = static_cast<float>(x) + 0.5f - kHalf, dy = static_cast<float>(y) + 0.5f - kHalf;
                const float d = std::sqrt(dx * dx + dy * dy);
                if (m[static_cast<std::size_t>(y * kSize + x)]) {
                    far = std::max(far, d);
                    cx += dx;
                    cy += dy;
                    ++n;
                } else {
                    nearGap = std::min(nearGap, d);
                }
            }
        }
        ASSERT_GT(n, 0) << frame;
        EXPECT_LE(far, kHalf) << "frame " << frame << " reaches past the frame's inscribed circle";
        EXPECT_GE(far, 0.8f * kHalf) << "frame " << frame;
        // A solid rock: no transparent hole near its middle, and centred.
        EXPECT_GT(nearGap, 0.6f * kHalf) << "frame " << frame;
        EXPECT_LT(std::fabs(cx / n), 3.0) << "frame " << frame;
        EXPECT_LT(std::fabs(cy / n), 3.0) << "frame " << frame;
    }
}

TEST(AsteroidFrames, FrameKPlusOneIsTheRockTurnedClockwiseByTwelveKDegrees) {
    const std::vector<bool> first = Opaque(1);
    for (int k : {1, 5, 8, 16, 22, 29}) {
        const std::vector<bool> turned = Opaque(k + 1);
        const float degrees = 12.0f * static_cast<float>(k);
        const double clockwise = AgreementTurned(first, turned, degrees);
        const double anticlockwise = AgreementTurned(first, turned, -degrees);
        EXPECT_GT(clockwise, 0.95) << "frame " << k + 1;
        // The rock is lumpy enough that the wrong way round shows.
        EXPECT_GT(clockwise, anticlockwise + 0.03) << "frame " << k + 1;
    }
}
