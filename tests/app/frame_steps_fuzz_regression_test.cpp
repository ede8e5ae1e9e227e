// The map frame's steps with a view cell at the ends of the int range, as
// fuzzing met them: the map origin 15 cells out does not overflow, the view
// cell comes back unchanged, and the position line prints the true origin.
#include "app/frame_steps.h"
#include "draw2d/text.h"
#include "tests/draw2d/test_images.h"
#include "world/block_codes.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <utility>

namespace {
constexpr Rgba red = {200, 0, 0, 255};
constexpr Rgba blue = {0, 0, 200, 255};
constexpr int markerImage = 849;

class MapFrameLimits : public testing::Test {
protected:
    void SetUp() override
    {
        setVideoMode(640, 480);
        allocateWorldGrid();
        allocateImageTable();
        makeTile(Plain, red);
        makeTile(markerImage, blue);
        std::memset(&worldGrid[0], Plain, layerStride);
        SZ = 0;
    }
    void TearDown() override
    {
        releaseImageTable();
        releaseWorldGrid();
        SX = SY = 0;
        SZ = 12;
    }
};
}

TEST_F(MapFrameLimits, ViewCellsAtTheEndsOfTheIntRangeShowOnlyTheMarker)
{
    for (auto [sx, sy] : {std::pair{INT_MIN, 0}, {INT_MIN + 14, INT_MIN + 15}, {0, INT_MIN},
                          {INT_MAX, INT_MAX}}) {
        std::memset(framebuffer.get(), 0, std::size_t(640) * 480 * 4);
        SX = sx;
        SY = sy;
        drawMapAroundViewCell();
        EXPECT_EQ(SX, sx);
        EXPECT_EQ(SY, sy);
        EXPECT_EQ(pixelsOfColour(red), 0) << sx << ", " << sy;
        EXPECT_EQ(pixelsOfColour(blue), 256);
    }
}

TEST_F(MapFrameLimits, ThePositionLinePrintsTheOriginOfAnyViewCell)
{
    SX = INT_MIN;
    SY = INT_MAX;
    drawStatusLines();
    const std::string origin = "SX=-2147483663,SY=2147483632,SZ=0 ";
    EXPECT_EQ(std::string(textLine).substr(0, origin.size()), origin);
}
