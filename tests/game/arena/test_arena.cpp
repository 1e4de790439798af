// Building the arena: the asteroid field, the planet, the list removals and
// the classes whose frames the next round wants.
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/game/arena_pictures.h"
#include "tests/game/world_fixture.h"

namespace {

class ArenaTest : public WorldFixture {
protected:
    // The asteroids between the sentinels, checking both links on the way.
    std::vector<Asteroid*> Rocks() {
        std::vector<Asteroid*> out;
        Asteroid* prev = game->AsteroidHead;
        for (Asteroid* a = prev->Next; a != game->AsteroidTail; a = a->Next) {
            EXPECT_NE(a, nullptr);
            if (!a) break;
            EXPECT_EQ(a->Prev, prev);
            out.push_back(a);
            prev = a;
        }
        EXPECT_EQ(game->AsteroidTail->Prev, prev);
        return out;
    }

    // Gives each planet picture slot a surface named after its file, in the
    // main window's loading order.
    void GivePlanetPictures() {
        const char* names[kPlanetPictureCount] = {"earth1",  "jupiter", "io",      "calisteo", "mars",    "titan",
                                                  "titania", "tethys",  "venus",   "ganymede", "neptune", "uranus",
                                                  "ariel",   "encelad", "iapetus", "umbriel",  "rhea",    "mimas",
                                                  "miranda", "europa",  "moon"};
        for (int i = 0; i < kPlanetPictureCount; ++i) {
            auto& slot = Form1->PlanetPictures[static_cast<std::size_t>(i)];
            slot = std::make_unique<VXSurface>();
            slot->FileName = std::string("img\\planets\\") + names[i] + ".bmp";
        }
    }

    void SetPlanetOptions(int option, int size, float gravity) {
        game->PlanetOption = option;
        game->PlanetSize = size;
        game->GravityStrength = gravity;
    }
};

TEST_F(ArenaTest, SentinelsLieFarOutsideTheArenaLinkedToEachOther) {
    ReleaseArena(game);
    CreateAsteroidSentinels(game);
    for (const Asteroid* s : {game->AsteroidHead, game->AsteroidTail}) {
        ASSERT_NE(s, nullptr);
        EXPECT_FLOAT_EQ(s->Life, 50.0f);
        EXPECT_EQ(s->Picture, 1);
        EXPECT_FLOAT_EQ(s->Radius, 30.0f);
        EXPECT_FLOAT_EQ(s->X, -3000.0f);
        EXPECT_FLOAT_EQ(s->Y, -3000.0f);
        EXPECT_FLOAT_EQ(s->VX, 0.0f);
        EXPECT_FLOAT_EQ(s->VY, 0.0f);
        EXPECT_EQ(s->FrameSize, 100);
    }
    EXPECT_EQ(game->AsteroidHead->Next, game->AsteroidTail);
    EXPECT_EQ(game->AsteroidTail->Prev, game->AsteroidHead);
}

TEST_F(ArenaTest, FieldSizeFollowsTheAsteroidOption) {
    struct Case {
        int option, low, high;
    };
    for (const Case& c : {Case{2, 5, 6}, Case{17, 5, 21}, Case{0, 5, 5}}) {
        game->AsteroidOption = c.option;
        std::set<std::size_t> seen;
        SeedRandom(5);
        for (int field = 0; field < 300; ++field) {
            NewAsteroidField(game);
            seen.insert(Rocks().size());
        }
        EXPECT_EQ(*seen.begin(), static_cast<std::size_t>(c.low)) << c.option;
        EXPECT_EQ(*seen.rbegin(), static_cast<std::size_t>(c.high)) << c.option;
    }
}

TEST_F(ArenaTest, EachRockDrawsVelocityPositionRadiusLifeInThatOrder) {
    game->AsteroidOption = 7;
    SeedRandom(4242);
    const int count = Random(7) + 5;
    const int vy = Random(5) - 2, vx = Random(5) - 2, y = Random(2000), x = Random(2000);
    const int radius = Random(25) + 12, life = Random(60) + 30;
    const int rotation = Random(30) * 12, spin = Random(21) - 10;

    SeedRandom(4242);
    NewAsteroidField(game);
    const auto rocks = Rocks();
    ASSERT_EQ(rocks.size(), static_cast<std::size_t>(count));
    const Asteroid& a = *rocks.front();
    EXPECT_FLOAT_EQ(a.VY, static_cast<float>(vy));
    EXPECT_FLOAT_EQ(a.VX, static_cast<float>(vx));
    EXPECT_FLOAT_EQ(a.Y, static_cast<float>(y));
    EXPECT_FLOAT_EQ(a.X, static_cast<float>(x));
    EXPECT_FLOAT_EQ(a.Radius, static_cast<float>(radius));
    EXPECT_FLOAT_EQ(a.Life, static_cast<float>(life));
    EXPECT_EQ(a.RotationAngle, rotation);
    EXPECT_EQ(a.Spin, spin);
    EXPECT_EQ(a.FrameSize, 100);
    EXPECT_EQ(a.Picture, 0);
    for (const Asteroid* r : rocks) {
        EXPECT_GE(r->Life, 30.0f);
        EXPECT_LE(r->Life, 89.0f);
        EXPECT_GE(r->Radius, 12.0f);
        EXPECT_LE(r->Radius, 36.0f);
    }
}

TEST_F(ArenaTest, NewFieldReplacesTheOldRocks) {
    AddAsteroid(10, 10, 20);
    AddAsteroid(20, 20, 20);
    game->AsteroidOption = 0;
    NewAsteroidField(game);
    const auto rocks = Rocks();
    EXPECT_EQ(rocks.size(), 5u);
    for (const Asteroid* r : rocks) EXPECT_EQ(r->FrameSize, 100);
}

TEST_F(ArenaTest, RemovingARockRelinksItsNeighbours) {
    Asteroid* a = AddAsteroid(10, 10, 20);
    Asteroid* b = AddAsteroid(20, 20, 20);
    Asteroid* c = AddAsteroid(30, 30, 20);
    RemoveAsteroid(game, b);
    EXPECT_EQ(a->Next, c);
    EXPECT_EQ(c->Prev, a);
    RemoveAsteroid(game, a);
    RemoveAsteroid(game, game->AsteroidHead);  // a sentinel stays
    EXPECT_EQ(Rocks(), std::vector<Asteroid*>{c});
}

TEST_F(ArenaTest, PlanetSitsNearTheMiddleWithSizeFromTheOptions) {
    SetPlanetOptions(0, 40, 1000.0f);
    GivePlanetPictures();
    for (int seed = 1; seed <= 300; ++seed) {
        SeedRandom(static_cast<std::uint64_t>(seed));
        NewPlanet(game);
        const Planet* p = game->PlanetList;
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->Next, nullptr);
        EXPECT_GE(p->X, 751.0f);
        EXPECT_LE(p->X, 1250.0f);
        EXPECT_GE(p->Y, 751.0f);
        EXPECT_LE(p->Y, 1250.0f);
        EXPECT_GE(p->Radius, 25.0f);
        EXPECT_LE(p->Radius, 64.0f);
        EXPECT_FLOAT_EQ(p->Mass, 0.1f);
    }
    SetPlanetOptions(0, 0, 100.0f);
    NewPlanet(game);
    EXPECT_FLOAT_EQ(game->PlanetList->Radius, 25.0f);
}

TEST_F(ArenaTest, StrongGravityGivesSomePlanetsTheHeavyMass) {
    SetPlanetOptions(1, 30, 3500.0f);
    int heavy = 0;
    for (int seed = 1; seed <= 700; ++seed) {
        SeedRandom(static_cast<std::uint64_t>(seed));
        NewPlanet(game);
        const float mass = game->PlanetList->Mass;
        EXPECT_TRUE(mass == 0.1f || mass == 1.1f) << mass;
        heavy += mass == 1.1f;
    }
    EXPECT_GT(heavy, 50);
    EXPECT_LT(heavy, 150);
}

TEST_F(ArenaTest, NoPlanetOptionClearsThePlanetAfterFourDraws) {
    SetPlanet(1000, 1000, 50, 0.1f);
    SetPlanetOptions(3, 40, 1000.0f);
    SeedRandom(99);
    for (int i = 0; i < 4; ++i) Random(1000);
    const std::uint32_t fifth = NextRandomValue();
    SeedRandom(99);
    NewPlanet(game);
    EXPECT_EQ(game->PlanetList, nullptr);
    EXPECT_EQ(NextRandomValue(), fifth);
}

TEST_F(ArenaTest, EachPictureCaseNamesItsPictureAndRegion) {
    struct Look {
        const char* name;
        int frameSize;
    };
    const Look looks[22] = {{"earth1", 140}, {"jupiter", 90},  {"jupiter", 90},  {"io", 150},       {"ganymede", 138},
                            {"europa", 146}, {"titan", 150},   {"titania", 150}, {"calisteo", 141}, {"neptune", 150},
                            {"uranus", 150}, {"ariel", 142},   {"encelad", 138}, {"iapetus", 136},  {"rhea", 150},
                            {"mimas", 104},  {"miranda", 150}, {"moon", 150},    {"mars", 80},      {"tethys", 150},
                            {"venus", 150},  {"umbriel", 150}};
    GivePlanetPictures();
    SetPlanetOptions(2, 20, 1000.0f);
    std::set<int> cases;
    for (int seed = 1; cases.size() < 22 && seed < 5000; ++seed) {
        SeedRandom(static_cast<std::uint64_t>(seed));
        for (int i = 0; i < 4; ++i) NextRandomValue();
        const int c = Random(22);
        SeedRandom(static_cast<std::uint64_t>(seed));
        NewPlanet(game);
        const Planet* p = game->PlanetList;
        ASSERT_NE(p->Picture, nullptr) << c;
        EXPECT_EQ(p->Picture->FileName, std::string("img\\planets\\") + looks[c].name + ".bmp") << c;
        EXPECT_EQ(p->FrameSize, looks[c].frameSize) << c;
        cases.insert(c);
    }
    EXPECT_EQ(cases.size(), 22u);
}

TEST_F(ArenaTest, RemovingAPlanetThatIsNotListedChangesNothing) {
    Planet* listed = SetPlanet(1000, 1000, 50, 0.1f);
    Planet stray(10, 0.1f, 0, 0, nullptr, 150);
    RemovePlanet(game, &stray);
    EXPECT_EQ(game->PlanetList, listed);
    RemovePlanet(game, listed);
    EXPECT_EQ(game->PlanetList, nullptr);
}

TEST_F(ArenaTest, MarkedClassesAreTheOnlyWantedFrames) {
    struct Case {
        int blue, green;
    };
    for (const Case& c : {Case{5, 5}, Case{0, 43}}) {
        Form1->FramesWanted.fill(1);
        game->BlueClassCursor = c.blue;
        game->GreenClassCursor = c.green;
        MarkSelectedClasses(game);
        for (int i = 0; i < kImageSets; ++i)
            EXPECT_EQ(Form1->FramesWanted[static_cast<std::size_t>(i)], (i == c.blue || i == c.green) ? 1 : 0) << i;
    }
}

}  // namespace
