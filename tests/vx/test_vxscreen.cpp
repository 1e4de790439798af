#include <algorithm>

#include "vxtest_display.h"

using vxtest::DisplayTest;

class ScreenTest : public DisplayTest {};

TEST_F(ScreenTest, ModeListComesFromTheDesktopInFixedOrder) {
    VXScreen screen;
    ASSERT_TRUE(screen.DirectDraw);
    const int n = screen.GetNumberOfVideoModes();
    ASSERT_GT(n, 0);
    int w = 0, h = 0, bpp = 0;
    ASSERT_EQ(screen.GetVideoModeInformation(0, w, h, bpp), 1);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    EXPECT_EQ(bpp, 16);
    std::vector<std::pair<int, int>> modes;
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(screen.GetVideoModeInformation(static_cast<unsigned>(i), w, h, bpp), 1);
        EXPECT_EQ(bpp, 16);
        EXPECT_LE(w, 1920);
        EXPECT_LE(h, 1080);
        modes.emplace_back(w, h);
    }
    EXPECT_TRUE(std::is_sorted(modes.begin(), modes.end()));
    EXPECT_NE(std::find(modes.begin(), modes.end(), std::make_pair(1920, 1080)), modes.end());
    EXPECT_NE(std::find(modes.begin(), modes.end(), std::make_pair(800, 600)), modes.end());
    EXPECT_NE(std::find(modes.begin(), modes.end(), std::make_pair(1680, 1050)), modes.end());
    // 1600 x 1200 does not fit a 1080-line desktop.
    EXPECT_EQ(std::find(modes.begin(), modes.end(), std::make_pair(1600, 1200)), modes.end());

    // One past the end: refused, outputs untouched.
    w = h = bpp = -7;
    EXPECT_EQ(screen.GetVideoModeInformation(static_cast<unsigned>(n), w, h, bpp), 0);
    EXPECT_EQ(w, -7);
    EXPECT_EQ(h, -7);
    EXPECT_EQ(bpp, -7);
}

TEST_F(ScreenTest, FullScreenMakesTheChainAndPresentsFlips) {
    auto screen = MakeFullScreen(800, 600);
    ASSERT_TRUE(screen->FrontBuffer && screen->BackBuffer);
    EXPECT_EQ(screen->FullScreen, 1);
    EXPECT_EQ(presenter->ModeWidth, 800);
    EXPECT_EQ(window.ClientWidth, 800);
    EXPECT_EQ(window.ClientHeight, 600);
    EXPECT_EQ(screen->BackBuffer->Format.Depth, 16);
    EXPECT_EQ(screen->Fill(0x1234), DD_OK);
    EXPECT_EQ(screen->Flip(1, 1, 0), DD_OK);
    ASSERT_EQ(presenter->Frames.size(), 1u);
    EXPECT_TRUE(presenter->Frames[0].vsync);
    EXPECT_EQ(presenter->Frames[0].At(799, 599), 0x1234);
    EXPECT_EQ(screen->Flip(2, 1, 0), DD_OK);
    ASSERT_EQ(presenter->Frames.size(), 2u);
    EXPECT_FALSE(presenter->Frames[1].vsync);
}
