// Drawing a ship: its rotation frame, size and place, the cloak's blending,
// the aim line; its smoke and a wreck's drift; the engine sound; the status
// bars and missile ticks.
#include "game/common/miscdraw.h"
#include "tests/game/sound_watch.h"
#include "tests/game/world_fixture.h"

namespace {

// A distinct, non-black colour for each frame of a set.
PixelValue FrameColour(int frame) {
    return 0x0800u * static_cast<PixelValue>(frame % 31 + 1) + static_cast<PixelValue>(frame / 31 + 1);
}

class ShipDraw : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        VXScreen* screen = Form1->WorkSurface->Screen;
        Form1->ScratchSurface = std::make_unique<VXSurface>();
        ASSERT_EQ(Form1->ScratchSurface->Create(screen, 500, 500, MemoryAny), 1);
        Form1->ScratchSurface->SetColorKey(0);
        for (int f = 0; f < kBuiltInFrames; ++f) {
            auto& picture = Form1->ShipFrameTable[0][static_cast<std::size_t>(f)];
            picture = std::make_unique<VXSurface>();
            ASSERT_EQ(picture->Create(screen, 16, 16, MemoryAny), 1);
            picture->Fill(FrameColour(f));
        }
        ship = MakeShip(0, 0);
        MakeShip(1, 0);
        ship->ImageSelection = 0;
        ship->FrameCount = 60;
        ship->DrawScale = 10;
        ship->BoundingSphere = 10;
        ship->X = ship->Y = 100;
        ship->Heading = 270;
        ship->AimLine = 0;
        ship->CloakState = ship->CloakLevel = 0;
        ship->Life = 10;
    }

    void TearDown() override {
        for (auto& picture : Form1->ShipFrameTable[0]) picture.reset();
        Form1->ScratchSurface.reset();
        WorldFixture::TearDown();
    }

    // The ship drawn as the play frame does: work surface locked, colour set.
    void DrawShip(PixelValue colour = 0x07E0) {
        LockWork();
        SetDrawColour(colour);
        ship->Draw();
        EXPECT_TRUE(WorkIsLocked());
        UnlockWork();
    }

    Ship* ship = nullptr;
};

TEST_F(ShipDraw, TheHeadingPicksTheRotationFrame) {
    struct Case {
        float heading;
        int frameCount;
        int frame;
    };
    const Case cases[] = {
        {270, 60, 0}, {0, 60, 15},   {271, 60, 0}, {269, 60, 59},
        {90, 60, 30}, {180, 60, 45}, {267, 7, 0},  // a = 357 gives 357 / 51 = 7, past the last frame
        {266, 7, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        Clear();
        ship->Heading = c.heading;
        ship->FrameCount = c.frameCount;
        DrawShip();
        EXPECT_EQ(At(100, 100), FrameColour(c.frame));
    }
}

TEST_F(ShipDraw, TheFrameIsScaledToTheDrawScaleAndPlacedByTheView) {
    DrawShip();
    // 20 x 20 pixels, one pixel right of the ship's box.
    const PixelValue c = FrameColour(0);
    EXPECT_EQ(At(91, 90), c);
    EXPECT_EQ(At(110, 109), c);
    EXPECT_EQ(At(90, 90), 0u);
    EXPECT_EQ(At(111, 100), 0u);
    EXPECT_EQ(At(100, 110), 0u);
    EXPECT_EQ(At(100, 89), 0u);

    Clear();
    ship->SetZoom(5);
    ship->SetView(20, 10);
    ship->X = 300;
    ship->Y = 200;
    DrawShip();
    // Size 10; left = -5 + 150 - 20 = 125, top = -5 + 100 - 10 = 85.
    EXPECT_EQ(At(126, 85), c);
    EXPECT_EQ(At(135, 94), c);
    EXPECT_EQ(At(125, 85), 0u);
    EXPECT_EQ(At(136, 90), 0u);
    EXPECT_EQ(At(130, 95), 0u);
    // The scratch surface is left clear for the next picture.
    Form1->ScratchSurface->Lock();
    EXPECT_EQ(Form1->ScratchSurface->GetPixel(5, 5), 0u);
    Form1->ScratchSurface->Unlock();
}

TEST_F(ShipDraw, TheAimLineRunsAheadOfTheShipInTheCurrentColour) {
    ship->AimLine = 1;
    ship->Heading = 0;
    DrawShip(0x07E0);
    // From BoundingSphere + 15 to + 35 units ahead: x 125 to 145 on row 100.
    EXPECT_EQ(At(125, 100), 0x07E0u);
    EXPECT_EQ(At(145, 100), 0x07E0u);
    EXPECT_EQ(At(124, 100), 0u);
    EXPECT_EQ(At(146, 100), 0u);
}

TEST_F(ShipDraw, TheCloakHidesOrBlendsTheShipAndItsAimLine) {
    struct Case {
        const char* name;
        int state, level;
        bool blended, aimLine;
    };
    const Case cases[] = {
        {"fading out", kCloakNone, 64, true, true},
        {"normal cloak complete", kCloakNormal, 256, false, false},
        {"normal cloak fading in", kCloakNormal, 100, true, false},
        {"phased", kCloakPhasing, 128, true, false},
    };
    ship->AimLine = 1;
    ship->Heading = 0;
    const PixelValue full = FrameColour(15);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        ship->CloakState = c.state;
        ship->CloakLevel = c.level;
        DrawShip(0x07E0);
        const PixelValue p = At(100, 100);
        if (c.blended) {
            EXPECT_NE(p, 0u);
            EXPECT_NE(p, full);
        } else {
            EXPECT_EQ(p, 0u);
        }
        EXPECT_EQ(At(130, 100), c.aimLine ? 0x07E0u : 0u);
    }
}

TEST_F(ShipDraw, MissingPicturesDrawNothingAndDoNotCrash) {
    ship->AimLine = 1;
    ship->Heading = 0;
    Form1->ShipFrameTable[0][15].reset();
    DrawShip();
    EXPECT_EQ(At(100, 100), 0u);
    EXPECT_EQ(At(130, 100), 0x07E0u);  // the aim line still shows

    // Rows and frame counts the table cannot hold.
    struct Case {
        int image, frames;
    };
    for (Case c : {Case{-1, 60}, Case{kImageSets, 60}, Case{0, 0}, Case{0, -5}, Case{0, 400}}) {
        Clear();
        ship->ImageSelection = c.image;
        ship->FrameCount = c.frames;
        DrawShip();
        // Frame 0 is the only one a bad frame count can reach.
        EXPECT_EQ(At(100, 100), c.image == 0 ? FrameColour(0) : 0u) << c.image << " " << c.frames;
    }

    // No scratch surface at all.
    ship->ImageSelection = 0;
    ship->FrameCount = 60;
    Form1->ScratchSurface.reset();
    Clear();
    DrawShip();
    EXPECT_EQ(At(100, 100), 0u);
}

class ShipSmoke : public ShipDraw {
protected:
    void SetUp() override {
        ShipDraw::SetUp();
        for (int i = 0; i < kSmokeSlots; ++i) {
            ship->SmokeX[i] = 3000;
            ship->SmokeLife[i] = 0;
        }
        ship->SmokeToEmit = 0;
    }
    void Step() {
        LockWork();
        ship->UpdateSmoke();
        UnlockWork();
    }
    int InUse() const {
        int n = 0;
        for (float x : ship->SmokeX) n += x != 3000.0f;
        return n;
    }
};

TEST_F(ShipSmoke, ParticlesInFlightAreDrawnAndMovedFor50Frames) {
    ship->SmokeX[3] = 200;
    ship->SmokeY[3] = 150;
    ship->SmokeVX[3] = 4;
    ship->SmokeVY[3] = 0;
    ship->SmokeLife[3] = 50;
    Step();
    const PixelValue p = At(200, 150);
    EXPECT_TRUE(p == Form1->UIColours.ColourWhite || p == Form1->UIColours.ColourYellow) << p;
    EXPECT_GE(ship->SmokeX[3], 203.0f);
    EXPECT_LE(ship->SmokeX[3], 205.0f);
    EXPECT_FLOAT_EQ(ship->SmokeVX[3], 2.0f);
    EXPECT_EQ(ship->SmokeLife[3], 49);
    EXPECT_EQ(InUse(), 1);
    for (int i = 0; i < 49; ++i) Step();
    EXPECT_EQ(InUse(), 1);
    Step();
    EXPECT_EQ(InUse(), 0);
    EXPECT_EQ(ship->SmokeToEmit, 0);
}

TEST_F(ShipSmoke, AtMostOneParticleIsEmittedAFrameNearTheShip) {
    ship->SmokeToEmit = 3;
    ship->X = 500;
    ship->Y = 400;
    ship->VX = 1;
    ship->VY = 2;
    int emitted = 0;
    for (int frame = 0; frame < 40; ++frame) {
        const int toEmit = ship->SmokeToEmit;
        Step();
        int fresh = 0;
        for (int i = 0; i < kSmokeSlots; ++i) {
            if (ship->SmokeLife[i] != 49) continue;
            ++fresh;
            // Emitted within 7 units of the ship, then moved once.
            EXPECT_GE(ship->SmokeX[i], 500.0f - 7 - 1 + 1);
            EXPECT_LE(ship->SmokeX[i], 500.0f + 7 + 1 + 1);
            EXPECT_GE(ship->SmokeY[i], 400.0f - 7 - 1 + 2);
            EXPECT_LE(ship->SmokeY[i], 400.0f + 7 + 1 + 2);
            EXPECT_FLOAT_EQ(ship->SmokeVX[i], 0.5f);
        }
        EXPECT_LE(fresh, 1);
        EXPECT_EQ(ship->SmokeToEmit, toEmit - fresh);
        emitted += fresh;
    }
    EXPECT_EQ(emitted, 3);
    EXPECT_EQ(ship->SmokeToEmit, 0);
    EXPECT_EQ(InUse(), 3);
}

TEST_F(ShipSmoke, AWreckDriftsAndSlowsALivingShipDoesNot) {
    ship->VX = 10;
    ship->VY = -5;
    Step();
    EXPECT_FLOAT_EQ(ship->X, 100.0f);
    EXPECT_FLOAT_EQ(ship->VX, 10.0f);
    ship->Life = -1;
    Step();
    EXPECT_FLOAT_EQ(ship->X, 110.0f);
    EXPECT_FLOAT_EQ(ship->Y, 95.0f);
    EXPECT_FLOAT_EQ(ship->VX, 9.94f);
    EXPECT_FLOAT_EQ(ship->VY, -4.97f);
}

class ShipEngineSound : public ShipDraw {};

TEST_F(ShipEngineSound, EachKindLoopsItsSlotAtItsVolumeAndPan) {
    SoundWatch sounds;
    struct Case {
        int kind, slot, volume;
    };
    const Case cases[] = {{0, 4, 0},      {1, 5, 0},      {2, 1, -1000}, {3, 2, 0},  {4, 3, 0},  {5, 6, 0},
                          {6, 24, -1500}, {7, 25, -1500}, {8, 31, 0},    {9, 32, 0}, {10, 33, 0}};
    ship->SoundPan = 9000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        SoundWatch::StopAll();
        ship->EngineSoundKind = c.kind;
        ship->PlayEngineSound();
        EXPECT_EQ(SoundWatch::PlayingSlots(), std::vector<int>{c.slot});
        EXPECT_TRUE(SoundWatch::Looping(c.slot));
        EXPECT_EQ(SoundWatch::Volume(c.slot), c.volume);
        EXPECT_EQ(SoundWatch::Pan(c.slot), 9000);
    }
    for (int silent : {11, 12, -1}) {
        SoundWatch::StopAll();
        ship->EngineSoundKind = silent;
        ship->PlayEngineSound();
        EXPECT_TRUE(SoundWatch::PlayingSlots().empty()) << silent;
    }
}

class ShipStatus : public ShipDraw {
protected:
    void SetUp() override {
        ShipDraw::SetUp();
        for (int& s : ship->SpecialList) s = -1;
        ship->LaserCount = ship->IonCount = ship->BeamCount = 0;
        ship->Missiles = 0;
        ship->Technology = 0;
        ship->ScreenWidth = 800;
        for (float& e : ship->MountEnergy) e = 15;
    }
    void Status() {
        LockWork();
        ship->DrawStatus();
        UnlockWork();
    }
};

TEST_F(ShipStatus, MountBarsStackByMountWithTheirColours) {
    ship->LaserCount = 1;
    ship->IonCount = 1;
    ship->BeamCount = 1;
    ship->MountEnergy[1] = 5;
    Status();
    // Laser: rows 19..25, shade 2n + 11 in red, 60 pixels at full energy.
    EXPECT_EQ(At(70, 25), 11u * 2048);
    EXPECT_EQ(At(130, 19), 23u * 2048);
    EXPECT_EQ(At(131, 22), 0u);
    EXPECT_EQ(At(69, 22), 0u);
    EXPECT_EQ(At(100, 18), 0u);
    // Ion cannon: the next 8 rows, blue, 20 pixels for energy 5.
    EXPECT_EQ(At(70, 33), 11u);
    EXPECT_EQ(At(90, 27), 23u);
    EXPECT_EQ(At(91, 30), 0u);
    // Cutting beam: shade n + 15.
    EXPECT_EQ(At(70, 41), 15u);
    EXPECT_EQ(At(130, 35), 21u);

    struct Case {
        int technology;
        PixelValue laser, beam;
    };
    for (Case c : {Case{1, 11u * 64, 15}, Case{5, 11u * 64, 11u * 64}, Case{4, 11, 15}, Case{6, 11, 15},
                   Case{3, 11u * 2048, 15}}) {
        Clear();
        ship->Technology = c.technology;
        Status();
        EXPECT_EQ(At(70, 25), c.laser) << c.technology;
        EXPECT_EQ(At(70, 41), c.beam) << c.technology;
    }
}

TEST_F(ShipStatus, TheSecondSideDrawsFromTheRightAndTheSpecialBarShowsWithASpecial) {
    ship->LaserCount = 1;
    Status();
    EXPECT_EQ(At(150, 13), 0u);  // no special, no bar

    Clear();
    ship->SpecialList[0] = kSpecialCloak;
    ship->SpecialEnergy = 100;
    Status();
    // Six grey rows from x 150, 50 pixels at full energy.
    EXPECT_EQ(At(150, 13), 11u * 2113);
    EXPECT_EQ(At(200, 18), 21u * 2113);
    EXPECT_EQ(At(201, 15), 0u);
    EXPECT_EQ(At(150, 19), 0u);

    Clear();
    ship->Side = 1;
    ship->SpecialEnergy = 40;
    Status();
    // x0 = 800 - 130, x1 = 150 + 420.
    EXPECT_EQ(At(670, 25), 11u * 2048);
    EXPECT_EQ(At(730, 19), 23u * 2048);
    EXPECT_EQ(At(69, 25), 0u);
    EXPECT_EQ(At(70, 25), 0u);
    EXPECT_EQ(At(570, 13), 11u * 2113);
    EXPECT_EQ(At(590, 13), 11u * 2113);
    EXPECT_EQ(At(591, 13), 0u);
}

TEST_F(ShipStatus, MissilesDrawAsTicksInRowsOfTen) {
    ship->Missiles = 23;
    Status();
    const PixelValue red = Form1->UIColours.ColourRed;
    const PixelValue white = Form1->UIColours.ColourWhite;
    const int rows[] = {10, 10, 3};
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 10; ++k) {
            const int x = 70 + 8 * k + 2 * r;
            const bool tick = k < rows[r];
            SCOPED_TRACE(testing::Message() << "row " << r << " tick " << k);
            EXPECT_EQ(At(x, 3 * r), tick ? red : 0u);
            EXPECT_EQ(At(x, 3 * r + 5), tick ? white : 0u);
        }
    }
    EXPECT_EQ(At(70 + 8 * 3 + 4, 7), 0u);

    // Star Fleet torpedo ticks have no white tip.
    Clear();
    ship->Technology = 6;
    ship->Missiles = 3;
    Status();
    EXPECT_EQ(At(70, 0), red);
    EXPECT_EQ(At(70, 5), red);
    EXPECT_EQ(At(86, 4), red);
    EXPECT_EQ(At(94, 0), 0u);
}

TEST_F(ShipStatus, CountsBeyondTheMountsAndTheScreenStaySafe) {
    ship->LaserCount = 15;
    ship->IonCount = 15;
    ship->BeamCount = 2000000000;
    ship->Missiles = 2000000000;
    Status();
    // Twenty bars at most: the last mount's bottom row is 25 + 8 * 19.
    EXPECT_NE(At(70, 177), 0u);
    EXPECT_EQ(At(75, 185), 0u);

    Clear();
    ship->LaserCount = -3;
    ship->IonCount = 2;
    ship->BeamCount = 0;
    ship->Missiles = -7;
    Status();
    EXPECT_EQ(At(70, 25), 0u);
    EXPECT_EQ(At(70, 33), 0u);
    EXPECT_EQ(At(70, 0), 0u);
}

}  // namespace
