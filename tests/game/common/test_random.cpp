#include <gtest/gtest.h>

#include <vector>

#include "game/common/random.h"

TEST(Random, SequenceFromSeedOne) {
    SeedRandom(1);
    const std::uint32_t expected[] = {0, 119927, 950081144, 759785117, 1840109577, 702887796};
    for (std::uint32_t v : expected) EXPECT_EQ(NextRandomValue(), v);
}

TEST(Random, ModuloOfTheNextValue) {
    SeedRandom(12345);
    EXPECT_EQ(Random(1000), 65);
    EXPECT_EQ(Random(1000), 1480504946 % 1000);
    EXPECT_EQ(Random(7), 2010627756 % 7);
}

TEST(Random, EmptyRangeGivesZeroWithoutDrawing) {
    SeedRandom(1);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-5), 0);
    EXPECT_EQ(NextRandomValue(), 0u);  // still the first value of seed 1
    EXPECT_EQ(NextRandomValue(), 119927u);
}

TEST(Random, StaysInRangeAndUsesTheTopBitFreeValue) {
    SeedRandom(987654321);
    for (int i = 0; i < 10000; ++i) {
        const std::uint32_t v = NextRandomValue();
        ASSERT_LT(v, 0x80000000u);
        const int r = Random(10);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 10);
    }
}

TEST(Random, SameSeedSameNumbers) {
    SeedRandom(42);
    std::vector<int> a, b;
    for (int i = 0; i < 50; ++i) a.push_back(Random(5000));
    SeedRandom(42);
    for (int i = 0; i < 50; ++i) b.push_back(Random(5000));
    EXPECT_EQ(a, b);
}
