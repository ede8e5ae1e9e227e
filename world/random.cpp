// The random generator's state; the C library starts it at 1.
#include "world/random.h"

std::uint32_t randomState = 1;

void seedRandom(std::uint32_t seed)
{
    randomState = seed;
}
