// The camera at the edges of its number ranges, as fuzzing met them: probes
// with non-finite or huge offsets or from a cell at the end of the int range,
// carries that would overflow the cell, and a step count at its limits.
#include "tests/view3d/camera_fixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float huge = std::numeric_limits<float>::max();

class CameraLimits : public CameraFixture {
protected:
    void SetUp() override
    {
        CameraFixture::SetUp();
        viewYaw = 0;
        viewPitch = -90;
    }
    static void setOffsets(float x, float y, float z)
    {
        playerUnit().subX = x;
        playerUnit().subY = y;
        playerUnit().subZ = z;
    }
};

TEST_F(CameraLimits, NonFiniteAndHugeProbesReadAsOutsideTheGrid)
{
    // Every cell occupied, so a probe that reads the grid at all answers Brick.
    for (std::size_t i = 0; i < worldCellCount; ++i)
        worldGrid[i] = Brick;
    SX = SY = SZ = 100;
    ASSERT_EQ(probeCell(0.5f, 0.5f, 0.5f), Brick);
    for (float bad : {nan, -nan, inf, -inf, huge, -huge, 3e9f, -3e9f}) {
        EXPECT_EQ(probeCell(bad, 0, 0), 0) << bad;
        EXPECT_EQ(probeCell(0, bad, 0), 0) << bad;
        EXPECT_EQ(probeCell(0, 0, bad), 0) << bad;
    }
}

TEST_F(CameraLimits, ProbesFromTheEndsOfTheIntRangeLandWhereExactSumsPutThem)
{
    gridCell(0, 5, 7) = Dirt;
    gridCell(255, 5, 7) = Grass;
    SY = 5;
    SZ = 7;
    SX = INT_MIN;
    EXPECT_EQ(probeCell(-1, 0, 0), 0);
    EXPECT_EQ(probeCell(2147483648.0f, 0.5f, 0.5f), Dirt); // INT_MIN + 2^31 is column 0
    SX = INT_MAX;
    EXPECT_EQ(probeCell(1, 0, 0), 0);
    EXPECT_EQ(probeCell(-2147483392.0f, 0, 0), Grass); // INT_MAX - (2^31 - 256) is 255
}

// A carry that would step the cell past INT_MIN or INT_MAX is not made: the
// cell and its offset stay, and so does the eye.
TEST_F(CameraLimits, CarriesStopAtTheEndsOfTheIntRange)
{
    SX = SY = SZ = INT_MIN;
    setOffsets(1.5f, -0.5f, 1.5f);
    carryCameraCell();
    EXPECT_EQ(SX, INT_MIN);
    EXPECT_EQ(SY, INT_MIN);
    EXPECT_EQ(SZ, INT_MIN);
    EXPECT_EQ(playerUnit().subX, 1.5f);
    EXPECT_EQ(playerUnit().subY, -0.5f);
    EXPECT_EQ(playerUnit().subZ, 1.5f);

    SX = SY = SZ = INT_MAX;
    setOffsets(-0.5f, 1.5f, -0.5f);
    carryCameraCell();
    EXPECT_EQ(SX, INT_MAX);
    EXPECT_EQ(SY, INT_MAX);
    EXPECT_EQ(SZ, INT_MAX);
    EXPECT_EQ(playerUnit().subX, -0.5f);

    // One cell short of the end the carry is still made.
    SX = INT_MIN + 1;
    setOffsets(1.5f, 0.5f, 0.5f);
    carryCameraCell();
    EXPECT_EQ(SX, INT_MIN);
    EXPECT_EQ(playerUnit().subX, 0.5f);
}

TEST_F(CameraLimits, TheStepCountWrapsAroundAtItsLimits)
{
    SX = SY = SZ = 100;
    setOffsets(0.5f, 0.5f, 0.5f);
    playerUnit().stepCount = INT32_MAX;
    stepCameraForward();
    EXPECT_EQ(playerUnit().stepCount, INT32_MIN);
    stepCameraBackward();
    EXPECT_EQ(playerUnit().stepCount, INT32_MAX);
}

// NaN offsets compare false with every bound: nothing carries, and the
// collision pass reads no cell through them.
TEST_F(CameraLimits, NanOffsetsFlyWithoutMovingTheCell)
{
    SX = SY = SZ = 100;
    gridCell(101, 100, 100) = Brick;
    setOffsets(nan, nan, nan);
    setKeyHeld(vkLeftButton, true);
    moveCamera();
    EXPECT_EQ(SX, 100);
    EXPECT_EQ(SY, 100);
    EXPECT_EQ(SZ, 100);
    EXPECT_TRUE(std::isnan(playerUnit().subX));
}

} // namespace
