// Keyed pictures: the game keys on the 16-bit pixel value 0, so an opaque
// pixel must never pack to 0 at 5-6-5 (nor at 5-5-5), or a hole appears.
#include <gtest/gtest.h>

#include "tools/mediagen/image.h"
#include "tests/mediagen/support_media.h"

using namespace mediatest;
using mediagen::Rgb;

namespace {

// 5-6-5 and 5-5-5 packing, as the display converts a 24-bit picture.
bool Packs565ToZero(const Rgb& p) { return (p.r >> 3) == 0 && (p.g >> 2) == 0 && (p.b >> 3) == 0; }
bool Packs555ToZero(const Rgb& p) { return (p.r >> 3) == 0 && (p.g >> 3) == 0 && (p.b >> 3) == 0; }

void ExpectKeySafe(const std::string& name) {
    const auto img = LoadGameBmp(name);
    ASSERT_TRUE(img) << name;
    int bad = 0;
    for (const Rgb& p : img->pixels) {
        if (p.IsBlack()) continue;
        if (Packs565ToZero(p) || Packs555ToZero(p)) ++bad;
    }
    EXPECT_EQ(bad, 0) << name << " has opaque pixels that would turn transparent";
}

}  // namespace

TEST(ColourKey, ShipFramesKeepEveryOpaquePixel) {
    for (int cls = 0; cls < 24; ++cls) {
        for (int frame = 1; frame <= 60; frame += 1) ExpectKeySafe(FramePath(cls, frame));
    }
}

TEST(ColourKey, RocksIconsPointerDustAndKeyedPlanetsKeepEveryOpaquePixel) {
    for (int frame = 1; frame <= 30; ++frame) ExpectKeySafe(AsteroidFramePath(frame));
    for (const char* s : {"missiles", "missiles2", "shields", "shields2", "thrust", "thrust2", "turning", "turning2",
                          "generator", "generator2", "weapon1", "weapon2"})
        ExpectKeySafe(std::string("img/systems/") + s + ".bmp");
    ExpectKeySafe("img/pointer.bmp");
    ExpectKeySafe("img/planets/Dust.bmp");
    ExpectKeySafe("img/planets/earth1.bmp");
    ExpectKeySafe("img/planets/jupiter.bmp");
}

TEST(ColourKey, KeyedPlanetDiscsHaveNoHoles) {
    // earth1 and jupiter are drawn keyed: every pixel well inside the disc
    // must be opaque, the night side included.
    for (const auto& [name, f] : {std::pair{"img/planets/earth1.bmp", 140}, std::pair{"img/planets/jupiter.bmp", 90}}) {
        const auto img = LoadGameBmp(name);
        ASSERT_TRUE(img);
        const float c = static_cast<float>(f) / 2.0f, r = c - 2.0f;
        for (int y = 0; y < f; ++y) {
            for (int x = 0; x < f; ++x) {
                const float dx = static_cast<float>(x) + 0.5f - c, dy = static_cast<float>(y) + 0.5f - c;
                if (dx * dx + dy * dy < r * r) {
                    EXPECT_FALSE(img->At(x, y).IsBlack()) << name << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(ColourKey, MakeKeySafeLiftsTooDarkPixelsAndLeavesTheKeyAlone) {
    mediagen::Image img(4, 1);
    img.At(0, 0) = {0, 0, 0};
    img.At(1, 0) = {7, 3, 7};
    img.At(2, 0) = {2, 0, 1};
    img.At(3, 0) = {200, 10, 40};
    mediagen::MakeKeySafe(img);
    EXPECT_TRUE(img.At(0, 0).IsBlack());
    for (int x = 1; x < 4; ++x) {
        EXPECT_FALSE(Packs565ToZero(img.At(x, 0))) << x;
        EXPECT_FALSE(Packs555ToZero(img.At(x, 0))) << x;
    }
    // The hue is kept: red stays the strongest channel of pixel 2.
    EXPECT_GT(img.At(2, 0).r, img.At(2, 0).b);
    EXPECT_EQ(img.At(2, 0).g, 0);
    EXPECT_EQ(img.At(3, 0), (Rgb{200, 10, 40}));
}
