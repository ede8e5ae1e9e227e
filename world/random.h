// The one source of randomness: the classic C library generator, so the same
// seed builds the same world on every platform. The draws are inline because
// the dungeon generator makes millions of them.
#pragma once

#include <cstdint>

// Largest value nextRandom returns.
inline constexpr int randomMax = 32767;

// The generator's 32-bit state: set by seedRandom, advanced by every draw.
extern std::uint32_t randomState;

// Restarts the sequence from `seed`.
void seedRandom(std::uint32_t seed);

// The next value of the sequence, 0..randomMax: the state times 214013 plus
// 2531011 (mod 2^32), bits 16..30.
inline int nextRandom()
{
    randomState = randomState * 214013u + 2531011u;
    return int((randomState >> 16) & randomMax);
}

// nextRandom() modulo n; n must be at least 1.
inline int randomBelow(int n)
{
    return int(unsigned(nextRandom()) % unsigned(n));
}
