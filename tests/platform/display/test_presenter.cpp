#include <gtest/gtest.h>

#include "platform/display/ddraw.h"
#include "platform/display/presenter.h"

// The real presenter, under the dummy video driver: a mode is taken on a
// window of its own (the handle has none) and frames are shown without fault.
TEST(SdlPresenter, TakesAModeAndShowsFramesHeadless) {
    plat::InstallPresenter(std::unique_ptr<plat::Presenter>());
    plat::Presenter& presenter = plat::CurrentPresenter();
    int w = 0, h = 0;
    presenter.DesktopSize(&w, &h);
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);

    LPDIRECTDRAW first;
    LPDIRECTDRAW4 dd;
    ASSERT_EQ(DirectDrawCreate(nullptr, &first, nullptr), DD_OK);
    ASSERT_EQ(first->QueryInterface(IID_IDirectDraw4, &dd), DD_OK);
    plat::WindowHandle window;
    ASSERT_EQ(dd->SetCooperativeLevel(&window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    auto modes = plat::DisplayModeList(w, h);
    ASSERT_FALSE(modes.empty());
    ASSERT_EQ(dd->SetDisplayMode(static_cast<DWORD>(modes[0].width), static_cast<DWORD>(modes[0].height), 16, 0, 0),
              DD_OK);
    EXPECT_EQ(window.ClientWidth, modes[0].width);

    DDSURFACEDESC2 pd;
    pd.dwSize = DDSURFACEDESC2_SIZE;
    pd.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    pd.dwBackBufferCount = 1;
    pd.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    LPDIRECTDRAWSURFACE4 primary;
    ASSERT_EQ(dd->CreateSurface(&pd, &primary, nullptr), DD_OK);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_NOVSYNC), DD_OK);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    primary.reset();
    EXPECT_EQ(dd->RestoreDisplayMode(), DD_OK);
    plat::InstallPresenter(std::make_unique<plat::RecordingPresenter>());
}
