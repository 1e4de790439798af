// The game's random numbers: one linear congruential generator,
// state = state * 22695477 + 1 (mod 2^64), whose value is the upper 32 bits
// of the new state with the top bit cleared. Random(n) is that value mod n.
#pragma once

#include <cstdint>

// Sets the generator's state. The state before any seeding is the one that
// SeedRandom(1) gives, so an unseeded run always draws the same numbers.
void SeedRandom(std::uint64_t seed);

// Seeds from the current time.
void RandomizeFromClock();

// The next raw value, 0 .. 2^31 - 1.
std::uint32_t NextRandomValue();

// The next value mod n, in [0, n); 0 (without drawing) when n is 0 or less.
int Random(int n);
