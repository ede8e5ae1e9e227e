// Whole frames of the map mode over a generated world and the program's own
// art: the plan layers show the dungeon's tiles and layer 0 the overworld.
#include "app/game.h"
#include "assets/image_table.h"
#include "draw2d/map_view.h"
#include "platform/input.h"
#include "platform/pause.h"
#include "platform/video.h"
#include "world/block_codes.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
// Whether framebuffer tile (cx, cy) shows exactly the image of code.
bool tileShows(int cx, int cy, std::uint8_t code)
{
    const int image = mapTileImage(code);
    if (image == noMapTile)
        return false;
    const ImageRecord& picture = imageTable[image];
    for (int i = 0; i < 16; ++i)
        for (int j = 0; j < 16; ++j) {
            const std::uint8_t* pixel =
                framebuffer.get() + (std::size_t(cy * 16 + i) * screenWidth + cx * 16 + j) * 4;
            const std::uint8_t* source = picture.pixels.get() + (i * picture.width + j) * 3;
            if (pixel[0] != source[0] || pixel[1] != source[1] || pixel[2] != source[2])
                return false;
        }
    return true;
}

struct TileCount {
    int withTile = 0; // cells of the 40 x 30 view whose code has a map tile
    int shown = 0;    // of those, tiles showing exactly their image
};

// The text, the marker and the crosshair cover a few tiles; the rest must show.
TileCount countTilesShown()
{
    TileCount count;
    for (int cx = 0; cx < 40; ++cx)
        for (int cy = 0; cy < 30; ++cy) {
            const int x = SX - 15 + cx, y = SY - 15 + cy;
            if (!cellInGrid(x, y, SZ))
                continue;
            const std::uint8_t code = gridCell(x, y, SZ);
            count.withTile += mapTileImage(code) != noMapTile;
            count.shown += tileShows(cx, cy, code);
        }
    return count;
}

class MapModeFrames : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::filesystem::current_path(UNDERCROFT_RUN_DIR);
        useVirtualClock(true);
        runStartup(5);
        setKeyHeld(vkF7, true);
        runFrame();
        releaseAllKeys();
    }
    static void TearDownTestSuite()
    {
        runShutdown();
        SX = 0;
        SY = 0;
        SZ = 12;
    }
};
}

TEST_F(MapModeFrames, APlanLayerShowsTheDungeonTiles)
{
    SX = 128;
    SY = 128;
    SZ = 140;
    runFrame();
    ASSERT_EQ(screenWidth, 640);
    const TileCount count = countTilesShown();
    EXPECT_EQ(count.withTile, 32 * 30); // columns 113..144 and rows 113..142 of the level square
    EXPECT_GT(count.shown, count.withTile * 9 / 10);
}

TEST_F(MapModeFrames, LayerZeroShowsTheOverworld)
{
    SX = 100;
    SY = 100;
    SZ = 0;
    runFrame();
    const TileCount count = countTilesShown();
    EXPECT_EQ(count.withTile, 1200);
    EXPECT_GT(count.shown, 1100);
}

TEST_F(MapModeFrames, The3DWorldLayersHaveNoMapTilesAndStayBlack)
{
    SX = 100;
    SY = 100;
    SZ = 20; // solid Brick: code 1 has no map tile
    runFrame();
    EXPECT_EQ(countTilesShown().withTile, 0);
    const std::uint8_t* middle = framebuffer.get() + (std::size_t(200) * 640 + 100) * 4;
    EXPECT_EQ(middle[0] | middle[1] | middle[2] | middle[3], 0);
}
