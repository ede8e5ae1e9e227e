// Terrain: noise elevation with ridged mountain chains on a continent that
// leaves the open sea to the north and east, then climate zones for the
// desert, swamps and forest kinds, then lakes and rivers.
#include "art/overworld/terrain.h"

#include "art/overworld/paths.h"
#include "world/block_codes.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>

namespace {
constexpr double side = overworldSide;

// Shares of all cells that are sea, and of the land that is high mountain,
// mountain and hills.
constexpr double seaShare = 0.36;
constexpr double highShare = 0.03;
constexpr double mountainShare = 0.08;
constexpr double hillShare = 0.09;
// The lowest part of the land, where wet ground turns to swamp.
constexpr double lowlandShare = 0.16;

// The corner of the map above the underground world: kept dry land.
constexpr double undergroundCentre = 36.5;
constexpr double undergroundRadius = 46;

// The desert's size; it lies in the eastern half, as far from the sea as
// the land there reaches.
constexpr double desertRadius = 30;

double smoothstep(double from, double to, double value)
{
    const double t = std::clamp((value - from) / (to - from), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// High in the south-west, falling away to the open sea along the north and
// east edges (row 0 is the south edge).
double continent(int x, int y)
{
    const double dx = (x - 96.0) / 150.0, dy = (y - 100.0) / 150.0;
    return 1.0 - std::sqrt(dx * dx + dy * dy);
}

double elevation(int x, int y, std::uint32_t seed)
{
    const double base = fractalNoise(x, y, side, 5, 5, seed);
    // Ridged noise, only where a coarse mask allows, makes mountain chains.
    const double ridge = 1.0 - std::fabs(2.0 * fractalNoise(x, y, side, 5, 3, seed + 1) - 1.0);
    const double chains = smoothstep(0.4, 0.6, fractalNoise(x, y, side, 3, 2, seed + 2));
    const double under = std::hypot(x - undergroundCentre, y - undergroundCentre);
    const double lift = 0.12 * smoothstep(undergroundRadius, undergroundRadius * 0.5, under);
    return 0.5 * base + 0.32 * continent(x, y) + 0.4 * std::pow(ridge, 4) * chains + lift;
}

// The value below which `share` of the sorted values lie.
double quantile(std::vector<double> values, double share)
{
    const auto at = values.begin() + std::ptrdiff_t(share * (values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

// What decides a land cell's terrain besides noise: the elevation bands and
// where the desert lies.
struct Climate {
    double lowland, hills, mountain, high;
    int desertX, desertY;
};

Climate climateOf(const Terrain& terrain)
{
    std::vector<double> land;
    std::vector<bool> sea(overworldCells);
    for (int i = 0; i < overworldCells; ++i) {
        sea[i] = terrain.height[i] < terrain.seaLevel;
        if (!sea[i])
            land.push_back(terrain.height[i]);
    }
    const std::vector<int> toSea = stepsFrom(sea);
    int inland = cellOf(overworldSide * 3 / 4, overworldSide / 2);
    for (int i = 0; i < overworldCells; ++i)
        if (i % overworldSide >= overworldSide / 2 && toSea[i] > toSea[inland])
            inland = i;
    return {quantile(land, lowlandShare), quantile(land, 1 - highShare - mountainShare - hillShare),
            quantile(land, 1 - highShare - mountainShare), quantile(land, 1 - highShare),
            inland % overworldSide, inland / overworldSide};
}

// Forest kinds by region: each cell takes the kind of the nearest of a few
// seeded region centres.
std::uint8_t forestKind(int x, int y, std::uint32_t seed)
{
    constexpr std::uint8_t kinds[] = {Forest, ForestFruit, ForestLeaf, ForestGray, ForestB, ForestC,
                                      Forest, ForestLeaf, ForestB, ForestC, ForestFruit, Forest,
                                      ForestB, Forest, ForestGray, ForestLeaf, Forest, ForestC,
                                      Forest, ForestB, ForestFruit, Forest, ForestLeaf, ForestB};
    constexpr int regions = int(std::size(kinds));
    double nearest = std::numeric_limits<double>::max();
    std::uint8_t kind = Forest;
    for (int i = 0; i < regions; ++i) {
        const double cx = hash3(i, 1, seed) % overworldSide, cy = hash3(i, 2, seed) % overworldSide;
        const double d = std::hypot(x - cx, y - cy);
        if (d < nearest) {
            nearest = d;
            kind = kinds[i];
        }
    }
    return kind;
}

std::uint8_t landCode(const Terrain& terrain, const Climate& climate, int x, int y, std::uint32_t seed)
{
    const double h = terrain.height[cellOf(x, y)];
    const double wet = fractalNoise(x, y, side, 4, 3, seed + 3);
    const double woods = fractalNoise(x, y, side, 16, 3, seed + 4) + 0.25 * (wet - 0.5);
    const double desert = std::hypot(x - climate.desertX, y - climate.desertY) / desertRadius +
                          0.9 * (fractalNoise(x, y, side, 12, 2, seed + 5) - 0.5);
    if (h >= climate.high)
        return MountainHigh;
    if (h >= climate.mountain)
        return Mountain;
    if (desert < 1.0)
        return Desert;
    if (h >= climate.hills)
        return woods > 0.58 ? ForestB : Hills;
    if (h < climate.lowland && wet > 0.5)
        return Swamp;
    // Copses: small woods dotted over the open country.
    const double copses = valueNoise(x / 3.0, y / 3.0, overworldSide, seed + 7);
    if (woods > 0.53 || copses > 0.8)
        return forestKind(x, y, seed + 6);
    return Plain;
}

// Sea cells next to land are open water, the rest deep.
void paintSea(Terrain& terrain)
{
    std::vector<bool> land(overworldCells);
    for (int i = 0; i < overworldCells; ++i)
        land[i] = terrain.height[i] >= terrain.seaLevel;
    const std::vector<int> steps = stepsFrom(land);
    constexpr int coastWidth = 2;
    for (int i = 0; i < overworldCells; ++i)
        if (!land[i])
            terrain.code[i] = steps[i] <= coastWidth ? Water : WaterDeep;
}

// A roundish pool of radius r around (cx, cy), frayed by noise; deep water
// in the middle of a large one.
void lake(Terrain& terrain, int cx, int cy, int r, std::uint32_t seed)
{
    for (int y = cy - 2 * r; y <= cy + 2 * r; ++y)
        for (int x = cx - 2 * r; x <= cx + 2 * r; ++x) {
            if (!onMap(x, y))
                continue;
            const double d = std::hypot(x - cx, y - cy) / r + 0.6 * (valueNoise(x / 3.0, y / 3.0, 86, seed) - 0.5);
            if (d < 1.0 && !isMountain(terrain.code[cellOf(x, y)]))
                terrain.code[cellOf(x, y)] = d < 0.45 && r >= 6 ? WaterDeep : Water;
        }
}

bool isLakeSite(const Terrain& terrain, const std::vector<int>& toSea, int cell)
{
    const std::uint8_t code = terrain.code[cell];
    return toSea[cell] > 24 && (code == Plain || code == Forest || code == Swamp || code == ForestB);
}

// A river's course from `source` to the nearest water: climbing is dear and
// slow noise makes it meander.
std::vector<int> riverPath(const Terrain& terrain, int source, std::uint32_t seed)
{
    auto isGoal = [&](int cell) { return isWater(terrain.code[cell]); };
    auto stepCost = [&](int from, int to) {
        const double climb = std::max(0.0, terrain.height[to] - terrain.height[from]);
        const double bend = fractalNoise(to % overworldSide, to / overworldSide, overworldSide, 48, 2, seed);
        return 0.2 + 3.0 * bend * bend + 80.0 * climb +
               (terrain.code[to] == MountainHigh ? 40.0 : 0.0);
    };
    return cheapestPath(source, isGoal, stepCost);
}
}

bool isWater(std::uint8_t code)
{
    return code == Water || code == WaterDeep;
}

bool isMountain(std::uint8_t code)
{
    return code == Mountain || code == MountainHigh;
}

std::vector<int> stepsFrom(const std::vector<bool>& marked)
{
    std::vector<int> steps(overworldCells, unreachedSteps);
    std::deque<int> queue;
    for (int i = 0; i < overworldCells; ++i)
        if (marked[i]) {
            steps[i] = 0;
            queue.push_back(i);
        }
    while (!queue.empty()) {
        const int cell = queue.front();
        queue.pop_front();
        const int x = cell % overworldSide, y = cell / overworldSide;
        for (const auto& [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}})
            if (onMap(nx, ny) && steps[cellOf(nx, ny)] == unreachedSteps) {
                steps[cellOf(nx, ny)] = steps[cell] + 1;
                queue.push_back(cellOf(nx, ny));
            }
    }
    return steps;
}

Terrain shapeTerrain(std::uint32_t seed)
{
    Terrain terrain{std::vector<double>(overworldCells), 0, std::vector<std::uint8_t>(overworldCells, Plain)};
    for (int y = 0; y < overworldSide; ++y)
        for (int x = 0; x < overworldSide; ++x)
            terrain.height[cellOf(x, y)] = elevation(x, y, seed);
    terrain.seaLevel = quantile(terrain.height, seaShare);
    const Climate climate = climateOf(terrain);
    for (int y = 0; y < overworldSide; ++y)
        for (int x = 0; x < overworldSide; ++x)
            if (terrain.height[cellOf(x, y)] >= terrain.seaLevel)
                terrain.code[cellOf(x, y)] = landCode(terrain, climate, x, y, seed);
    paintSea(terrain);
    return terrain;
}

void addWaters(Terrain& terrain, ArtRandom& random)
{
    std::vector<bool> sea(overworldCells);
    for (int i = 0; i < overworldCells; ++i)
        sea[i] = isWater(terrain.code[i]);
    const std::vector<int> toSea = stepsFrom(sea);
    constexpr int lakes = 4, riverCount = 14, tries = 20000;
    constexpr double riverSpacing = 28;
    for (int made = 0, attempt = 0; made < lakes && attempt < tries; ++attempt) {
        const int cell = random.below(overworldCells);
        if (isLakeSite(terrain, toSea, cell)) {
            lake(terrain, cell % overworldSide, cell / overworldSide, random.between(3, 7), random.next());
            ++made;
        }
    }
    std::vector<int> sources;
    for (int attempt = 0; int(sources.size()) < riverCount && attempt < tries; ++attempt) {
        const int cell = random.below(overworldCells);
        const bool highland = terrain.code[cell] == Mountain || terrain.code[cell] == Hills;
        const bool apart = std::none_of(sources.begin(), sources.end(), [&](int other) {
            return std::hypot(cell % overworldSide - other % overworldSide,
                              cell / overworldSide - other / overworldSide) < riverSpacing;
        });
        if (highland && apart && toSea[cell] > 16)
            sources.push_back(cell);
    }
    for (int source : sources)
        for (int cell : riverPath(terrain, source, random.next()))
            if (terrain.code[cell] != MountainHigh)
                terrain.code[cell] = Water;
}
