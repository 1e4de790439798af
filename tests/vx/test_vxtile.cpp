#include <gtest/gtest.h>

#include <vector>

#include "vx/vxtile.h"
#include "tests/vx/vxtest_display.h"

namespace {

class TileTest : public vxtest::DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        UseScratchFolder();
        screen = MakeFullScreen();
        // 30 x 20: three blocks of 10 x 10 in each of two rows.
        vxtest::WriteFile("img/blocks.bmp", vxtest::MakeBmp(30, 20, std::vector<std::uint32_t>(600, 0xFFFFFF)));
    }
    std::unique_ptr<VXScreen> screen;
};

bool Same(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
    return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

TEST_F(TileTest, LoadsThePictureAndKeepsTheBlocks) {
    VXTile tile(screen.get(), "img\\blocks.bmp", 10, 10, 6, MemoryAny);
    EXPECT_TRUE(tile.DirectDrawSurface);
    EXPECT_EQ(tile.Width, 30);
    EXPECT_EQ(tile.Height, 20);
    EXPECT_EQ(tile.BlockWidth, 10);
    EXPECT_EQ(tile.BlockHeight, 10);
    EXPECT_EQ(tile.BlockCount, 6);
    EXPECT_EQ(tile.ColorKey, 0);
    EXPECT_EQ(tile.BlocksPerRow(), 3);
}

TEST_F(TileTest, FramesAreCountedRowByRow) {
    VXTile tile(screen.get(), "img\\blocks.bmp", 10, 10, 6, MemoryAny);
    struct Case {
        int frame;
        LONG left, top, right, bottom;
    };
    const Case cases[] = {
        {0, 0, 0, 10, 10},   {2, 20, 0, 30, 10},  {3, 0, 10, 10, 20},
        {4, 10, 10, 20, 20}, {7, 10, 20, 20, 30},  // past the last row: below the picture
        {-1, -10, 0, 0, 10},                       // before the first: left of it
    };
    for (const Case& c : cases) {
        RECT r;
        ASSERT_TRUE(tile.BlockRect(c.frame, r)) << c.frame;
        EXPECT_TRUE(Same(r, c.left, c.top, c.right, c.bottom))
            << c.frame << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST_F(TileTest, NoWholeBlockMeansNothingToCut) {
    struct Case {
        int blockWidth, blockHeight;
    };
    for (const Case c : {Case{31, 10}, Case{10, 21}, Case{0, 10}, Case{10, 0}, Case{-10, 10}, Case{10, -5}}) {
        VXTile tile(screen.get(), "img\\blocks.bmp", c.blockWidth, c.blockHeight, 1, MemoryAny);
        EXPECT_TRUE(tile.DirectDrawSurface);
        EXPECT_EQ(tile.BlocksPerRow(), 0) << c.blockWidth << "x" << c.blockHeight;
        RECT r{1, 2, 3, 4};
        EXPECT_FALSE(tile.BlockRect(0, r));
        EXPECT_TRUE(Same(r, 1, 2, 3, 4));
    }
}

TEST_F(TileTest, HugeFramesDoNotOverflow) {
    VXTile tile(screen.get(), "img\\blocks.bmp", 1, 2000000000, 1, MemoryAny);
    RECT r;
    EXPECT_FALSE(tile.BlockRect(0, r));  // taller than the picture
    VXTile small(screen.get(), "img\\blocks.bmp", 10, 10, 6, MemoryAny);
    EXPECT_FALSE(small.BlockRect(INT32_MAX, r));
}

TEST_F(TileTest, CreateWithoutAFileNameChangesNothing) {
    VXTile tile(screen.get(), nullptr, 10, 10, 6, MemoryAny);
    EXPECT_FALSE(tile.DirectDrawSurface);
    EXPECT_EQ(tile.BlockWidth, 0);
    EXPECT_EQ(tile.Create(screen.get(), nullptr, 5, 5, 1, MemoryAny), 0);
    EXPECT_EQ(tile.BlockWidth, 0);
    EXPECT_EQ(tile.Create(screen.get(), "img\\blocks.bmp", 5, 5, 24, MemorySystem), 1);
    EXPECT_EQ(tile.BlocksPerRow(), 6);
}

TEST_F(TileTest, MissingPictureLeavesTheTileEmpty) {
    VXTile tile(screen.get(), "img\\nothing.bmp", 10, 10, 1, MemoryAny);
    EXPECT_FALSE(tile.DirectDrawSurface);
    EXPECT_EQ(tile.Create(screen.get(), "img\\nothing.bmp", 10, 10, 1, MemoryAny), 0);
    EXPECT_EQ(tile.BlockWidth, 10);  // the blocks are kept all the same
}

TEST_F(TileTest, InitClearsTheRectanglesAndBlocks) {
    VXTile tile(screen.get(), "img\\blocks.bmp", 10, 10, 6, MemoryAny);
    tile.Init();
    EXPECT_TRUE(Same(tile.SrcRect, 0, 0, 0, 0));
    EXPECT_TRUE(Same(tile.DestRect, 0, 0, 0, 0));
    EXPECT_EQ(tile.BlockWidth, 0);
    EXPECT_EQ(tile.BlockCount, 0);
    EXPECT_TRUE(tile.DirectDrawSurface);
}

}  // namespace
