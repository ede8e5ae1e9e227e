// The overworld generator: a driver of named steps on one seed.
#include "art/overworld/overworld.h"

#include "art/overworld/settlements.h"
#include "art/overworld/terrain.h"

namespace {
constexpr std::uint32_t overworldSeed = 0x0E5E;
}

std::vector<std::uint8_t> generateOverworld()
{
    ArtRandom random{overworldSeed};
    Terrain terrain = shapeTerrain(overworldSeed);
    addWaters(terrain, random);
    placeSettlements(terrain, random);
    return terrain.code;
}
