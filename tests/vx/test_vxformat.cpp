#include "tests/vx/vxtest_display.h"

using vxtest::DisplayTest;

namespace {

class FormatTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        screen = MakeFullScreen(800, 600);
    }
    LPDIRECTDRAWSURFACE4 Make(DWORD bits, DWORD r, DWORD g, DWORD b, DWORD flags = DDPF_RGB) {
        DDSURFACEDESC2 d;
        d.dwSize = DDSURFACEDESC2_SIZE;
        d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
        d.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        d.dwWidth = 4;
        d.dwHeight = 4;
        d.ddpfPixelFormat.dwFlags = flags;
        d.ddpfPixelFormat.dwRGBBitCount = bits;
        d.ddpfPixelFormat.dwRBitMask = r;
        d.ddpfPixelFormat.dwGBitMask = g;
        d.ddpfPixelFormat.dwBBitMask = b;
        LPDIRECTDRAWSURFACE4 s;
        EXPECT_EQ(screen->DirectDraw->CreateSurface(&d, &s, nullptr), DD_OK);
        return s;
    }
    std::unique_ptr<VXScreen> screen;
};

struct Expected {
    int redMax, redPos, greenMax, greenPos, blueMax, bluePos, depth;
};

void ExpectFormat(const RGBFormat& f, Expected e) {
    EXPECT_EQ(f.RedMax, e.redMax);
    EXPECT_EQ(f.RedPos, e.redPos);
    EXPECT_EQ(f.GreenMax, e.greenMax);
    EXPECT_EQ(f.GreenPos, e.greenPos);
    EXPECT_EQ(f.BlueMax, e.blueMax);
    EXPECT_EQ(f.BluePos, e.bluePos);
    EXPECT_EQ(f.Depth, e.depth);
}

}  // namespace

TEST_F(FormatTest, MasksGiveMaximaPositionsAndDepth) {
    RGBFormat f;
    ASSERT_EQ(GetRGBFormat(Make(16, 0xF800, 0x07E0, 0x001F), f), 1);
    ExpectFormat(f, {31, 11, 63, 5, 31, 0, 16});
    ASSERT_EQ(GetRGBFormat(Make(16, 0x7C00, 0x03E0, 0x001F), f), 1);
    ExpectFormat(f, {31, 10, 31, 5, 31, 0, 15});
    ASSERT_EQ(GetRGBFormat(Make(24, 0xFF0000, 0x00FF00, 0x0000FF), f), 1);
    ExpectFormat(f, {255, 16, 255, 8, 255, 0, 24});
    ASSERT_EQ(GetRGBFormat(Make(32, 0xFF0000, 0x00FF00, 0x0000FF), f), 1);
    EXPECT_EQ(f.Depth, 32);
    ASSERT_EQ(GetRGBFormat(Make(8, 0, 0, 0, DDPF_PALETTEINDEXED8), f), 1);
    ExpectFormat(f, {0, 0, 0, 0, 0, 0, 8});
    RGBFormat untouched;
    untouched.Depth = 99;
    EXPECT_EQ(GetRGBFormat(static_cast<IDirectDrawSurface4*>(nullptr), untouched), 0);
    EXPECT_EQ(untouched.Depth, 99);
}

TEST_F(FormatTest, DefaultPaletteEntries) {
    ASSERT_TRUE(screen->Palette);
    PALETTEENTRY e[256];
    ASSERT_EQ(screen->Palette->GetEntries(0, 0, 256, e), DD_OK);
    EXPECT_EQ(e[36].peRed, 36);
    EXPECT_EQ(e[36].peGreen, 36);
    EXPECT_EQ(e[36].peBlue, 0);
    EXPECT_EQ(e[255].peRed, 255);
    EXPECT_EQ(e[255].peGreen, 255);
    EXPECT_EQ(e[255].peBlue, 255);
    EXPECT_EQ(e[255].peFlags, 0);
    EXPECT_EQ(e[0].peRed + e[0].peGreen + e[0].peBlue, 0);
}

TEST_F(FormatTest, ColorrefToPixelUsesTheSurfaceAndPutsTheCornerBack) {
    VXSurface work;
    ASSERT_EQ(work.Create(screen.get(), 800, 600, MemoryAny), 1);
    work.DirectDrawSurface->SetPixelAt(0, 0, 0x1234);
    EXPECT_EQ(ColorrefToPixel(work.DirectDrawSurface, 0xFFFFFF), 0xFFFFu);
    EXPECT_EQ(ColorrefToPixel(work.DirectDrawSurface, 0x0000FF), 0xF800u);  // red
    EXPECT_EQ(ColorrefToPixel(work.DirectDrawSurface, 0xFF0000), 0x001Fu);  // blue
    EXPECT_EQ(ColorrefToPixel(work.DirectDrawSurface, 0x6EA0F0), vxtest::Rgb565(0xF0, 0xA0, 0x6E));
    EXPECT_EQ(work.DirectDrawSurface->PixelAt(0, 0), 0x1234u);
    EXPECT_EQ(ColorrefToPixel(work.DirectDrawSurface, CLR_INVALID), 0x1234u);

    auto s555 = Make(16, 0x7C00, 0x03E0, 0x001F);
    EXPECT_EQ(ColorrefToPixel(s555, 0xFFFFFF), 0x7FFFu);
    auto s32 = Make(32, 0xFF0000, 0x00FF00, 0x0000FF);
    EXPECT_EQ(ColorrefToPixel(s32, 0x030201), 0x010203u);

    EXPECT_EQ(ColorrefToPixel(static_cast<IDirectDrawSurface4*>(nullptr), 0xFFFFFF), CLR_INVALID);
    // A surface that cannot be locked gives CLR_INVALID.
    work.GetDC();
    EXPECT_EQ(ColorrefToPixel(work.DirectDrawSurface, 0xFFFFFF), CLR_INVALID);
    work.ReleaseDC();
}
