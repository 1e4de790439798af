#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "platform/display/ddraw.h"
#include "platform/display/presenter.h"

namespace {

DDSURFACEDESC2 OffscreenDesc(int w, int h) {
    DDSURFACEDESC2 d;
    d.dwSize = DDSURFACEDESC2_SIZE;
    d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    d.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    d.dwWidth = static_cast<DWORD>(w);
    d.dwHeight = static_cast<DWORD>(h);
    return d;
}

DDBLTFX Fx() {
    DDBLTFX fx;
    fx.dwSize = DDBLTFX_SIZE;
    return fx;
}

class DirectDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        presenter = plat::InstallPresenter(std::make_unique<plat::RecordingPresenter>(1280, 1024));
        LPDIRECTDRAW first;
        ASSERT_EQ(DirectDrawCreate(nullptr, &first, nullptr), DD_OK);
        ASSERT_EQ(first->QueryInterface(IID_IDirectDraw4, &dd), DD_OK);
    }
    LPDIRECTDRAWSURFACE4 Make(int w, int h) {
        DDSURFACEDESC2 d = OffscreenDesc(w, h);
        LPDIRECTDRAWSURFACE4 s;
        EXPECT_EQ(dd->CreateSurface(&d, &s, nullptr), DD_OK);
        return s;
    }
    void Paint(IDirectDrawSurface4& s) {
        for (int y = 0; y < s.Height(); ++y)
            for (int x = 0; x < s.Width(); ++x) s.SetPixelAt(x, y, static_cast<DWORD>(y * 100 + x + 1));
    }
    plat::RecordingPresenter* presenter = nullptr;
    LPDIRECTDRAW4 dd;
};

TEST_F(DirectDrawTest, SurfacesHaveMasksAndAPaddedPitch) {
    auto s = Make(13, 5);
    DDSURFACEDESC2 d;
    d.dwSize = DDSURFACEDESC2_SIZE;
    ASSERT_EQ(s->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_GT(d.lPitch, 13 * 2);
    EXPECT_EQ(d.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(d.ddpfPixelFormat.dwRBitMask, 0xF800u);
    EXPECT_EQ(d.ddpfPixelFormat.dwGBitMask, 0x07E0u);
    EXPECT_EQ(d.ddpfPixelFormat.dwBBitMask, 0x001Fu);
    ASSERT_NE(d.lpSurface, nullptr);
    auto* row1 = static_cast<BYTE*>(d.lpSurface) + d.lPitch;
    row1[2] = 0x34;
    row1[3] = 0x12;
    EXPECT_EQ(s->Unlock(nullptr), DD_OK);
    EXPECT_EQ(s->PixelAt(1, 1), 0x1234u);

    // A description that does not announce its size is refused.
    DDSURFACEDESC2 bad;
    EXPECT_EQ(s->Lock(nullptr, &bad, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
    DDSURFACEDESC2 empty = OffscreenDesc(0, 4);
    LPDIRECTDRAWSURFACE4 none;
    EXPECT_EQ(dd->CreateSurface(&empty, &none, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_FALSE(none);
}

TEST_F(DirectDrawTest, BadRectanglesAreRefused) {
    auto dst = Make(20, 10);
    auto src = Make(8, 8);
    const RECT cases[] = {
        {2, 2, 2, 6},   // empty
        {5, 2, 3, 6},   // inverted
        {-1, 0, 4, 4},  // left of the surface
        {0, 0, 21, 4},  // past the right edge
        {0, 5, 4, 11},  // past the bottom
    };
    for (const RECT& r : cases) {
        EXPECT_EQ(dst->Blt(&r, src.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT)
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        DDBLTFX fx = Fx();
        EXPECT_EQ(dst->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DDERR_INVALIDRECT);
    }
    RECT whole{0, 0, 8, 8};
    EXPECT_EQ(dst->BltFast(13, 0, src.get(), &whole, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(dst->BltFast(12, 3, src.get(), &whole, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(dst->BltFast(12, 2, src.get(), &whole, DDBLTFAST_WAIT), DD_OK);
    // A negative position arrives as a huge unsigned one.
    EXPECT_EQ(dst->BltFast(static_cast<DWORD>(-1), 0, src.get(), &whole, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    RECT inverted{4, 0, 2, 8};
    EXPECT_EQ(dst->BltFast(0, 0, src.get(), &inverted, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
}

TEST_F(DirectDrawTest, LockedOrDcHeldSurfacesAreBusy) {
    auto dst = Make(8, 8);
    auto src = Make(8, 8);
    DDSURFACEDESC2 d;
    d.dwSize = DDSURFACEDESC2_SIZE;
    ASSERT_EQ(src->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(dst->BltFast(0, 0, src.get(), nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    EXPECT_EQ(dst->Blt(nullptr, src.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(src->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    HDC dc = nullptr;
    EXPECT_EQ(src->GetDC(&dc), DDERR_SURFACEBUSY);
    ASSERT_EQ(src->Unlock(nullptr), DD_OK);
    EXPECT_EQ(src->Unlock(nullptr), DDERR_NOTLOCKED);

    ASSERT_EQ(dst->GetDC(&dc), DD_OK);
    EXPECT_EQ(dst->BltFast(0, 0, src.get(), nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    DDBLTFX fx = Fx();
    EXPECT_EQ(dst->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DDERR_SURFACEBUSY);
    EXPECT_EQ(dst->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    HDC second = nullptr;
    EXPECT_EQ(dst->GetDC(&second), DDERR_DCALREADYCREATED);
    EXPECT_EQ(dst->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(dst->BltFast(0, 0, src.get(), nullptr, DDBLTFAST_WAIT), DD_OK);
}

TEST_F(DirectDrawTest, SourceColourKeyIsSkipped) {
    auto dst = Make(4, 1);
    auto src = Make(4, 1);
    const DWORD srcRow[4] = {0, 7, 0, 9};
    for (int x = 0; x < 4; ++x) {
        src->SetPixelAt(x, 0, srcRow[x]);
        dst->SetPixelAt(x, 0, 5);
    }
    // Keyed without a key on the source is refused.
    EXPECT_EQ(dst->BltFast(0, 0, src.get(), nullptr, DDBLTFAST_SRCCOLORKEY), DDERR_NOCOLORKEY);
    DDCOLORKEY key;
    ASSERT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    ASSERT_EQ(dst->BltFast(0, 0, src.get(), nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(dst->PixelAt(0, 0), 5u);
    EXPECT_EQ(dst->PixelAt(1, 0), 7u);
    EXPECT_EQ(dst->PixelAt(2, 0), 5u);
    EXPECT_EQ(dst->PixelAt(3, 0), 9u);
    // Without the flag the key is ignored.
    ASSERT_EQ(dst->BltFast(0, 0, src.get(), nullptr, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(dst->PixelAt(0, 0), 0u);
}

// A keyed copy repeated from an unchanged picture moves the picture's runs of
// shown pixels; whatever way the picture changes in between, the next copy
// must show the change.
TEST_F(DirectDrawTest, RepeatedKeyedCopiesFollowEveryChangeOfThePicture) {
    auto src = Make(8, 4);
    auto other = Make(8, 4);
    DDCOLORKEY key{0, 0};
    ASSERT_EQ(src->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    for (int x = 0; x < 8; ++x) other->SetPixelAt(x, 1, 0x4444);
    DDSURFACEDESC2 d;
    d.dwSize = DDSURFACEDESC2_SIZE;
    DDBLTFX fx = Fx();
    fx.dwFillColor = 0x1234;
    HDC dc = nullptr;
    const RECT part{0, 0, 8, 4};
    // Each change writes something new into row 1 of the picture.
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"pixel", [&] { src->SetPixelAt(3, 1, 0x0F0F); }},
        {"lock",
         [&] {
             ASSERT_EQ(src->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
             static_cast<std::uint16_t*>(d.lpSurface)[d.lPitch / 2 + 4] = 0x0A0A;
             src->Unlock(nullptr);
         }},
        {"fill", [&] { ASSERT_EQ(src->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK); }},
        {"blit", [&] { ASSERT_EQ(src->BltFast(0, 0, other.get(), nullptr, 0), DD_OK); }},
        {"device context",
         [&] {
             ASSERT_EQ(src->GetDC(&dc), DD_OK);
             SetPixel(dc, 5, 1, RGB(255, 0, 0));
             src->ReleaseDC(dc);
         }},
        {"restore",
         [&] {
             src->SetLost(true);
             src->Restore();
         }},
    };
    for (const auto& [name, change] : changes) {
        // Two copies of the unchanged picture, then the change, then two more.
        for (int round = 0; round < 2; ++round) {
            auto dst = Make(8, 4);
            for (int i = 0; i < 2; ++i) ASSERT_EQ(dst->BltFast(0, 0, src.get(), &part, DDBLTFAST_SRCCOLORKEY), DD_OK);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 8; ++x)
                    EXPECT_EQ(dst->PixelAt(x, y), src->PixelAt(x, y)) << name << " " << x << "," << y;
            if (round == 0) change();
        }
    }
}

TEST_F(DirectDrawTest, StretchAndMirrorUseNearestPixels) {
    auto src = Make(2, 2);
    Paint(*src);  // 1 2 / 101 102
    auto dst = Make(4, 4);
    RECT d{0, 0, 4, 4};
    ASSERT_EQ(dst->Blt(&d, src.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(dst->PixelAt(0, 0), 1u);
    EXPECT_EQ(dst->PixelAt(1, 1), 1u);
    EXPECT_EQ(dst->PixelAt(2, 0), 2u);
    EXPECT_EQ(dst->PixelAt(3, 3), 102u);

    auto row = Make(3, 1);
    Paint(*row);  // 1 2 3
    auto out = Make(3, 1);
    DDBLTFX fx = Fx();
    fx.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT;
    ASSERT_EQ(out->Blt(nullptr, row.get(), nullptr, DDBLT_DDFX | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(out->PixelAt(0, 0), 3u);
    EXPECT_EQ(out->PixelAt(2, 0), 1u);

    auto col = Make(1, 3);
    Paint(*col);  // 1 / 101 / 201
    auto outCol = Make(1, 3);
    fx.dwDDFX = DDBLTFX_MIRRORUPDOWN;
    ASSERT_EQ(outCol->Blt(nullptr, col.get(), nullptr, DDBLT_DDFX | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(outCol->PixelAt(0, 0), 201u);
    EXPECT_EQ(outCol->PixelAt(0, 2), 1u);

    // Shrinking 4 columns to 2 takes columns 0 and 2.
    auto wide = Make(4, 1);
    Paint(*wide);
    auto narrow = Make(2, 1);
    ASSERT_EQ(narrow->Blt(nullptr, wide.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(narrow->PixelAt(0, 0), 1u);
    EXPECT_EQ(narrow->PixelAt(1, 0), 3u);
}

TEST_F(DirectDrawTest, OverlappingBlitWithinOneSurfaceReadsTheSourceFirst) {
    auto s = Make(5, 1);
    Paint(*s);  // 1 2 3 4 5
    RECT from{0, 0, 4, 1}, to{1, 0, 5, 1};
    ASSERT_EQ(s->Blt(&to, s.get(), &from, DDBLT_WAIT, nullptr), DD_OK);
    const DWORD want[5] = {1, 1, 2, 3, 4};
    for (int x = 0; x < 5; ++x) EXPECT_EQ(s->PixelAt(x, 0), want[x]) << x;
}

TEST_F(DirectDrawTest, ColourFillCoversTheRectangleOnly) {
    auto s = Make(6, 4);
    DDBLTFX fx = Fx();
    fx.dwFillColor = 0xABCDEF;  // only the pixel's 16 bits are kept
    RECT r{1, 1, 3, 2};
    ASSERT_EQ(s->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    EXPECT_EQ(s->PixelAt(1, 1), 0xCDEFu);
    EXPECT_EQ(s->PixelAt(2, 1), 0xCDEFu);
    EXPECT_EQ(s->PixelAt(3, 1), 0u);
    EXPECT_EQ(s->PixelAt(1, 2), 0u);
    DDBLTFX wrongSize;
    EXPECT_EQ(s->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &wrongSize), DDERR_INVALIDPARAMS);
}

TEST_F(DirectDrawTest, LostSurfacesRefuseUntilRestored) {
    auto dst = Make(4, 4);
    auto src = Make(4, 4);
    src->SetLost(true);
    EXPECT_EQ(src->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(dst->BltFast(0, 0, src.get(), nullptr, DDBLTFAST_WAIT), DDERR_SURFACELOST);
    DDSURFACEDESC2 d;
    d.dwSize = DDSURFACEDESC2_SIZE;
    EXPECT_EQ(src->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    HDC dc = nullptr;
    EXPECT_EQ(src->GetDC(&dc), DDERR_SURFACELOST);
    src->SetRestoreRefused(true);
    EXPECT_NE(src->Restore(), DD_OK);
    src->SetRestoreRefused(false);
    EXPECT_EQ(src->Restore(), DD_OK);
    EXPECT_EQ(src->IsLost(), DD_OK);
    EXPECT_EQ(dst->BltFast(0, 0, src.get(), nullptr, DDBLTFAST_WAIT), DD_OK);

    dd->LoseAllSurfaces();
    EXPECT_EQ(dst->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(src->IsLost(), DDERR_SURFACELOST);
}

TEST_F(DirectDrawTest, FlipChainSwapsAndPresents) {
    plat::WindowHandle window;
    LPDIRECTDRAWSURFACE4 refused;
    DDSURFACEDESC2 pd;
    pd.dwSize = DDSURFACEDESC2_SIZE;
    pd.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    pd.dwBackBufferCount = 1;
    pd.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    EXPECT_EQ(dd->CreateSurface(&pd, &refused, nullptr), DDERR_NOEXCLUSIVEMODE);

    ASSERT_EQ(dd->SetCooperativeLevel(&window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    EXPECT_EQ(dd->SetDisplayMode(800, 600, 32, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(dd->SetDisplayMode(1600, 1200, 16, 0, 0), DDERR_INVALIDMODE);  // larger than the desktop
    EXPECT_EQ(dd->SetDisplayMode(801, 600, 16, 0, 0), DDERR_INVALIDMODE);
    ASSERT_EQ(dd->SetDisplayMode(800, 600, 16, 0, 0), DD_OK);
    EXPECT_EQ(presenter->ModeWindow, &window);
    EXPECT_EQ(window.ClientWidth, 800);

    LPDIRECTDRAWSURFACE4 primary;
    ASSERT_EQ(dd->CreateSurface(&pd, &primary, nullptr), DD_OK);
    LPDIRECTDRAWSURFACE4 second;
    EXPECT_EQ(dd->CreateSurface(&pd, &second, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
    LPDIRECTDRAWSURFACE4 back;
    DDSCAPS2 caps;
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    EXPECT_EQ(back->Width(), 800);
    back->SetPixelAt(10, 20, 0xF800);
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    ASSERT_EQ(presenter->Frames.size(), 1u);
    EXPECT_EQ(presenter->Frames[0].At(10, 20), 0xF800);
    EXPECT_TRUE(presenter->Frames[0].vsync);
    EXPECT_EQ(primary->PixelAt(10, 20), 0xF800u);
    EXPECT_EQ(back->PixelAt(10, 20), 0u);  // the old front is now the back buffer
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_NOVSYNC), DD_OK);
    EXPECT_FALSE(presenter->Frames[1].vsync);
    EXPECT_EQ(back->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);

    // Losing the primary loses the chain; the back buffer is restored through it.
    primary->SetLost(true);
    EXPECT_EQ(back->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACELOST);
    EXPECT_EQ(back->Restore(), DDERR_IMPLICITLYCREATED);
    EXPECT_EQ(primary->Restore(), DD_OK);
    EXPECT_EQ(back->IsLost(), DD_OK);
}

TEST(DisplayModeList, DesktopAndTheStandardSizesThatFit) {
    auto modes = plat::DisplayModeList(1366, 768);
    std::vector<std::pair<int, int>> got;
    for (auto m : modes) got.emplace_back(m.width, m.height);
    std::vector<std::pair<int, int>> want{{640, 480}, {800, 600}, {1024, 768}, {1280, 720}, {1366, 768}};
    EXPECT_EQ(got, want);
    // A desktop size that is not standard is listed in its place.
    auto odd = plat::DisplayModeList(1700, 1100);
    bool found = false;
    for (auto m : odd) found |= m.width == 1700 && m.height == 1100;
    EXPECT_TRUE(found);
    EXPECT_EQ(odd.back().width, 1700);
}

// The video-mode dialog keeps the first ten modes between 800 x 600 and
// 1690 x 1250; on any desktop every classic size that fits must be among them.
TEST(DisplayModeList, TheDialogsTenModesKeepEveryClassicSizeThatFits) {
    const std::pair<int, int> classic[] = {{800, 600},   {1024, 768},  {1152, 864}, {1280, 960},
                                           {1280, 1024}, {1600, 1200}, {1680, 1050}};
    const std::pair<int, int> desktops[] = {{1366, 768},  {1600, 900},  {1680, 1050}, {1920, 1080},
                                            {1920, 1200}, {2560, 1440}, {3840, 2160}, {1700, 1100}};
    for (auto [dw, dh] : desktops) {
        std::vector<std::pair<int, int>> offered;
        for (auto m : plat::DisplayModeList(dw, dh))
            if (m.width >= 800 && m.width <= 1690 && m.height >= 600 && m.height <= 1250 && offered.size() < 10)
                offered.emplace_back(m.width, m.height);
        for (auto size : classic) {
            if (size.first > dw || size.second > dh) continue;
            EXPECT_NE(std::find(offered.begin(), offered.end(), size), offered.end())
                << size.first << "x" << size.second << " on " << dw << "x" << dh;
        }
    }
}

TEST(DirectDrawCreation, InjectedFailuresAreReported) {
    LPDIRECTDRAW first;
    plat::SetDirectDrawFailures(DDERR_NODIRECTDRAWHW, DD_OK);
    EXPECT_EQ(DirectDrawCreate(nullptr, &first, nullptr), DDERR_NODIRECTDRAWHW);
    EXPECT_FALSE(first);
    plat::SetDirectDrawFailures(DD_OK, DDERR_UNSUPPORTED);
    ASSERT_EQ(DirectDrawCreate(nullptr, &first, nullptr), DD_OK);
    LPDIRECTDRAW4 dd;
    EXPECT_EQ(first->QueryInterface(IID_IDirectDraw4, &dd), DDERR_UNSUPPORTED);
    EXPECT_FALSE(dd);
    plat::SetDirectDrawFailures(DD_OK, DD_OK);
}

}  // namespace
