// The dungeon generator: a room phase that grows every level as a tree of
// prefab rooms joined by doorways, then a feature phase that adds stair pairs
// between neighbouring levels and furnishes each level. Every random draw is
// made in a fixed order, so one seed always builds the same dungeon.
#include "world/generator.h"

#include "world/block_codes.h"
#include "world/grid.h"
#include "world/prefabs.h"
#include "world/random.h"

namespace {
constexpr int triesPerAttempt = 1000;
constexpr int firstLevelCentralPrefab = 13;
constexpr int centralPrefabChoices = 13; // slots 0..12
constexpr int roomPrefabChoices = 19;    // slots 0..18
constexpr int orientationChoices = 4;
constexpr int directionChoices = 4;
constexpr int doorChoices = 3; // one draw in three gives a door
constexpr int doorDraw = 1;

// The furnishings in the order they are placed, each with the rooms a level
// needs per item of its target.
struct ItemKind {
    BlockCode item;
    int roomsPerItem;
};
constexpr ItemKind itemKinds[] = {
    {Chest, 25}, {Candelabrum, 5}, {Scrolls, 40}, {Coffin, 25}, {Fountain, 60},
};
// Stair pairs per level: one, and one more per 32 cells of the square size.
constexpr int squareCellsPerStairPair = 32;

struct Cell {
    int x;
    int y;
};

std::uint8_t& planCell(Cell cell, int layer)
{
    return gridCell(cell.x, cell.y, layer);
}

void appendRoom(int x, int y, int layer, int prefab)
{
    roomRecords[roomCount] = RoomRecord{std::uint16_t(x), std::uint16_t(y),
                                        std::uint16_t(prefabWidth), std::uint16_t(prefabHeight),
                                        std::uint16_t(layer), roomCount, std::uint8_t(prefab)};
    ++roomCount;
}

// The level's square of rock; false when any of it is taken or off the grid.
bool claimLevelSquare(int layer, int centreX, int centreY, int squareSize)
{
    const int half = squareSize / 2;
    return claimRegion(layer, centreX - half, centreY - half, centreX + half, centreY + half, Wall);
}

// The first room of a level, centred on the square; false when its box and
// ring are not all Wall.
bool placeCentralRoom(int layer, int centreX, int centreY, bool firstLevel)
{
    const int prefab = firstLevel ? firstLevelCentralPrefab : randomBelow(centralPrefabChoices);
    loadPrefabMask(prefab, 0);
    stampX = centreX - prefabWidth / 2;
    stampY = centreY - prefabHeight / 2;
    if (!regionIs(layer, stampX - 1, stampY - 1, stampX + prefabWidth, stampY + prefabHeight, Wall))
        return false;
    stampPrefab(layer);
    appendRoom(stampX, stampY, layer, prefab);
    levelFirstRoom[layer] = roomCount - 1;
    return true;
}

// A random cell of a random room among `count` rooms from record `first`:
// the room draw, then the column, then the row.
Cell randomRoomCell(int first, int count)
{
    const RoomRecord& room = roomRecords[first + randomBelow(count)];
    const int dx = randomBelow(room.width);
    const int dy = randomBelow(room.height);
    return Cell{room.x + dx, room.y + dy};
}

// Columns and rows 3..253: room for a doorway and a target beyond it.
bool awayFromEdge(Cell cell)
{
    constexpr int edgeBand = 2;
    return cell.x > edgeBand && cell.x < worldSide - edgeBand && cell.y > edgeBand &&
           cell.y < worldSide - edgeBand;
}

// The cell `steps` cells from `from` in a direction: 0 up a row, 1 down a
// row, 2 right a column, 3 left a column.
Cell stepFrom(Cell from, int direction, int steps)
{
    constexpr int columnStep[directionChoices] = {0, 0, 1, -1};
    constexpr int rowStep[directionChoices] = {1, -1, 0, 0};
    return Cell{from.x + steps * columnStep[direction], from.y + steps * rowStep[direction]};
}

// One try at hanging a new room off a floor cell of the level through a
// doorway. A try that fails stops drawing at the point it fails.
bool tryOneRoom(int layer)
{
    const int orientation = randomBelow(orientationChoices);
    const int prefab = randomBelow(roomPrefabChoices);
    const int first = levelFirstRoom[layer];
    const Cell source = randomRoomCell(first, roomCount - first);
    if (!awayFromEdge(source))
        return false;
    const int direction = randomBelow(directionChoices);
    const Cell doorway = stepFrom(source, direction, 1);
    const Cell target = stepFrom(source, direction, 2);
    // All three cells are read every time: most tries fail here, and a
    // branch per cell costs more than the reads.
    const bool opening = (planCell(source, layer) == Floor) & (planCell(doorway, layer) == Wall) &
                         (planCell(target, layer) == Wall);
    if (!opening)
        return false;
    prefabSize(prefab, orientation);
    // The mask cell (dx, dy) is the one that is to land on the target.
    const int dx = randomBelow(prefabWidth);
    const int dy = randomBelow(prefabHeight);
    const int ox = target.x - dx;
    const int oy = target.y - dy;
    if (!regionIs(layer, ox - 1, oy - 1, ox + prefabWidth, oy + prefabHeight, Wall))
        return false;
    loadPrefabMask(prefab, orientation);
    if (prefabMask[dy * maskSide + dx] != maskFloor)
        return false;
    stampX = ox;
    stampY = oy;
    stampPrefab(layer);
    appendRoom(ox, oy, layer, prefab);
    planCell(doorway, layer) = randomBelow(doorChoices) == doorDraw ? Door : Floor;
    return true;
}

void attemptRoom(int layer)
{
    for (int tryNumber = 0; tryNumber < triesPerAttempt; ++tryNumber)
        if (tryOneRoom(layer))
            return;
}

// The room phase of one level; false when the level could not be started.
bool buildLevelRooms(int layer, int centreX, int centreY, int squareSize, int roomAttempts,
                     bool firstLevel)
{
    if (!claimLevelSquare(layer, centreX, centreY, squareSize))
        return false;
    if (!placeCentralRoom(layer, centreX, centreY, firstLevel))
        return false;
    for (int attempt = 0; attempt < roomAttempts; ++attempt)
        attemptRoom(layer);
    levelEndRoom[layer] = roomCount;
    return true;
}

// `pairs` stair pairs: StairsUp on a floor cell of the level, StairsDown on
// the floor cell at the same column and row of the level above.
void placeStairs(int layer, int pairs)
{
    const int first = levelFirstRoom[layer];
    const int count = levelEndRoom[layer] - first;
    int placed = 0;
    for (int tries = 0; tries < featureTryLimit && placed < pairs; ++tries) {
        const Cell cell = randomRoomCell(first, count);
        if (planCell(cell, layer) == Floor && planCell(cell, layer - 1) == Floor) {
            planCell(cell, layer) = StairsUp;
            planCell(cell, layer - 1) = StairsDown;
            ++placed;
        }
    }
}

// target + 1 items of one kind on floor cells, or none when target is 0.
void placeItems(int layer, int target, BlockCode item)
{
    if (target == 0)
        return;
    const int first = levelFirstRoom[layer];
    const int count = levelEndRoom[layer] - first;
    int placed = 0;
    for (int tries = 0; tries < featureTryLimit && placed <= target; ++tries) {
        const Cell cell = randomRoomCell(first, count);
        if (planCell(cell, layer) == Floor) {
            planCell(cell, layer) = item;
            ++placed;
        }
    }
}

// Stairs up to the level above (not from the first level), then the items,
// each kind in numbers that follow the level's room count.
void placeLevelFeatures(int layer, bool firstLevel, int squareSize)
{
    const int rooms = levelEndRoom[layer] - levelFirstRoom[layer];
    if (rooms == 0)
        return;
    if (!firstLevel)
        placeStairs(layer, squareSize / squareCellsPerStairPair + 1);
    for (const ItemKind& kind : itemKinds)
        placeItems(layer, rooms / kind.roomsPerItem, kind.item);
}
}

void generateDungeon(int centreX, int centreY, int firstLayer, int levelCount, int squareSize,
                     int roomAttempts)
{
    roomCount = 0;
    const int endLayer = firstLayer + levelCount;
    for (int layer = firstLayer; layer < endLayer; ++layer)
        if (!buildLevelRooms(layer, centreX, centreY, squareSize, roomAttempts,
                             layer == firstLayer))
            return;
    for (int layer = firstLayer; layer < endLayer; ++layer)
        placeLevelFeatures(layer, layer == firstLayer, squareSize);
}
