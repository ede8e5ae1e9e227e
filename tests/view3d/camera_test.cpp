// The camera as pure code over small hand-built grids: flying, carrying,
// the collision rules, the head bob, mouse look and the cell probe.
#include "tests/view3d/camera_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {
using Vec = std::array<double, 3>;

constexpr double tolerance = 1e-6;

class Camera : public CameraFixture {
protected:
    void SetUp() override
    {
        CameraFixture::SetUp();
        SX = SY = SZ = homeCell;
        setEye({0.5, 0.5, 0.5});
        viewYaw = 0;
        viewPitch = 0;
    }

    // The eye inside the camera cell, in grid units per axis.
    static void setEye(Vec inCell)
    {
        playerUnit().subX = float(1 - inCell[0]);
        playerUnit().subY = float(inCell[1]);
        playerUnit().subZ = float(1 - inCell[2]);
    }
    static Vec eyeInCell()
    {
        const UnitRecord& p = playerUnit();
        return {1 - double(p.subX), double(p.subY), 1 - double(p.subZ)};
    }
    // The eye's position in the grid.
    static Vec eye()
    {
        const Vec inCell = eyeInCell();
        return {SX + inCell[0], SY + inCell[1], SZ + inCell[2]};
    }
    static void expectNear(const Vec& got, const Vec& want, const char* what)
    {
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(got[i], want[i], tolerance) << what << ", axis " << i;
    }
    static void frames(int count, std::initializer_list<int> held)
    {
        releaseAllKeys();
        for (int key : held)
            setKeyHeld(key, true);
        for (int i = 0; i < count; ++i)
            moveCamera();
        releaseAllKeys();
    }
};

// The documented view direction: pitch 0 looks deeper, -90 level, -180 up.
Vec viewDirection(double yaw, double pitch)
{
    const double w = yaw * degreesToRadians, p = pitch * degreesToRadians;
    return {-std::sin(p) * std::sin(w), std::sin(p) * std::cos(w), std::cos(p)};
}
} // namespace

TEST_F(Camera, ForwardAndBackwardStepATenthOfACellAlongTheViewDirection)
{
    const std::array<std::array<float, 2>, 6> views = {
        {{0, -90}, {90, -90}, {-37, -90}, {0, 0}, {25, -45}, {-200, -180}}};
    for (const auto& [yaw, pitch] : views) {
        SetUp();
        viewYaw = yaw;
        viewPitch = pitch;
        const Vec start = eye();
        const Vec dir = viewDirection(yaw, pitch);
        frames(1, {vkLeftButton});
        auto along = [&](double distance) {
            return Vec{start[0] + distance * dir[0], start[1] + distance * dir[1],
                       start[2] + distance * dir[2]};
        };
        expectNear(eye(), along(0.1), "forward");
        EXPECT_EQ(playerUnit().stepCount, 1);
        frames(2, {vkZ});
        expectNear(eye(), along(-0.1), "back");
        EXPECT_EQ(playerUnit().stepCount, -1) << "the step count goes negative";
    }
}

TEST_F(Camera, LevelFlightKeepsTheLayerOffsetAndPitchZeroOnlyChangesLayers)
{
    viewPitch = -90;
    viewYaw = 33;
    frames(1, {vkLeftButton});
    EXPECT_EQ(playerUnit().subZ, 0.5f) << "not even a rounding error in the layer offset";

    SetUp();
    viewPitch = 0;
    viewYaw = 33;
    frames(1, {vkLeftButton});
    EXPECT_EQ(playerUnit().subX, 0.5f);
    EXPECT_EQ(playerUnit().subY, 0.5f);
    EXPECT_NEAR(playerUnit().subZ, 0.4, tolerance);
}

TEST_F(Camera, LeftButtonAndZTogetherCancel)
{
    viewYaw = 71;
    viewPitch = -40;
    frames(5, {vkLeftButton, vkZ});
    expectNear(eyeInCell(), {0.5, 0.5, 0.5}, "cancelled");
    EXPECT_EQ(playerUnit().stepCount, 0);
}

TEST_F(Camera, EachCarryMovesAWholeCellAndKeepsTheEyeInPlace)
{
    // Offsets just beyond each end of their range, one axis at a time.
    const std::array<std::array<float, 3>, 6> offsets = {{{1.05f, 0.5f, 0.5f},
                                                          {-0.05f, 0.5f, 0.5f},
                                                          {0.5f, 1.05f, 0.5f},
                                                          {0.5f, -0.05f, 0.5f},
                                                          {0.5f, 0.5f, 1.05f},
                                                          {0.5f, 0.5f, -0.05f}}};
    for (const auto& offset : offsets) {
        SetUp();
        playerUnit().subX = offset[0];
        playerUnit().subY = offset[1];
        playerUnit().subZ = offset[2];
        const Vec before = eye();
        const std::array<int, 3> cell = {SX, SY, SZ};
        carryCameraCell();
        expectNear(eye(), before, "carried");
        EXPECT_EQ(std::abs(SX - cell[0]) + std::abs(SY - cell[1]) + std::abs(SZ - cell[2]), 1);
        for (float sub : {playerUnit().subX, playerUnit().subY, playerUnit().subZ}) {
            EXPECT_GE(sub, 0);
            EXPECT_LE(sub, 1);
        }
    }
}

// A wall beyond one face. Within 0.3 the eye is set 0.3 from that face.
// Within 0.2 the 0.2 push adds to that, and beside a wall in the plane the
// first diagonal probe that reaches it pushes the eye sideways as well.
TEST_F(Camera, AWallBeyondEachFaceKeepsTheEyeAway)
{
    struct Case {
        int axis, side;
        double distance; // from the eye to the wall's face
        Vec settled;     // the eye inside its cell afterwards
    };
    const Case cases[] = {
        {0, -1, 0.25, {0.3, 0.5, 0.5}}, {0, +1, 0.25, {0.7, 0.5, 0.5}},
        {1, -1, 0.25, {0.5, 0.3, 0.5}}, {1, +1, 0.25, {0.5, 0.7, 0.5}},
        {2, -1, 0.25, {0.5, 0.5, 0.3}}, {2, +1, 0.25, {0.5, 0.5, 0.7}},
        {0, -1, 0.1, {0.7, 0.7, 0.5}},  {0, +1, 0.1, {0.3, 0.3, 0.5}},
        {1, -1, 0.1, {0.7, 0.7, 0.5}},  {1, +1, 0.1, {0.3, 0.3, 0.5}},
        {2, -1, 0.1, {0.5, 0.5, 0.5}},  {2, +1, 0.1, {0.5, 0.5, 0.5}},
        {0, -1, 0.35, {0.35, 0.5, 0.5}}, {2, +1, 0.35, {0.5, 0.5, 0.65}},
    };
    for (const Case& c : cases) {
        SetUp();
        std::array<int, 3> wall = {homeCell, homeCell, homeCell};
        wall[c.axis] += c.side;
        occupy(wall[0], wall[1], wall[2]);
        Vec start = {0.5, 0.5, 0.5};
        start[c.axis] = c.side < 0 ? c.distance : 1 - c.distance;
        setEye(start);
        frames(1, {});
        expectNear(eyeInCell(), c.settled, "face wall");
        EXPECT_EQ(SX, homeCell);
        EXPECT_EQ(SY, homeCell);
        EXPECT_EQ(SZ, homeCell);
    }
}

TEST_F(Camera, ADiagonalWallPushesTheEyeAwayOnBothAxes)
{
    for (int dx : {-1, 1})
        for (int dy : {-1, 1}) {
            SetUp();
            occupy(homeCell + dx, homeCell + dy, homeCell);
            const double nearX = dx < 0 ? 0.1 : 0.9, nearY = dy < 0 ? 0.1 : 0.9;
            setEye({nearX, nearY, 0.5});
            frames(1, {});
            expectNear(eyeInCell(), {nearX - 0.2 * dx, nearY - 0.2 * dy, 0.5}, "diagonal");
        }
}

// In an occupied cell the face pushes cancel in pairs and only the first
// diagonal counts, so the eye drifts towards higher columns and rows.
TEST_F(Camera, AnEyeInsideAnOccupiedCellDriftsDiagonally)
{
    occupy(homeCell, homeCell, homeCell);
    frames(1, {});
    expectNear(eyeInCell(), {0.7, 0.7, 0.5}, "inside");
}

TEST_F(Camera, OnEveryThirdLayerFromTwelveTheEyeRidesAtTheBobHeight)
{
    for (int layer : {12, 15, 18}) {
        SetUp();
        SZ = layer;
        playerUnit().stepCount = 7;
        viewPitch = 0; // straight down the layers
        frames(30, {vkLeftButton});
        EXPECT_EQ(SZ, layer) << "flying cannot leave a bob layer";
        const double phase = 37 / 5.0;
        EXPECT_NEAR(playerUnit().subZ, 0.54 + 0.05 * std::sin(phase), tolerance);
    }
}

TEST_F(Camera, OffTheBobLayersTheCameraFliesBetweenLayersUntilItMeetsOne)
{
    SZ = 13;
    viewPitch = 0;
    frames(10, {vkLeftButton});
    EXPECT_EQ(SZ, 14);
    EXPECT_NEAR(playerUnit().subZ, 0.5, tolerance);

    SetUp();
    SZ = 17;
    viewPitch = -180; // up, towards layer 0
    frames(40, {vkLeftButton});
    EXPECT_EQ(SZ, 15);
}

TEST_F(Camera, MouseLookSpansItsRangesAcrossTheScreen)
{
    lookAtMouse(0, 0);
    EXPECT_EQ(viewYaw, 20);
    EXPECT_EQ(viewPitch, 0);
    lookAtMouse(319, 239);
    EXPECT_EQ(viewYaw, -618);
    EXPECT_EQ(viewPitch, -239);
}

TEST_F(Camera, ProbesOutsideTheGridReadAsEmptyWithoutReadingIt)
{
    // The cells a probe past an edge would alias to if it were not bounded.
    SX = 0;
    SY = 5;
    SZ = 5;
    occupy(255, 4, 5);
    EXPECT_EQ(probeCell(-0.5f, 0, 0), 0);
    SX = 255;
    occupy(0, 6, 5);
    EXPECT_EQ(probeCell(1.5f, 0, 0), 0);
    occupy(255, 5, 5, Grass);
    EXPECT_EQ(probeCell(0.5f, 0.9f, 0), Grass);
    SX = 5;
    SY = 5;
    SZ = 0;
    EXPECT_EQ(probeCell(0, 0, -0.01f), 0);
    SZ = layerCount - 1;
    EXPECT_EQ(probeCell(0, 0, 1), 0);

    releaseWorldGrid();
    EXPECT_EQ(probeCell(0, 0, 1), 0);
}
