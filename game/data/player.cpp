#include "game/data/player.h"

#include <algorithm>
#include <cstring>

#include "shipdata/bytes.h"

Player::Player()
    : CurrentShip(nullptr),
      ShotsFired(0),
      Hits(0),
      SpareCounters{0, 0, 0},
      Score(0),
      Wins(0),
      Kills(0),
      Draws(0),
      Losses(0),
      ShotDeaths(0),
      CollisionDeaths(0),
      PilotName{},
      FleetValue(0) {
    std::fill(std::begin(Fleet), std::end(Fleet), kEmptyFleetSlot);
}

void Player::FromRecord(Player& player, std::span<const std::uint8_t, kRecordBodySize> body) {
    const std::uint8_t* p = body.data();
    std::memcpy(player.PilotName, p, kPilotNameSize);
    p += kPilotNameSize;
    std::int32_t* const fields[] = {
        &player.ShotsFired,
        &player.Hits,
        &player.SpareCounters[0],
        &player.SpareCounters[1],
        &player.SpareCounters[2],
        &player.Wins,
        &player.Kills,
        &player.Draws,
        &player.Losses,
        &player.ShotDeaths,
        &player.CollisionDeaths,
        &player.Score,
    };
    for (std::int32_t* field : fields) {
        *field = ReadLE32(p);
        p += 4;
    }
    player.CurrentShip = nullptr;
    std::fill(std::begin(player.Fleet), std::end(player.Fleet), kEmptyFleetSlot);
    player.FleetValue = 0;
}

void Player::ToRecord(std::span<std::uint8_t, kRecordBodySize> body) const {
    std::uint8_t* p = body.data();
    std::memcpy(p, PilotName, kPilotNameSize);
    p += kPilotNameSize;
    const std::int32_t fields[] = {
        ShotsFired, Hits,  SpareCounters[0], SpareCounters[1], SpareCounters[2], Wins,
        Kills,      Draws, Losses,           ShotDeaths,       CollisionDeaths,  Score,
    };
    for (std::int32_t v : fields) {
        WriteLE32(p, v);
        p += 4;
    }
}

void Player::SetName(const char* name) {
    std::memset(PilotName, 0, kPilotNameSize);
    if (!name) return;
    const std::size_t n = strnlen(name, kPilotNameSize);
    std::memcpy(PilotName, name, n);
}

std::string Player::Name() const { return std::string(PilotName, strnlen(PilotName, kPilotNameSize)); }
