// What must hold for every full dungeon, checked over many seeds: rooms in
// the square, the stair pairs, the furnishing counts, the doorways, and a
// level that is one connected tree of rooms.
#include "tests/world/world_fixture.h"

#include "world/block_codes.h"
#include "world/prefabs.h"
#include "world/random.h"

#include <set>
#include <vector>

namespace {
constexpr int planFirst = 112;
constexpr int planLast = 144;
constexpr int firstLayer = 140;
constexpr int lastLayer = 148;
constexpr int seedCount = 8;

int floorCellsOf(int prefab)
{
    loadPrefabMask(prefab, 0);
    int count = 0;
    for (std::uint8_t value : prefabMask)
        count += value == maskFloor;
    return count;
}

bool inSquare(int x, int y)
{
    return x >= planFirst && x <= planLast && y >= planFirst && y <= planLast;
}

// Non-Wall cells of the level's square reachable from the centre, 4-connected.
int reachableOpenCells(int layer)
{
    std::vector<bool> seen(layerStride, false);
    std::vector<std::pair<int, int>> stack{{128, 128}};
    int reached = 0;
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        if (!inSquare(x, y) || seen[y * worldSide + x] || gridCell(x, y, layer) == Wall)
            continue;
        seen[y * worldSide + x] = true;
        ++reached;
        stack.insert(stack.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    return reached;
}

int openCells(int layer)
{
    int count = 0;
    for (int y = planFirst; y <= planLast; ++y)
        for (int x = planFirst; x <= planLast; ++x)
            count += gridCell(x, y, layer) != Wall;
    return count;
}

int itemsExpected(int rooms, int roomsPerItem)
{
    const int target = rooms / roomsPerItem;
    return target == 0 ? 0 : target + 1;
}

class GeneratorInvariants : public WorldTest {
protected:
    void build(std::uint32_t seed)
    {
        for (int layer = firstLayer - 1; layer <= lastLayer + 1; ++layer)
            fillLayer(layer, Air);
        seedRandom(seed);
        generateDungeon(128, 128, firstLayer, 9, 32, 400);
    }
    int rooms(int layer) const { return levelEndRoom[layer] - levelFirstRoom[layer]; }
};
}

TEST_F(GeneratorInvariants, RoomsStayInsideTheSquareInLevelOrder)
{
    for (std::uint32_t seed = 1; seed <= seedCount; ++seed) {
        build(seed);
        SCOPED_TRACE("seed " + std::to_string(seed));
        int expectedFirst = 0;
        for (int layer = firstLayer; layer <= lastLayer; ++layer) {
            EXPECT_EQ(levelFirstRoom[layer], expectedFirst);
            EXPECT_LE(rooms(layer), 401);
            EXPECT_GE(rooms(layer), 1);
            expectedFirst = levelEndRoom[layer];
            for (int k = levelFirstRoom[layer]; k < levelEndRoom[layer]; ++k) {
                const RoomRecord& room = roomRecords[k];
                EXPECT_EQ(room.index, k);
                EXPECT_EQ(room.layer, layer);
                EXPECT_GE(room.x, 113);
                EXPECT_GE(room.y, 113);
                EXPECT_LE(room.x + room.width - 1, 143);
                EXPECT_LE(room.y + room.height - 1, 143);
                EXPECT_LE(room.prefab, k == levelFirstRoom[layer] ? 13 : 18);
            }
        }
        EXPECT_EQ(roomCount, expectedFirst);
        const RoomRecord& central = roomRecords[0];
        EXPECT_EQ(central.x, 126);
        EXPECT_EQ(central.y, 126);
        EXPECT_EQ(central.width, 5);
        EXPECT_EQ(central.height, 5);
        EXPECT_EQ(central.prefab, 13);
    }
}

TEST_F(GeneratorInvariants, TwoStairPairsJoinEachPairOfNeighbouringLevels)
{
    for (std::uint32_t seed = 1; seed <= seedCount; ++seed) {
        build(seed);
        SCOPED_TRACE("seed " + std::to_string(seed));
        EXPECT_EQ(countCode(firstLayer, StairsUp), 0);
        EXPECT_EQ(countCode(lastLayer, StairsDown), 0);
        for (int layer = firstLayer + 1; layer <= lastLayer; ++layer) {
            EXPECT_EQ(countCode(layer, StairsUp), 2);
            EXPECT_EQ(countCode(layer - 1, StairsDown), 2);
            for (int y = planFirst; y <= planLast; ++y)
                for (int x = planFirst; x <= planLast; ++x)
                    if (gridCell(x, y, layer) == StairsUp) {
                        EXPECT_EQ(gridCell(x, y, layer - 1), StairsDown) << x << "," << y;
                    }
        }
    }
}

TEST_F(GeneratorInvariants, FurnishingsFollowTheRoomCount)
{
    for (std::uint32_t seed = 1; seed <= seedCount; ++seed) {
        build(seed);
        SCOPED_TRACE("seed " + std::to_string(seed));
        for (int layer = firstLayer; layer <= lastLayer; ++layer) {
            const int n = rooms(layer);
            EXPECT_EQ(countCode(layer, Chest), itemsExpected(n, 25));
            EXPECT_EQ(countCode(layer, Candelabrum), itemsExpected(n, 5));
            EXPECT_EQ(countCode(layer, Scrolls), itemsExpected(n, 40));
            EXPECT_EQ(countCode(layer, Coffin), itemsExpected(n, 25));
            EXPECT_EQ(countCode(layer, Fountain), itemsExpected(n, 60));
        }
    }
}

TEST_F(GeneratorInvariants, PlanLayersHoldOnlyPlanCodesInsideTheSquare)
{
    const std::set<int> planCodes = {Wall,  Floor,       Door,    StairsUp, StairsDown,
                                     Chest, Candelabrum, Scrolls, Coffin,   Fountain};
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        build(seed);
        SCOPED_TRACE("seed " + std::to_string(seed));
        EXPECT_EQ(countCode(firstLayer - 1, Air), layerStride);
        EXPECT_EQ(countCode(lastLayer + 1, Air), layerStride);
        for (int layer = firstLayer; layer <= lastLayer; ++layer)
            for (int y = 0; y < worldSide; ++y)
                for (int x = 0; x < worldSide; ++x) {
                    const int code = gridCell(x, y, layer);
                    if (inSquare(x, y))
                        EXPECT_TRUE(planCodes.count(code)) << x << "," << y << ": " << code;
                    else
                        EXPECT_EQ(code, Air) << x << "," << y;
                }
    }
}

TEST_F(GeneratorInvariants, EveryDoorwayIsOpenAndEveryLevelIsOneConnectedTree)
{
    int doors = 0;
    int doorways = 0;
    for (std::uint32_t seed = 1; seed <= seedCount; ++seed) {
        build(seed);
        SCOPED_TRACE("seed " + std::to_string(seed));
        for (int layer = firstLayer; layer <= lastLayer; ++layer) {
            // Room cells never overlap and every doorway is a cell of its own,
            // so the open cells are the rooms' floors plus one per joined room.
            int roomFloors = 0;
            for (int k = levelFirstRoom[layer]; k < levelEndRoom[layer]; ++k)
                roomFloors += floorCellsOf(roomRecords[k].prefab);
            EXPECT_EQ(openCells(layer), roomFloors + rooms(layer) - 1);
            EXPECT_EQ(reachableOpenCells(layer), openCells(layer));
            doors += countCode(layer, Door);
            doorways += rooms(layer) - 1;
        }
    }
    // One doorway in three gets a door.
    const double doorShare = double(doors) / doorways;
    EXPECT_GT(doorShare, 0.28);
    EXPECT_LT(doorShare, 0.39);
}
