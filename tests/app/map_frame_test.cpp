// One frame at 640 x 480, without a window: the map is drawn from the origin
// 15 cells left of and below the view cell, the view cell's tile carries the
// keyed marker, and the view cell is unchanged afterwards.
#include "app/game.h"
#include "app/state.h"
#include "assets/image_table.h"
#include "platform/input.h"
#include "platform/pause.h"
#include "platform/video.h"
#include "world/block_codes.h"
#include "world/grid.h"

#include <gtest/gtest.h>

#include <array>

namespace {
using Rgba = std::array<int, 4>;

constexpr int markerImage = 849;

// A 16 x 16 image of one colour with a different centre pixel (8, 8).
void makeImage(int id, Rgba fill, Rgba centre)
{
    ImageRecord& image = imageTable[id];
    image.width = image.height = 16;
    image.bytesPerPixel = 3;
    image.pixels = std::make_unique<std::uint8_t[]>(16 * 16 * 3);
    for (int i = 0; i < 16 * 16; ++i) {
        const Rgba& colour = i == 8 * 16 + 8 ? centre : fill;
        for (int c = 0; c < 3; ++c)
            image.pixels[std::size_t(i) * 3 + c] = std::uint8_t(colour[std::size_t(c)]);
    }
}

Rgba pixelAt(int x, int y)
{
    const std::uint8_t* p = framebuffer.get() + (std::size_t(y) * screenWidth + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}
}

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
    makeImage(Plain, red, red);
    makeImage(Forest, green, green);
    makeImage(markerImage, {255, 0, 246, 255}, blue);
    worldGrid[cellIndex(40, 30, 2)] = Plain;  // the view cell
    worldGrid[cellIndex(25, 15, 2)] = Forest; // the map origin
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
