// The map view on a 640 x 480 screen (40 x 30 tiles) over a zeroed grid,
// with an empty image table but for Plain's tile, plain red. Tear-down puts
// the view cell back where the program starts it.
#pragma once

#include "draw2d/map_view.h"
#include "platform/video.h"
#include "tests/draw2d/test_images.h"
#include "world/block_codes.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

class MapViewFixture : public testing::Test {
protected:
    static constexpr Rgba red = {200, 0, 0, 255}; // image 10, Plain
    static constexpr int columns = 40;             // 640 / 16
    static constexpr int rows = 30;                // 480 / 16

    void SetUp() override
    {
        setVideoMode(640, 480);
        allocateWorldGrid();
        allocateImageTable();
        makeTile(Plain, red);
    }
    void TearDown() override
    {
        releaseImageTable();
        releaseWorldGrid();
        SX = SY = 0;
        SZ = startViewLayer;
    }

    static void clearScreen()
    {
        std::memset(framebuffer.get(), 0, std::size_t(screenWidth) * screenHeight * 4);
    }
    // A map frame from a black screen with the view cell at (sx, sy, sz).
    static void drawAt(int sx, int sy, int sz)
    {
        clearScreen();
        SX = sx;
        SY = sy;
        SZ = sz;
        drawMapView();
    }
};
