// The map frame's steps with a view cell at the ends of the int range, as
// fuzzing met them: the map origin 15 cells out does not overflow, the view
// cell comes back unchanged, and the position line prints the true origin.
#include "tests/draw2d/map_view_fixture.h"

#include "app/frame_steps.h"
#include "draw2d/text.h"

#include <climits>
#include <cstring>
#include <string>
#include <utility>

namespace {
constexpr Rgba blue = {0, 0, 200, 255};
constexpr int markerImage = 849;

class MapFrameLimits : public MapViewFixture {
protected:
    void SetUp() override
    {
        MapViewFixture::SetUp();
        makeTile(markerImage, blue);
        std::memset(&worldGrid[0], Plain, layerStride);
        SZ = 0;
    }
};
}

TEST_F(MapFrameLimits, ViewCellsAtTheEndsOfTheIntRangeShowOnlyTheMarker)
{
    for (auto [sx, sy] : {std::pair{INT_MIN, 0}, {INT_MIN + 14, INT_MIN + 15}, {0, INT_MIN},
                          {INT_MAX, INT_MAX}}) {
        clearScreen();
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
