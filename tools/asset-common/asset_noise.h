// Deterministic value noise for generated textures: integer hashing only, so
// every machine produces the same pixels.
#pragma once

#include <cstdint>

namespace asset {

// A well-mixed 32-bit hash of a lattice point and a seed.
uint32_t Hash(int32_t x, int32_t y, uint32_t seed);
// Hash mapped to [0, 1).
float HashUnit(int32_t x, int32_t y, uint32_t seed);
// Smoothly interpolated lattice noise in [0, 1).
float ValueNoise(float x, float y, uint32_t seed);
// Sum of `octaves` noise layers, each at twice the frequency and half the
// weight of the one before; normalised to [0, 1).
float FractalNoise(float x, float y, int octaves, uint32_t seed);

// Value noise on a lattice that repeats every `period` cells in x and y, so
// an image painted from it over one period tiles without a seam.
float PeriodicNoise(float x, float y, int period, uint32_t seed);
// Octaves of PeriodicNoise over the unit square (u, v in [0, 1)): the first
// repeats `basePeriod` times across it, each further one twice as often at
// half the weight; normalised to [0, 1).
float PeriodicFbm(float u, float v, int basePeriod, int octaves, uint32_t seed);

}  // namespace asset
