#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "game/common/misc.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

class AngleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { BuildSineTable(); }
};

// The wrapping as it was first written: step by 360 until in range. Only
// usable for finite angles of modest size.
double ReferenceSin(double deg) {
    while (deg >= 360 || deg < 0) {
        if (deg >= 360) deg -= 360;
        if (deg < 0) deg += 360;
    }
    return SineTable[static_cast<int>(deg * 100)];
}

double ReferenceCos(double deg) {
    while (deg + 90 >= 360 || deg + 90 < 0) {
        if (deg + 90 >= 360) deg -= 360;
        if (deg + 90 < 0) deg += 360;
    }
    return SineTable[static_cast<int>((deg + 90) * 100)];
}

float ReferenceNormalise(float a) {
    while (a > 360 || a < 0) {
        if (a > 360) a -= 360;
        if (a < 0) a += 360;
    }
    return a;
}

}  // namespace

TEST_F(AngleTest, TableHoldsSinesAtHundredthsOfADegree) {
    EXPECT_EQ(SineTable[0], 0.0);
    EXPECT_DOUBLE_EQ(SineTable[9000], 1.0);
    EXPECT_DOUBLE_EQ(SineTable[27000], -1.0);
    EXPECT_NEAR(SineTable[3000], 0.5, 1e-12);
    EXPECT_NEAR(SineTable[36000], 0.0, 1e-12);
}

TEST_F(AngleTest, SineAndCosineWrapIntoTheTable) {
    EXPECT_DOUBLE_EQ(SinDeg(-90), -1.0);
    EXPECT_DOUBLE_EQ(SinDeg(450), 1.0);
    EXPECT_EQ(SinDeg(359.999), SineTable[35999]);
    EXPECT_EQ(SinDeg(360), SineTable[0]);
    EXPECT_EQ(SinDeg(720.5), SineTable[50]);
    EXPECT_EQ(SinDeg(-0.5), SineTable[35950]);
    EXPECT_EQ(SinDeg(30.009), SineTable[3000]);  // always the lower entry
    EXPECT_EQ(CosDeg(270), SineTable[0]);
    EXPECT_DOUBLE_EQ(CosDeg(0), 1.0);
    EXPECT_DOUBLE_EQ(CosDeg(-180), -1.0);
    EXPECT_EQ(CosDeg(630), SineTable[0]);
}

TEST_F(AngleTest, NonFiniteAnglesGiveTheValueForZero) {
    for (double bad : {double(kNaN), double(kInf), -double(kInf)}) {
        EXPECT_EQ(SinDeg(bad), 0.0) << bad;
        EXPECT_DOUBLE_EQ(CosDeg(bad), 1.0) << bad;
        EXPECT_EQ(NormaliseAngle(static_cast<float>(bad)), 0.0f) << bad;
    }
}

TEST_F(AngleTest, HugeAnglesAreReducedQuickly) {
    EXPECT_EQ(SinDeg(360.0 * 1e7 + 30.0), SineTable[3000]);
    EXPECT_EQ(CosDeg(-360.0 * 1e7 + 60.0), SineTable[15000]);
    for (double huge : {1e300, -1e300, 1e18, -7.5e15}) {
        const double s = SinDeg(huge), c = CosDeg(huge);
        EXPECT_TRUE(s >= -1.0 && s <= 1.0) << huge;
        EXPECT_TRUE(c >= -1.0 && c <= 1.0) << huge;
        const float n = NormaliseAngle(static_cast<float>(huge));
        EXPECT_TRUE(n >= 0.0f && n <= 360.0f) << huge;
    }
}

TEST_F(AngleTest, PlayRangeMatchesSteppingBy360) {
    // Angles reached in play stay within a few turns of 0; the reduction
    // must give exactly what stepping by 360 gives there.
    for (int i = -400000; i <= 400000; i += 7) {
        const double deg = i * 0.0173;
        ASSERT_EQ(SinDeg(deg), ReferenceSin(deg)) << deg;
        ASSERT_EQ(CosDeg(deg), ReferenceCos(deg)) << deg;
        const float a = static_cast<float>(deg);
        ASSERT_EQ(NormaliseAngle(a), ReferenceNormalise(a)) << a;
    }
}

TEST_F(AngleTest, NormaliseKeeps360) {
    struct Case {
        float in, out;
    };
    for (Case c : {Case{360, 360}, Case{720, 360}, Case{1080, 360}, Case{-30, 330}, Case{0, 0}, Case{-360, 0},
                   Case{-720, 0}, Case{725, 5}, Case{359.5f, 359.5f}, Case{-0.25f, 359.75f}}) {
        EXPECT_EQ(NormaliseAngle(c.in), c.out) << c.in;
    }
    EXPECT_FALSE(std::signbit(NormaliseAngle(-720)));
}

TEST_F(AngleTest, BearingInEachQuadrantAndOnTheAxes) {
    struct Case {
        float x2, y2, heading, expected;
    };
    // Seen from the origin; y grows downward, angles clockwise.
    const Case cases[] = {
        {10, 0, 0, 360},     // straight right: dead ahead gives 360
        {-10, 0, 0, 180},    // straight left
        {0, -10, 0, 270},    // straight up
        {0, 10, 0, 90},      // straight down
        {0, 10, 90, 360},    // straight down, heading down
        {10, 10, 0, 45},     // down right
        {-10, 10, 0, 135},   // down left
        {-10, -10, 0, 225},  // up left
        {10, -10, 0, 315},   // up right
        {10, 10, 90, 315},   // 45 seen with heading 90
        {10, -10, 45, 270},  // 315 seen with heading 45
        {-10, 0, 180, 360},  // dead ahead to the left
        {-10, 0, 270, 270},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(RelativeBearing(0, 0, c.x2, c.y2, c.heading), c.expected, 1e-4)
            << c.x2 << "," << c.y2 << " heading " << c.heading;
    }
    EXPECT_NEAR(RelativeBearing(0, 0, 10, 5.7735027f, 0), 30.0f, 1e-3);
    EXPECT_NEAR(RelativeBearing(100, 100, 90, 100 - 17.320508f, 0), 240.0f, 1e-3);
}

TEST_F(AngleTest, CoincidentPointsGiveMinusOne) {
    for (float heading : {0.0f, 90.0f, 359.0f, -45.0f}) EXPECT_EQ(RelativeBearing(5, 5, 5, 5, heading), -1.0f);
}

TEST(NumericHelpers, ArctangentIsInDegrees) {
    EXPECT_FLOAT_EQ(AtanDeg(1), 45.0f);
    EXPECT_FLOAT_EQ(AtanDeg(-1), -45.0f);
    EXPECT_FLOAT_EQ(AtanDeg(std::sqrt(3.0f)), 60.0f);
    EXPECT_EQ(AtanDeg(0), 0.0f);
    EXPECT_FLOAT_EQ(AtanDeg(kInf), 90.0f);
    EXPECT_FLOAT_EQ(AtanDeg(-kInf), -90.0f);
}

TEST(NumericHelpers, SafeDivideAbsAndTruncation) {
    EXPECT_EQ(SafeDivide(3, 0), 0.0f);
    EXPECT_EQ(SafeDivide(3, -0.0f), 0.0f);
    EXPECT_EQ(SafeDivide(3, kNaN), 0.0f);
    EXPECT_EQ(SafeDivide(6, 3), 2.0f);
    EXPECT_EQ(SafeDivide(-1, 4), -0.25f);

    EXPECT_EQ(AbsFloat(-3.5f), 3.5f);
    EXPECT_EQ(AbsFloat(2.0f), 2.0f);

    EXPECT_EQ(FloatToInt(2.9f), 2);
    EXPECT_EQ(FloatToInt(-2.9f), -2);
    EXPECT_EQ(FloatToInt(-0.5f), 0);
    EXPECT_EQ(FloatToInt(kNaN), 0);
    EXPECT_EQ(FloatToInt(1e20f), std::numeric_limits<int>::max());
    EXPECT_EQ(FloatToInt(-1e20f), std::numeric_limits<int>::min());
    EXPECT_EQ(FloatToInt(kInf), std::numeric_limits<int>::max());
}
