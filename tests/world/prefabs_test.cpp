// Prefab sizes, the four orientations, stamping, and the table's format.
#include "tests/world/world_fixture.h"

#include "world/block_codes.h"
#include "world/prefabs.h"

#include <string>
#include <vector>

namespace {
// The mask's top-left width x height cells as rows of digits.
std::vector<std::string> maskRows(int width, int height)
{
    std::vector<std::string> rows;
    for (int r = 0; r < height; ++r) {
        std::string row;
        for (int c = 0; c < width; ++c)
            row += char('0' + prefabMask[r * maskSide + c]);
        rows.push_back(row);
    }
    return rows;
}

int maskCellsSet()
{
    int count = 0;
    for (std::uint8_t value : prefabMask)
        count += value != maskOutside;
    return count;
}

using Rows = std::vector<std::string>;
}

TEST(PrefabOrientation, QuarterTurnPutsTheLsArmAlongTheBottom)
{
    loadPrefabMask(15, 1);
    EXPECT_EQ(prefabWidth, 6);
    EXPECT_EQ(prefabHeight, 8);
    EXPECT_EQ(maskRows(6, 8), (Rows{"110000", "110000", "110000", "110000", "110000", "110000",
                                    "111111", "111111"}));
    EXPECT_EQ(maskCellsSet(), 8 * 2 + 4 * 2);
}

TEST(PrefabOrientation, DiagonalMirrorPutsTheLsArmAlongTheTop)
{
    loadPrefabMask(15, 2);
    EXPECT_EQ(prefabWidth, 6);
    EXPECT_EQ(prefabHeight, 8);
    EXPECT_EQ(maskRows(6, 8), (Rows{"111111", "111111", "110000", "110000", "110000", "110000",
                                    "110000", "110000"}));
}

TEST(PrefabOrientation, AsWrittenAndUpsideDown)
{
    loadPrefabMask(15, 0);
    EXPECT_EQ(maskRows(8, 6), (Rows{"11111111", "11111111", "11000000", "11000000", "11000000",
                                    "11000000"}));
    loadPrefabMask(15, 3);
    EXPECT_EQ(prefabWidth, 8);
    EXPECT_EQ(prefabHeight, 6);
    EXPECT_EQ(maskRows(8, 6), (Rows{"11000000", "11000000", "11000000", "11000000", "11111111",
                                    "11111111"}));
}

TEST(PrefabOrientation, MarkedCellsFollowTheOrientation)
{
    // The T of slot 25: marks at both bar ends (row 1) and on the foot.
    loadPrefabMask(25, 0);
    EXPECT_EQ(maskRows(7, 5), (Rows{"1111111", "3111113", "0011100", "0011100", "0013100"}));
    loadPrefabMask(25, 1);
    EXPECT_EQ(maskRows(5, 7), (Rows{"13000", "11000", "11111", "11113", "11111", "11000",
                                    "13000"}));
}

TEST(PrefabSize, ExtentsPerOrientationAndBadOrientationsChangeNothing)
{
    const int expected[4][2] = {{3, 1}, {1, 3}, {1, 3}, {3, 1}};
    for (int orientation = 0; orientation < 4; ++orientation) {
        prefabSize(1, orientation);
        EXPECT_EQ(prefabWidth, expected[orientation][0]) << "orientation " << orientation;
        EXPECT_EQ(prefabHeight, expected[orientation][1]) << "orientation " << orientation;
    }
    prefabSize(14, 0);
    prefabSize(1, 4);
    prefabSize(1, -1);
    EXPECT_EQ(prefabWidth, 9);
    EXPECT_EQ(prefabHeight, 9);
    loadPrefabMask(1, 4);
    EXPECT_EQ(prefabWidth, 9);
    EXPECT_EQ(maskCellsSet(), 0);
}

TEST(PrefabMask, SizeLeavesTheMaskAndLoadingClearsWhatALargerPrefabLeft)
{
    loadPrefabMask(14, 0);
    const int roundHallCells = maskCellsSet();
    EXPECT_EQ(roundHallCells, 1 + 5 + 7 + 7 + 9 + 7 + 7 + 5 + 1);
    prefabSize(1, 0);
    EXPECT_EQ(maskCellsSet(), roundHallCells);
    EXPECT_EQ(prefabMask[4 * maskSide + 4], maskFloor);

    loadPrefabMask(1, 0);
    EXPECT_EQ(maskCellsSet(), 3);
    EXPECT_EQ(maskRows(3, 1), Rows{"111"});
}

TEST(PrefabMask, LettersPastTheSizeAreNeverRead)
{
    // Slots 30 and 31 carry stray floor letters beside and below their bars.
    loadPrefabMask(30, 0);
    EXPECT_EQ(maskCellsSet(), 6);
    EXPECT_EQ(maskRows(1, 6), (Rows{"1", "1", "1", "1", "1", "1"}));
    loadPrefabMask(31, 2);
    EXPECT_EQ(maskCellsSet(), 6);
}

using PrefabStampTest = WorldTest;

TEST_F(PrefabStampTest, FloorBlockAndPlusSignOverRock)
{
    fillLayer(140, Wall);
    loadPrefabMask(13, 0);
    stampX = 126;
    stampY = 126;
    stampPrefab(140);
    EXPECT_EQ(countCode(140, Floor), 25);
    EXPECT_TRUE(regionIs(140, 126, 126, 130, 130, Floor));

    loadPrefabMask(4, 0);
    stampX = 10;
    stampY = 20;
    stampPrefab(140);
    EXPECT_EQ(countCode(140, Floor), 25 + 5);
    for (const auto& [x, y] : {std::pair{10, 20}, {12, 20}, {10, 22}, {12, 22}})
        EXPECT_EQ(gridCell(x, y, 140), Wall) << x << "," << y;
    EXPECT_EQ(gridCell(11, 21, 140), Floor);
}

TEST_F(PrefabStampTest, WritesOnlyInsideItsBoxAndNeverAir)
{
    fillLayer(141, Wall);
    loadPrefabMask(18, 1); // the ring, with an all-outside last row
    stampX = 40;
    stampY = 50;
    stampPrefab(141);
    EXPECT_EQ(countCode(141, Air), 0);
    EXPECT_EQ(countCode(141, Floor), maskCellsSet());
    for (int y = 0; y < worldSide; ++y)
        for (int x = 0; x < worldSide; ++x)
            if (gridCell(x, y, 141) != Wall) {
                EXPECT_TRUE(x >= 40 && x < 40 + prefabWidth && y >= 50 && y < 50 + prefabHeight)
                    << x << "," << y;
            }
}

TEST_F(PrefabStampTest, MarkedCellsBecomeRoomMarks)
{
    fillLayer(142, Wall);
    loadPrefabMask(21, 0);
    stampX = 0;
    stampY = 0;
    stampPrefab(142);
    EXPECT_EQ(countCode(142, RoomMark), 4);
    EXPECT_EQ(countCode(142, Floor), 5);
    EXPECT_EQ(gridCell(2, 2, 142), RoomMark);
}

TEST(PrefabTable, ShapeSlotsFollowTheLetterFormat)
{
    const int sizes[prefabShapeCount][2] = {
        {3, 3}, {3, 1}, {4, 1}, {5, 1}, {3, 3}, {5, 5}, {4, 2}, {3, 2}, {5, 2},
        {5, 3}, {5, 3}, {8, 7}, {4, 4}, {5, 5}, {9, 9}, {8, 6}, {5, 5}, {8, 4},
        {8, 8}, {9, 9}, {7, 7}, {3, 3}, {4, 4}, {5, 5}, {5, 5}, {7, 5}, {3, 5},
        {7, 7}, {7, 7}, {7, 7}, {1, 6}, {6, 1}, {4, 2}, {2, 4}, {12, 9}, {9, 8},
        {15, 9}, {10, 11}, {15, 10}, {12, 9}, {12, 9}, {12, 9}, {12, 9}, {12, 9}};
    const int marks[prefabShapeCount - 19] = {5, 13, 4, 4, 4, 5, 3, 4, 3, 3, 3};
    for (int slot = 0; slot < prefabShapeCount; ++slot) {
        const std::string text = prefabTable[slot];
        SCOPED_TRACE("slot " + std::to_string(slot));
        ASSERT_GE(text.size(), 33u * maskSide);
        EXPECT_EQ(text.substr(0, 2), "jk");
        EXPECT_EQ(text.substr(4, maskSide - 4), std::string(maskSide - 4, '0'));
        const int width = text[2] - 96;
        const int height = text[3] - 96;
        EXPECT_EQ(width, sizes[slot][0]);
        EXPECT_EQ(height, sizes[slot][1]);
        int marked = 0, floors = 0;
        for (int r = 1; r <= height; ++r)
            for (int c = 0; c < width; ++c) {
                marked += text[r * maskSide + c] == 'p';
                floors += text[r * maskSide + c] == 'd';
            }
        EXPECT_EQ(marked, slot >= 19 && slot - 19 < int(std::size(marks)) ? marks[slot - 19] : 0);
        EXPECT_GT(floors, 0);
    }
}

TEST(PrefabTable, DuplicateSlotsAndFillers)
{
    EXPECT_STREQ(prefabTable[6], prefabTable[32]);
    EXPECT_STREQ(prefabTable[28], prefabTable[29]);
    for (int slot = prefabShapeCount; slot < prefabSlotCount; ++slot)
        EXPECT_EQ(std::string(prefabTable[slot]), std::to_string(slot - 42));
}

// The shapes of the slots the generator draws, row by row as written ('0'
// outside, 'd' floor, rows separated by " / "), against the table's letters.
const char* const drawnShapes[19] = {
    "ddd / ddd / ddd",
    "ddd",
    "dddd",
    "ddddd",
    "0d0 / ddd / 0d0",
    "00d00 / 0ddd0 / ddddd / 0ddd0 / 00d00",
    "dddd / dddd",
    "ddd / ddd",
    "ddddd / ddddd",
    "ddddd / d0d0d / ddddd",
    "ddddd / ddddd / ddddd",
    "000dd000 / 0dddddd0 / 0dddddd0 / dddddddd / 0dddddd0 / 0dddddd0 / 000dd000",
    "dddd / dddd / dddd / dddd",
    "ddddd / ddddd / ddddd / ddddd / ddddd",
    "0000d0000 / 00ddddd00 / 0ddddddd0 / 0ddddddd0 / ddddddddd / "
    "0ddddddd0 / 0ddddddd0 / 00ddddd00 / 0000d0000",
    "dddddddd / dddddddd / dd000000 / dd000000 / dd000000 / dd000000",
    "0ddd0 / ddddd / ddddd / 0ddd0 / 0ddd0",
    "0dddddd0 / 0dddddd0 / dddddddd / 0dddddd0",
    "00dddd00 / 0dddddd0 / ddd00ddd / dd0000dd / ddd00ddd / 0dddddd0 / 00dddd00 / 00000000",
};

TEST(PrefabTable, DrawnSlotsHoldTheirShapesRowByRow)
{
    for (int slot = 0; slot < 19; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const std::string text = prefabTable[slot];
        const int width = text[2] - 96;
        const int height = text[3] - 96;
        std::string rows;
        for (int r = 1; r <= height; ++r) {
            if (r > 1)
                rows += " / ";
            for (int c = 0; c < width; ++c)
                rows += text[r * maskSide + c] == 'd' ? 'd' : '0';
        }
        EXPECT_EQ(rows, drawnShapes[slot]);
    }
}
