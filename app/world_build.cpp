// The world steps of start-up, in the order every later step relies on.
#include "app/world_build.h"

#include "assets/units.h"
#include "world/block_codes.h"
#include "world/generator.h"
#include "world/overworld.h"
#include "world/random.h"
#include "world/view_cell.h"
#include "world/world_passes.h"

#include <ctime>

namespace {

// Layers 40..58 are cleared before the generator runs.
constexpr int firstClearedLayer = 40;
constexpr int lastClearedLayer = 58;

// The one dungeon: its levels in 33 x 33 squares around (128, 128), the
// plan square the world passes read, with 400 room attempts per level.
constexpr int dungeonCentre = (planSquareFirst + planSquareLast) / 2;
constexpr int levelSquareSize = planSquareLast - planSquareFirst;
constexpr int roomAttemptsPerLevel = 400;

// Where the player unit starts.
constexpr int startCell = 64;

void placePlayer()
{
    playerUnit().cellX = startCell;
    playerUnit().cellY = startCell;
    SZ = startViewLayer;
    playerUnit().cellZ = startViewLayer;
}
}

std::uint32_t buildWorld(std::optional<std::uint32_t> fixedSeed)
{
    readOverworldMap(overworldMapNumber); // layer 0, before anything reads it
    // The clock is read once the map's pause is over.
    const std::uint32_t seed = fixedSeed ? *fixedSeed : std::uint32_t(std::time(nullptr));
    seedRandom(seed); // every draw from here on follows the seed
    releaseGeneratorStorage();            // fresh working storage for the generator
    allocateGeneratorStorage();
    fillLayers(firstClearedLayer, lastClearedLayer, Air);
    generateDungeon(dungeonCentre, dungeonCentre, firstPlanLayer, dungeonLevelCount,
                    levelSquareSize, roomAttemptsPerLevel); // the plan layers
    fillWorldLayers();    // solid rock under open sky
    raiseOverworld();     // grass, dirt and brick from the map
    carveDungeonLevels(); // the nine levels, two layers high
    placePlayer();        // SX and SY keep their values
    openShafts();         // last: shafts only where level 4 lies open
    return seed;
}
