// The map view on a hand-built grid with hand-made tiles: where each cell's
// tile lands, which codes draw which image, that cells outside the grid are
// neither drawn nor read, and that tiles larger than a cell leave the frame
// drawing every tile in order leaves (what that frame costs, bench/ measures).
#include "tests/draw2d/map_view_fixture.h"

#include "tests/draw2d/reference_blit.h"

#include <climits>
#include <iterator>
#include <utility>

namespace {
constexpr Rgba black = {0, 0, 0, 0};
constexpr Rgba green = {0, 200, 0, 255}; // image 11, Forest
constexpr int screenPixels = 640 * 480;

void setCell(int x, int y, int z, int code)
{
    gridCell(x, y, z) = std::uint8_t(code);
}

void fillColumns(int z, int x0, int x1, int code)
{
    for (int y = 0; y < worldSide; ++y)
        for (int x = x0; x <= x1; ++x)
            setCell(x, y, z, code);
}

// Every cell's tile of layer 0, column by column and bottom to top, the
// plain way.
Frame drawnInOrder(int sx, int sy)
{
    Frame frame(framebufferBytes(), 0);
    for (int cx = 0; cx < 40; ++cx)
        for (int cy = 0; cy < 30; ++cy) {
            if (!cellInGrid(sx + cx, sy + cy, 0))
                continue;
            const int image = mapTileImage(gridCell(sx + cx, sy + cy, 0));
            if (image != noMapTile)
                referenceBlit(frame, cx * mapTileSize, cy * mapTileSize, image);
        }
    return frame;
}

class MapView : public MapViewFixture {
protected:
    void SetUp() override
    {
        MapViewFixture::SetUp();
        makeTile(Forest, green);
    }
};
}

TEST_F(MapView, CellsLandOnTheirSixteenPixelSquares)
{
    setCell(0, 0, 0, Plain);
    setCell(39, 29, 0, Forest);
    setCell(40, 0, 0, Forest); // one column past the screen
    setCell(3, 5, 1, Forest);  // another layer
    drawAt(0, 0, 0);
    EXPECT_EQ(pixelAt(0, 0), red);
    EXPECT_EQ(pixelAt(15, 15), red);
    EXPECT_EQ(pixelAt(624, 464), green);
    EXPECT_EQ(pixelAt(639, 479), green);
    EXPECT_EQ(pixelsOfColour(red) + pixelsOfColour(green), 2 * 256);
}

TEST_F(MapView, CodesMapToTheirTileAndCodesWithoutOneStayBlack)
{
    for (int id : {0, 1, 2, 3, 160, 185, 211})
        makeTile(id, {90, 90, 90, 255});
    makeTile(160, red);
    const int codes[] = {Air, Brick, Grass, Dirt, RoomMark, 185, 255};
    for (int i = 0; i < 7; ++i)
        setCell(i, 0, 140, codes[i]);
    drawAt(0, 0, 140);
    EXPECT_EQ(pixelsOfColour(black), screenPixels);

    setCell(0, 0, 140, Source2); // 211 draws image 160, not image 211
    drawAt(0, 0, 140);
    EXPECT_EQ(pixelsOfColour(red), 256);
}

// Every cell a wrapped linear index could reach holds a red tile, so a read
// through the wrap shows up as a drawn pixel.
TEST_F(MapView, OriginLeftOfAndBelowTheGridDrawsOnlyCellsInside)
{
    fillColumns(0, 0, 255, Plain);
    setCell(0, 0, 1, Forest);
    drawAt(-15, -15, 1);
    EXPECT_EQ(pixelAt(240, 240), green);
    EXPECT_EQ(pixelsOfColour(green), 256);
    EXPECT_EQ(pixelsOfColour(red), 0);

    drawAt(-15, -15, 0); // below layer 0 lies no storage at all
    EXPECT_EQ(pixelsOfColour(red), 25 * 15 * 256);
    EXPECT_EQ(pixelAt(240, 240), red);
    EXPECT_EQ(pixelAt(239, 479), black);
    EXPECT_EQ(pixelAt(240, 239), black);
}

TEST_F(MapView, ColumnsAndRowsPastTheGridEdgeAreNotDrawn)
{
    fillColumns(3, 0, 19, Plain); // where columns past 255 would wrap to
    setCell(255, 240, 3, Forest);
    fillColumns(4, 0, 255, Plain); // where rows past 255 would wrap to
    drawAt(230, 240, 3);
    EXPECT_EQ(pixelAt(25 * 16, 0), green);
    EXPECT_EQ(pixelsOfColour(green), 256);
    EXPECT_EQ(pixelsOfColour(red), 0);
}

TEST_F(MapView, LayersOutsideTheGridDrawNothing)
{
    fillColumns(0, 0, 255, Plain);
    fillColumns(layerCount - 1, 0, 255, Plain);
    for (int z : {-1, layerCount, 1 << 20, INT_MAX, INT_MIN}) {
        drawAt(0, 0, z);
        EXPECT_EQ(pixelsOfColour(black), screenPixels) << z;
    }
}

// Tiles narrower, as wide and wider than a cell, wider than the screen,
// shorter than wide and empty, beside cells with no tile, with the grid's
// edges inside the view and past it.
TEST_F(MapView, FrameIsTheOneDrawingEveryTileInOrderLeaves)
{
    const int sizes[][2] = {{17, 17}, {40, 40}, {100, 30}, {700, 700}, {1, 1},
                            {16, 16}, {33, 5},  {250, 250}, {15, 15}};
    const int codes[] = {Plain, Forest, ForestFruit, ForestGray, Water,
                         WaterDeep, Swamp, Desert, Hills, Mountain, Air};
    for (int k = 0; k < 9; ++k) // Mountain's tile has no picture, Air has no tile
        makePatternImage(codes[k], sizes[k][0], sizes[k][1], k);
    for (int y = 0; y < worldSide; ++y)
        for (int x = 0; x < worldSide; ++x)
            gridCell(x, y, 0) = std::uint8_t(codes[(x * 5 + y * 3 + x * y) % std::size(codes)]);
    const std::pair<int, int> origins[] = {{0, 0},    {-15, -15}, {-39, 7},
                                           {100, -29}, {230, 240}, {255, 255}};
    for (auto [sx, sy] : origins) {
        drawAt(sx, sy, 0);
        EXPECT_TRUE(framebufferIs(drawnInOrder(sx, sy))) << sx << ", " << sy;
    }
}

// Each cell's own tile is the last to cover its square, so every pixel shows
// the lower-left 16 x 16 of its cell's picture. (The naive drawing writes
// each picture's whole on-screen part, about 100 million pixels: what the
// frame costs, bench/ measures in mapViewFrameHugeTiles.)
TEST_F(MapView, FrameOf4096TilesShowsTheLowerLeftCornerOfEachCellsTile)
{
    makePatternImage(Plain, 4096, 4096, 2);
    makePatternImage(Forest, 4096, 4096, 5);
    for (int y = 0; y < worldSide; ++y)
        for (int x = 0; x < worldSide; ++x)
            gridCell(x, y, 0) = (x + y) % 3 ? Plain : Forest;
    drawAt(100, 100, 0);
    for (int py = 0; py < 480; ++py)
        for (int px = 0; px < 640; ++px) {
            const int code = gridCell(100 + px / 16, 100 + py / 16, 0);
            const ImageRecord& tile = imageTable[mapTileImage(std::uint8_t(code))];
            const std::uint8_t* want = &tile.pixels[(std::size_t(py % 16) * 4096 + px % 16) * 3];
            ASSERT_EQ(pixelAt(px, py), (Rgba{want[0], want[1], want[2], 255})) << px << ", " << py;
        }
}
