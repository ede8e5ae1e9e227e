// Fuzz target: the top-down map view and the map frame's drawing steps over
// any view cell (the ends of the int range included), a screenful of cells
// from the input and tile images of any shape (wider than high, empty, 1 x 1,
// large). Reads outside the grid or an image and writes outside the
// framebuffer are ASan's to catch. Where every image fits its tile, the
// target also checks each tile against the cell it shows.
#include "app/frame_steps.h"
#include "assets/image_table.h"
#include "draw2d/map_view.h"
#include "platform/video.h"
#include "tests/fuzz/fuzz_input.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int bytesPerPixel = 4;
constexpr int maxImages = 8;
constexpr int maxImageSide = 1024;
constexpr int maxDrawnPixels = 4096; // per blit, so that a screenful stays fast
constexpr int markerImage = 849;

// Image ids the inputs pick from: tiles of land, sites and dungeon, the view
// cell's marker, and two that no code shows.
constexpr int pickableImages[] = {10,  17,  24,  111, 118, 119, 128, 136, 137,
                                  167, 180, 184, 188, 194, markerImage, 0, 3099};

std::vector<int> loadedImages;
std::vector<std::size_t> writtenCells;

void check(bool ok)
{
    if (!ok)
        std::abort();
}

// A picture of the input's shape whose pixels come from a seed, with some
// black and magenta, the keyed blit's transparent colours.
void loadImage(FuzzInput& input)
{
    const int id = pickableImages[input.byte() % std::size(pickableImages)];
    const int width = input.uint16() % (maxImageSide + 1);
    int height = input.uint16() % (maxImageSide + 1);
    if (width * std::min(width, height) > maxDrawnPixels)
        height = maxDrawnPixels / width;
    const std::uint8_t seed = input.byte();
    ImageRecord& image = imageTable[id];
    image = ImageRecord{};
    image.width = width;
    image.height = height;
    image.bytesPerPixel = 3;
    const std::size_t bytes = std::size_t(width) * height * 3;
    if (bytes > 0)
        image.pixels = std::make_unique<std::uint8_t[]>(bytes);
    for (std::size_t i = 0; i < bytes; ++i)
        image.pixels[i] = std::uint8_t(seed & 1 ? (i / 3) % 5 == 0 ? 0 : seed * i : seed + i);
    loadedImages.push_back(id);
}

// The input's remaining bytes become the cells the view shows, column by
// column from the drawn origin, wherever they fall inside the grid.
void placeCells(FuzzInput& input, std::int64_t originX, std::int64_t originY)
{
    const int rows = screenHeight / mapTileSize;
    for (int k = 0; input.remaining() > 0; ++k) {
        const std::uint8_t code = input.byte();
        const std::int64_t x = originX + k / rows;
        const std::int64_t y = originY + k % rows;
        if (x < 0 || x >= worldSide || y < 0 || y >= worldSide || SZ < 0 || SZ >= layerCount)
            continue;
        const std::size_t cell = std::size_t(cellIndex(int(x), int(y), SZ));
        worldGrid[cell] = code;
        writtenCells.push_back(cell);
    }
}

// One tile as drawMapView must leave it on a cleared framebuffer: the cell's
// picture, rows up to its height, or black where the cell is outside the
// grid, has no tile or the tile's image is empty. Compared a row at a time,
// which keeps the check cheap beside the drawing.
void checkTile(int cx, int cy)
{
    const std::int64_t x = std::int64_t(SX) + cx;
    const std::int64_t y = std::int64_t(SY) + cy;
    const ImageRecord* image = nullptr;
    if (x >= 0 && x < worldSide && y >= 0 && y < worldSide && SZ >= 0 && SZ < layerCount) {
        const int id = mapTileImage(gridCell(int(x), int(y), SZ));
        if (id != noMapTile && imageTable[id].pixels)
            image = &imageTable[id];
    }
    const int width = image ? image->width : 0;
    const int height = image ? std::min(image->width, image->height) : 0;
    for (int i = 0; i < mapTileSize; ++i) {
        std::uint8_t want[mapTileSize * bytesPerPixel] = {};
        for (int j = 0; i < height && j < width; ++j) {
            std::memcpy(&want[j * bytesPerPixel], &image->pixels[(std::size_t(i) * width + j) * 3], 3);
            want[j * bytesPerPixel + 3] = 255;
        }
        const std::size_t row = std::size_t(cy * mapTileSize + i) * screenWidth + cx * mapTileSize;
        check(std::memcmp(&framebuffer[row * bytesPerPixel], want, sizeof want) == 0);
    }
}

bool imagesFitTiles()
{
    for (int id : loadedImages)
        if (imageTable[id].width > mapTileSize)
            return false;
    return true;
}

void setMode(bool mapMode)
{
    const int width = mapMode ? 640 : 320;
    if (screenWidth != width || !framebuffer)
        setVideoMode(width, width * 3 / 4);
    std::memset(framebuffer.get(), 0, std::size_t(screenWidth) * screenHeight * bytesPerPixel);
}

void prepareWorld()
{
    if (!worldGrid) {
        allocateWorldGrid();
        allocateImageTable();
    }
}

void restoreWorld()
{
    for (std::size_t cell : writtenCells)
        worldGrid[cell] = 0;
    for (int id : loadedImages)
        imageTable[id] = ImageRecord{};
    writtenCells.clear();
    loadedImages.clear();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    prepareWorld();
    FuzzInput input{data, size};
    const std::uint8_t flags = input.byte();
    const bool frameStep = flags & 2;
    setMode(flags & 1);
    SX = input.coordinate(-48, 352);
    SY = input.coordinate(-48, 352);
    SZ = input.coordinate(-8, 196);
    const int viewX = SX, viewY = SY, viewZ = SZ;
    const int images = input.byte() % (maxImages + 1);
    for (int i = 0; i < images; ++i)
        loadImage(input);
    const int shift = frameStep ? mapOriginOffset : 0;
    placeCells(input, std::int64_t(SX) - shift, std::int64_t(SY) - shift);

    if (frameStep) {
        drawMapAroundViewCell();
        drawStatusLines();
    } else {
        drawMapView();
        if (imagesFitTiles())
            for (int cx = 0; cx < screenWidth / mapTileSize; ++cx)
                for (int cy = 0; cy < screenHeight / mapTileSize; ++cy)
                    checkTile(cx, cy);
    }
    check(SX == viewX && SY == viewY && SZ == viewZ);
    restoreWorld();
    return 0;
}
