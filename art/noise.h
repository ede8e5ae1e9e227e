// Deterministic randomness for the generated art and map: a seeded generator
// and hashed value noise that can wrap around a tile.
#pragma once

#include <cstdint>

// A small seeded generator (splitmix64): the same seed gives the same
// sequence on every run and platform.
struct ArtRandom {
    std::uint64_t state;

    std::uint32_t next();
    // 0 .. n-1 for n > 0.
    int below(int n);
    // lo .. hi inclusive.
    int between(int lo, int hi);
    // 0 <= value < 1.
    double unit();
};

// A well-mixed 32-bit hash of three integers.
std::uint32_t hash3(std::uint32_t a, std::uint32_t b, std::uint32_t c);

// The seed for a name, so each named picture has its own stable randomness.
std::uint32_t nameSeed(const char* name);

// Smooth value noise in 0..1 on a lattice of unit cells; lattice coordinates
// wrap modulo `period` (> 0), so noise sampled over [0, period) tiles.
double valueNoise(double x, double y, int period, std::uint32_t seed);

// `octaves` layers of valueNoise, each twice as fine and half as strong,
// normalised to 0..1. The first octave has `period` cells across `side`
// units; everything wraps at `side`.
double fractalNoise(double x, double y, double side, int period, int octaves, std::uint32_t seed);
