// The natural overworld: elevation and the terrain codes drawn from it, with
// seas, coasts, lakes and rivers.
#pragma once

#include "art/noise.h"
#include "art/overworld/overworld.h"

#include <cstdint>
#include <vector>

// The overworld while it is being built: one entry per cell, index y * 256 + x.
struct Terrain {
    std::vector<double> height; // compared with seaLevel: below it is sea
    double seaLevel = 0;
    std::vector<std::uint8_t> code; // overworld block codes
};

inline constexpr int overworldCells = overworldSide * overworldSide;

inline int cellOf(int x, int y)
{
    return y * overworldSide + x;
}

inline bool onMap(int x, int y)
{
    return x >= 0 && y >= 0 && x < overworldSide && y < overworldSide;
}

// Elevation and every cell's terrain: sea and coast, plains, forests of
// several kinds, swamp, desert, hills, mountains and high peaks.
Terrain shapeTerrain(std::uint32_t seed);

// Lakes in inland hollows and rivers from the highlands down to the sea.
void addWaters(Terrain& terrain, ArtRandom& random);

// Steps (4-neighbour) from every cell to the nearest marked cell; cells that
// no marked cell reaches get unreachedSteps.
inline constexpr int unreachedSteps = 1 << 20;
std::vector<int> stepsFrom(const std::vector<bool>& marked);

// True for the codes of open and deep water.
bool isWater(std::uint8_t code);

// True for the mountain and high mountain codes.
bool isMountain(std::uint8_t code);
