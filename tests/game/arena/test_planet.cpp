// Planets: the picture region stretched over the planet's square and cut to
// the screen.
#include "tests/game/arena_pictures.h"
#include "tests/game/world_fixture.h"

namespace {

constexpr PixelValue kLeftColour = 0xF800;
constexpr PixelValue kRightColour = 0x07E0;

class PlanetTest : public WorldFixture {
protected:
    // Counts of a colour along a row and down a column of the work surface.
    int CountInRow(int y, PixelValue c) {
        int n = 0;
        LockWork();
        for (int x = 0; x < Width(); ++x) n += Form1->WorkSurface->GetPixel(x, y) == c;
        UnlockWork();
        return n;
    }
    int CountInColumn(int x, PixelValue c) {
        int n = 0;
        LockWork();
        for (int y = 0; y < Height(); ++y) n += Form1->WorkSurface->GetPixel(x, y) == c;
        UnlockWork();
        return n;
    }
};

TEST_F(PlanetTest, RegionIsScaledToTheSquareOfTwiceTheRadius) {
    // A 150-pixel region of a larger picture: the rest must not show.
    auto picture = MakeSplitPicture(200, 150, kLeftColour, kRightColour);
    game->Zoom = 4;
    Planet* p = SetPlanet(250, 250, 60, 0.1f, picture.get());
    p->Draw();
    EXPECT_EQ(p->ScreenLeft, 76);
    EXPECT_EQ(p->ScreenTop, 76);
    EXPECT_EQ(p->ScreenRight, 124);
    EXPECT_EQ(p->ScreenBottom, 124);
    EXPECT_EQ(CountInRow(100, kLeftColour), 48);
    EXPECT_EQ(CountInColumn(100, kLeftColour), 48);
    EXPECT_EQ(CountInRow(100, kRightColour), 0);
    EXPECT_EQ(At(76, 76), kLeftColour);
    EXPECT_EQ(At(123, 123), kLeftColour);
    EXPECT_FALSE(WorkIsLocked());
}

TEST_F(PlanetTest, CameraShiftsThePlanet) {
    auto picture = MakePicture(150, 150, kLeftColour);
    game->CameraX = 300;
    game->CameraY = -50;
    Planet* p = SetPlanet(400, 100, 20, 0.1f, picture.get());
    p->Draw();
    EXPECT_EQ(p->ScreenLeft, 80);
    EXPECT_EQ(p->ScreenTop, 130);
    EXPECT_EQ(At(100, 150), kLeftColour);
}

TEST_F(PlanetTest, HalfOffTheRightEdgeShowsTheLeftPartUpToTheLastColumn) {
    auto picture = MakeSplitPicture(150, 75, kLeftColour, kRightColour);
    Planet* p = SetPlanet(800, 300, 50, 0.1f, picture.get());  // screen 750..850
    p->Draw();
    EXPECT_EQ(p->ScreenRight, 850);
    EXPECT_EQ(CountInRow(300, kRightColour), 0);
    EXPECT_EQ(At(750, 300), kLeftColour);
    EXPECT_EQ(At(798, 300), kLeftColour);
    EXPECT_EQ(At(749, 300), 0u);
}

TEST_F(PlanetTest, PartlyAboveTheTopShowsTheLowerPartFromRowZero) {
    auto picture = MakePicture(150, 150, kRightColour);
    picture->FillRect(0, 0, 150, 75, kLeftColour);           // upper half
    Planet* p = SetPlanet(300, 0, 50, 0.1f, picture.get());  // rows -50..50
    p->Draw();
    EXPECT_EQ(CountInColumn(300, kLeftColour), 0);
    EXPECT_EQ(At(300, 0), kRightColour);
    EXPECT_EQ(At(300, 49), kRightColour);
}

TEST_F(PlanetTest, OffScreenPlanetIsNotDrawnButRecordsItsRectangle) {
    auto picture = MakePicture(150, 150, kLeftColour);
    Planet* p = SetPlanet(1000, 300, 50, 0.1f, picture.get());
    p->Draw();
    EXPECT_EQ(p->ScreenLeft, 950);
    EXPECT_EQ(p->ScreenRight, 1050);
    for (PixelValue px : Pixels()) ASSERT_EQ(px, 0u);
}

TEST_F(PlanetTest, PlanetWhosePictureFailedToLoadDrawsNothing) {
    VXSurface unloaded;  // no display surface, as after a failed load
    Planet* p = SetPlanet(300, 300, 50, 0.1f, &unloaded);
    p->Draw();
    EXPECT_EQ(p->ScreenLeft, 250);
    Planet* none = SetPlanet(300, 300, 50, 0.1f, nullptr);
    none->Draw();
    EXPECT_EQ(none->ScreenRight, 350);
    for (PixelValue px : Pixels()) ASSERT_EQ(px, 0u);
}

}  // namespace
