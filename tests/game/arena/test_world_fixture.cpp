// The arena fixture itself: what every world test starts from.
#include "tests/game/world_fixture.h"

class WorldFixtureTest : public WorldFixture {};

TEST_F(WorldFixtureTest, ShipsAreOpponentsAndTheStateOwnsEverything) {
    Ship* blue = MakeShip(0, 0);
    Ship* green = MakeShip(1, 0);
    EXPECT_EQ(blue->Opponent, green);
    EXPECT_EQ(green->Opponent, blue);
    Asteroid* a = AddAsteroid(100, 100, 20);
    EXPECT_EQ(game->AsteroidHead->Next, a);
    EXPECT_EQ(a->Next, game->AsteroidTail);
    SetPlanet(1000, 1000, 60, 0.1f);
    // Releasing twice finds nothing left the second time.
    ReleaseGameState(*game);
    EXPECT_EQ(game->BlueShip, nullptr);
    EXPECT_EQ(game->AsteroidHead, nullptr);
    EXPECT_EQ(game->PlanetList, nullptr);
    EXPECT_EQ(game->ShotList, nullptr);
    ReleaseGameState(*game);
}
