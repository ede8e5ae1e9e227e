// The grid's layout and its rectangle test and claim at the grid's edges.
#include "tests/world/world_fixture.h"

#include "world/block_codes.h"

TEST(GridLayout, LastCellIsTheLastByte)
{
    EXPECT_EQ(layerStride, 65536);
    EXPECT_EQ(worldCellCount, 11'796'480u);
    EXPECT_EQ(std::size_t(cellIndex(255, 255, 179)), worldCellCount - 1);
    EXPECT_EQ(cellIndex(1, 2, 3), 3 * 65536 + 2 * 256 + 1);
}

using RegionTest = WorldTest;

TEST_F(RegionTest, RectanglesLeavingTheGridAreFalseEvenWhenEveryInsideCellMatches)
{
    // Layer 5 is all Air, so only the edge can make these false.
    EXPECT_TRUE(regionIs(5, 0, 0, 255, 255, Air));
    EXPECT_FALSE(regionIs(5, -1, 10, 3, 12, Air));
    EXPECT_FALSE(regionIs(5, 250, 10, 256, 12, Air));
    EXPECT_FALSE(regionIs(5, 10, -1, 12, 3, Air));
    EXPECT_FALSE(regionIs(5, 10, 250, 12, 256, Air));
    EXPECT_FALSE(regionIs(5, -1, -1, -1, -1, Air));
}

TEST_F(RegionTest, EmptyRangesAreTrueWithoutLookingAtAnyCell)
{
    fillLayer(5, Brick);
    EXPECT_TRUE(regionIs(5, 10, 0, 9, 5, Air));
    EXPECT_TRUE(regionIs(5, 0, 10, 5, 9, Air));
    // Coordinates off the grid are never visited when the range is empty.
    EXPECT_TRUE(regionIs(5, -3, 0, -9, 5, Air));
    EXPECT_TRUE(regionIs(5, 300, 0, 260, 5, Air));
}

TEST_F(RegionTest, OneDifferentCellMakesTheTestFalse)
{
    fillLayer(7, Wall);
    EXPECT_TRUE(regionIs(7, 100, 100, 110, 110, Wall));
    gridCell(110, 110, 7) = Floor;
    EXPECT_FALSE(regionIs(7, 100, 100, 110, 110, Wall));
    EXPECT_TRUE(regionIs(7, 100, 100, 109, 110, Wall));
    EXPECT_TRUE(regionIs(7, 110, 110, 110, 110, Floor));
}

TEST_F(RegionTest, ClaimWritesTheWholeRectangleOrNothing)
{
    gridCell(20, 20, 3) = Brick;
    EXPECT_FALSE(claimRegion(3, 15, 15, 25, 25, Wall));
    EXPECT_EQ(countCode(3, Wall), 0);
    EXPECT_EQ(gridCell(20, 20, 3), Brick);

    EXPECT_TRUE(claimRegion(3, 15, 15, 19, 25, Wall));
    EXPECT_EQ(countCode(3, Wall), 5 * 11);
    EXPECT_EQ(gridCell(14, 15, 3), Air);
    EXPECT_EQ(gridCell(19, 25, 3), Wall);
    EXPECT_EQ(gridCell(19, 26, 3), Air);
}

TEST_F(RegionTest, ClaimAtTheGridsCornersStaysInside)
{
    EXPECT_TRUE(claimRegion(179, 250, 250, 255, 255, Wall));
    EXPECT_EQ(worldGrid[worldCellCount - 1], Wall);
    EXPECT_EQ(countCode(179, Wall), 36);
    EXPECT_FALSE(claimRegion(178, 250, 250, 256, 255, Wall));
    EXPECT_FALSE(claimRegion(178, -1, 0, 5, 5, Wall));
    EXPECT_EQ(countCode(178, Wall), 0);
    // A rectangle over cells already claimed is refused.
    EXPECT_FALSE(claimRegion(179, 255, 255, 255, 255, Floor));
}
