// The 3D world passes: the fill, the surface from the map, carving the plan
// levels, and the shafts.
#include "tests/world/world_fixture.h"

#include "world/block_codes.h"
#include "world/random.h"
#include "world/world_passes.h"

namespace {
constexpr std::uint8_t untouched = 0xEE;

// Plan cell (j, i) of a level lands on the 2 x 2 block at this 3D corner.
int blockCorner(int planCoordinate)
{
    return 2 * (planCoordinate - 110);
}

bool blockIs(int x, int y, int z, std::uint8_t code)
{
    return regionIs(z, x, y, x + 1, y + 1, code);
}
}

using WorldPassTest = WorldTest;

TEST_F(WorldPassTest, FillMakesRockUnderOpenSkyAndLeavesOtherLayersAlone)
{
    for (int layer : {0, 139, 140, 179})
        fillLayer(layer, untouched);
    fillWorldLayers();
    for (int layer = 1; layer <= 3; ++layer)
        EXPECT_EQ(countCode(layer, Air), layerStride) << layer;
    for (int layer = 4; layer <= 138; ++layer)
        ASSERT_EQ(countCode(layer, Brick), layerStride) << layer;
    for (int layer : {0, 139, 140, 179})
        EXPECT_EQ(countCode(layer, untouched), layerStride) << layer;
}

TEST_F(WorldPassTest, SurfaceFollowsTheOverworldCodes)
{
    fillWorldLayers();
    const int codes[] = {0, 9, Plain, Forest, Water, Hills, Mountain, ForestC, Village, Well, 255};
    for (int x = 0; x < int(std::size(codes)); ++x)
        gridCell(x, 7, 0) = std::uint8_t(codes[x]);
    raiseOverworld();
    for (int x = 0; x < int(std::size(codes)); ++x) {
        const int code = codes[x];
        SCOPED_TRACE("code " + std::to_string(code));
        const bool grass = code >= 11 && code <= 18;
        EXPECT_EQ(gridCell(x, 7, 2), code > 18 ? Brick : Air);
        EXPECT_EQ(gridCell(x, 7, 3), grass ? Grass : Air);
        EXPECT_EQ(gridCell(x, 7, 4), code == Plain ? Dirt : Brick);
        EXPECT_EQ(gridCell(x, 7, 1), Air);
    }
    EXPECT_EQ(countCode(2, Brick), 5);
    EXPECT_EQ(countCode(3, Grass), 3);
    EXPECT_EQ(countCode(4, Dirt), 1);
}

TEST_F(WorldPassTest, AnEmptyMapChangesNothing)
{
    fillWorldLayers();
    raiseOverworld();
    for (int layer = 1; layer <= 3; ++layer)
        EXPECT_EQ(countCode(layer, Air), layerStride);
    EXPECT_EQ(countCode(4, Brick), layerStride);
}

TEST_F(WorldPassTest, PlanCellsOpenTheirLevelsTwoLayersHigh)
{
    fillWorldLayers();
    for (int layer = firstPlanLayer; layer < firstPlanLayer + dungeonLevelCount; ++layer)
        claimRegion(layer, planSquareFirst, planSquareFirst, planSquareLast, planSquareLast, Wall);
    const int level3 = firstPlanLayer + 2;
    gridCell(120, 130, level3) = StairsDown;
    gridCell(121, 130, level3) = Door;
    gridCell(112, 144, firstPlanLayer) = Floor;
    gridCell(144, 112, firstPlanLayer + 8) = StairsDown;
    carveDungeonLevels();

    // Level 3 lies in layers 9 and 10; its stairs-down block also opens 11.
    const int x = blockCorner(120), y = blockCorner(130);
    for (int z : {9, 10, 11})
        EXPECT_TRUE(blockIs(x, y, z, Air)) << "layer " << z;
    EXPECT_TRUE(blockIs(x, y, 12, Brick));
    EXPECT_TRUE(blockIs(x, y, 8, Brick));
    // A door opens like a floor: two layers, not the third.
    for (int z : {9, 10})
        EXPECT_TRUE(blockIs(x + 2, y, z, Air)) << "layer " << z;
    EXPECT_TRUE(blockIs(x + 2, y, 11, Brick));
    // The square's corners map to the 3D square's corners, 4 and 69.
    EXPECT_TRUE(blockIs(4, 68, 3, Air));
    EXPECT_TRUE(blockIs(4, 68, 4, Air));
    EXPECT_TRUE(blockIs(68, 4, 27, Air));
    EXPECT_TRUE(blockIs(68, 4, 29, Air));
    EXPECT_TRUE(blockIs(68, 4, 30, Brick));

    int open = 0;
    for (int z = 1; z <= 138; ++z)
        open += countCode(z, Air);
    // The sky layers 1..3 were open already, so level 1's cell adds layer 4 only.
    EXPECT_EQ(open, 3 * layerStride + 4 * (3 + 2 + 1 + 3));
}

TEST_F(WorldPassTest, ShaftsOpenOnlyAboveOpen2x2BlocksOfLayer12)
{
    fillWorldLayers();
    for (int layer = 1; layer <= 3; ++layer)
        fillLayer(layer, Brick);
    // Layer 12 open over columns and rows 118..127: a shaft whose corner is
    // at 127 would reach the rock of column or row 128.
    for (int y = 118; y <= 127; ++y)
        for (int x = 118; x <= 127; ++x)
            gridCell(x, y, 12) = Air;

    seedRandom(9);
    openShafts();
    const int next = nextRandom();
    seedRandom(9);
    for (int i = 0; i < 2000; ++i)
        nextRandom();
    EXPECT_EQ(next, nextRandom()); // a column and a row per try, nothing more

    int shaftCells = 0;
    for (int y = 0; y < worldSide; ++y)
        for (int x = 0; x < worldSide; ++x) {
            if (gridCell(x, y, 1) != Air)
                continue;
            ++shaftCells;
            EXPECT_TRUE(x >= 118 && x <= 127 && y >= 118 && y <= 127) << x << "," << y;
            for (int z = 2; z <= 11; ++z)
                EXPECT_EQ(gridCell(x, y, z), Air) << x << "," << y << "," << z;
        }
    EXPECT_GT(shaftCells, 0);
    EXPECT_EQ(countCode(12, Air), 100);
}
