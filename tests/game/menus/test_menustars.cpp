#include <gtest/gtest.h>

#include <vector>

#include "game/menus/menu.h"
#include "game/common/random.h"
#include "tests/game/menu_fixture.h"

namespace {

class MenuStarsTest : public MenuFixture {};

struct Range {
    int first, last;
    float low, high;
};
constexpr Range kStartSpeeds[] = {{0, 499, 5.0f, 15.0f}, {500, 874, 2.0f, 5.0f}, {875, 998, 0.5f, 2.5f}};

}  // namespace

TEST_F(MenuStarsTest, StarsStartOnScreenWithTheirLayersSpeeds) {
    SeedRandom(2024);
    InitMenuStars(*game);
    for (const Range& r : kStartSpeeds) {
        for (int i = r.first; i <= r.last; ++i) {
            const float speed = game->MenuStarSpeed[i];
            ASSERT_GE(speed, r.low) << i;
            ASSERT_LT(speed, r.high) << i;
            ASSERT_GE(game->MenuStarTime[i], 0.0f);
            ASSERT_LT(game->MenuStarTime[i] / speed, 800.0f) << i;
            ASSERT_GE(game->MenuStarY[i], 0.0f);
            ASSERT_LT(game->MenuStarY[i], 600.0f);
            ASSERT_EQ(game->MenuStarY[i], static_cast<float>(static_cast<int>(game->MenuStarY[i])));
        }
    }
    EXPECT_EQ(game->MenuStarSpeed[999], 0.0f);  // the thousandth slot is unused

    // The same seed places the same field.
    std::vector<float> first(game->MenuStarTime, game->MenuStarTime + 999);
    SeedRandom(2024);
    InitMenuStars(*game);
    EXPECT_EQ(std::vector<float>(game->MenuStarTime, game->MenuStarTime + 999), first);
}

TEST_F(MenuStarsTest, EachLayerDrawsInItsColourAndAdvances) {
    HideStars();
    const UIColourSet& c = Form1->UIColours;
    struct Case {
        int star;
        PixelValue colour;
    };
    for (Case s : {Case{10, c.ColourDarkGrey}, Case{600, c.ColourGrey}, Case{900, c.ColourWhite}}) {
        game->MenuStarTime[s.star] = 50.0f;
        game->MenuStarSpeed[s.star] = 2.0f;
        game->MenuStarY[s.star] = static_cast<float>(s.star / 10);
    }
    Clear();
    LockWork();
    DrawMenuStars(*game);
    UnlockWork();
    EXPECT_EQ(At(25, 1), c.ColourDarkGrey);
    EXPECT_EQ(At(25, 60), c.ColourGrey);
    EXPECT_EQ(At(25, 90), c.ColourWhite);
    EXPECT_EQ(game->MenuStarTime[10], 51.0f);
    EXPECT_EQ(game->MenuStarTime[0], 1.0f);  // every star moves, drawn or not
}

TEST_F(MenuStarsTest, StarReentersOnlyAfterPassingTheWidth) {
    HideStars();
    const int star = 900;
    game->MenuStarSpeed[star] = 1.0f;
    game->MenuStarTime[star] = 799.0f;
    game->MenuStarY[star] = 300.0f;

    SeedRandom(77);
    Clear();
    LockWork();
    DrawMenuStars(*game);  // drawn at 799, x becomes exactly 800: stays
    UnlockWork();
    EXPECT_EQ(At(799, 300), Form1->UIColours.ColourWhite);
    EXPECT_EQ(game->MenuStarTime[star], 800.0f);
    EXPECT_EQ(game->MenuStarY[star], 300.0f);

    Clear();
    LockWork();
    DrawMenuStars(*game);  // x 800 is off screen; now it passes and re-enters
    UnlockWork();
    for (PixelValue p : Pixels()) ASSERT_EQ(p, 0u);
    EXPECT_EQ(game->MenuStarTime[star], 0.0f);
    EXPECT_GE(game->MenuStarY[star], 0.0f);
    EXPECT_LT(game->MenuStarY[star], 600.0f);
    EXPECT_GE(game->MenuStarSpeed[star], 0.5f);  // the white layer's re-entry speeds
    EXPECT_LT(game->MenuStarSpeed[star], 2.0f);
}

TEST_F(MenuStarsTest, ZeroHeightGivesRowZeroAndZeroSpeedStaysPut) {
    HideStars();
    game->ScreenHeight = 0;
    for (int i = 0; i < kMenuStars; ++i) game->MenuStarTime[i] = 5000.0f;  // all pass the width
    LockWork();
    DrawMenuStars(*game);
    UnlockWork();
    for (int i = 0; i < kMenuStars; ++i) {
        ASSERT_EQ(game->MenuStarY[i], 0.0f) << i;
        ASSERT_EQ(game->MenuStarTime[i], 0.0f) << i;
    }
    // A star without speed sits at x 0 (the division is safe) and never
    // re-enters.
    game->ScreenHeight = 600;
    game->MenuStarSpeed[3] = 0.0f;
    game->MenuStarY[3] = 20.0f;
    game->MenuStarTime[3] = 1e6f;
    Clear();
    LockWork();
    DrawMenuStars(*game);
    UnlockWork();
    EXPECT_EQ(At(0, 20), Form1->UIColours.ColourDarkGrey);
    EXPECT_EQ(game->MenuStarTime[3], 1e6f + 1.0f);
}

TEST_F(MenuStarsTest, PlacementDrawsSpeedThenTimeThenRow) {
    SeedRandom(31337);
    InitMenuStars(*game);
    SeedRandom(31337);
    struct Layer {
        int first, last;
        double base;
        int range;
    };
    for (const Layer& l : {Layer{0, 499, 5.0, 10000}, Layer{500, 874, 2.0, 3000}, Layer{875, 998, 0.5, 2000}}) {
        for (int i = l.first; i <= l.last; ++i) {
            const float speed = static_cast<float>(l.base + Random(l.range) * 0.001);
            const int n = static_cast<int>(800.0f * speed);
            const float time = static_cast<float>(Random(n));
            const float row = static_cast<float>(Random(600));
            ASSERT_EQ(game->MenuStarSpeed[i], speed) << i;
            ASSERT_EQ(game->MenuStarTime[i], time) << i;
            ASSERT_EQ(game->MenuStarY[i], row) << i;
        }
    }
}

TEST_F(MenuStarsTest, ReentryDrawsRowThenTheLayersReentrySpeed) {
    struct Case {
        int star;
        double base;
        int range;
    };
    // The white layer re-enters with a narrower spread than it starts with.
    for (Case c : {Case{100, 5.0, 10000}, Case{700, 2.0, 3000}, Case{950, 0.5, 1500}}) {
        HideStars();
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            game->MenuStarSpeed[c.star] = 1.0f;
            game->MenuStarTime[c.star] = 900.0f;
            SeedRandom(seed);
            LockWork();
            DrawMenuStars(*game);
            UnlockWork();
            SeedRandom(seed);
            const float row = static_cast<float>(Random(600));
            const float speed = static_cast<float>(c.base + Random(c.range) * 0.001);
            ASSERT_EQ(game->MenuStarY[c.star], row) << c.star << " seed " << seed;
            ASSERT_EQ(game->MenuStarSpeed[c.star], speed) << c.star << " seed " << seed;
            ASSERT_EQ(game->MenuStarTime[c.star], 0.0f);
        }
    }
}
