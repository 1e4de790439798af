#include "game/data/keymap.h"

#include <cstdio>

#include "game/ship/ship.h"
#include "platform/system/files.h"

const std::array<std::int32_t, kKeyBindingCount> kDefaultKeyBindings = {
    // player 1: Ctrl, S, A, D, S, W, Caps Lock, Q, T, R
    17,
    83,
    65,
    68,
    83,
    87,
    20,
    81,
    84,
    82,
    // player 2: Enter, Down, Left, Right, Down, Up, Page Up, Page Down, Insert, End
    13,
    40,
    37,
    39,
    40,
    38,
    33,
    34,
    45,
    35,
};

namespace {

// The binding slot(s) each byte of one player's half of keys.map fills; the
// tenth byte is not used.
constexpr int kSlotOfByte[9] = {
    kCtlTurnLeft,      kCtlTurnRight,    kCtlThrust,       kCtlActivateSpecial, kCtlShootNormal,
    kCtlChangeSpecial, kCtlChangeNormal, kCtlChangeTarget, kCtlCycleLinkMode,
};

}  // namespace

void LoadKeyMap(GameState* game) {
    unsigned char bytes[kKeyBindingCount];
    std::size_t got = 0;
    if (plat::File f = plat::Open("keys.map", "rb")) {
        got = std::fread(bytes, 1, sizeof bytes, f.get());
    }
    if (got != sizeof bytes) {
        for (int k = 0; k < kKeyBindingCount; ++k) game->KeyBindings[k] = kDefaultKeyBindings[k];
        return;
    }
    for (int player = 0; player < 2; ++player) {
        const unsigned char* half = bytes + 10 * player;
        std::int32_t* slots = game->KeyBindings + 10 * player;
        for (int b = 0; b < 9; ++b) {
            slots[kSlotOfByte[b]] = static_cast<std::int32_t>(static_cast<std::int8_t>(half[b]));
        }
        slots[kCtlFire] = slots[kCtlShootNormal];
    }
}

bool BoundKeyDown(const int (&keyState)[128], std::int32_t code) {
    return code >= 0 && code < 128 && keyState[code] != 0;
}
