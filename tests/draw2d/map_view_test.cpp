// The map view on a hand-built grid with hand-made tile images: where each
// cell's tile lands, which codes draw which image, and that cells outside
// the grid are neither drawn nor read.
#include "app/state.h"
#include "assets/image_table.h"
#include "draw2d/map_view.h"
#include "platform/video.h"
#include "world/block_codes.h"
#include "world/grid.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

namespace {
using Rgba = std::array<int, 4>;

constexpr Rgba black = {0, 0, 0, 0};
constexpr Rgba red = {200, 0, 0, 255};   // image 10, Plain
constexpr Rgba green = {0, 200, 0, 255}; // image 11, Forest

void makeSolidImage(int id, Rgba colour)
{
    ImageRecord& image = imageTable[id];
    image.width = image.height = 16;
    image.bytesPerPixel = 3;
    image.pixels = std::make_unique<std::uint8_t[]>(16 * 16 * 3);
    for (int i = 0; i < 16 * 16; ++i)
        for (int c = 0; c < 3; ++c)
            image.pixels[std::size_t(i) * 3 + c] = std::uint8_t(colour[std::size_t(c)]);
}

Rgba pixelAt(int x, int y)
{
    const std::uint8_t* p = framebuffer.get() + (std::size_t(y) * screenWidth + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

int pixelsOfColour(Rgba colour)
{
    int count = 0;
    for (int y = 0; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x)
            count += pixelAt(x, y) == colour;
    return count;
}

void setCell(int x, int y, int z, std::uint8_t code)
{
    worldGrid[cellIndex(x, y, z)] = code;
}

void fillLayer(int z, std::uint8_t code)
{
    for (int y = 0; y < worldSide; ++y)
        for (int x = 0; x < worldSide; ++x)
            setCell(x, y, z, code);
}

void drawAt(int sx, int sy, int sz)
{
    SX = sx;
    SY = sy;
    SZ = sz;
    drawMapView();
}

class MapView : public testing::Test {
protected:
    void SetUp() override
    {
        setVideoMode(640, 480);
        allocateWorldGrid();
        allocateImageTable();
        makeSolidImage(Plain, red);
        makeSolidImage(Forest, green);
    }
    void TearDown() override
    {
        releaseImageTable();
        releaseWorldGrid();
        SX = 0;
        SY = 0;
        SZ = 12;
    }
};
}

TEST_F(MapView, CornerCellsLandOnTheirSixteenPixelSquares)
{
    setCell(0, 0, 0, Plain);
    setCell(39, 29, 0, Forest);
    setCell(40, 0, 0, Forest); // one column past the screen
    drawAt(0, 0, 0);
    EXPECT_EQ(pixelAt(0, 0), red);
    EXPECT_EQ(pixelAt(15, 15), red);
    EXPECT_EQ(pixelAt(16, 0), black);
    EXPECT_EQ(pixelAt(0, 16), black);
    EXPECT_EQ(pixelAt(624, 464), green);
    EXPECT_EQ(pixelAt(639, 479), green);
    EXPECT_EQ(pixelAt(623, 464), black);
    EXPECT_EQ(pixelsOfColour(red) + pixelsOfColour(green), 2 * 256);
}

TEST_F(MapView, ViewOriginPicksTheLayerAndTheLowerLeftCell)
{
    setCell(100, 50, 7, Plain);
    setCell(103, 55, 7, Forest);
    setCell(103, 55, 8, Plain);
    drawAt(100, 50, 7);
    EXPECT_EQ(pixelAt(0, 0), red);
    EXPECT_EQ(pixelAt(48, 80), green);
    EXPECT_EQ(pixelsOfColour(red), 256);
}

TEST_F(MapView, CodesWithoutATileStayBlackEvenWhenTheirImageIdIsLoaded)
{
    for (int code : {0, 1, 2, 3, 160, 185, 255})
        makeSolidImage(code, {90, 90, 90, 255});
    const int codes[] = {Air, Brick, Grass, Dirt, RoomMark, 185, 255};
    for (int i = 0; i < 7; ++i)
        setCell(i, 0, 0, std::uint8_t(codes[i]));
    fillLayer(1, Brick);
    drawAt(0, 0, 0);
    EXPECT_EQ(pixelsOfColour(black), 640 * 480);
    drawAt(0, 0, 1);
    EXPECT_EQ(pixelsOfColour(black), 640 * 480);
}

TEST_F(MapView, DungeonCodesDrawTheirMappedImage)
{
    makeSolidImage(160, red);
    makeSolidImage(211, green);
    makeSolidImage(119, {1, 2, 3, 255});
    setCell(0, 0, 140, Source2);
    setCell(1, 0, 140, Floor);
    drawAt(0, 0, 140);
    EXPECT_EQ(pixelAt(0, 0), red);
    EXPECT_EQ(pixelAt(16, 0), (Rgba{1, 2, 3, 255}));
    EXPECT_EQ(pixelsOfColour(green), 0);
    EXPECT_EQ(mapTileImage(Source2), 160);
    EXPECT_EQ(mapTileImage(Air), noMapTile);
}

// Every cell the view could reach by wrapping its linear index holds a tile,
// so a wrapped read would show up as a drawn pixel.
TEST_F(MapView, OriginLeftOfAndBelowTheGridDrawsOnlyCellsInside)
{
    fillLayer(0, Plain);
    setCell(0, 0, 1, Forest);
    drawAt(-15, -15, 1);
    EXPECT_EQ(pixelAt(240, 240), green);
    EXPECT_EQ(pixelsOfColour(green), 256);
    EXPECT_EQ(pixelsOfColour(red), 0);

    drawAt(-15, -15, 0); // below layer 0 lies no storage at all
    EXPECT_EQ(pixelsOfColour(red), 25 * 15 * 256);
    EXPECT_EQ(pixelAt(240, 240), red);
    EXPECT_EQ(pixelAt(639, 479), red);
    EXPECT_EQ(pixelAt(239, 479), black);
    EXPECT_EQ(pixelAt(240, 239), black);
}

TEST_F(MapView, ColumnsAndRowsPastTheGridEdgeAreNotDrawn)
{
    for (int y = 0; y < worldSide; ++y)
        for (int x = 0; x < 20; ++x)
            setCell(x, y, 3, Plain); // where columns past 255 would wrap to
    setCell(255, 240, 3, Forest);
    fillLayer(4, Plain); // where rows past 255 would wrap to
    drawAt(230, 240, 3);
    EXPECT_EQ(pixelAt(25 * 16, 0), green);
    EXPECT_EQ(pixelsOfColour(green), 256);
    EXPECT_EQ(pixelsOfColour(red), 0);
}

TEST_F(MapView, LayersOutsideTheGridDrawNothing)
{
    fillLayer(0, Plain);
    fillLayer(layerCount - 1, Plain);
    for (int z : {-1, layerCount, -2, layerCount + 1, 1 << 20, INT_MAX, INT_MIN}) {
        drawAt(0, 0, z);
        EXPECT_EQ(pixelsOfColour(black), 640 * 480) << z;
    }
    drawAt(0, 0, layerCount - 1);
    EXPECT_EQ(pixelsOfColour(red), 640 * 480);
}
