// One 640 x 480 map-view frame without a window: clear, every tile drawn
// from a layer whose cells all carry a tile code, the marker, the status
// lines, the crosshair; the same frame over land whose tiles are 4096 x 4096
// pictures; and the status lines alone.
#include "app/frame_steps.h"
#include "assets/image_table.h"
#include "draw2d/crosshair.h"
#include "draw2d/map_view.h"
#include "platform/video.h"
#include "world/block_codes.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <benchmark/benchmark.h>

#include <iterator>
#include <vector>

namespace {
constexpr int markerImage = 849;
constexpr int benchLayer = 0;

constexpr int hugeTileSide = 4096;

void makeImage(int id, int seed, int side = mapTileSize)
{
    ImageRecord& image = imageTable[id];
    image.width = image.height = side;
    image.bytesPerPixel = 3;
    const std::size_t bytes = std::size_t(side) * side * 3;
    image.pixels = std::make_unique<std::uint8_t[]>(bytes);
    for (std::size_t i = 0; i < bytes; ++i)
        image.pixels[i] = std::uint8_t(seed * 31 + i * 7);
}

// Every cell of the layer holds one of the codes that have a tile, cycling.
void buildWorld()
{
    setVideoMode(640, 480);
    allocateWorldGrid();
    allocateImageTable();
    std::vector<std::uint8_t> tiled;
    for (int code = 0; code < 256; ++code)
        if (mapTileImage(std::uint8_t(code)) != noMapTile) {
            tiled.push_back(std::uint8_t(code));
            makeImage(mapTileImage(std::uint8_t(code)), code);
        }
    makeImage(markerImage, 1);
    for (int y = 0; y < worldSide; ++y)
        for (int x = 0; x < worldSide; ++x)
            gridCell(x, y, benchLayer) = tiled[std::size_t(x + y * 7) % tiled.size()];
}

// The map frame the program draws, around view cell (115, 115) of the layer.
void runMapFrames(benchmark::State& state)
{
    SX = 115;
    SY = 115;
    SZ = benchLayer;
    for (auto _ : state) {
        clearFrame();
        drawMapAroundViewCell();
        drawStatusLines();
        drawCrosshair();
        benchmark::DoNotOptimize(framebuffer[0]);
    }
    state.SetItemsProcessed(state.iterations());
}

void mapViewFrame(benchmark::State& state)
{
    buildWorld();
    runMapFrames(state);
    releaseImageTable();
    releaseWorldGrid();
}

// Every cell is land, cycling through three terrain codes whose pictures are
// 4096 x 4096 (three rather than all fifteen keeps the bench at 150 MB): each
// tile spreads over every cell above and right of its own, past the screen's
// edges, and the cells drawn after it draw over it again.
void mapViewFrameHugeTiles(benchmark::State& state)
{
    setVideoMode(640, 480);
    allocateWorldGrid();
    allocateImageTable();
    const std::uint8_t land[] = {Plain, Forest, Water};
    for (std::uint8_t code : land)
        makeImage(mapTileImage(code), code, hugeTileSide);
    makeImage(markerImage, 1);
    for (int y = 0; y < worldSide; ++y)
        for (int x = 0; x < worldSide; ++x)
            gridCell(x, y, benchLayer) = land[std::size_t(x + y * 7) % std::size(land)];
    runMapFrames(state);
    releaseImageTable();
    releaseWorldGrid();
}

void statusLines(benchmark::State& state)
{
    setVideoMode(640, 480);
    SX = 100;
    SY = 100;
    for (auto _ : state) {
        drawStatusLines();
        benchmark::DoNotOptimize(framebuffer[0]);
    }
}
}

BENCHMARK(mapViewFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(mapViewFrameHugeTiles)->Unit(benchmark::kMicrosecond);
BENCHMARK(statusLines)->Unit(benchmark::kMicrosecond);
