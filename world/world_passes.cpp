// The 3D world passes: fill, surface, dungeon carving and shafts.
#include "world/world_passes.h"

#include "world/block_codes.h"
#include "world/grid.h"
#include "world/random.h"

#include <cstring>

namespace {
// The 3D world's layers, the sky above the ground, and the ground layer.
constexpr int firstWorldLayer = 1;
constexpr int lastWorldLayer = 138;
constexpr int lastSkyLayer = 3;
constexpr int groundLayer = 4;
constexpr int grassLayer = 3;
constexpr int raisedBrickLayer = 2;

// The overworld codes that raise Grass, and above which Brick rises.
constexpr int firstGrassCode = 11;
constexpr int lastGrassCode = 18;

// Plan cell j maps to 3D cells 2 * (j - planOffset) and the one after.
constexpr int planOffset = 110;

// Shafts: tries, the range of their corner cell, the layer they must find
// open and the layers they cut.
constexpr int shaftTries = 1000;
constexpr int shaftCornerRange = 128;
constexpr int shaftFloorLayer = 12;
constexpr int lastShaftLayer = 11;

// Sets the 2 x 2 block of 3D cells at (x, y) in layer z to Air.
void openBlock(int x, int y, int z)
{
    gridCell(x, y, z) = Air;
    gridCell(x + 1, y, z) = Air;
    gridCell(x, y + 1, z) = Air;
    gridCell(x + 1, y + 1, z) = Air;
}

bool blockOpen(int x, int y, int z)
{
    return gridCell(x, y, z) == Air && gridCell(x + 1, y, z) == Air && gridCell(x, y + 1, z) == Air &&
           gridCell(x + 1, y + 1, z) == Air;
}

// Level k's 3D block for one plan cell: open unless rock, and a stairs-down
// cell reaches down to the next level's space.
void carvePlanCell(int j, int i, int level)
{
    const std::uint8_t code = gridCell(j, i, firstPlanLayer + level - 1);
    const int x = 2 * (j - planOffset);
    const int y = 2 * (i - planOffset);
    if (code != Wall) {
        openBlock(x, y, 3 * level);
        openBlock(x, y, 3 * level + 1);
    }
    if (code == StairsDown)
        openBlock(x, y, 3 * level + 2);
}
}

// Whole layers are one run of bytes.
void fillLayers(int first, int last, std::uint8_t code)
{
    std::memset(&gridCell(0, 0, first), code,
                std::size_t(last - first + 1) * layerStride);
}

void fillWorldLayers()
{
    fillLayers(firstWorldLayer, lastWorldLayer, Brick);
    fillLayers(firstWorldLayer, lastSkyLayer, Air);
}

void raiseOverworld()
{
    for (int y = 0; y < worldSide; ++y)
        for (int x = 0; x < worldSide; ++x) {
            const std::uint8_t code = gridCell(x, y, 0);
            if (code == Plain)
                gridCell(x, y, groundLayer) = Dirt;
            else if (code >= firstGrassCode && code <= lastGrassCode)
                gridCell(x, y, grassLayer) = Grass;
            else if (code > lastGrassCode)
                gridCell(x, y, raisedBrickLayer) = Brick;
        }
}

void carveDungeonLevels()
{
    for (int i = planSquareFirst; i <= planSquareLast; ++i)
        for (int j = planSquareFirst; j <= planSquareLast; ++j)
            for (int level = 1; level <= dungeonLevelCount; ++level)
                carvePlanCell(j, i, level);
}

void openShafts()
{
    for (int tryNumber = 0; tryNumber < shaftTries; ++tryNumber) {
        const int x = randomBelow(shaftCornerRange);
        const int y = randomBelow(shaftCornerRange);
        if (!blockOpen(x, y, shaftFloorLayer))
            continue;
        for (int z = firstWorldLayer; z <= lastShaftLayer; ++z)
            openBlock(x, y, z);
    }
}
