// Settlements. Five realms each get villages with their own roof colour,
// near water and apart from one another; a castle stands between them; roads
// follow the cheapest ground between neighbouring towns. Ruins, mines,
// grottoes and wells go where their ground suits them.
#include "art/overworld/settlements.h"

#include "art/overworld/paths.h"
#include "world/block_codes.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace {
struct Spot {
    int x, y;
};

constexpr std::uint8_t realmColours[] = {Village, VillageYellow, VillageBlue, VillageGreen, VillageRed};
constexpr int realms = int(std::size(realmColours));
constexpr int villagesPerRealm = 4;
constexpr double villageSpacing = 18;
constexpr int tries = 20000;

double distance(Spot a, Spot b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

std::uint8_t& codeAt(Terrain& terrain, Spot spot)
{
    return terrain.code[cellOf(spot.x, spot.y)];
}

bool farFrom(const std::vector<Spot>& spots, Spot spot, double spacing)
{
    return std::all_of(spots.begin(), spots.end(), [&](Spot other) { return distance(spot, other) >= spacing; });
}

// A random cell that `suits` and lies `spacing` away from `taken`; false when
// none turns up.
bool findSpot(ArtRandom& random, const std::function<bool(Spot)>& suits, const std::vector<Spot>& taken,
              double spacing, Spot& found)
{
    for (int attempt = 0; attempt < tries; ++attempt) {
        const Spot spot{random.below(overworldSide), random.below(overworldSide)};
        if (suits(spot) && farFrom(taken, spot, spacing)) {
            found = spot;
            return true;
        }
    }
    return false;
}

bool isOpenLand(std::uint8_t code)
{
    return code == Plain || code == Forest || code == ForestFruit || code == Hills;
}

// What a step onto a cell costs a road builder, before the lie of the land.
double groundCost(std::uint8_t code)
{
    switch (code) {
    case Road: return 0.3;
    case Plain: case Desert: return 1.0;
    case Hills: return 2.5;
    case Swamp: return 4.0;
    case Water: return 10.0; // a bridge or a ford
    case Mountain: return 14.0;
    case MountainHigh: case WaterDeep: return 400.0;
    default: return code >= Village ? 1.0 : 2.0; // forests and sites
    }
}

// The ground cost scaled by slow noise, so roads bend instead of running
// in straight lines across open country.
double roadCost(const Terrain& terrain, int cell)
{
    const double bend = fractalNoise(cell % overworldSide, cell / overworldSide, overworldSide, 40, 2, 0x40AD);
    return groundCost(terrain.code[cell]) * (0.3 + 2.0 * bend * bend);
}

// Lays a road along the cheapest path from `from` to `to`, leaving the sites
// it passes as they are.
void road(Terrain& terrain, Spot from, Spot to)
{
    const int goal = cellOf(to.x, to.y);
    auto isGoal = [&](int cell) { return cell == goal; };
    auto stepCost = [&](int, int next) { return roadCost(terrain, next); };
    for (int cell : cheapestPath(cellOf(from.x, from.y), isGoal, stepCost))
        if (terrain.code[cell] < Village)
            terrain.code[cell] = Road;
}

// Joins the towns into one network: each town in turn links to the nearest
// one already joined (a minimum spanning tree grown from the first).
void roadNetwork(Terrain& terrain, const std::vector<Spot>& towns)
{
    std::vector<bool> joined(towns.size(), false);
    joined[0] = true;
    for (std::size_t added = 1; added < towns.size(); ++added) {
        double best = std::numeric_limits<double>::max();
        std::size_t from = 0, to = 0;
        for (std::size_t a = 0; a < towns.size(); ++a)
            for (std::size_t b = 0; b < towns.size(); ++b)
                if (joined[a] && !joined[b] && distance(towns[a], towns[b]) < best) {
                    best = distance(towns[a], towns[b]);
                    from = a;
                    to = b;
                }
        joined[to] = true;
        road(terrain, towns[from], towns[to]);
    }
}

bool nearFreshWater(const std::vector<int>& toWater, Spot spot)
{
    const int steps = toWater[cellOf(spot.x, spot.y)];
    return steps >= 1 && steps <= 4;
}

std::vector<Spot> placeVillages(Terrain& terrain, ArtRandom& random)
{
    std::vector<bool> water(overworldCells);
    for (int i = 0; i < overworldCells; ++i)
        water[i] = isWater(terrain.code[i]);
    const std::vector<int> toWater = stepsFrom(water);
    std::vector<Spot> capitals, villages;
    for (int realm = 0; realm < realms; ++realm) {
        Spot capital{};
        auto suits = [&](Spot s) { return isOpenLand(codeAt(terrain, s)) && nearFreshWater(toWater, s); };
        if (!findSpot(random, suits, capitals, 60, capital))
            findSpot(random, suits, capitals, 0, capital);
        capitals.push_back(capital);
    }
    for (int realm = 0; realm < realms; ++realm)
        for (int count = 0; count < villagesPerRealm; ++count) {
            auto inRealm = [&](Spot s) {
                const bool open = isOpenLand(codeAt(terrain, s)) && nearFreshWater(toWater, s);
                return open && (count == 0 ? distance(s, capitals[realm]) < 1 :
                                             distance(s, capitals[realm]) < 45);
            };
            Spot village{};
            if (findSpot(random, inRealm, villages, count == 0 ? 0 : villageSpacing, village)) {
                codeAt(terrain, village) = realmColours[realm];
                villages.push_back(village);
            }
        }
    return villages;
}

// Places up to `count` sites of `code` where `suits` holds, `spacing` apart
// from each other and from everything in `taken` (which they join).
void scatter(Terrain& terrain, ArtRandom& random, std::uint8_t code, int count, double spacing,
             const std::function<bool(Spot)>& suits, std::vector<Spot>& taken)
{
    for (int i = 0; i < count; ++i) {
        Spot spot{};
        if (!findSpot(random, suits, taken, spacing, spot))
            return;
        codeAt(terrain, spot) = code;
        taken.push_back(spot);
    }
}

bool besideMountain(const Terrain& terrain, Spot spot)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (onMap(spot.x + dx, spot.y + dy) && isMountain(terrain.code[cellOf(spot.x + dx, spot.y + dy)]))
                return true;
    return false;
}
}

void placeSettlements(Terrain& terrain, ArtRandom& random)
{
    std::vector<Spot> sites = placeVillages(terrain, random);
    std::vector<Spot> towns = sites;
    auto castleGround = [&](Spot s) {
        const std::uint8_t code = codeAt(terrain, s);
        return (code == Hills || code == Plain) && distance(s, Spot{112, 120}) < 40;
    };
    scatter(terrain, random, Castle, 1, 14, castleGround, sites);
    towns.push_back(sites.back());
    roadNetwork(terrain, towns);

    auto miningGround = [&](Spot s) {
        const std::uint8_t code = codeAt(terrain, s);
        return (code == Hills || code == Mountain) && besideMountain(terrain, s);
    };
    scatter(terrain, random, Mine, 4, 16, miningGround, sites);
    scatter(terrain, random, IronMine, 3, 16, miningGround, sites);
    scatter(terrain, random, Grotto, 2, 24, miningGround, sites);
    auto ruinGround = [&](Spot s) {
        const std::uint8_t code = codeAt(terrain, s);
        return code == Forest || code == ForestGray || code == ForestC || code == Plain || code == Desert;
    };
    scatter(terrain, random, Ruin, 6, 24, ruinGround, sites);
    scatter(terrain, random, Well, 3, 10, [&](Spot s) { return codeAt(terrain, s) == Desert; }, sites);
    auto byRoad = [&](Spot s) {
        if (codeAt(terrain, s) != Plain)
            return false;
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
            if (onMap(s.x + dx, s.y + dy) && codeAt(terrain, Spot{s.x + dx, s.y + dy}) == Road)
                return true;
        return false;
    };
    scatter(terrain, random, Well, 3, 10, byRoad, sites);
}
