// Seeded generator and hashed value noise.
#include "art/noise.h"

namespace {
double smooth(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

double latticeValue(int x, int y, int period, std::uint32_t seed)
{
    const int wx = ((x % period) + period) % period;
    const int wy = ((y % period) + period) % period;
    return hash3(std::uint32_t(wx), std::uint32_t(wy), seed) / 4294967296.0;
}

int floorToInt(double value)
{
    const int truncated = int(value);
    return value < truncated ? truncated - 1 : truncated;
}
}

std::uint32_t ArtRandom::next()
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return std::uint32_t((z ^ (z >> 31)) >> 32);
}

int ArtRandom::below(int n)
{
    return int(next() % std::uint32_t(n));
}

int ArtRandom::between(int lo, int hi)
{
    return lo + below(hi - lo + 1);
}

double ArtRandom::unit()
{
    return next() / 4294967296.0;
}

std::uint32_t hash3(std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    std::uint32_t h = a * 0x8DA6B343u ^ b * 0xD8163841u ^ c * 0xCB1AB31Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

std::uint32_t nameSeed(const char* name)
{
    std::uint32_t h = 2166136261u; // FNV-1a
    for (; *name; ++name)
        h = (h ^ std::uint8_t(*name)) * 16777619u;
    return h;
}

double valueNoise(double x, double y, int period, std::uint32_t seed)
{
    const int x0 = floorToInt(x);
    const int y0 = floorToInt(y);
    const double fx = smooth(x - x0);
    const double fy = smooth(y - y0);
    const double top = latticeValue(x0, y0, period, seed) * (1 - fx) +
                       latticeValue(x0 + 1, y0, period, seed) * fx;
    const double bottom = latticeValue(x0, y0 + 1, period, seed) * (1 - fx) +
                          latticeValue(x0 + 1, y0 + 1, period, seed) * fx;
    return top * (1 - fy) + bottom * fy;
}

double fractalNoise(double x, double y, double side, int period, int octaves, std::uint32_t seed)
{
    double sum = 0, weight = 1, total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        const double scale = period / side;
        sum += weight * valueNoise(x * scale, y * scale, period, seed + std::uint32_t(octave) * 7919u);
        total += weight;
        weight *= 0.5;
        period *= 2;
    }
    return sum / total;
}
