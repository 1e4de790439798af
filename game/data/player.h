// A pilot: statistics kept in stats.dat and, in a battle, the pilot's fleet.
#pragma once

#include <cstdint>
#include <span>
#include <string>

class Ship;

inline constexpr int kPilotNameSize = 10;
inline constexpr int kFleetSlots = 30;
inline constexpr std::int32_t kEmptyFleetSlot = 100;

class Player {
public:
    // No ship, all counters 0, every fleet slot empty; the name is left for
    // the caller to set (all NUL here).
    Player();

    // Number of bytes of a stats.dat record after its length byte.
    static constexpr std::size_t kRecordBodySize = 58;

    // Fills `player` from the 58 bytes that follow a record's length byte:
    // the 10 name bytes, then ShotsFired, Hits, SpareCounters[0..2], Wins,
    // Kills, Draws, Losses, ShotDeaths, CollisionDeaths and Score,
    // little-endian. The ship is cleared and the fleet emptied.
    static void FromRecord(Player& player, std::span<const std::uint8_t, kRecordBodySize> body);

    // The same 58 bytes, in file order.
    void ToRecord(std::span<std::uint8_t, kRecordBodySize> body) const;

    // Sets the name, cut at 10 bytes and NUL-padded.
    void SetName(const char* name);

    // The name as text: at most its 10 bytes, up to the first NUL.
    std::string Name() const;

    Ship* CurrentShip;  // the ship this pilot flies, or null (not owned here)
    std::int32_t ShotsFired;
    std::int32_t Hits;
    std::int32_t SpareCounters[3];
    std::int32_t Score;
    std::int32_t Wins;
    std::int32_t Kills;
    std::int32_t Draws;
    std::int32_t Losses;
    std::int32_t ShotDeaths;
    std::int32_t CollisionDeaths;
    char PilotName[kPilotNameSize];   // NUL-padded; all 10 bytes may be used
    std::int32_t Fleet[kFleetSlots];  // class per slot, 100 = empty
    std::int32_t FleetValue;
};
