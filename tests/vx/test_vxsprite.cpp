#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "vx/vxsprite.h"
#include "tests/vx/vxtest_display.h"

namespace {

// 12 x 8 picture of six 4 x 4 blocks, three to a row. Every pixel has a
// colour of its own, apart from the top-left pixel of each block, which is
// black (the colour key).
std::uint32_t PictureColour(int x, int y) {
    if (x % 4 == 0 && y % 4 == 0) return 0;
    const unsigned r = 8 * (x + 4), g = 4 * (y + 20), b = 8 * ((x / 4 + 3 * (y / 4)) + 10);
    return (r << 16) | (g << 8) | b;
}
std::uint16_t PicturePixel(int x, int y) {
    const std::uint32_t c = PictureColour(x, y);
    return vxtest::Rgb565(c >> 16, (c >> 8) & 0xFF, c & 0xFF);
}

constexpr std::uint16_t kBackground = 0x5A5A;

class SpriteTest : public vxtest::DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        UseScratchFolder();
        screen = MakeFullScreen();
        std::vector<std::uint32_t> rgb;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 12; ++x) rgb.push_back(PictureColour(x, y));
        vxtest::WriteFile("img/sprite.bmp", vxtest::MakeBmp(12, 8, rgb));
        vxtest::WriteFile("img/one.bmp", vxtest::MakeBmp(3, 2, {0xF80000, 0x00FC00, 0x0000F8, 0, 0xFFFFFF, 0x808080}));
    }

    std::unique_ptr<VXSurface> Dest() {
        auto d = std::make_unique<VXSurface>();
        EXPECT_EQ(d->Create(screen.get(), 40, 40, MemorySystem), 1);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) d->DirectDrawSurface->SetPixelAt(x, y, kBackground);
        return d;
    }
    static std::vector<DWORD> Pixels(const VXSurface& s) {
        std::vector<DWORD> p;
        for (int y = 0; y < s.Height; ++y)
            for (int x = 0; x < s.Width; ++x) p.push_back(s.DirectDrawSurface->PixelAt(x, y));
        return p;
    }
    static bool Untouched(const VXSurface& s) {
        for (DWORD p : Pixels(s))
            if (p != kBackground) return false;
        return true;
    }
    // A sprite over the six-block picture with every mode parameter set to a
    // value of its own.
    void MakeSprite(VXSprite& s) {
        ASSERT_EQ(s.Create(screen.get(), "img\\sprite.bmp", 4, 4, 6, MemorySystem), 1);
        s.Tile->SetColorKey(0);
        s.WorldX = 10;
        s.WorldY = 10;
        s.Frame = 4;
        s.Alpha = 64;
        s.Shade = 200;
        s.Scale = 2.0f;
        s.ShadowX = 2;
        s.ShadowY = 1;
        s.StretchWidth = 8;
        s.StretchHeight = 6;
    }

    std::unique_ptr<VXScreen> screen;
};

TEST_F(SpriteTest, ConstructedEmptyWithDefinedScaleAndStretch) {
    VXSprite s;
    EXPECT_EQ(s.Tile, nullptr);
    EXPECT_EQ(s.OwnsTile, 0);
    EXPECT_EQ(s.Frame, 0);
    EXPECT_EQ(s.Scale, 1.0f);
    EXPECT_EQ(s.StretchWidth, 0);
    EXPECT_EQ(s.StretchHeight, 0);
    auto dest = Dest();
    EXPECT_EQ(s.Draw(dest.get(), 0, 0, BlitOpaque), E_FAIL);  // no tile
    EXPECT_EQ(s.DrawKeyed(dest.get(), RECT{0, 0, 1, 1}, RECT{0, 0, 1, 1}), E_FAIL);
    EXPECT_TRUE(Untouched(*dest));
}

TEST_F(SpriteTest, CreateMakesAnOwnedTile) {
    VXSprite s;
    s.WorldX = 5;
    s.Frame = 2;
    s.Shade = 9;
    EXPECT_EQ(s.Create(screen.get(), nullptr, 4, 4, 6, MemoryAny), 0);
    EXPECT_EQ(s.WorldX, 5);  // a null name changes nothing
    EXPECT_EQ(s.Tile, nullptr);
    ASSERT_EQ(s.Create(screen.get(), "img\\sprite.bmp", 4, 4, 6, MemoryAny), 1);
    EXPECT_EQ(s.WorldX, 0);
    EXPECT_EQ(s.Frame, 0);
    EXPECT_EQ(s.Shade, 0);
    EXPECT_EQ(s.OwnsTile, 1);
    ASSERT_NE(s.Tile, nullptr);
    EXPECT_EQ(s.Tile->BlockWidth, 4);
    EXPECT_EQ(s.Tile->BlockCount, 6);
}

TEST_F(SpriteTest, PictureThatFailsToLoadStillGivesATile) {
    VXSprite s;
    EXPECT_EQ(s.Create(screen.get(), "img\\missing.bmp", 4, 4, 1, MemoryAny), 0);
    ASSERT_NE(s.Tile, nullptr);
    EXPECT_EQ(s.OwnsTile, 1);
    EXPECT_FALSE(s.Tile->DirectDrawSurface);
    auto dest = Dest();
    s.Draw(dest.get(), 0, 0, BlitKeyed);
    EXPECT_TRUE(Untouched(*dest));
}

TEST_F(SpriteTest, CreatingAgainReplacesTheOwnTileAndSparesABorrowedOne) {
    VXTile borrowed(screen.get(), "img\\one.bmp", 3, 2, 1, MemoryAny);
    VXSprite s;
    s.Tile = &borrowed;
    ASSERT_EQ(s.Create(screen.get(), "img\\sprite.bmp", 4, 4, 6, MemoryAny), 1);
    EXPECT_NE(s.Tile, &borrowed);
    VXTile* first = s.Tile;
    ASSERT_EQ(s.Create(screen.get(), "img\\one.bmp", 3, 2, 1, MemoryAny), 1);
    EXPECT_NE(s.Tile, first);  // the first tile is freed (the sanitizer build checks)
    EXPECT_EQ(s.Tile->Width, 3);
    EXPECT_TRUE(borrowed.DirectDrawSurface);
}

TEST_F(SpriteTest, DeletingASpriteLeavesABorrowedTileAlive) {
    VXTile tile(screen.get(), "img\\one.bmp", 3, 2, 1, MemoryAny);
    {
        VXSprite s;
        s.Tile = &tile;
        s.OwnsTile = 0;
    }
    EXPECT_TRUE(tile.DirectDrawSurface);
    EXPECT_EQ(tile.Width, 3);
}

TEST_F(SpriteTest, OneBlockSpriteDrawsTheWholePictureAtItsPosition) {
    VXSprite s;
    ASSERT_EQ(s.Create(screen.get(), "img\\one.bmp", 3, 2, 1, MemoryAny), 1);
    s.WorldX = 7;
    s.WorldY = 9;
    auto dest = Dest();
    EXPECT_EQ(s.Draw(dest.get(), 0, 0, BlitOpaque), DD_OK);
    EXPECT_EQ(dest->DirectDrawSurface->PixelAt(7, 9), 0xF800u);
    EXPECT_EQ(dest->DirectDrawSurface->PixelAt(9, 9), 0x001Fu);
    EXPECT_EQ(dest->DirectDrawSurface->PixelAt(8, 10), 0xFFFFu);
    EXPECT_EQ(dest->DirectDrawSurface->PixelAt(6, 9), kBackground);
    EXPECT_EQ(dest->DirectDrawSurface->PixelAt(10, 9), kBackground);
    EXPECT_EQ(dest->DirectDrawSurface->PixelAt(7, 11), kBackground);
}

TEST_F(SpriteTest, FrameSelectsItsBlockRowByRow) {
    VXSprite s;
    MakeSprite(s);
    auto dest = Dest();
    EXPECT_EQ(s.Draw(dest.get(), 2, 3, BlitOpaque), DD_OK);  // at (8, 7)
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(dest->DirectDrawSurface->PixelAt(8 + x, 7 + y), PicturePixel(4 + x, 4 + y)) << x << "," << y;
    EXPECT_EQ(dest->DirectDrawSurface->PixelAt(12, 7), kBackground);
}

TEST_F(SpriteTest, FramePastTheLastRowIsClippedAway) {
    VXSprite s;
    MakeSprite(s);
    s.Frame = 6;
    auto dest = Dest();
    EXPECT_EQ(s.Draw(dest.get(), 0, 0, BlitOpaque), E_FAIL);
    EXPECT_TRUE(Untouched(*dest));
}

TEST_F(SpriteTest, TileWithoutAWholeBlockDrawsNothing) {
    VXSprite s;
    ASSERT_EQ(s.Create(screen.get(), "img\\one.bmp", 4, 2, 1, MemoryAny), 1);  // 3 wide
    auto dest = Dest();
    EXPECT_EQ(s.Draw(dest.get(), 0, 0, BlitOpaque), E_FAIL);
    ASSERT_EQ(s.Create(screen.get(), "img\\one.bmp", 0, 0, 1, MemoryAny), 1);
    EXPECT_EQ(s.Draw(dest.get(), 0, 0, BlitKeyed), E_FAIL);
    EXPECT_TRUE(Untouched(*dest));
}

TEST_F(SpriteTest, ModesWithoutARoutineDrawNothing) {
    VXSprite s;
    MakeSprite(s);
    auto dest = Dest();
    for (std::uint16_t mode : {6, 7, 11, 50, 99, 106, 107, 111, 119, 121, 130, 65535}) {
        EXPECT_TRUE(FAILED(s.Draw(dest.get(), 0, 0, mode))) << mode;
        ASSERT_TRUE(Untouched(*dest)) << mode;
    }
}

TEST_F(SpriteTest, ShadeIsDrawnAtTheShadowOffset) {
    VXSprite s;
    MakeSprite(s);
    s.ShadowX = 5;
    s.ShadowY = 5;
    s.Shade = 128;
    auto dest = Dest();
    ASSERT_EQ(s.Draw(dest.get(), 0, 0, BlitShade), DD_OK);
    ASSERT_EQ(s.Tile->Format.Depth, 16);
    const DWORD darker = 0x292D;  // every channel of 0x5A5A halved
    // The darkened block lies at (5, 5)-(9, 9), 5 left of and above (10, 10).
    EXPECT_EQ(dest->DirectDrawSurface->PixelAt(5, 5), darker);
    EXPECT_EQ(dest->DirectDrawSurface->PixelAt(8, 8), darker);
    EXPECT_EQ(dest->DirectDrawSurface->PixelAt(9, 9), kBackground);
    EXPECT_EQ(dest->DirectDrawSurface->PixelAt(10, 10), kBackground);
}

// Each mode must reach its own routine with the sprite's position (moved by
// the shadow offset for the shade modes), the block's rectangle and the
// mode's own parameter: the sprite's drawing equals that routine called
// directly, and no two routines draw the same.
TEST_F(SpriteTest, EveryModeReachesItsRoutine) {
    VXSprite s;
    MakeSprite(s);
    VXTile& t = *s.Tile;
    const RECT block{4, 4, 8, 8};
    const int x = 8, y = 7;    // world (10, 10) seen from (2, 3)
    const int sx = 6, sy = 6;  // less the shadow offset
    using Direct = std::function<HRESULT(VXSurface*)>;
    struct Case {
        std::uint16_t mode;
        Direct direct;
    };
    const Case cases[] = {
        {BlitOpaque, [&](VXSurface* d) { return t.DrawOpaqueRect(d, x, y, block); }},
        {BlitKeyed, [&](VXSurface* d) { return t.DrawKeyedRect(d, x, y, block); }},
        {BlitAlpha, [&](VXSurface* d) { return t.DrawAlphaOpaque(d, x, y, block, 64); }},
        {BlitAlphaKeyed, [&](VXSurface* d) { return t.DrawAlphaKeyed(d, x, y, block, 64); }},
        {BlitHalfBlend, [&](VXSurface* d) { return t.DrawHalfBlendOpaque(d, x, y, block); }},
        {BlitHalfBlendKeyed, [&](VXSurface* d) { return t.DrawHalfBlendKeyed(d, x, y, block); }},
        {BlitScaled, [&](VXSurface* d) { return t.DrawScaledOpaque(d, x, y, block, 2.0f); }},
        {BlitScaledKeyed, [&](VXSurface* d) { return t.DrawScaledKeyed(d, x, y, block, 2.0f); }},
        {BlitShade, [&](VXSurface* d) { return t.DrawShadeRect(d, sx, sy, block, 200); }},
        {BlitShadeKeyed, [&](VXSurface* d) { return t.DrawShadeKeyed(d, sx, sy, block, 200); }},
        {BlitHalfShade, [&](VXSurface* d) { return t.DrawHalfShadeRect(d, sx, sy, block); }},
        {BlitHalfShadeKeyed, [&](VXSurface* d) { return t.DrawHalfShadeKeyed(d, sx, sy, block); }},
        {BlitMirrorLR, [&](VXSurface* d) { return t.DrawMirrorLROpaque(d, x, y, block); }},
        {BlitMirrorLRKeyed, [&](VXSurface* d) { return t.DrawMirrorLRKeyed(d, x, y, block); }},
        {BlitMirrorUD, [&](VXSurface* d) { return t.DrawMirrorUDOpaque(d, x, y, block); }},
        {BlitMirrorUDKeyed, [&](VXSurface* d) { return t.DrawMirrorUDKeyed(d, x, y, block); }},
        {BlitStretched, [&](VXSurface* d) { return t.DrawStretchedOpaque(d, x, y, block, 8, 6); }},
        {BlitStretchedKeyed, [&](VXSurface* d) { return t.DrawStretchedKeyed(d, x, y, block, 8, 6); }},
        {BlitAlphaMap, [&](VXSurface* d) { return t.DrawAlphaMap(d, x, y, block); }},
    };
    std::vector<std::vector<DWORD>> images;
    std::vector<HRESULT> results;
    for (const Case& c : cases) {
        auto bySprite = Dest();
        auto byRoutine = Dest();
        const HRESULT got = s.Draw(bySprite.get(), 2, 3, c.mode);
        const HRESULT want = c.direct(byRoutine.get());
        EXPECT_EQ(got, want) << "mode " << c.mode;
        EXPECT_FALSE(Untouched(*bySprite)) << "mode " << c.mode;
        EXPECT_EQ(Pixels(*bySprite), Pixels(*byRoutine)) << "mode " << c.mode;
        images.push_back(Pixels(*bySprite));
        results.push_back(got);
    }
    for (std::size_t i = 0; i < images.size(); ++i)
        for (std::size_t j = i + 1; j < images.size(); ++j)
            EXPECT_TRUE(images[i] != images[j] || results[i] != results[j])
                << "modes " << cases[i].mode << " and " << cases[j].mode << " draw alike";
}

TEST_F(SpriteTest, OperationsCanBeCalledDirectly) {
    VXSprite s;
    MakeSprite(s);
    auto dest = Dest();
    // Only the left and top of the destination rectangle count.
    EXPECT_EQ(s.DrawOpaque(dest.get(), RECT{0, 0, 4, 4}, RECT{20, 21, 0, 0}), DD_OK);
    EXPECT_EQ(dest->DirectDrawSurface->PixelAt(21, 21), PicturePixel(1, 0));
}

TEST_F(SpriteTest, NewSpriteScalesAtNaturalSizeAndStretchesNothing) {
    VXSprite fresh;
    ASSERT_EQ(fresh.Create(screen.get(), "img\\sprite.bmp", 4, 4, 6, MemorySystem), 1);
    auto scaled = Dest();
    auto opaque = Dest();
    fresh.Draw(scaled.get(), 0, 0, BlitScaled);
    fresh.Draw(opaque.get(), 0, 0, BlitOpaque);
    EXPECT_EQ(Pixels(*scaled), Pixels(*opaque));
    auto stretched = Dest();
    EXPECT_EQ(fresh.Draw(stretched.get(), 0, 0, BlitStretched), E_FAIL);
    EXPECT_TRUE(Untouched(*stretched));
}

}  // namespace
