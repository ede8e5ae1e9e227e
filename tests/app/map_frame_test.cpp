// One frame at 640 x 480, without a window: the map is drawn from the origin
// 15 cells left of and below the view cell, the view cell's tile carries the
// keyed marker, and the view cell is unchanged afterwards.
#include "app/game.h"
#include "platform/input.h"
#include "platform/pause.h"
#include "tests/draw2d/test_images.h"
#include "world/block_codes.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <gtest/gtest.h>

TEST(MapFrame, ViewCellSitsFifteenTilesInUnderTheMarker)
{
    useVirtualClock(true);
    releaseAllKeys();
    setVideoMode(640, 480);
    allocateWorldGrid();
    allocateImageTable();
    const Rgba red = {200, 0, 0, 255};
    const Rgba green = {0, 200, 0, 255};
    const Rgba blue = {0, 0, 200, 255};
    makeTile(Plain, red);
    makeTile(Forest, green);
    makeImage(849, 16, 16, [&](int j, int i) { return j == 8 && i == 8 ? blue : Rgba{255, 0, 246}; });
    gridCell(40, 30, 2) = Plain;  // the view cell
    gridCell(25, 15, 2) = Forest; // the map origin
    SX = 40;
    SY = 30;
    SZ = 2;

    runFrame();

    EXPECT_EQ(pixelAt(240, 240), red);
    EXPECT_EQ(pixelAt(248, 248), blue);
    EXPECT_EQ(pixelAt(10, 10), green);
    EXPECT_EQ(SX, 40);
    EXPECT_EQ(SY, 30);
    EXPECT_EQ(SZ, 2);
    releaseImageTable();
    releaseWorldGrid();
}
