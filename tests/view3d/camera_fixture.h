// The camera's state over an empty grid: a zeroed grid and unit records for
// each test and no key held. Tear-down puts the view cell and the look back
// where the program starts them, so one test's camera never leaks into the
// next test of the same program.
#pragma once

#include "assets/units.h"
#include "platform/input.h"
#include "view3d/camera.h"
#include "world/block_codes.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <gtest/gtest.h>

#include <cstdint>

class CameraFixture : public testing::Test {
protected:
    static constexpr int homeCell = 100; // layer 100 is not a head-bob layer

    void SetUp() override
    {
        allocateWorldGrid();
        allocateUnitRecords();
        releaseAllKeys();
    }
    void TearDown() override
    {
        releaseAllKeys();
        releaseUnitRecords();
        releaseWorldGrid();
        SX = SY = 0;
        SZ = startViewLayer;
        viewYaw = viewPitch = 0;
    }

    static void occupy(int x, int y, int z, std::uint8_t code = Brick)
    {
        gridCell(x, y, z) = code;
    }
};
