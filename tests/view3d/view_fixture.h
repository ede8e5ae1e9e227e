// A 3D view on SDL's offscreen GL context over an empty grid, with the
// camera in the middle of cell (100, 100, 100) looking level along the rows.
#pragma once

#include "assets/image_table.h"
#include "assets/units.h"
#include "platform/input.h"
#include "platform/video.h"
#include "platform/window.h"
#include "view3d/camera.h"
#include "view3d/cube_textures.h"
#include "world/block_codes.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <gtest/gtest.h>

class View3D : public testing::Test {
protected:
    static constexpr int homeCell = 100; // not a head-bob layer

    void SetUp() override
    {
        allocateWorldGrid();
        allocateUnitRecords();
        allocateImageTable();
        releaseAllKeys();
        SX = SY = SZ = homeCell;
        playerUnit().subX = playerUnit().subY = playerUnit().subZ = 0.5f;
        viewYaw = 0;
        viewPitch = -90; // level, towards lower rows
        setVideoMode(320, 240);
        pixelScale = 1;
        createContextTextures = loadCubeTextures;
        ASSERT_TRUE(openGameWindow());
    }
    void TearDown() override
    {
        destroyWindowAndContext();
        releaseAllKeys();
        releaseImageTable();
        releaseUnitRecords();
        releaseWorldGrid();
        SX = SY = 0;
        SZ = 12;
        viewYaw = viewPitch = 0;
        pixelScale = 2;
    }

    static void occupy(int x, int y, int z, std::uint8_t code = Brick)
    {
        gridCell(x, y, z) = code;
    }
    static const std::uint8_t* framebufferPixel(int x, int y)
    {
        return framebuffer.get() + (std::size_t(y) * screenWidth + x) * 4;
    }
    static const std::uint8_t* readBackPixel(int x, int y)
    {
        return readBackBuffer.get() + (std::size_t(y) * 320 + x) * 3;
    }
};
