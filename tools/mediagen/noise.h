// Value noise and fractal sums on integer lattices, hashed from a seed, for
// planet surfaces, rock shapes and nebulae.
#pragma once

#include <cstdint>

namespace mediagen {

// Smooth noise in about [-1, 1].
float Noise2(float x, float y, std::uint32_t seed);
float Noise3(float x, float y, float z, std::uint32_t seed);

// Sum of octaves, each of twice the frequency and `gain` times the weight of
// the one before; normalised back to about [-1, 1].
float Fbm2(float x, float y, std::uint32_t seed, int octaves, float gain = 0.5f);
float Fbm3(float x, float y, float z, std::uint32_t seed, int octaves, float gain = 0.5f);

// Ridged variant (sharp crests), in [0, 1].
float Ridged3(float x, float y, float z, std::uint32_t seed, int octaves);

float Smoothstep(float e0, float e1, float x);

}  // namespace mediagen
