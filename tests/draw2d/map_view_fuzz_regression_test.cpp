// The map view from origins far off the grid, as fuzzing met them: at the
// ends of the int range nothing is drawn and no sum overflows; an origin just
// inside a screenful of the grid still shows the cells it reaches.
#include "tests/draw2d/map_view_fixture.h"

#include <climits>
#include <cstring>
#include <utility>

namespace {
class MapViewLimits : public MapViewFixture {
protected:
    void SetUp() override
    {
        MapViewFixture::SetUp();
        std::memset(&worldGrid[0], Plain, layerStride); // layer 0 all Plain
    }
    // Tiles drawn with the origin at (sx, sy) on layer 0.
    static int tilesAt(int sx, int sy)
    {
        drawAt(sx, sy, 0);
        return pixelsOfColour(red) / (mapTileSize * mapTileSize);
    }
};
}

TEST_F(MapViewLimits, OriginsAtTheEndsOfTheIntRangeDrawNothing)
{
    for (auto [sx, sy] : {std::pair{INT_MAX, 0}, {INT_MAX - 5, 0}, {INT_MIN, 0}, {0, INT_MAX},
                          {0, INT_MIN + 3}, {INT_MIN, INT_MAX}}) {
        EXPECT_EQ(tilesAt(sx, sy), 0) << sx << ", " << sy;
        EXPECT_EQ(SX, sx);
        EXPECT_EQ(SY, sy);
    }
}

TEST_F(MapViewLimits, AnOriginWithinAScreenfulOfTheGridShowsTheCellsItReaches)
{
    EXPECT_EQ(tilesAt(-(columns - 1), 0), rows);    // column 0 in the last tile column
    EXPECT_EQ(pixelAt(624, 0), red);
    EXPECT_EQ(tilesAt(-columns, 0), 0);
    EXPECT_EQ(tilesAt(0, -(rows - 1)), columns);    // row 0 in the top tile row
    EXPECT_EQ(pixelAt(0, 464), red);
    EXPECT_EQ(tilesAt(0, -rows), 0);
    EXPECT_EQ(tilesAt(worldSide - 1, worldSide - 1), 1); // the last cell only
    EXPECT_EQ(tilesAt(worldSide, 0), 0);
    EXPECT_EQ(tilesAt(0, worldSide), 0);
}
