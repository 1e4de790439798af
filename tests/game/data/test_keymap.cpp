#include <gtest/gtest.h>

#include "game/program/gamestate.h"
#include "game/data/keymap.h"
#include "game/ship/ship.h"
#include "tests/game/support_datafolder.h"

namespace {

const std::vector<std::uint8_t> kDefaultFile = {65, 68, 17, 87, 83, 20, 81, 84, 82, 0,
                                                37, 39, 13, 38, 40, 33, 34, 45, 35, 0};

std::vector<std::int32_t> Bindings(const GameState& game) {
    return std::vector<std::int32_t>(std::begin(game.KeyBindings), std::end(game.KeyBindings));
}

const std::vector<std::int32_t> kDefaults(kDefaultKeyBindings.begin(), kDefaultKeyBindings.end());

}  // namespace

TEST(LoadKeyMap, DefaultBytesGiveTheDefaultBindings) {
    DataFolder folder;
    folder.Write("keys.map", kDefaultFile);
    GameStatePtr game = MakeGameState();
    LoadKeyMap(game.get());
    EXPECT_EQ(Bindings(*game), kDefaults);
    EXPECT_EQ(kDefaults, (std::vector<std::int32_t>{17, 83, 65, 68, 83, 87, 20, 81, 84, 82,
                                                    13, 40, 37, 39, 40, 38, 33, 34, 45, 35}));
}

TEST(LoadKeyMap, MissingOrShortFileGivesTheDefaults) {
    for (std::size_t size : {std::size_t{0}, std::size_t{19}, std::size_t{1}}) {
        DataFolder folder;
        std::vector<std::uint8_t> bytes(size, 66);
        folder.Write("keys.map", bytes);
        GameStatePtr game = MakeGameState();
        LoadKeyMap(game.get());
        EXPECT_EQ(Bindings(*game), kDefaults) << size;
    }
    DataFolder none;
    GameStatePtr game = MakeGameState();
    LoadKeyMap(game.get());
    EXPECT_EQ(Bindings(*game), kDefaults);
}

TEST(LoadKeyMap, BytesFillTheirSlots) {
    DataFolder folder;
    std::vector<std::uint8_t> bytes;
    for (int b = 0; b < 20; ++b) bytes.push_back(static_cast<std::uint8_t>(b + 1));
    bytes.push_back(99);  // past the 20th byte: ignored
    bytes.push_back(98);
    folder.Write("keys.map", bytes);
    GameStatePtr game = MakeGameState();
    LoadKeyMap(game.get());
    // byte -> slot: 0->2, 1->3, 2->0, 3->5, 4->1 and 4, 5->6, 6->7, 7->8, 8->9
    EXPECT_EQ(Bindings(*game),
              (std::vector<std::int32_t>{3, 5, 1, 2, 5, 4, 6, 7, 8, 9, 13, 15, 11, 12, 15, 14, 16, 17, 18, 19}));

    // Bytes 9 and 19 change nothing.
    bytes[9] = 200;
    bytes[19] = 201;
    folder.Write("keys.map", bytes);
    GameStatePtr again = MakeGameState();
    LoadKeyMap(again.get());
    EXPECT_EQ(Bindings(*again), Bindings(*game));
}

TEST(LoadKeyMap, HighBytesBecomeKeysThatAreNeverDown) {
    DataFolder folder;
    std::vector<std::uint8_t> bytes = kDefaultFile;
    bytes[2] = 200;  // player 1 thrust
    bytes[0] = 65;
    bytes[1] = 65;  // the same key twice is allowed
    folder.Write("keys.map", bytes);
    GameStatePtr game = MakeGameState();
    LoadKeyMap(game.get());
    EXPECT_EQ(game->KeyBindings[kCtlThrust], -56);
    EXPECT_EQ(game->KeyBindings[kCtlTurnLeft], 65);
    EXPECT_EQ(game->KeyBindings[kCtlTurnRight], 65);

    int keyState[128] = {};
    for (int& k : keyState) k = 1;
    EXPECT_FALSE(BoundKeyDown(keyState, game->KeyBindings[kCtlThrust]));
    EXPECT_FALSE(BoundKeyDown(keyState, 128));
    EXPECT_TRUE(BoundKeyDown(keyState, 65));
    EXPECT_TRUE(BoundKeyDown(keyState, 0));
    EXPECT_TRUE(BoundKeyDown(keyState, 127));
    keyState[65] = 0;
    EXPECT_FALSE(BoundKeyDown(keyState, 65));
}
