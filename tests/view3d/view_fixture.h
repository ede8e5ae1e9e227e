// A 3D view on SDL's offscreen GL context over an empty grid, with the
// camera in the middle of cell (100, 100, 100) looking level along the rows.
#pragma once

#include "assets/image_table.h"
#include "platform/video.h"
#include "platform/window.h"
#include "tests/view3d/camera_fixture.h"
#include "view3d/cube_textures.h"

#include <gtest/gtest.h>

class View3D : public CameraFixture {
protected:
    void SetUp() override
    {
        CameraFixture::SetUp();
        allocateImageTable();
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
        releaseImageTable();
        pixelScale = 2;
        CameraFixture::TearDown();
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
