// The play frame: camera, zoom, the shot and asteroid walks, the arena edge
// lines, Esc, the ship controls and ship-against-ship collisions.
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "tests/game/arena_pictures.h"
#include "game/menus/menu.h"
#include "tests/game/play_fixture.h"

namespace {

class PlayFrameTest : public PlayFixture {};

struct CameraCase {
    float BlueLife, GreenLife;
    float PreviousZoom;
    int ScreenW, ScreenH;
    float CameraX, CameraY;
    float NextZoom;
};

// Blue at (400, 500), green at (600, 500): 200 apart, so both flying gives
// a zoom of 13.5 for the next frame.
TEST_F(PlayFrameTest, CameraCentresOnTheSurvivorOrTheMidpoint) {
    const CameraCase cases[] = {
        {100, 100, 10, 800, 600, 500 - 400, 500 - 300, 13.5f},
        {100, 100, 5, 800, 600, 250 - 400, 250 - 300, 13.5f},
        // The screen halves are integer halves.
        {100, 100, 10, 801, 601, 500 - 400, 500 - 300, 13.5f},
        {100, -1, 10, 800, 600, 400 - 400, 500 - 300, 6.0f},
        {-1, 100, 10, 800, 600, 600 - 400, 500 - 300, 6.0f},
        {-1, -1, 10, 800, 600, 500 - 400, 500 - 300, 13.5f},
    };
    for (const CameraCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "lives " << c.BlueLife << "/" << c.GreenLife << " zoom " << c.PreviousZoom
                                        << " screen " << c.ScreenW);
        Place(blue, 400, 500, c.BlueLife);
        Place(green, 600, 500, c.GreenLife);
        game->RoundEndCounter = 0;
        game->Zoom = c.PreviousZoom;
        game->ScreenWidth = c.ScreenW;
        game->ScreenHeight = c.ScreenH;
        PlayFrame(game);
        EXPECT_FLOAT_EQ(game->CameraX, c.CameraX);
        EXPECT_FLOAT_EQ(game->CameraY, c.CameraY);
        EXPECT_FLOAT_EQ(game->Zoom, c.NextZoom);
        // The ships were given the camera of this frame.
        EXPECT_FLOAT_EQ(blue->ViewX, c.CameraX);
        EXPECT_FLOAT_EQ(green->ViewY, c.CameraY);
        EXPECT_FLOAT_EQ(green->Zoom, c.PreviousZoom);
    }
}

struct ZoomCase {
    float BlueX, BlueY, GreenX, GreenY;
    int MinZoom;
    float Zoom;
};

TEST_F(PlayFrameTest, ZoomFollowsTheShipsDistanceWithinItsLimits) {
    const ZoomCase cases[] = {
        {900, 1000, 1035, 1000, 4, 20.0f}, {700, 1000, 1375, 1000, 4, 4.0f},
        {700, 1000, 1375, 1000, 5, 5.0f},  {300, 1000, 1650, 1000, 4, 4.0f},    // 2.0, raised to the lowest zoom
        {300, 1000, 1650, 1000, 1, 2.0f},  {1000, 1000, 1000, 1000, 4, 20.0f},  // the same point
        {1000, 200, 1000, 1700, 5, 4.2f},                                       // vertical spread 1500
        {1000, 0, 1000, 2000, 5, 3.2f},                                         // 2000
        {1000, -100, 1000, 2100, 5, 2.8f},                                      // 2200 reaches the floor
        {1000, 0, 1000, 2000, 4, 2.8f},                                         // 2.2 is raised to the floor
        {0, 900, 1000, 1900, 1, 1.9092f},  // a diagonal spread of 1000 costs nothing
    };
    for (const ZoomCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.BlueX << "," << c.BlueY << ") (" << c.GreenX << "," << c.GreenY
                                        << ") min " << c.MinZoom);
        Place(blue, c.BlueX, c.BlueY);
        Place(green, c.GreenX, c.GreenY);
        game->MinZoom = c.MinZoom;
        game->Zoom = 10;
        EXPECT_EQ(PlayFrame(game), ScreenPlay);
        EXPECT_NEAR(game->Zoom, c.Zoom, 1e-4);
    }
}

// A shot that counts its visits and takes a scripted life from its update.
// The deletion count is shared with the test, since a shot still in the list
// is deleted after the test's body, with the game state.
class ScriptedShot : public Shot {
public:
    ScriptedShot(float life, float lifeAfterUpdate, std::shared_ptr<int> deleted)
        : After(lifeAfterUpdate), Deleted(std::move(deleted)) {
        Life = life;
    }
    ~ScriptedShot() override { ++*Deleted; }
    void Update() override {
        ++Updates;
        Life = After;
    }
    void Draw() override { ++Draws; }
    float After;
    std::shared_ptr<int> Deleted;
    int Updates = 0;
    int Draws = 0;
};

std::vector<Object*> ShotsIn(Iterator& list) {
    std::vector<Object*> out;
    for (Item* item = list.Head->Next; item; item = item->Next) out.push_back(item->Data);
    return out;
}

TEST_F(PlayFrameTest, SpentShotsAreUpdatedOnceAndRemovedInTheSameFrame) {
    auto deleted = std::make_shared<int>(0);
    auto* flying = new ScriptedShot(1, 1, deleted);
    auto* spentNow = new ScriptedShot(1, -1, deleted);
    auto* fading = new ScriptedShot(-0.5f, -0.5f, deleted);  // above -1: still moves once
    auto* spent = new ScriptedShot(-1, -1, deleted);         // not moved, only removed
    auto* last = new ScriptedShot(1, -1, deleted);           // removed at the end of the walk
    for (ScriptedShot* shot : {flying, spentNow, fading, spent, last}) game->ShotList->Append(shot);

    PlayFrame(game);

    ASSERT_EQ(ShotsIn(*game->ShotList), std::vector<Object*>{flying});
    EXPECT_EQ(*deleted, 4);
    EXPECT_EQ(flying->Updates, 1);
    EXPECT_EQ(flying->Draws, 1);
    EXPECT_FLOAT_EQ(flying->ViewX, game->CameraX);
    EXPECT_FLOAT_EQ(flying->ViewY, game->CameraY);
    EXPECT_FLOAT_EQ(flying->Zoom, 10.0f);

    PlayFrame(game);
    EXPECT_EQ(flying->Updates, 2);
    EXPECT_EQ(*deleted, 4);
}

TEST_F(PlayFrameTest, AnEmptyShotSlotIsSkipped) {
    auto* shot = new ScriptedShot(1, 1, std::make_shared<int>(0));
    game->ShotList->Append(nullptr);
    game->ShotList->Append(shot);
    PlayFrame(game);
    EXPECT_EQ(shot->Updates, 1);
    EXPECT_EQ(ShotsIn(*game->ShotList).size(), 2u);
}

TEST_F(PlayFrameTest, DestroyedAsteroidsLeaveTheField) {
    Asteroid* first = AddAsteroid(100, 1900, 20, -1);
    Asteroid* kept = AddAsteroid(300, 1900, 20, 50);
    Asteroid* last = AddAsteroid(500, 1900, 20, -3);
    (void)first;
    (void)last;
    PlayFrame(game);
    EXPECT_EQ(game->AsteroidHead->Next, kept);
    EXPECT_EQ(kept->Prev, game->AsteroidHead);
    EXPECT_EQ(kept->Next, game->AsteroidTail);
    EXPECT_EQ(game->AsteroidTail->Prev, kept);
    EXPECT_EQ(game->AsteroidCursor, game->AsteroidTail);
}

// A rock that counts what the walk does with it. The counts are shared with
// the test, since a rock still in the field is deleted after the test's body.
struct RockCalls {
    int Draws = 0, Updates = 0, Collides = 0, Deleted = 0;
    int Turns() const { return Draws + Updates + Collides; }
};

class CountingRock : public Asteroid {
public:
    CountingRock(float x, float y, float vx, int life, std::shared_ptr<RockCalls> calls)
        : Asteroid(life, 0, 20, x, y, vx, 0, 100), Calls(std::move(calls)) {}
    ~CountingRock() override { ++Calls->Deleted; }
    void Draw() override {
        ++Calls->Draws;
        Asteroid::Draw();
    }
    void Update() override {
        ++Calls->Updates;
        Asteroid::Update();
    }
    void Collide() override {
        ++Calls->Collides;
        Asteroid::Collide();
    }
    std::shared_ptr<RockCalls> Calls;
};

// A rock knocked below 0 hit points by the rock before it in the walk takes
// no turn and is deleted at once; one knocked out by the rock after it is
// left alone for the rest of the frame and deleted, again without a turn, by
// the next walk. The walk goes on through both.
TEST_F(PlayFrameTest, ARockDestroyedBeforeItsTurnIsDeletedWithoutATurn) {
    const auto calls = [] { return std::make_shared<RockCalls>(); };
    const std::shared_ptr<RockCalls> aCalls = calls(), killedByACalls = calls(), pCalls = calls(), qCalls = calls();
    const RockCalls &a = *aCalls, &killedByA = *killedByACalls, &p = *pCalls, &q = *qCalls;
    LinkAsteroid(new CountingRock(1000, 300, 0, 50, aCalls));
    LinkAsteroid(new CountingRock(1030, 300, 0, 0, killedByACalls));  // overlaps the rock before it
    Asteroid* killedByQ = LinkAsteroid(new CountingRock(300, 300, 0, 0, pCalls));
    Asteroid* last = LinkAsteroid(new CountingRock(345, 300, -10, 50, qCalls));  // reaches it only when it moves

    PlayFrame(game);
    EXPECT_EQ(killedByA.Turns(), 0);
    EXPECT_EQ(killedByA.Deleted, 1);
    EXPECT_EQ(p.Turns(), 3);
    EXPECT_EQ(q.Turns(), 3);
    ASSERT_EQ(p.Deleted, 0);
    EXPECT_LT(killedByQ->Life, 0);
    EXPECT_EQ(killedByQ->Next, last);
    EXPECT_EQ(game->AsteroidCursor, game->AsteroidTail);

    PlayFrame(game);
    EXPECT_EQ(p.Turns(), 3);
    EXPECT_EQ(p.Deleted, 1);
    EXPECT_EQ(a.Turns(), 6);
    EXPECT_EQ(q.Turns(), 6);
    EXPECT_EQ(last->Prev, game->AsteroidHead->Next);
    EXPECT_EQ(game->AsteroidHead->Next->Next, last);
    EXPECT_EQ(game->AsteroidTail->Prev, last);
    EXPECT_EQ(game->AsteroidCursor, game->AsteroidTail);
}

// A rock shot to pieces in one frame is not there in the next: it does not
// ram the ship flying into where it was, and it is not drawn.
TEST_F(PlayFrameTest, ARockKilledByAShotDoesNotRamTheShipInItsWay) {
    GiveScratchSurface();
    const PixelValue rockColour = 0xF81F;
    for (auto& frame : Form1->AsteroidFrames) {
        frame = MakePicture(100, 100, rockColour);
        frame->SetColorKey(0);
    }
    // Blue flies at the rock at 5 a frame: 40 apart now, in reach
    // (20 + 20 - 8) after the second frame's move.
    Place(blue, 900, 1000);
    blue->BoundingSphere = 20;
    blue->Drive = 0;
    blue->VX = 5;
    const float shields = blue->FrontShield + blue->BackShield;
    ASSERT_GT(shields, 0);
    Asteroid* rock = AddAsteroid(940, 1000, 20, 5);
    // A green laser bolt resting on the rock.
    game->ShotList->Append(new Energy(0, 940, 1000, 0, 0, 0, 10, 100, green));

    PlayFrame(game);
    ASSERT_EQ(game->AsteroidHead->Next, rock);
    EXPECT_LT(rock->Life, 0);
    EXPECT_GT(CountLit(Pixels()), 0);
    EXPECT_EQ(green->Pilot->Hits, 1);

    Clear();
    PlayFrame(game);
    EXPECT_EQ(game->AsteroidHead->Next, game->AsteroidTail);
    EXPECT_EQ(game->AsteroidTail->Prev, game->AsteroidHead);
    EXPECT_FLOAT_EQ(blue->X, 910);
    EXPECT_FLOAT_EQ(blue->VX, 5);
    EXPECT_EQ(blue->AreaDamage, 0);
    EXPECT_EQ(blue->FrontShield + blue->BackShield, shields);
    for (PixelValue pixel : Pixels()) ASSERT_NE(pixel, rockColour);
}

TEST_F(PlayFrameTest, AFrameWithoutBothShipsGoesBackToTheMainMenu) {
    delete game->GreenShip;
    game->GreenShip = nullptr;
    blue->Opponent = nullptr;
    EXPECT_EQ(PlayFrame(game), ScreenMainMenu);
    EXPECT_FALSE(WorkIsLocked());
}

TEST_F(PlayFrameTest, TheFrameLeavesTheWorkSurfaceUnlocked) {
    EXPECT_EQ(PlayFrame(game), ScreenPlay);
    EXPECT_FALSE(WorkIsLocked());
    green->Life = -1;
    EXPECT_EQ(PlayFrame(game), ScreenPlay);
    EXPECT_FALSE(WorkIsLocked());
}

TEST_F(PlayFrameTest, StarsAreDrawnInThreeLayers) {
    // One star per layer, all at world (100, 100); the rest far off screen.
    for (int i = 0; i < kPlayStarCount; ++i) game->PlayStarX[i] = game->PlayStarY[i] = -100000;
    for (int i : {0, 400, 800}) game->PlayStarX[i] = game->PlayStarY[i] = 100;
    Place(blue, 400, 300);
    Place(green, 400, 300);
    game->Zoom = 10;
    // The camera ends at 0, 0, and a star lands at
    // 100 * Zoom * scale - ((400 + 0) * factor - 400), and likewise in y.
    PlayFrame(game);
    const UIColourSet& c = Form1->UIColours;
    EXPECT_EQ(At(192, 169), c.ColourWhite);     // 100 - (307.7 - 400), 100 - (230.8 - 300)
    EXPECT_EQ(At(248, 206), c.ColourGrey);      // 83.3 - (235.3 - 400), 83.3 - (176.5 - 300)
    EXPECT_EQ(At(286, 234), c.ColourDarkGrey);  // 76.9 - (190.5 - 400), 76.9 - (142.9 - 300)
    EXPECT_EQ(At(100, 100), 0u);
}

// Planets and asteroids are blits, drawn while the work surface is unlocked;
// the lines and texts around them still need it locked.
TEST_F(PlayFrameTest, PlanetsAndAsteroidsAreDrawnBetweenTheLockedStretches) {
    const PixelValue planetColour = 0x07E0, rockColour = 0xF81F;
    auto planetPicture = MakePicture(150, 150, planetColour);
    SetPlanet(1000, 1000, 50, 0.1f, planetPicture.get());
    GiveScratchSurface();
    for (auto& frame : Form1->AsteroidFrames) {
        frame = MakePicture(100, 100, rockColour);
        frame->SetColorKey(0);
    }
    AddAsteroid(1000, 1200, 20);
    Place(blue, 800, 1000);  // the camera lands on (600, 700)
    Place(green, 1200, 1000);
    blue->ShieldMax = 10;  // so the display has a line to draw
    ASSERT_EQ(PlayFrame(game), ScreenPlay);
    EXPECT_EQ(At(400, 300), planetColour);
    EXPECT_EQ(At(400, 500), rockColour);
    EXPECT_GT(CountLit(Pixels()), 100 * 100 + 40 * 40);
    const std::vector<PixelValue> shown = Pixels();
    int hudPixels = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 60; ++x) hudPixels += shown[static_cast<std::size_t>(y) * 800 + x] != 0;
    EXPECT_GT(hudPixels, 20);
}

struct EscCase {
    int GameMode;
    int Screen;
};

TEST_F(PlayFrameTest, EscReturnsToTheScreenThatStartedTheRound) {
    const EscCase cases[] = {{ScreenQuickGame, ScreenQuickGame},
                             {ScreenBattlePick, ScreenBattlePick},
                             {ScreenBattleMenu, ScreenMainMenu},
                             {0, ScreenMainMenu}};
    for (const EscCase& c : cases) {
        SCOPED_TRACE(c.GameMode);
        game->GameMode = c.GameMode;
        game->MenuLatch = game->BlueLatch = game->GreenLatch = 0;
        Form1->KeyState[kKeyEscape] = 1;
        EXPECT_EQ(PlayFrame(game), c.Screen);
        EXPECT_EQ(game->MenuLatch, 1);
        EXPECT_EQ(game->BlueLatch, 1);
        EXPECT_EQ(game->GreenLatch, 1);
        EXPECT_FALSE(WorkIsLocked());
    }
}

TEST_F(PlayFrameTest, EscIsIgnoredWhileAShipIsDown) {
    game->GameMode = ScreenBattlePick;
    green->Life = -1;
    Form1->KeyState[kKeyEscape] = 1;
    EXPECT_EQ(PlayFrame(game), ScreenPlay);
    EXPECT_EQ(game->MenuLatch, 0);
    EXPECT_EQ(game->RoundEndCounter, 1);
}

TEST_F(PlayFrameTest, ControlKeysOutsideTheKeyTableReadAsUp) {
    const int blueCodes[kShipControls] = {65, 300, -5, 127, 128, 0, 66, 67, 68, 69};
    const int greenCodes[kShipControls] = {70, 71, 72, 73, 74, 75, 76, 77, 78, -2147483647 - 1};
    for (int k = 0; k < kShipControls; ++k) {
        blue->KeyCodes[k] = blueCodes[k];
        green->KeyCodes[k] = greenCodes[k];
        blue->KeyDown[k] = green->KeyDown[k] = 1;
    }
    for (int code : {0, 65, 66, 127, 72, 78}) Form1->KeyState[code] = 1;
    ReadShipControls(game);
    const std::uint8_t blueDown[kShipControls] = {1, 0, 0, 1, 0, 1, 1, 0, 0, 0};
    const std::uint8_t greenDown[kShipControls] = {0, 0, 1, 0, 0, 0, 0, 0, 1, 0};
    for (int k = 0; k < kShipControls; ++k) {
        EXPECT_EQ(blue->KeyDown[k], blueDown[k]) << "blue control " << k;
        EXPECT_EQ(green->KeyDown[k], greenDown[k]) << "green control " << k;
    }
}

class ArenaEdgesTest : public PlayFixture {
protected:
    struct Segment {
        int X1, Y1, X2, Y2;
    };
    // The surface with only these blue lines drawn.
    std::vector<PixelValue> Lines(const std::vector<Segment>& segments) {
        Clear();
        LockWork();
        for (const Segment& s : segments)
            Form1->WorkSurface->DrawLine(s.X1, s.Y1, s.X2, s.Y2, Form1->UIColours.ColourBlue);
        UnlockWork();
        std::vector<PixelValue> out = Pixels();
        Clear();
        return out;
    }
    std::vector<PixelValue> Edges() {
        LockWork();
        DrawArenaEdges(game);
        UnlockWork();
        return Pixels();
    }
};

// At zoom 2 with the camera at (-100, -100), world (x, y) is screen
// (x / 5 + 100, y / 5 + 100): the arena's corners are (100, 100), (500, 100),
// (100, 500) and (500, 500).
TEST_F(ArenaEdgesTest, AShipBeyondACornerIsJoinedToBothCrossedEdges) {
    game->Zoom = 2;
    game->CameraX = game->CameraY = -100;
    Place(blue, 2100, -50);  // screen (520, 90)
    Place(green, 1000, 1000);
    const std::vector<PixelValue> expected =
        Lines({{500, 100, 520, 90}, {520, 90, 500, 500}, {100, 100, 520, 90}, {520, 90, 500, 100}});
    EXPECT_GT(CountLit(expected), 800);
    EXPECT_EQ(Edges(), expected);
}

TEST_F(ArenaEdgesTest, EachCrossedEdgeGetsItsTwoLines) {
    game->Zoom = 2;
    game->CameraX = game->CameraY = -100;
    Place(blue, -250, 1000);   // screen (50, 300), beyond the left edge
    Place(green, 1500, 2250);  // screen (400, 550), below the bottom edge
    const std::vector<PixelValue> expected =
        Lines({{100, 500, 400, 550}, {400, 550, 500, 500}, {100, 100, 50, 300}, {50, 300, 100, 500}});
    EXPECT_EQ(Edges(), expected);
}

TEST_F(ArenaEdgesTest, ShipsInsideTheArenaOrDestroyedDrawNothing) {
    game->Zoom = 2;
    game->CameraX = game->CameraY = -100;
    Place(blue, 2000, 0);  // on the border is inside
    Place(green, 2100, 2100, -1);
    EXPECT_EQ(CountLit(Edges()), 0);
}

class CollideShipsTest : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        blue->BoundingSphere = 10;
        green->BoundingSphere = 15;
        Place(blue, 1000, 1000);
        Place(green, 1025, 1000);
        blue->VX = 3;
        blue->VY = 1;
        green->VX = -2;
        green->VY = 0.5f;
        green->CloakState = blue->CloakState = 0;
    }
    bool Collided() {
        const float vx = blue->VX;
        CollideShips(game);
        return blue->VX != vx;
    }
};

TEST_F(CollideShipsTest, TouchingSpheresMustOverlap) {
    EXPECT_FALSE(Collided());  // 10 + 15 equals the distance 25
    green->X = 1024.9f;
    EXPECT_TRUE(Collided());
}

TEST_F(CollideShipsTest, PhasedOrDestroyedShipsNeverCollide) {
    green->X = 1010;
    blue->CloakState = 2;
    EXPECT_FALSE(Collided());
    blue->CloakState = 1;  // a normal cloak still collides
    green->CloakState = 2;
    EXPECT_FALSE(Collided());
    green->CloakState = 0;
    green->Life = -1;
    EXPECT_FALSE(Collided());
    green->Life = 0;
    EXPECT_TRUE(Collided());
}

TEST_F(CollideShipsTest, ARamSwapsAndDampsTheVelocitiesAndMovesBothShips) {
    green->X = 1020;
    CollideShips(game);
    EXPECT_FLOAT_EQ(blue->VX, -1.8f);
    EXPECT_FLOAT_EQ(blue->VY, 0.45f);
    EXPECT_FLOAT_EQ(green->VX, 2.7f);
    EXPECT_FLOAT_EQ(green->VY, 0.9f);
    EXPECT_FLOAT_EQ(blue->X, 998.2f);
    EXPECT_FLOAT_EQ(blue->Y, 1000.45f);
    EXPECT_FLOAT_EQ(green->X, 1022.7f);
    EXPECT_FLOAT_EQ(green->Y, 1000.9f);
}

// An inertialess ship left beyond a wall with its keys up, touching a ship
// at rest there. Until it is back inside it flies, rams and is rammed exactly
// as a ship with the normal drive would in its place, so no ram sees a speed
// it does not fly with; once inside it stops dead.
TEST_F(CollideShipsTest, AnInertialessShipParkedBeyondAWallComesBackAsAnyOther) {
    const auto fly = [this](int drive) {
        blue = MakeShip(0, 0);
        green = MakeShip(1, 0);
        blue->BoundingSphere = 10;
        green->BoundingSphere = 15;
        Place(blue, -1017, 1000);
        Place(green, -993, 1000);
        blue->Drive = drive;
        std::vector<std::pair<float, float>> course;  // blue's X and VX after each frame
        for (int frame = 0; frame < 3000 && blue->X < 0; ++frame) {
            PlayFrame(game);
            course.emplace_back(blue->X, blue->VX);
        }
        return course;
    };
    const auto normal = fly(0);
    ASSERT_GT(normal.size(), 100u);
    ASSERT_LT(normal.size(), 3000u);
    // Each took the other's push from the wall, damped: they touched.
    EXPECT_FLOAT_EQ(normal[0].second, 0.9f * 0.15f);
    const auto inertialess = fly(2);
    EXPECT_EQ(inertialess, normal);
    for (Ship* ship : {blue, green}) {
        EXPECT_EQ(ship->Life, 100);
        EXPECT_EQ(ship->FrontArmour, ship->FrontArmourMax);
        EXPECT_EQ(ship->BackArmour, ship->BackArmourMax);
    }
    PlayFrame(game);
    const float x = blue->X;
    for (int more = 0; more < 20; ++more) PlayFrame(game);
    EXPECT_EQ(blue->X, x);
    EXPECT_EQ(blue->VX, 0);
}

struct RamCase {
    float Speed;   // each ship's, towards the other
    float Damage;  // area damage each ship takes
};

TEST_F(CollideShipsTest, ARamCostsEachShipTwiceTheRelativeSpeedAndPlaysItsSound) {
    const RamCase cases[] = {{5.0f, 20.0f}, {0.245f, 0.0f}, {1.3f, 5.0f}};
    WatchSounds();
    for (const RamCase& c : cases) {
        SCOPED_TRACE(c.Speed);
        Hush();
        Place(blue, 1000, 1000);
        Place(green, 1020, 1000);
        blue->VX = c.Speed;
        blue->VY = 0;
        green->VX = -c.Speed;
        green->VY = 0;
        for (Ship* ship : {blue, green}) ship->FrontShield = ship->BackShield = 50;
        CollideShips(game);
        // Half of the area damage, truncated, falls on each shield.
        const float left = 50 - std::trunc(c.Damage * 0.5f);
        for (Ship* ship : {blue, green}) {
            EXPECT_FLOAT_EQ(ship->FrontShield, left);
            EXPECT_FLOAT_EQ(ship->BackShield, left);
            EXPECT_FLOAT_EQ(ship->AreaDamage, 0);
        }
        EXPECT_FLOAT_EQ(blue->VX, -0.9f * c.Speed);
        EXPECT_FLOAT_EQ(green->VX, 0.9f * c.Speed);
        EXPECT_EQ(Playing(), std::vector<int>{18});
    }
}

TEST_F(CollideShipsTest, AShipRammedToDeathStartsTheBannerInTheSameFrame) {
    // Blue flies into green within this frame's own movement: 30 apart, the
    // spheres add up to 25.
    Place(blue, 1000, 1000, 1);
    Place(green, 1030, 1000);
    blue->VX = 5;
    green->VX = -5;
    blue->FrontShield = blue->BackShield = 0;
    blue->FrontArmour = blue->BackArmour = 0;
    EXPECT_EQ(PlayFrame(game), ScreenPlay);
    ASSERT_LT(blue->Life, 0);
    EXPECT_EQ(game->RoundEndCounter, 1);
    EXPECT_EQ(green->Pilot->Kills, 1);
    EXPECT_FLOAT_EQ(game->Zoom, 6.0f);
    for (int frame = 1; frame < 200; ++frame) ASSERT_EQ(PlayFrame(game), ScreenPlay);
    EXPECT_EQ(green->Pilot->Wins, 0);
    PlayFrame(game);
    EXPECT_EQ(green->Pilot->Wins, 1);
    EXPECT_EQ(blue->Pilot->Losses, 1);
    EXPECT_EQ(blue->Pilot->ShotDeaths, 1);
}

}  // namespace
