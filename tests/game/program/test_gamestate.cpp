#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "game/program/gamestate.h"
#include "game/data/player.h"

TEST(GameState, StartsZeroFilled) {
    // Dirty the heap block the state is likely to reuse first.
    {
        auto junk = std::make_unique<unsigned char[]>(sizeof(GameState));
        std::memset(junk.get(), 0xCD, sizeof(GameState));
    }
    GameStatePtr game = MakeGameState();
    const auto* bytes = reinterpret_cast<const unsigned char*>(game.get());
    std::size_t nonZero = 0;
    for (std::size_t k = 0; k < sizeof(GameState); ++k) nonZero += bytes[k] != 0;
    EXPECT_EQ(nonZero, 0u);
}

TEST(GameState, ReleaseFreesThePlayersOnce) {
    GameStatePtr game = MakeGameState();
    for (int i = 0; i < kPilotCount; ++i) game->Pilots[i] = std::make_unique<Player>().release();
    ReleaseGameState(*game);
    for (int i = 0; i < kPilotCount; ++i) EXPECT_EQ(game->Pilots[i], nullptr);
    ReleaseGameState(*game);  // nothing left to release
    game->Pilots[3] = std::make_unique<Player>().release();
    // The handle releases what is still owned when it goes.
}

TEST(Player, DefaultsAndNames) {
    Player p;
    EXPECT_EQ(p.CurrentShip, nullptr);
    EXPECT_EQ(p.Score, 0);
    for (int s = 0; s < kFleetSlots; ++s) EXPECT_EQ(p.Fleet[s], 100);
    EXPECT_EQ(p.FleetValue, 0);
    EXPECT_EQ(p.Name(), "");
    p.SetName("NO Pilot");
    EXPECT_EQ(p.Name(), "NO Pilot");
    p.SetName("ElevenChars");
    EXPECT_EQ(p.Name(), "ElevenChar");
    EXPECT_EQ(std::memcmp(p.PilotName, "ElevenChar", 10), 0);
}
