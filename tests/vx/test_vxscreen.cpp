#include <algorithm>

#include "tests/vx/vxtest_display.h"

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
    EXPECT_EQ(screen->Flip(0, 1, 0), DD_OK);
    EXPECT_FALSE(presenter->Frames[2].vsync);

    // A long run keeps only the latest frames.
    for (int i = 0; i < 40; ++i) {
        screen->Fill(static_cast<PixelValue>(i));
        screen->Flip(1, 1, 0);
    }
    EXPECT_EQ(presenter->PresentedCount, 43u);
    ASSERT_EQ(presenter->Frames.size(), plat::RecordingPresenter::kKeptFrames);
    EXPECT_EQ(presenter->Frames.back().At(0, 0), 39);
}

TEST_F(ScreenTest, FpsWindowClosesOnlyAfterMoreThan1000Ms) {
    auto screen = MakeFullScreen();
    // The window started at construction; the first flip comes much later.
    now += 40000;
    screen->Flip(1, 1, 0);
    EXPECT_EQ(screen->Fps, 0);  // 0 frames over 40 s
    EXPECT_EQ(screen->FrameCount, 1u);

    // 59 more flips, then one exactly 1000 ms after the window began.
    for (int i = 0; i < 59; ++i) screen->Flip(1, 1, 0);
    now += 1000;
    screen->Flip(1, 1, 0);
    EXPECT_EQ(screen->FpsElapsedMs, 1000u);
    EXPECT_EQ(screen->FrameCount, 61u);
    EXPECT_EQ(screen->Fps, 0);

    // A fresh window: 60 frames counted, closed at 1001 ms gives 59.
    screen->FrameCount = 60;
    screen->FpsElapsedMs = 0;
    now += 1001;
    screen->Flip(1, 1, 0);
    EXPECT_EQ(screen->Fps, 59);
    EXPECT_EQ(screen->FpsElapsedMs, 0u);
    EXPECT_EQ(screen->FrameCount, 1u);  // the closing flip counts in the next window

    // The clock may wrap around.
    screen->FpsLastTime = 0xFFFFFF00u;
    now = 0x10;
    screen->Flip(1, 1, 0);
    EXPECT_EQ(screen->FpsElapsedMs, 0x110u);
}

TEST_F(ScreenTest, ShowFpsDrawsTheRateOnTheBackBuffer) {
    auto screen = MakeFullScreen();
    screen->Fps = 57;
    screen->Fill(0);
    ASSERT_EQ(screen->Flip(1, 1, 1), DD_OK);
    ASSERT_EQ(presenter->Frames.size(), 1u);
    const auto& frame = presenter->Frames[0];
    const std::uint16_t yellow = vxtest::Rgb565(240, 255, 0);
    int text = 0, other = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            std::uint16_t p = frame.At(x, y);
            if (p == yellow) {
                ++text;
                EXPECT_GE(x, 10);
                EXPECT_GE(y, 20);
            } else if (p != 0) {
                ++other;
            }
        }
    EXPECT_GT(text, 20);
    EXPECT_EQ(other, 0);
    EXPECT_EQ(screen->BackBuffer->DC, nullptr);
}

TEST_F(ScreenTest, LostPrimaryIsRestoredByFlipWithoutRetrying) {
    auto screen = MakeFullScreen();
    screen->FrontBuffer->DirectDrawSurface->SetLost(true);
    EXPECT_EQ(screen->Flip(1, 1, 0), DDERR_SURFACELOST);
    EXPECT_TRUE(presenter->Frames.empty());
    EXPECT_EQ(screen->FrontBuffer->DirectDrawSurface->IsLost(), DD_OK);
    EXPECT_EQ(screen->Flip(1, 1, 0), DD_OK);
    EXPECT_EQ(presenter->Frames.size(), 1u);
    EXPECT_EQ(screen->Restore(), 0);  // nothing lost
}

TEST_F(ScreenTest, SecondCreateFullScreenReplacesTheBuffers) {
    auto screen = MakeFullScreen(800, 600);
    std::weak_ptr<IDirectDrawSurface4> oldPrimary = screen->FrontBuffer->DirectDrawSurface;
    std::weak_ptr<IDirectDrawPalette> oldPalette = screen->Palette;
    ASSERT_EQ(screen->CreateFullScreen(&window, 1024, 768, 16, 0), 1);
    EXPECT_TRUE(oldPrimary.expired());
    EXPECT_TRUE(oldPalette.expired());
    EXPECT_EQ(screen->BackBuffer->Width, 1024);
    EXPECT_EQ(screen->BackBuffer->ClipBounds.bottom, 768);
    EXPECT_EQ(window.ClientWidth, 1024);
}

TEST_F(ScreenTest, PrimaryFallsBackToSystemMemory) {
    VXScreen screen;
    screen.DirectDraw->SetVideoMemoryExhausted(true);
    ASSERT_EQ(screen.CreateFullScreen(&window, 800, 600, 16, 0), 1);
    EXPECT_TRUE(screen.FrontBuffer->DirectDrawSurface->Caps() & DDSCAPS_SYSTEMMEMORY);
}

TEST_F(ScreenTest, FailedStepsReturnZeroAndLaterCallsFailQuietly) {
    {
        VXScreen screen;
        EXPECT_EQ(screen.CreateFullScreen(&window, 800, 600, 32, 0), 0);  // not a 16-bit mode
        EXPECT_EQ(screen.FullScreen, 1);
        EXPECT_FALSE(screen.FrontBuffer);
        EXPECT_NE(screen.Flip(1, 1, 1), DD_OK);
        EXPECT_NE(screen.Fill(0), DD_OK);
        EXPECT_EQ(screen.Restore(), 0);
        EXPECT_EQ(screen.CreateFullScreen(nullptr, 800, 600, 16, 0), 0);  // no window
        presenter->RefuseModes = true;
        EXPECT_EQ(screen.CreateFullScreen(&window, 800, 600, 16, 0), 0);
        presenter->RefuseModes = false;
    }
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(plat::QuitPosted());
}

TEST_F(ScreenTest, NoDirectDrawReportsOnceAndEverythingFailsQuietly) {
    plat::SetDirectDrawFailures(DDERR_NODIRECTDRAWHW, DD_OK);
    VXScreen screen;
    plat::SetDirectDrawFailures(DD_OK, DD_OK);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("DirectDraw Error DDERR_NODIRECTDRAWHW\nFILE: vxscreen.cpp\nLINE: ", 0), 0u);
    EXPECT_TRUE(plat::QuitPosted());
    EXPECT_FALSE(screen.DirectDraw);
    EXPECT_EQ(screen.GetNumberOfVideoModes(), 0);
    int w = 1, h = 1, b = 1;
    EXPECT_EQ(screen.GetVideoModeInformation(0, w, h, b), 0);
    EXPECT_EQ(screen.CreateFullScreen(&window, 800, 600, 16, 0), 0);
    EXPECT_NE(screen.Flip(1, 1, 0), DD_OK);
    EXPECT_NE(screen.Fill(0), DD_OK);
    EXPECT_EQ(screen.Restore(), 0);
    EXPECT_NE(screen.WaitForVerticalBlank(), DD_OK);
    VXSurface s;
    EXPECT_EQ(s.Create(&screen, 10, 10, MemoryAny), 0);

    plat::SetDirectDrawFailures(DD_OK, DDERR_UNSUPPORTED);
    VXScreen noInterface;
    plat::SetDirectDrawFailures(DD_OK, DD_OK);
    EXPECT_FALSE(noInterface.DirectDraw);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text.rfind("DirectDraw Error DDERR_UNSUPPORTED", 0), 0u);
}

TEST_F(ScreenTest, DestroyingTheDisplayGivesTheDesktopBack) {
    {
        auto screen = MakeFullScreen();
        EXPECT_EQ(screen->WaitForVerticalBlank(), DD_OK);
    }
    EXPECT_TRUE(presenter->ModeRestored);
}
