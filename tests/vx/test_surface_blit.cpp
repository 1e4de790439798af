// The blit modes on real surfaces: formulas by depth, keys, clipping, the
// display-backed copies and the failures that must draw nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "tests/vx/blit_fixture.h"

namespace {

using blittest::Rect;
using blittest::World;

enum class Op { HalfBlend, HalfBlendKeyed, Alpha, AlphaKeyed, Shade, ShadeKeyed, HalfShade, HalfShadeKeyed, AlphaMap };

HRESULT Draw(Op op, VXSurface& src, VXSurface* dst, int x, int y, RECT r) {
    switch (op) {
        case Op::HalfBlend: return src.DrawHalfBlendOpaque(dst, x, y, r);
        case Op::HalfBlendKeyed: return src.DrawHalfBlendKeyed(dst, x, y, r);
        case Op::Alpha: return src.DrawAlphaOpaque(dst, x, y, r, 64);
        case Op::AlphaKeyed: return src.DrawAlphaKeyed(dst, x, y, r, 64);
        case Op::Shade: return src.DrawShadeRect(dst, x, y, r, 64);
        case Op::ShadeKeyed: return src.DrawShadeKeyed(dst, x, y, r, 64);
        case Op::HalfShade: return src.DrawHalfShadeRect(dst, x, y, r);
        case Op::HalfShadeKeyed: return src.DrawHalfShadeKeyed(dst, x, y, r);
        case Op::AlphaMap: return src.DrawAlphaMap(dst, x, y, r);
    }
    return E_FAIL;
}

// A source row of red, black (the key), red drawn over blue: the outer
// pixels show the mode's formula, the middle one whether the key held.
// Alpha and shade are 64, the alpha map byte 64. At 32 the destination's
// fourth byte is 0xAA and must survive.
struct ModeCase {
    Op op;
    int depth;
    std::uint32_t outer, middle;
};

constexpr std::uint32_t kRed[] = {0x7C00, 0xF800, 0xFF0000, 0xFFFF0000};  // 15, 16, 24, 32
constexpr std::uint32_t kBlue[] = {0x001F, 0x001F, 0x0000FF, 0xAA0000FF};

int DepthIndex(int depth) { return depth == 15 ? 0 : depth == 16 ? 1 : depth == 24 ? 2 : 3; }

const ModeCase kModeCases[] = {
    // Half blend: floor(s/2) + floor(d/2).
    {Op::HalfBlend, 15, 0x3C0F, 0x000F},
    {Op::HalfBlend, 16, 0x780F, 0x000F},
    {Op::HalfBlend, 24, 0x7F007F, 0x00007F},
    {Op::HalfBlend, 32, 0xAA7F007F, 0xAA00007F},
    {Op::HalfBlendKeyed, 15, 0x3C0F, 0x001F},
    {Op::HalfBlendKeyed, 16, 0x780F, 0x001F},
    {Op::HalfBlendKeyed, 24, 0x7F007F, 0x0000FF},
    {Op::HalfBlendKeyed, 32, 0xAA7F007F, 0xAA0000FF},
    // Alpha 64: s + floor(64 (d - s) / 256); red 31 -> 23, blue 0 -> 7 (5 bits), 255 -> 191, 0 -> 63 (8 bits).
    {Op::Alpha, 15, 0x5C07, 0x0007},
    {Op::Alpha, 16, 0xB807, 0x0007},
    {Op::Alpha, 24, 0xBF003F, 0x00003F},
    {Op::Alpha, 32, 0xAABF003F, 0xAA00003F},
    {Op::AlphaKeyed, 15, 0x5C07, 0x001F},
    {Op::AlphaKeyed, 16, 0xB807, 0x001F},
    {Op::AlphaKeyed, 24, 0xBF003F, 0x0000FF},
    {Op::AlphaKeyed, 32, 0xAABF003F, 0xAA0000FF},
    // Shade 64: (64 d) >> 8 of the destination only; blue 31 -> 7, 255 -> 63.
    {Op::Shade, 15, 0x0007, 0x0007},
    {Op::Shade, 16, 0x0007, 0x0007},
    {Op::Shade, 24, 0x00003F, 0x00003F},
    {Op::Shade, 32, 0xAA00003F, 0xAA00003F},
    {Op::ShadeKeyed, 15, 0x0007, 0x001F},
    {Op::ShadeKeyed, 16, 0x0007, 0x001F},
    {Op::ShadeKeyed, 24, 0x00003F, 0x0000FF},
    {Op::ShadeKeyed, 32, 0xAA00003F, 0xAA0000FF},
    // Half shade: floor(d / 2).
    {Op::HalfShade, 15, 0x000F, 0x000F},
    {Op::HalfShade, 16, 0x000F, 0x000F},
    {Op::HalfShade, 24, 0x00007F, 0x00007F},
    {Op::HalfShade, 32, 0xAA00007F, 0xAA00007F},
    {Op::HalfShadeKeyed, 15, 0x000F, 0x001F},
    {Op::HalfShadeKeyed, 16, 0x000F, 0x001F},
    {Op::HalfShadeKeyed, 24, 0x00007F, 0x0000FF},
    {Op::HalfShadeKeyed, 32, 0xAA00007F, 0xAA0000FF},
    // Alpha map 64: d + floor((s - d) 64 / 256), always keyed.
    {Op::AlphaMap, 15, 0x1C17, 0x001F},
    {Op::AlphaMap, 16, 0x3817, 0x001F},
    {Op::AlphaMap, 24, 0x3F00BF, 0x0000FF},
    {Op::AlphaMap, 32, 0xAA3F00BF, 0xAA0000FF},
};

TEST(SoftwareBlits, EveryModeAtEveryDepth) {
    for (const ModeCase& c : kModeCases) {
        SCOPED_TRACE(testing::Message() << "op " << static_cast<int>(c.op) << " depth " << c.depth);
        World w;
        const int i = DepthIndex(c.depth);
        auto src = w.Make(c.depth, 3, 1, kRed[i]);
        World::Set(*src, 1, 0, 0);
        src->ColorKey = 0;
        src->AlphaMap = std::make_unique<BYTE[]>(3);
        std::memset(src->AlphaMap.get(), 64, 3);
        auto dst = w.Make(c.depth, 5, 1, kBlue[i]);
        ASSERT_EQ(Draw(c.op, *src, dst.get(), 1, 0, Rect(0, 0, 3, 1)), 0);
        EXPECT_EQ(World::At(*dst, 0, 0), kBlue[i]);
        EXPECT_EQ(World::At(*dst, 1, 0), c.outer);
        EXPECT_EQ(World::At(*dst, 2, 0), c.middle);
        EXPECT_EQ(World::At(*dst, 3, 0), c.outer);
        EXPECT_EQ(World::At(*dst, 4, 0), kBlue[i]);
        // Both surfaces are left unlocked.
        EXPECT_FALSE(src->DirectDrawSurface->IsLocked());
        EXPECT_FALSE(dst->DirectDrawSurface->IsLocked());
    }
}

TEST(SoftwareBlits, DepthFifteenNeverWritesBitFifteen) {
    World w;
    auto src = w.Make(15, 4, 1, 0xFFFF);
    auto dst = w.Make(15, 4, 1, 0xFFFF);
    const Op ops[] = {Op::HalfBlend, Op::Alpha, Op::Shade, Op::HalfShade};
    for (Op op : ops) {
        World::FillAll(*dst, 0xFFFF);
        ASSERT_EQ(Draw(op, *src, dst.get(), 0, 0, Rect(0, 0, 4, 1)), 0);
        for (int x = 0; x < 4; ++x) EXPECT_EQ(World::At(*dst, x, 0) & 0x8000u, 0u) << static_cast<int>(op);
    }
}

TEST(SoftwareBlits, ShadeAndAlphaClampAt256) {
    World w;
    auto src = w.Make(16, 1, 1, 0xF800);
    auto dst = w.Make(16, 1, 1, 0xFFFF);
    ASSERT_EQ(src->DrawShadeRect(dst.get(), 0, 0, Rect(0, 0, 1, 1), 300), 0);
    EXPECT_EQ(World::At(*dst, 0, 0), 0xFFFFu);
    World::Set(*dst, 0, 0, 0x001F);
    ASSERT_EQ(src->DrawAlphaOpaque(dst.get(), 0, 0, Rect(0, 0, 1, 1), 1000), 0);
    EXPECT_EQ(World::At(*dst, 0, 0), 0x001Fu);
    ASSERT_EQ(src->DrawAlphaOpaque(dst.get(), 0, 0, Rect(0, 0, 1, 1), 0), 0);
    EXPECT_EQ(World::At(*dst, 0, 0), 0xF800u);
}

// A surface created empty has the key -1: keyed modes skip nothing, black
// included.
TEST(SoftwareBlits, EmptySurfaceKeySkipsNothing) {
    World w;
    auto src = w.Make(16, 2, 1, 0);
    ASSERT_EQ(src->ColorKey, -1);
    auto dst = w.Make(16, 2, 1, 0xFFFF);
    ASSERT_EQ(src->DrawHalfBlendKeyed(dst.get(), 0, 0, Rect(0, 0, 2, 1)), 0);
    EXPECT_EQ(World::At(*dst, 0, 0), 0x7BEFu);
    EXPECT_EQ(World::At(*dst, 1, 0), 0x7BEFu);
}

// Clipping at every edge of the destination and of the source's own clip
// rectangle; only the clipped rectangle changes.
TEST(SoftwareBlits, ClippedAtEveryEdge) {
    struct Clip {
        int x, y;
        RECT src;
        RECT changed;  // on the 8 x 8 destination
    } cases[] = {
        {-2, -2, Rect(0, 0, 4, 4), Rect(0, 0, 2, 2)},  // top-left
        {6, 6, Rect(0, 0, 4, 4), Rect(6, 6, 8, 8)},    // bottom-right
        {-3, 5, Rect(0, 0, 4, 4), Rect(0, 5, 1, 8)},   // left and bottom
        {7, -1, Rect(0, 0, 4, 4), Rect(7, 0, 8, 3)},   // right and top
        {2, 2, Rect(-5, -5, 2, 3), Rect(2, 2, 4, 5)},  // source clipped to itself
    };
    for (const Clip& c : cases) {
        World w;
        auto src = w.Make(16, 4, 4, 0x1234);
        auto dst = w.Make(16, 8, 8, 0xFFFF);
        ASSERT_EQ(src->DrawHalfShadeRect(dst.get(), c.x, c.y, c.src), 0);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const bool inside =
                    x >= c.changed.left && x < c.changed.right && y >= c.changed.top && y < c.changed.bottom;
                EXPECT_EQ(World::At(*dst, x, y), inside ? 0x7BEFu : 0xFFFFu)
                    << c.x << "," << c.y << " at " << x << "," << y;
            }
    }
}

TEST(SoftwareBlits, ClipsTheSourceRectangleWithTheDestination) {
    // The destination cuts 1 column on the left: the source's column 1 lands at x = 0.
    World w;
    auto src = w.Make(16, 3, 1);
    for (int x = 0; x < 3; ++x) World::Set(*src, x, 0, 0x1000u * static_cast<unsigned>(x + 1));  // red 2, 4, 6
    auto dst = w.Make(16, 4, 1, 0);
    ASSERT_EQ(src->DrawHalfBlendOpaque(dst.get(), -1, 0, Rect(0, 0, 3, 1)), 0);
    EXPECT_EQ(World::At(*dst, 0, 0), 0x1000u);  // half of red 4
    EXPECT_EQ(World::At(*dst, 1, 0), 0x1800u);  // half of red 6
    EXPECT_EQ(World::At(*dst, 2, 0), 0u);
}

TEST(SoftwareBlits, AlphaMapFollowsTheSourceRectangle) {
    // The map is read at the same place as the pixels, with the source's
    // width as its pitch, also when the rectangle is clipped.
    World w;
    auto src = w.Make(16, 4, 2, 0xF800);
    src->AlphaMap = std::make_unique<BYTE[]>(8);
    const BYTE map[8] = {0, 0, 0, 0, 0, 0, 255, 128};
    std::memcpy(src->AlphaMap.get(), map, 8);
    auto dst = w.Make(16, 3, 3, 0x001F);
    ASSERT_EQ(src->DrawAlphaMap(dst.get(), 0, 0, Rect(1, 1, 4, 2)), 0);  // map bytes 0, 255, 128
    EXPECT_EQ(World::At(*dst, 0, 0), 0x001Fu);
    EXPECT_EQ(World::At(*dst, 1, 0), 0xF000u);
    EXPECT_EQ(World::At(*dst, 2, 0), 0x780Fu);
}

TEST(SoftwareBlits, DrawNothingOnBadInput) {
    World w;
    auto src = w.Make(16, 4, 4, 0x1234);
    auto dst = w.Make(16, 8, 8, 0xFFFF);
    const RECT r = Rect(0, 0, 4, 4);
    const Op ops[] = {Op::HalfBlend, Op::AlphaKeyed, Op::Shade, Op::HalfShadeKeyed, Op::AlphaMap};
    src->AlphaMap = std::make_unique<BYTE[]>(16);
    for (Op op : ops) {
        SCOPED_TRACE(static_cast<int>(op));
        // Wholly outside the destination.
        EXPECT_EQ(Draw(op, *src, dst.get(), 8, 0, r), E_FAIL);
        EXPECT_EQ(Draw(op, *src, dst.get(), -4, 0, r), E_FAIL);
        // No destination, or a destination without a picture.
        EXPECT_EQ(Draw(op, *src, nullptr, 0, 0, r), E_FAIL);
        VXSurface empty;
        EXPECT_EQ(Draw(op, *src, &empty, 0, 0, r), E_FAIL);
        EXPECT_EQ(Draw(op, empty, dst.get(), 0, 0, r), E_FAIL);
        // The surface onto itself.
        EXPECT_EQ(Draw(op, *dst, dst.get(), 1, 1, Rect(0, 0, 2, 2)), E_FAIL);
        EXPECT_EQ(World::CountNot(*dst, 0xFFFF), 0);
    }
}

TEST(SoftwareBlits, ALockTheCallerHoldsIsLeftAlone) {
    World w;
    auto src = w.Make(16, 2, 2, 0x1234);
    auto dst = w.Make(16, 2, 2, 0xFFFF);
    dst->Lock();
    ASSERT_NE(dst->SurfaceDesc.lpSurface, nullptr);
    void* held = dst->SurfaceDesc.lpSurface;
    EXPECT_EQ(src->DrawHalfBlendOpaque(dst.get(), 0, 0, Rect(0, 0, 2, 2)), E_FAIL);
    EXPECT_TRUE(dst->DirectDrawSurface->IsLocked());
    EXPECT_EQ(dst->SurfaceDesc.lpSurface, held);
    dst->Unlock();
    EXPECT_EQ(World::CountNot(*dst, 0xFFFF), 0);
    EXPECT_FALSE(src->DirectDrawSurface->IsLocked());
}

TEST(SoftwareBlits, FailedLockDrawsNothing) {
    World w;
    auto src = w.Make(16, 2, 2, 0x1234);
    auto dst = w.Make(16, 2, 2, 0xFFFF);
    dst->DirectDrawSurface->SetLost(true);
    dst->DirectDrawSurface->SetRestoreRefused(true);
    EXPECT_EQ(src->DrawShadeRect(dst.get(), 0, 0, Rect(0, 0, 2, 2), 10), E_FAIL);
    EXPECT_FALSE(src->DirectDrawSurface->IsLocked());
}

TEST(SoftwareBlits, MismatchedPixelSizesDrawNothing) {
    World w;
    auto src = w.Make(16, 4, 4, 0x1234);
    auto dst = w.Make(32, 4, 4, 0xFFFFFFFF);
    EXPECT_EQ(src->DrawHalfBlendOpaque(dst.get(), 0, 0, Rect(0, 0, 4, 4)), E_FAIL);
    EXPECT_EQ(World::CountNot(*dst, 0xFFFFFFFF), 0);
}

TEST(SoftwareBlits, FieldsLargerThanTheMemoryDrawNothing) {
    // A surface whose size and clip rectangle claim more than its memory
    // holds is not written past its end.
    World w;
    auto src = w.Make(16, 8, 8, 0x1234);
    auto dst = w.Make(16, 4, 4, 0xFFFF);
    dst->Width = dst->Height = 8;
    dst->ClipBounds = Rect(0, 0, 8, 8);
    EXPECT_EQ(src->DrawHalfShadeRect(dst.get(), 2, 2, Rect(0, 0, 4, 4)), E_FAIL);
    EXPECT_EQ(src->DrawMirrorLROpaque(dst.get(), 2, 2, Rect(0, 0, 4, 4)), E_FAIL);
    dst->Width = dst->Height = 4;
    EXPECT_EQ(World::CountNot(*dst, 0xFFFF), 0);
}

TEST(SoftwareBlits, EightBitDestinationLocksAndDrawsNothing) {
    World w(8);
    auto src = w.Make(8, 2, 2, 3);
    auto dst = w.Make(8, 2, 2, 9);
    EXPECT_EQ(src->DrawHalfBlendOpaque(dst.get(), 0, 0, Rect(0, 0, 2, 2)), 0);
    EXPECT_EQ(World::CountNot(*dst, 9), 0);
    EXPECT_FALSE(dst->DirectDrawSurface->IsLocked());
}

TEST(AlphaMapBlit, WithoutAMapCopiesKeyedAndFails) {
    World w;
    auto src = w.Make(16, 2, 1, 0xF800);
    World::Set(*src, 1, 0, 0);
    src->SetColorKey(0);
    auto dst = w.Make(16, 2, 1, 0x001F);
    EXPECT_EQ(src->DrawAlphaMap(dst.get(), 0, 0, Rect(0, 0, 2, 1)), E_FAIL);
    EXPECT_EQ(World::At(*dst, 0, 0), 0xF800u);
    EXPECT_EQ(World::At(*dst, 1, 0), 0x001Fu);
}

// ---- Copies through the display surface ----------------------------------------

TEST(PlainCopies, OpaqueAndKeyed) {
    World w;
    auto src = w.Make(16, 3, 2, 0x1111);
    World::Set(*src, 1, 0, 0);
    src->SetColorKey(0);
    auto a = w.Make(16, 4, 4, 0xEEEE);
    auto b = w.Make(16, 4, 4, 0xEEEE);
    EXPECT_EQ(src->DrawOpaqueRect(a.get(), 1, 1, Rect(0, 0, 3, 2)), DD_OK);
    EXPECT_EQ(src->DrawKeyedRect(b.get(), 1, 1, Rect(0, 0, 3, 2)), DD_OK);
    EXPECT_EQ(World::At(*a, 2, 1), 0u);
    EXPECT_EQ(World::At(*b, 2, 1), 0xEEEEu);
    EXPECT_EQ(World::At(*a, 3, 2), 0x1111u);
    EXPECT_EQ(World::At(*b, 3, 2), 0x1111u);
    EXPECT_EQ(World::CountNot(*a, 0xEEEE), 6);
    EXPECT_EQ(World::CountNot(*b, 0xEEEE), 5);
}

TEST(PlainCopies, ClippedOrRefused) {
    World w;
    auto src = w.Make(16, 4, 4, 0x1111);
    auto dst = w.Make(16, 4, 4, 0xEEEE);
    EXPECT_EQ(src->DrawOpaqueRect(dst.get(), -2, 3, Rect(0, 0, 4, 4)), DD_OK);
    EXPECT_EQ(World::CountNot(*dst, 0xEEEE), 2);  // (0, 3) and (1, 3)
    EXPECT_EQ(src->DrawOpaqueRect(dst.get(), 4, 0, Rect(0, 0, 4, 4)), E_FAIL);
    EXPECT_EQ(src->DrawKeyedRect(nullptr, 0, 0, Rect(0, 0, 4, 4)), E_FAIL);
    VXSurface empty;
    EXPECT_EQ(empty.DrawOpaqueRect(dst.get(), 0, 0, Rect(0, 0, 4, 4)), E_FAIL);
}

TEST(PlainCopies, LostSourceIsRestoredAndNotRetried) {
    World w;
    auto src = w.Make(16, 2, 2, 0x1111);
    auto dst = w.Make(16, 2, 2, 0xEEEE);
    src->DirectDrawSurface->SetLost(true);
    EXPECT_EQ(src->DrawOpaqueRect(dst.get(), 0, 0, Rect(0, 0, 2, 2)), DDERR_SURFACELOST);
    EXPECT_EQ(src->DirectDrawSurface->RestoreCount(), 1);
    EXPECT_EQ(World::CountNot(*dst, 0xEEEE), 0);
}

// The bounding box of the pixels that differ from `v`, (0,0,0,0) for none.
RECT ChangedBox(const VXSurface& s, std::uint32_t v) {
    RECT r{std::numeric_limits<LONG>::max(), std::numeric_limits<LONG>::max(), -1, -1};
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x)
            if (World::At(s, x, y) != v) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    if (r.right < 0) return RECT{};
    return r;
}

void ExpectRect(const RECT& got, const RECT& want) {
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.bottom, want.bottom);
}

// A 16-bit source whose pixel (x, y) holds 1 + x + width * y, so every
// pixel tells where it came from.
std::unique_ptr<VXSurface> Numbered(World& w, int width, int height) {
    auto s = w.Make(16, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) World::Set(*s, x, y, static_cast<std::uint32_t>(1 + x + width * y));
    return s;
}

TEST(ScaledCopies, CentredOnTheUnscaledRectangle) {
    struct Case {
        float scale;
        RECT filled;
    } cases[] = {
        {2.0f, Rect(95, 95, 115, 115)},
        {0.5f, Rect(102, 102, 107, 107)},
        {1.0f, Rect(100, 100, 110, 110)},
    };
    for (const Case& c : cases) {
        World w;
        auto src = w.Make(16, 10, 10, 0x1111);
        auto dst = w.Make(16, 200, 200, 0);
        EXPECT_EQ(src->DrawScaledOpaque(dst.get(), 100, 100, Rect(0, 0, 10, 10), c.scale), DD_OK) << c.scale;
        ExpectRect(ChangedBox(*dst, 0), c.filled);
        EXPECT_EQ(World::CountNot(*dst, 0), (c.filled.right - c.filled.left) * (c.filled.bottom - c.filled.top));
    }
}

TEST(ScaledCopies, NegativeOrNotANumberDrawsNothing) {
    World w;
    auto src = w.Make(16, 10, 10, 0x1111);
    auto dst = w.Make(16, 200, 200, 0);
    for (float s : {-1.0f, 0.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
        EXPECT_EQ(src->DrawScaledOpaque(dst.get(), 100, 100, Rect(0, 0, 10, 10), s), E_FAIL) << s;
    EXPECT_EQ(World::CountNot(*dst, 0), 0);
}

TEST(ScaledCopies, HugeSizesStayInsideTheDestination) {
    // Rectangles far beyond the coordinate range are held to it, then
    // clipped: the destination is covered and nothing else is touched.
    World w;
    auto src = w.Make(16, 10, 10, 0x1111);
    auto dst = w.Make(16, 30, 20, 0);
    EXPECT_EQ(src->DrawScaledOpaque(dst.get(), 0, 0, Rect(0, 0, 10, 10), 1e9f), DD_OK);
    EXPECT_EQ(World::CountNot(*dst, 0x1111), 0);
    World::FillAll(*dst, 0);
    EXPECT_EQ(src->DrawStretchedOpaque(dst.get(), 0, 0, Rect(0, 0, 10, 10), 2147483647, 2147483647), DD_OK);
    EXPECT_EQ(World::CountNot(*dst, 0x1111), 0);
}

TEST(ScaledCopies, ClippingMovesTheSourceEdgesByTheScale) {
    // 10 x 10 at (0, 0) doubled: (-5, -5)-(15, 15), clipped to (0, 0)-(15, 15);
    // the source's left and top move by trunc(5 / 2) = 2, leaving columns
    // and rows 2..9 spread over 15 pixels.
    World w;
    auto src = Numbered(w, 10, 10);
    auto dst = w.Make(16, 40, 40, 0);
    EXPECT_EQ(src->DrawScaledOpaque(dst.get(), 0, 0, Rect(0, 0, 10, 10), 2.0f), DD_OK);
    ExpectRect(ChangedBox(*dst, 0), Rect(0, 0, 15, 15));
    EXPECT_EQ(World::At(*dst, 0, 0), 1u + 2 + 20);
    EXPECT_EQ(World::At(*dst, 14, 14), 1u + 9 + 90);
}

TEST(ScaledCopies, KeyedUsesTheDisplayKey) {
    World w;
    auto src = w.Make(16, 2, 1, 0x1111);
    World::Set(*src, 0, 0, 0);
    src->SetColorKey(0);
    auto dst = w.Make(16, 8, 8, 0x2222);
    EXPECT_EQ(src->DrawScaledKeyed(dst.get(), 3, 3, Rect(0, 0, 2, 1), 2.0f), DD_OK);
    // top = trunc(3 + 0.5 - 1), left = trunc(3 + 1 - 2): (2, 2)-(6, 4), the
    // left half keyed away.
    EXPECT_EQ(World::At(*dst, 2, 2), 0x2222u);
    EXPECT_EQ(World::At(*dst, 3, 3), 0x2222u);
    EXPECT_EQ(World::At(*dst, 4, 2), 0x1111u);
    EXPECT_EQ(World::At(*dst, 5, 3), 0x1111u);
    EXPECT_EQ(World::CountNot(*dst, 0x2222), 4);
}

TEST(StretchedCopies, CentredAndSized) {
    World w;
    auto src = w.Make(16, 10, 10, 0x1111);
    auto dst = w.Make(16, 200, 200, 0);
    EXPECT_EQ(src->DrawStretchedOpaque(dst.get(), 100, 100, Rect(0, 0, 10, 10), 20, 30), DD_OK);
    ExpectRect(ChangedBox(*dst, 0), Rect(95, 90, 115, 120));
    EXPECT_EQ(src->DrawStretchedKeyed(dst.get(), 0, 0, Rect(0, 0, 10, 10), 0, 5), E_FAIL);
    EXPECT_EQ(src->DrawStretchedOpaque(dst.get(), 0, 0, Rect(0, 0, 10, 10), 5, -1), E_FAIL);
    EXPECT_EQ(src->DrawStretchedOpaque(dst.get(), 0, 0, Rect(20, 20, 30, 30), 5, 5), E_FAIL);  // source clipped away
}

TEST(StretchedCopies, ClippingMovesTheSourceEdgesByTheRatio) {
    // 4 x 4 stretched to 8 x 8 at (0, 0): (-2, -2)-(6, 6), clipped to
    // (0, 0)-(6, 6); the source's left and top move by trunc(2 / 2) = 1.
    World w;
    auto src = Numbered(w, 4, 4);
    auto dst = w.Make(16, 20, 20, 0);
    EXPECT_EQ(src->DrawStretchedOpaque(dst.get(), 0, 0, Rect(0, 0, 4, 4), 8, 8), DD_OK);
    ExpectRect(ChangedBox(*dst, 0), Rect(0, 0, 6, 6));
    EXPECT_EQ(World::At(*dst, 0, 0), 1u + 1 + 4);
    EXPECT_EQ(World::At(*dst, 5, 5), 1u + 3 + 12);
}

TEST(StretchedCopies, KeyedSkipsTheKey) {
    World w;
    auto src = w.Make(16, 2, 2, 0x1111);
    World::Set(*src, 1, 1, 0);
    src->SetColorKey(0);
    auto dst = w.Make(16, 10, 10, 0x2222);
    EXPECT_EQ(src->DrawStretchedKeyed(dst.get(), 4, 4, Rect(0, 0, 2, 2), 4, 4), DD_OK);
    EXPECT_EQ(World::CountNot(*dst, 0x2222), 12);
    EXPECT_EQ(World::At(*dst, 5, 5), 0x2222u);  // bottom-right quarter (5..6, 5..6) keyed
}

// ---- Mirrored copies -----------------------------------------------------------

TEST(MirroredCopies, LeftRightAndUpDown) {
    World w;
    auto src = Numbered(w, 3, 2);
    auto lr = w.Make(16, 5, 3, 0);
    auto ud = w.Make(16, 5, 3, 0);
    EXPECT_EQ(src->DrawMirrorLROpaque(lr.get(), 1, 1, Rect(0, 0, 3, 2)), 0);
    EXPECT_EQ(src->DrawMirrorUDOpaque(ud.get(), 1, 1, Rect(0, 0, 3, 2)), 0);
    // The rightmost column lands at x; the bottom row at y.
    EXPECT_EQ(World::At(*lr, 1, 1), 3u);
    EXPECT_EQ(World::At(*lr, 3, 1), 1u);
    EXPECT_EQ(World::At(*lr, 1, 2), 6u);
    EXPECT_EQ(World::At(*ud, 1, 1), 4u);
    EXPECT_EQ(World::At(*ud, 3, 2), 3u);
}

TEST(MirroredCopies, ClippingKeepsTheMirroredPart) {
    World w;
    auto src = Numbered(w, 3, 3);
    // One column cut off the destination's left: the source's rightmost
    // column is the one dropped.
    auto lr = w.Make(16, 4, 3, 0);
    EXPECT_EQ(src->DrawMirrorLROpaque(lr.get(), -1, 0, Rect(0, 0, 3, 3)), 0);
    EXPECT_EQ(World::At(*lr, 0, 0), 2u);
    EXPECT_EQ(World::At(*lr, 1, 0), 1u);
    EXPECT_EQ(World::At(*lr, 2, 0), 0u);
    // One row cut at the destination's bottom: the source's top row goes.
    auto ud = w.Make(16, 3, 2, 0);
    EXPECT_EQ(src->DrawMirrorUDOpaque(ud.get(), 0, 0, Rect(0, 0, 3, 3)), 0);
    EXPECT_EQ(World::At(*ud, 0, 0), 7u);
    EXPECT_EQ(World::At(*ud, 0, 1), 4u);
}

// Every edge cut, through the display's Blt and through the fallback (both
// surfaces locked by the caller): the cut always takes the columns or rows
// that the mirrored picture shows at that edge.
TEST(MirroredCopies, EveryEdgeCutOnBothPaths) {
    struct Cut {
        const char* name;
        bool leftRight;
        int x, y;
        // Pixels of the 4 x 4 destination that must hold source values
        // (1 + column + 3 * row of the 3 x 3 source); every other one stays 0.
        std::vector<std::pair<std::pair<int, int>, std::uint32_t>> want;
    } cuts[] = {
        // Left-right: each row reads 3, 2, 1 from x on.
        {"left cut", true, -1, 0, {{{0, 0}, 2}, {{1, 0}, 1}, {{0, 2}, 8}, {{1, 2}, 7}}},
        {"right cut", true, 2, 0, {{{2, 0}, 3}, {{3, 0}, 2}, {{2, 2}, 9}, {{3, 2}, 8}}},
        // Up-down: each column reads the rows 2, 1, 0 from y on.
        {"top cut", false, 0, -1, {{{0, 0}, 4}, {{0, 1}, 1}, {{2, 0}, 6}, {{2, 1}, 3}}},
        {"bottom cut", false, 0, 2, {{{0, 2}, 7}, {{0, 3}, 4}, {{2, 2}, 9}, {{2, 3}, 6}}},
    };
    for (bool fallback : {false, true})
        for (const Cut& c : cuts) {
            SCOPED_TRACE(testing::Message() << c.name << (fallback ? " by hand" : " by Blt"));
            World w;
            auto src = Numbered(w, 3, 3);
            auto dst = w.Make(16, 4, 4, 0);
            if (fallback) {
                src->Lock();
                dst->Lock();
            }
            const HRESULT hr = c.leftRight ? src->DrawMirrorLROpaque(dst.get(), c.x, c.y, Rect(0, 0, 3, 3))
                                           : src->DrawMirrorUDOpaque(dst.get(), c.x, c.y, Rect(0, 0, 3, 3));
            if (fallback) {
                dst->Unlock();
                src->Unlock();
            }
            EXPECT_EQ(hr, 0);
            for (const auto& [at, value] : c.want)
                EXPECT_EQ(World::At(*dst, at.first, at.second), value) << at.first << "," << at.second;
            EXPECT_EQ(World::CountNot(*dst, 0), 6);  // a 2 x 3 or 3 x 2 rectangle
        }
}

TEST(MirroredCopies, KeyedBltUsesTheDisplayKey) {
    World w;
    auto src = w.Make(16, 3, 1, 0x1111);
    World::Set(*src, 0, 0, 0);
    World::Set(*src, 2, 0, 0x3333);
    src->SetColorKey(0);
    auto lr = w.Make(16, 3, 1, 0x7777);
    auto ud = w.Make(16, 3, 1, 0x7777);
    EXPECT_EQ(src->DrawMirrorLRKeyed(lr.get(), 0, 0, Rect(0, 0, 3, 1)), 0);
    EXPECT_EQ(src->DrawMirrorUDKeyed(ud.get(), 0, 0, Rect(0, 0, 3, 1)), 0);
    EXPECT_EQ(World::At(*lr, 0, 0), 0x3333u);
    EXPECT_EQ(World::At(*lr, 1, 0), 0x1111u);
    EXPECT_EQ(World::At(*lr, 2, 0), 0x7777u);  // the black pixel, keyed away
    EXPECT_EQ(World::At(*ud, 0, 0), 0x7777u);
    EXPECT_EQ(World::At(*ud, 2, 0), 0x3333u);
}

TEST(MirroredCopies, FallbackUnderTheCallersLocks) {
    // With both surfaces locked the display's Blt refuses; the copy is done
    // by hand through the held locks, with the surface's own key.
    World w;
    auto src = w.Make(16, 3, 1);
    World::Set(*src, 0, 0, 0x0101);
    World::Set(*src, 1, 0, 0);
    World::Set(*src, 2, 0, 0x0303);
    src->ColorKey = 0;
    auto lr = w.Make(16, 3, 1, 0x7777);
    src->Lock();
    lr->Lock();
    EXPECT_EQ(src->DrawMirrorLRKeyed(lr.get(), 0, 0, Rect(0, 0, 3, 1)), 0);
    EXPECT_TRUE(lr->DirectDrawSurface->IsLocked());
    EXPECT_TRUE(src->DirectDrawSurface->IsLocked());
    lr->Unlock();
    src->Unlock();
    EXPECT_EQ(World::At(*lr, 0, 0), 0x0303u);
    EXPECT_EQ(World::At(*lr, 1, 0), 0x7777u);
    EXPECT_EQ(World::At(*lr, 2, 0), 0x0101u);
}

TEST(MirroredCopies, FallbackWithoutADisplayKey) {
    // Keyed without a display colour key: Blt refuses and the fallback keys
    // by ColorKey, locking and unlocking the surfaces itself.
    World w;
    auto src = w.Make(32, 2, 1);
    World::Set(*src, 0, 0, 0x00123456);
    World::Set(*src, 1, 0, 0);
    src->ColorKey = 0;
    w.screen.BitsPerPixel = 32;
    auto ud = w.Make(32, 2, 1, 0xFF000000);
    EXPECT_EQ(src->DrawMirrorUDKeyed(ud.get(), 0, 0, Rect(0, 0, 2, 1)), 0);
    EXPECT_FALSE(ud->DirectDrawSurface->IsLocked());
    EXPECT_EQ(World::At(*ud, 0, 0), 0xFF123456u);  // fourth byte kept
    EXPECT_EQ(World::At(*ud, 1, 0), 0xFF000000u);
}

TEST(MirroredCopies, RefusedOnBadInput) {
    World w;
    auto src = w.Make(16, 3, 1, 0x1111);
    auto dst = w.Make(16, 3, 1, 0x2222);
    EXPECT_EQ(src->DrawMirrorLROpaque(dst.get(), 3, 0, Rect(0, 0, 3, 1)), E_FAIL);
    EXPECT_EQ(src->DrawMirrorUDKeyed(nullptr, 0, 0, Rect(0, 0, 3, 1)), E_FAIL);
    VXSurface empty;
    EXPECT_EQ(empty.DrawMirrorLRKeyed(dst.get(), 0, 0, Rect(0, 0, 3, 1)), E_FAIL);
    // Onto itself under its own lock, the fallback would read pixels it has
    // already written.
    dst->Lock();
    EXPECT_EQ(dst->DrawMirrorLROpaque(dst.get(), 0, 0, Rect(0, 0, 3, 1)), E_FAIL);
    dst->Unlock();
    EXPECT_EQ(World::CountNot(*dst, 0x2222), 0);
    // A lost destination that cannot be restored: Blt fails and so does the
    // fallback's lock, so the copy reports the failure instead of success.
    dst->DirectDrawSurface->SetLost(true);
    dst->DirectDrawSurface->SetRestoreRefused(true);
    EXPECT_EQ(src->DrawMirrorUDOpaque(dst.get(), 0, 0, Rect(0, 0, 3, 1)), E_FAIL);
    EXPECT_FALSE(src->DirectDrawSurface->IsLocked());
    EXPECT_FALSE(dst->DirectDrawSurface->IsLocked());
    dst->DirectDrawSurface->SetLost(false);
    EXPECT_EQ(World::CountNot(*dst, 0x2222), 0);
}

}  // namespace
