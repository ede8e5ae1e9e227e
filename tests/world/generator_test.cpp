// The dungeon generator: hand-checked draw sequences for tiny calls, the
// invariants of full dungeons over many seeds, and golden plans.
#include "tests/world/world_fixture.h"

#include "world/block_codes.h"
#include "world/prefabs.h"
#include "world/random.h"

#include <array>
#include <map>
#include <vector>

namespace {
constexpr int planFirst = 112;
constexpr int planLast = 144;
constexpr int firstLayer = 140;
constexpr int lastLayer = 148;

// The value the sequence from `seed` gives after `skipped` draws: compared
// with the generator's next draw, it proves how many draws were made.
int valueAfterDraws(std::uint32_t seed, int skipped)
{
    seedRandom(seed);
    for (int i = 0; i < skipped; ++i)
        nextRandom();
    return nextRandom();
}

int levelRooms(int layer)
{
    return levelEndRoom[layer] - levelFirstRoom[layer];
}

void runFullDungeon(std::uint32_t seed)
{
    seedRandom(seed);
    generateDungeon(128, 128, firstLayer, 9, 32, 400);
}
}

TEST(Random, ClassicLibrarySequence)
{
    seedRandom(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected)
        EXPECT_EQ(nextRandom(), value);
    seedRandom(0xffffffffu);
    EXPECT_EQ(nextRandom(), 35);
    EXPECT_EQ(randomBelow(19), 29739 % 19);
}

using GeneratorTest = WorldTest;

TEST_F(GeneratorTest, OneRoomHandChecked)
{
    // Seed 5, one level, one attempt. The first try draws orientation 2,
    // prefab 3 (the 5 x 1 bar), room 0, source (126 + 4, 126 + 0),
    // direction 2 (doorway (131, 126), target (132, 126)); the bar turned
    // 1 x 5 takes dx 0, dy 4, so its box is (132, 122)..(132, 126); the door
    // draw gives 1: a Door. Nine draws; no level of 2 rooms gets features.
    seedRandom(5);
    generateDungeon(128, 128, firstLayer, 1, 32, 1);
    ASSERT_EQ(roomCount, 2);
    const RoomRecord& room = roomRecords[1];
    EXPECT_EQ(room.x, 132);
    EXPECT_EQ(room.y, 122);
    EXPECT_EQ(room.width, 1);
    EXPECT_EQ(room.height, 5);
    EXPECT_EQ(room.layer, firstLayer);
    EXPECT_EQ(room.index, 1);
    EXPECT_EQ(room.prefab, 3);
    EXPECT_EQ(gridCell(131, 126, firstLayer), Door);
    EXPECT_TRUE(regionIs(firstLayer, 132, 122, 132, 126, Floor));
    EXPECT_EQ(countCode(firstLayer, Floor), 25 + 5);
    const int next = nextRandom();
    EXPECT_EQ(next, valueAfterDraws(5, 9));
}

TEST_F(GeneratorTest, StairPairBetweenTwoTinyLevelsHandChecked)
{
    // Seed 1, two levels, no room attempts. Level 2's central prefab is
    // 41 % 13 = 2, the 4 x 1 bar at (126..129, 128). The stair try draws room
    // 0, dx 6334 % 4 = 2, dy 0: cell (128, 128), floor on both levels.
    seedRandom(1);
    generateDungeon(128, 128, firstLayer, 2, 6, 0);
    ASSERT_EQ(roomCount, 2);
    EXPECT_EQ(roomRecords[1].prefab, 2);
    EXPECT_TRUE(regionIs(firstLayer + 1, 126, 128, 126, 128, Floor));
    EXPECT_EQ(gridCell(128, 128, firstLayer + 1), StairsUp);
    EXPECT_EQ(gridCell(128, 128, firstLayer), StairsDown);
    EXPECT_EQ(countCode(firstLayer + 1, StairsUp), 1);
    const int next = nextRandom();
    EXPECT_EQ(next, valueAfterDraws(1, 4));
}

TEST_F(GeneratorTest, TriesAtTheGridsEdgeStopBeforeTheDirectionDraw)
{
    // A 7 x 7 square in a corner of the grid: the central 5 x 5 room fills it,
    // so every try fails. Each makes five draws, and a sixth (the direction)
    // only when its source cell lies in columns and rows 3..253.
    for (int centre : {3, 252}) {
        SCOPED_TRACE("centre " + std::to_string(centre));
        const int layer = centre == 3 ? 150 : 151;
        seedRandom(77);
        generateDungeon(centre, centre, layer, 1, 6, 1);
        const int next = nextRandom();
        ASSERT_EQ(roomCount, 1);

        seedRandom(77);
        const int roomOrigin = centre - 2;
        for (int tryNumber = 0; tryNumber < 1000; ++tryNumber) {
            nextRandom(); // orientation
            nextRandom(); // prefab
            nextRandom(); // source room, the only one
            const int x = roomOrigin + randomBelow(5);
            const int y = roomOrigin + randomBelow(5);
            if (x >= 3 && x <= 253 && y >= 3 && y <= 253)
                nextRandom(); // direction
        }
        EXPECT_EQ(next, nextRandom());
    }
}

TEST_F(GeneratorTest, ATakenSquareEndsTheGeneratorWithoutFeatures)
{
    gridCell(144, 144, firstLayer + 1) = Brick;
    seedRandom(3);
    generateDungeon(128, 128, firstLayer, 9, 32, 400);
    EXPECT_GT(levelRooms(firstLayer), 25);
    EXPECT_EQ(countCode(firstLayer + 1, Wall), 0);
    EXPECT_EQ(countCode(firstLayer + 2, Wall), 0);
    for (std::uint8_t item : {Chest, Candelabrum, Coffin})
        EXPECT_EQ(countCode(firstLayer, item), 0);
}

TEST_F(GeneratorTest, ACentralRoomWithoutItsMarginEndsTheGenerator)
{
    // A 5 x 5 square leaves the 5 x 5 central room no ring of rock.
    seedRandom(3);
    generateDungeon(128, 128, firstLayer, 2, 4, 10);
    EXPECT_EQ(roomCount, 0);
    EXPECT_EQ(countCode(firstLayer, Wall), 25);
    EXPECT_EQ(countCode(firstLayer, Floor), 0);
    EXPECT_EQ(countCode(firstLayer + 1, Wall), 0);
    const int next = nextRandom();
    EXPECT_EQ(next, valueAfterDraws(3, 0));
}

TEST_F(GeneratorTest, FurnishingCountsStartAtTheirRoomThresholds)
{
    // Seed 1 places every attempt of these small levels, so n = attempts + 1.
    struct Case {
        int rooms;
        int chests, candelabra, scrolls, coffins;
    };
    const Case cases[] = {{4, 0, 0, 0, 0},   {5, 0, 2, 0, 0},   {24, 0, 5, 0, 0},
                          {25, 2, 6, 0, 2},  {39, 2, 8, 0, 2},  {40, 2, 9, 2, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE("rooms " + std::to_string(c.rooms));
        fillLayer(firstLayer, Air);
        seedRandom(1);
        generateDungeon(128, 128, firstLayer, 1, 32, c.rooms - 1);
        ASSERT_EQ(levelRooms(firstLayer), c.rooms);
        EXPECT_EQ(countCode(firstLayer, Chest), c.chests);
        EXPECT_EQ(countCode(firstLayer, Candelabrum), c.candelabra);
        EXPECT_EQ(countCode(firstLayer, Scrolls), c.scrolls);
        EXPECT_EQ(countCode(firstLayer, Coffin), c.coffins);
        EXPECT_EQ(countCode(firstLayer, Fountain), 0);
    }
}

TEST_F(GeneratorTest, GoldenPlansForTwoSeeds)
{
    // Recorded from runs checked against an independent model of the rules.
    runFullDungeon(1);
    EXPECT_EQ(layersHash(firstLayer, lastLayer), 0xb0f3e0bfa4838c4dull);
    for (int layer = firstLayer; layer <= lastLayer; ++layer)
        fillLayer(layer, Air);
    runFullDungeon(4242);
    EXPECT_EQ(layersHash(firstLayer, lastLayer), 0xbe5634d69c5666d5ull);
}
