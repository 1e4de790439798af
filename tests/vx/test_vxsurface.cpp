#include "tests/vx/vxtest_display.h"

using vxtest::DisplayTest;

namespace {

bool SameRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
    return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

class SurfaceTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        screen = MakeFullScreen(800, 600);
    }
    std::unique_ptr<VXSurface> Make(int w, int h, MemoryType type = MemoryAny) {
        auto s = std::make_unique<VXSurface>();
        EXPECT_EQ(s->Create(screen.get(), w, h, type), 1);
        return s;
    }
    std::unique_ptr<VXScreen> screen;
};

}  // namespace

TEST_F(SurfaceTest, RectanglesTakeTopLeftBottomRight) {
    auto s = Make(800, 600);
    s->SetSrcRect(0, 10, 40, 50);
    EXPECT_TRUE(SameRect(s->SrcRect, 10, 0, 50, 40));
    s->SetDestRect(1, 2, 3, 4);
    EXPECT_TRUE(SameRect(s->DestRect, 2, 1, 4, 3));
    s->SetClipRect(RECT{-5, -5, 2000, 2000});
    EXPECT_TRUE(SameRect(s->ClipBounds, 0, 0, 800, 600));
}

TEST_F(SurfaceTest, ClipRectIsHalfOpen) {
    auto s = Make(100, 80);
    s->SetClipRect(RECT{10, 10, 50, 40});
    struct Case {
        RECT in;
        int result;
        RECT out;
    };
    const Case cases[] = {
        {{50, 20, 60, 30}, 0, {50, 20, 60, 30}},  // left on the clip's right edge
        {{0, 20, 10, 30}, 0, {0, 20, 10, 30}},    // right on the clip's left edge
        {{20, 40, 30, 45}, 0, {20, 40, 30, 45}},  // top on the clip's bottom edge
        {{20, 0, 30, 10}, 0, {20, 0, 30, 10}},    // bottom on the clip's top edge
        {{0, 0, 11, 11}, 1, {10, 10, 11, 11}},   {{45, 35, 90, 70}, 1, {45, 35, 50, 40}},
        {{20, 20, 30, 30}, 1, {20, 20, 30, 30}},
    };
    for (const Case& c : cases) {
        RECT r = c.in;
        EXPECT_EQ(s->ClipRect(r), c.result) << c.in.left << "," << c.in.top;
        EXPECT_TRUE(SameRect(r, c.out.left, c.out.top, c.out.right, c.out.bottom)) << c.in.left << "," << c.in.top;
    }
}

TEST_F(SurfaceTest, ClipBlitMovesTheSourceWithTheCut) {
    auto src = Make(40, 40);
    auto dst = Make(800, 600);
    int x = -10, y = 5;
    RECT r{0, 0, 40, 40};
    ASSERT_EQ(VXSurface::ClipBlit(src.get(), dst.get(), x, y, r), 1);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 5);
    EXPECT_TRUE(SameRect(r, 10, 0, 40, 40));

    x = 790;
    y = 590;
    r = RECT{0, 0, 40, 40};
    ASSERT_EQ(VXSurface::ClipBlit(src.get(), dst.get(), x, y, r), 1);
    EXPECT_TRUE(SameRect(r, 0, 0, 10, 10));

    // A source rectangle partly outside its own surface is cut first.
    x = 0;
    y = 0;
    r = RECT{30, 30, 60, 60};
    ASSERT_EQ(VXSurface::ClipBlit(src.get(), dst.get(), x, y, r), 1);
    EXPECT_TRUE(SameRect(r, 30, 30, 40, 40));

    x = 800;
    y = 0;
    r = RECT{0, 0, 40, 40};
    EXPECT_EQ(VXSurface::ClipBlit(src.get(), dst.get(), x, y, r), 0);
    x = -40;
    EXPECT_EQ(VXSurface::ClipBlit(src.get(), dst.get(), x, y, r), 0);
}

TEST_F(SurfaceTest, ClipToRectCutsEachEdge) {
    int x = -3, y = 8;
    RECT src{0, 0, 10, 10};
    ClipToRect(x, y, src, RECT{0, 0, 100, 12});
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 8);
    EXPECT_TRUE(SameRect(src, 3, 0, 10, 4));
    x = 95;
    y = -2;
    src = RECT{0, 0, 10, 10};
    ClipToRect(x, y, src, RECT{0, 0, 100, 100});
    EXPECT_TRUE(SameRect(src, 0, 2, 5, 10));
    EXPECT_EQ(y, 0);
}

TEST_F(SurfaceTest, CreateSetsStateAndAnyMemoryTypeMeansAny) {
    auto any = Make(16, 8, MemoryAny);
    auto seven = Make(16, 8, static_cast<MemoryType>(7));
    auto video = Make(16, 8, MemoryVideo);
    auto system = Make(16, 8, MemorySystem);
    EXPECT_EQ(any->ColorKey, -1);
    EXPECT_TRUE(any->FileName.empty());
    EXPECT_EQ(any->Screen, screen.get());
    EXPECT_TRUE(SameRect(any->ClipBounds, 0, 0, 16, 8));
    EXPECT_EQ(any->Format.Depth, 16);
    EXPECT_EQ(seven->SurfaceDesc.ddsCaps.dwCaps, any->SurfaceDesc.ddsCaps.dwCaps);
    EXPECT_EQ(seven->DirectDrawSurface->Caps(), any->DirectDrawSurface->Caps());
    EXPECT_EQ(any->SurfaceDesc.ddsCaps.dwCaps, DDSCAPS_OFFSCREENPLAIN);
    EXPECT_TRUE(video->DirectDrawSurface->Caps() & DDSCAPS_VIDEOMEMORY);
    EXPECT_TRUE(system->DirectDrawSurface->Caps() & DDSCAPS_SYSTEMMEMORY);

    // Creating again replaces the surface.
    auto old = std::weak_ptr<IDirectDrawSurface4>(any->DirectDrawSurface);
    ASSERT_EQ(any->Create(screen.get(), 4, 4, MemoryAny), 1);
    EXPECT_TRUE(old.expired());
    EXPECT_EQ(any->Width, 4);
}

TEST_F(SurfaceTest, ColourKeyedDrawsSkipTheKey) {
    auto src = Make(3, 1);
    auto dst = Make(3, 1);
    src->DirectDrawSurface->SetPixelAt(0, 0, 0);
    src->DirectDrawSurface->SetPixelAt(1, 0, 0x1111);
    src->DirectDrawSurface->SetPixelAt(2, 0, 0x2222);
    ASSERT_EQ(dst->Fill(0x7777), DD_OK);
    EXPECT_EQ(src->SetColorKey(0x2222), DD_OK);
    EXPECT_EQ(src->ColorKey, 0x2222);
    ASSERT_EQ(src->DrawKeyedAt(0, 0, dst.get()), DD_OK);
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(0, 0), 0u);
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(1, 0), 0x1111u);
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(2, 0), 0x7777u);
    ASSERT_EQ(src->DrawOpaqueAt(0, 0, dst.get()), DD_OK);
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(2, 0), 0x2222u);
}

TEST_F(SurfaceTest, DrawStretchesScaledAndMultipliedDrawsSetTheDestination) {
    auto src = Make(101, 10);
    auto dst = Make(400, 100);
    src->SetColorKey(0);
    src->Fill(0x00FF);
    ASSERT_EQ(src->DrawScaledAt(5, 6, 0.5f, dst.get()), DD_OK);
    EXPECT_TRUE(SameRect(src->DestRect, 5, 6, 55, 11));
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(54, 10), 0x00FFu);
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(55, 10), 0u);
    // The size is the product in the scale's own precision, then truncated.
    auto ten = Make(10, 20);
    ten->SetColorKey(0);
    ASSERT_EQ(ten->DrawScaledAt(0, 0, 0.7f, dst.get()), DD_OK);
    EXPECT_TRUE(SameRect(ten->DestRect, 0, 0, 7, 14));
    ASSERT_EQ(src->DrawMultipliedAt(0, 20, 2, 3, dst.get()), DD_OK);
    EXPECT_TRUE(SameRect(src->DestRect, 0, 20, 202, 50));
    src->SetSrcRect(0, 0, 10, 10);
    src->SetDestRect(60, 300, 80, 320);
    ASSERT_EQ(src->Draw(dst.get()), DD_OK);
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(319, 79), 0x00FFu);
    // A destination outside the surface is refused, not cut.
    src->SetDestRect(90, 390, 110, 410);
    EXPECT_EQ(src->Draw(dst.get()), DDERR_INVALIDRECT);
}

TEST_F(SurfaceTest, KeyedClippedDrawIsCutToTheClip) {
    auto src = Make(10, 10);
    auto dst = Make(50, 50);
    src->SetColorKey(0);
    src->Fill(0x0F0F);
    ASSERT_EQ(src->DrawKeyedClipped(-4, 45, dst.get(), RECT{0, 0, 50, 50}), DD_OK);
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(0, 49), 0x0F0Fu);
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(5, 49), 0x0F0Fu);
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(6, 49), 0u);
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(0, 44), 0u);
    // Clipped away entirely: the display refuses the empty rectangle.
    EXPECT_EQ(src->DrawKeyedClipped(60, 0, dst.get(), RECT{0, 0, 50, 50}), DDERR_INVALIDRECT);
}

TEST_F(SurfaceTest, MirroredDrawsLandOnTheSourceRectangle) {
    auto src = Make(3, 1);
    auto dst = Make(10, 10);
    for (int x = 0; x < 3; ++x) src->DirectDrawSurface->SetPixelAt(x, 0, static_cast<DWORD>(x + 1));
    ASSERT_EQ(src->DrawMirrorLR(7, 7, dst.get()), DD_OK);
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(0, 0), 3u);
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(2, 0), 1u);
    EXPECT_EQ(dst->DirectDrawSurface->PixelAt(7, 7), 0u);
}

TEST_F(SurfaceTest, LockGivesPixelsAndIsRefusedWhileTheContextIsHeld) {
    auto s = Make(20, 10);
    s->Lock();
    ASSERT_NE(s->SurfaceDesc.lpSurface, nullptr);
    EXPECT_GT(s->SurfaceDesc.lPitch, 40);
    s->Unlock();
    HDC dc = s->GetDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(s->GetDC(), dc);  // asked twice: the same context, still releasable
    s->Lock();
    EXPECT_EQ(s->SurfaceDesc.lpSurface, nullptr);
    EXPECT_EQ(s->SurfaceDesc.dwSize, DDSURFACEDESC2_SIZE);
    s->ReleaseDC();
    EXPECT_EQ(s->DC, nullptr);
    s->Lock();
    EXPECT_NE(s->SurfaceDesc.lpSurface, nullptr);
    // Blits to or from a locked surface are refused.
    auto other = Make(20, 10);
    EXPECT_EQ(other->DrawOpaqueAt(0, 0, s.get()), DDERR_SURFACEBUSY);
    s->Unlock();
    EXPECT_EQ(other->DrawOpaqueAt(0, 0, s.get()), DD_OK);
}

TEST_F(SurfaceTest, LockRestoresALostSurfaceAndGivesUpWhenRestoringKeepsFailing) {
    auto s = Make(8, 8);
    s->DirectDrawSurface->SetLost(true);
    s->Lock();
    EXPECT_NE(s->SurfaceDesc.lpSurface, nullptr);
    EXPECT_EQ(s->DirectDrawSurface->RestoreCount(), 1);
    s->Unlock();

    s->DirectDrawSurface->SetLost(true);
    s->DirectDrawSurface->SetRestoreRefused(true);
    s->Lock();  // returns: a bounded number of rounds, then nothing to draw with
    EXPECT_EQ(s->SurfaceDesc.lpSurface, nullptr);
    s->Unlock();
    EXPECT_EQ(s->DirectDrawSurface->IsLost(), DDERR_SURFACELOST);
    s->DirectDrawSurface->SetRestoreRefused(false);
    s->Lock();
    EXPECT_NE(s->SurfaceDesc.lpSurface, nullptr);
    s->Unlock();
}

TEST_F(SurfaceTest, ADrawFromALostSurfaceRestoresItAndReturnsTheLoss) {
    auto src = Make(8, 8);
    auto dst = Make(8, 8);
    src->DirectDrawSurface->SetLost(true);
    EXPECT_EQ(src->DrawOpaqueAt(0, 0, dst.get()), DDERR_SURFACELOST);
    EXPECT_EQ(src->DirectDrawSurface->IsLost(), DD_OK);
    EXPECT_EQ(src->DrawOpaqueAt(0, 0, dst.get()), DD_OK);
    // Fill does not restore.
    dst->DirectDrawSurface->SetLost(true);
    EXPECT_EQ(dst->Fill(0), DDERR_SURFACELOST);
    EXPECT_EQ(dst->DirectDrawSurface->IsLost(), DDERR_SURFACELOST);
}

TEST_F(SurfaceTest, RestoringTheBackBufferRestoresThePrimary) {
    IDirectDrawSurface4* primary = screen->FrontBuffer->DirectDrawSurface.get();
    primary->SetLost(true);
    ASSERT_EQ(screen->BackBuffer->DirectDrawSurface->IsLost(), DDERR_SURFACELOST);
    screen->BackBuffer->Restore();
    EXPECT_EQ(primary->IsLost(), DD_OK);
    EXPECT_EQ(primary->RestoreCount(), 1);
    EXPECT_EQ(screen->BackBuffer->DirectDrawSurface->IsLost(), DD_OK);
}

TEST_F(SurfaceTest, ASurfaceNeverCreatedFailsQuietly) {
    VXSurface none;
    auto dst = Make(8, 8);
    EXPECT_EQ(none.ColorKey, -1);
    EXPECT_NE(none.Fill(0), DD_OK);
    EXPECT_NE(none.SetColorKey(0), DD_OK);
    EXPECT_NE(none.Draw(dst.get()), DD_OK);
    EXPECT_NE(none.DrawOpaqueAt(0, 0, dst.get()), DD_OK);
    EXPECT_NE(none.DrawKeyedAt(0, 0, dst.get()), DD_OK);
    EXPECT_NE(none.DrawKeyedClipped(0, 0, dst.get(), RECT{0, 0, 8, 8}), DD_OK);
    EXPECT_NE(none.DrawToWindow(dst.get()), DD_OK);
    EXPECT_NE(none.DrawScaledAt(0, 0, 2.0f, dst.get()), DD_OK);
    EXPECT_NE(none.DrawMultipliedAt(0, 0, 2, 2, dst.get()), DD_OK);
    EXPECT_NE(none.DrawMirrorLR(0, 0, dst.get()), DD_OK);
    EXPECT_NE(none.DrawMirrorUD(0, 0, dst.get()), DD_OK);
    EXPECT_NE(dst->DrawOpaqueAt(0, 0, &none), DD_OK);
    EXPECT_NE(dst->Draw(nullptr), DD_OK);
    none.Lock();
    EXPECT_EQ(none.SurfaceDesc.lpSurface, nullptr);
    none.Unlock();
    none.Restore();
    EXPECT_EQ(none.GetDC(), nullptr);
    none.ReleaseDC();
    EXPECT_EQ(none.DrawText(0, 0, 0, "x"), 0);
    none.EmptyDraw();
    EXPECT_EQ(none.Create(nullptr, 8, 8, MemoryAny), 0);
    EXPECT_EQ(none.CreateFromFile(nullptr, "img\\x.bmp", MemoryAny), 0);
    EXPECT_EQ(none.CreateFromFile(screen.get(), nullptr, MemoryAny), 0);
}

TEST_F(SurfaceTest, DrawToWindowFillsTheClientArea) {
    auto src = Make(2, 2);
    src->Fill(0x0101);
    ASSERT_EQ(src->DrawToWindow(screen->BackBuffer.get()), DD_OK);
    EXPECT_EQ(screen->BackBuffer->DirectDrawSurface->PixelAt(799, 599), 0x0101u);
}

TEST_F(SurfaceTest, TextGoesThroughTheDeviceContext) {
    auto s = Make(100, 30);
    s->SetTextFont("Galactic.ttf", 0, 14, 700);
    ASSERT_TRUE(s->Font);
    EXPECT_EQ(s->DrawText(0, 0, RGB(255, 255, 255), "no context"), 0);
    ASSERT_NE(s->GetDC(), nullptr);
    EXPECT_NE(s->DrawText(2, 2, RGB(255, 255, 255), "Vantorra"), 0);
    s->ReleaseDC();
    int white = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) white += s->DirectDrawSurface->PixelAt(x, y) == 0xFFFFu;
    EXPECT_GT(white, 10);
}
