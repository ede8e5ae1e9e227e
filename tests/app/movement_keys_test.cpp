// The movement keys and the view-cell clamp, frame by frame, on a hand-built
// grid with the pauses on a virtual clock.
#include "app/keys.h"
#include "assets/units.h"
#include "platform/input.h"
#include "platform/pause.h"
#include "platform/test_seam.h"
#include "platform/video.h"
#include "world/block_codes.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {
class MovementKeys : public testing::Test {
protected:
    void SetUp() override
    {
        useVirtualClock(true);
        releaseAllKeys();
        setVideoMode(320, 240);
        allocateWorldGrid();
        allocateUnitRecords();
        setView(0, 0, 12);
        playerUnit().cellX = 64;
        playerUnit().cellY = 64;
        playerUnit().cellZ = 12;
    }
    void TearDown() override
    {
        releaseAllKeys();
        releaseUnitRecords();
        releaseWorldGrid();
        setView(0, 0, 12);
    }
    static void setView(int x, int y, int z)
    {
        SX = x;
        SY = y;
        SZ = z;
    }
    // Frames with the given keys held; in the 3D mode the frame loop copies
    // the view cell into the player unit after the 3D view, before the keys.
    static void holdFor(int frames, std::initializer_list<int> keys, bool copyViewToUnit = false)
    {
        for (int key : keys)
            setKeyHeld(key, true);
        for (int i = 0; i < frames; ++i) {
            if (copyViewToUnit) {
                playerUnit().cellX = std::uint16_t(SX);
                playerUnit().cellY = std::uint16_t(SY);
                playerUnit().cellZ = std::uint16_t(SZ);
            }
            handleMovementKeys();
        }
        releaseAllKeys();
    }
};
}

TEST_F(MovementKeys, ArrowsStopAtTheEdgesOfEachModesRange)
{
    holdFor(300, {vkRight, vkUp});
    EXPECT_EQ(SX, 236);
    EXPECT_EQ(SY, 241);
    setVideoMode(640, 480);
    holdFor(1, {});
    EXPECT_EQ(SX, 216);
    EXPECT_EQ(SY, 226);
    holdFor(300, {vkLeft, vkDown});
    EXPECT_EQ(SX, 0);
    EXPECT_EQ(SY, 0);
}

TEST_F(MovementKeys, OppositeArrowsCancel)
{
    setView(10, 20, 12);
    const std::int64_t start = pausedMilliseconds();
    holdFor(5, {vkUp, vkDown, vkLeft, vkRight});
    EXPECT_EQ(SX, 10);
    EXPECT_EQ(SY, 20);
    EXPECT_EQ(pausedMilliseconds(), start); // arrows never pause
}

// The 3D camera can leave the view cell anywhere; the clamp runs every frame.
TEST_F(MovementKeys, ClampBoundsAViewCellMovedElsewhere)
{
    setView(1000, -5, 500);
    handleMovementKeys();
    EXPECT_EQ(SX, 236);
    EXPECT_EQ(SY, 0);
    EXPECT_EQ(SZ, 179);
    setView(-7, 900, -3);
    handleMovementKeys();
    EXPECT_EQ(SX, 0);
    EXPECT_EQ(SY, 241);
    EXPECT_EQ(SZ, 0);
}

TEST_F(MovementKeys, KeypadPlusClimbsOneLayerPerPauseAndStopsAtLayer30)
{
    const std::int64_t start = pausedMilliseconds();
    holdFor(10, {vkAdd}, true);
    EXPECT_EQ(SZ, 22);
    EXPECT_EQ(pausedMilliseconds() - start, 10 * 380);
    holdFor(30, {vkAdd}, true);
    EXPECT_EQ(SZ, 30);
    EXPECT_EQ(pausedMilliseconds() - start, 40 * 380);
}

TEST_F(MovementKeys, LayerKeysBlockedByAFilledCellStillPause)
{
    gridCell(64, 64, 13) = Brick;
    gridCell(64, 64, 11) = Dirt;
    const std::int64_t start = pausedMilliseconds();
    holdFor(3, {vkAdd});
    holdFor(2, {vkSubtract});
    EXPECT_EQ(SZ, 12);
    EXPECT_EQ(pausedMilliseconds() - start, 5 * 380);
}

TEST_F(MovementKeys, KeypadMinusStepsDownOnlyWithinLayers1To30)
{
    holdFor(1, {vkSubtract});
    EXPECT_EQ(SZ, 11);

    const std::int64_t start = pausedMilliseconds();
    playerUnit().cellZ = 0;
    holdFor(1, {vkSubtract});
    EXPECT_EQ(SZ, 11);
    EXPECT_EQ(pausedMilliseconds() - start, 380);

    playerUnit().cellZ = 31;
    holdFor(1, {vkSubtract});
    EXPECT_EQ(SZ, 11);
    playerUnit().cellZ = 30;
    holdFor(1, {vkSubtract});
    EXPECT_EQ(SZ, 10);
}

// At 640 x 480 the unit keeps the cell copied before the switch, so the
// layer keys test that cell and the view cell climbs to the clamp.
TEST_F(MovementKeys, At640By480TheLayerTestUsesTheUnitsStaleCell)
{
    setVideoMode(640, 480);
    setView(100, 100, 170);
    holdFor(20, {vkAdd});
    EXPECT_EQ(SZ, 179);
}

// A view cell that left the world reaches the unit as a 16-bit copy (-1
// becomes 65535); such a cell counts as filled instead of being read through
// a wrapped index.
TEST_F(MovementKeys, UnitCellOutsideTheGridBlocksTheLayerKeys)
{
    playerUnit().cellX = 65535;
    holdFor(1, {vkAdd});
    holdFor(1, {vkSubtract});
    EXPECT_EQ(SZ, 12);
    playerUnit().cellX = 64;
    playerUnit().cellY = 256;
    holdFor(1, {vkAdd});
    EXPECT_EQ(SZ, 12);
}
