// One 640 x 480 map-view frame without a window: clear, every tile drawn
// from a layer whose cells all carry a tile code, the marker, the status
// lines, the crosshair; and the status lines alone.
#include "app/frame_steps.h"
#include "assets/image_table.h"
#include "draw2d/crosshair.h"
#include "draw2d/map_view.h"
#include "platform/video.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {
constexpr int markerImage = 849;
constexpr int benchLayer = 0;

void makeImage(int id, int seed)
{
    ImageRecord& image = imageTable[id];
    image.width = image.height = mapTileSize;
    image.bytesPerPixel = 3;
    image.pixels = std::make_unique<std::uint8_t[]>(mapTileSize * mapTileSize * 3);
    for (int i = 0; i < mapTileSize * mapTileSize * 3; ++i)
        image.pixels[std::size_t(i)] = std::uint8_t(seed * 31 + i * 7);
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

void mapViewFrame(benchmark::State& state)
{
    buildWorld();
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
BENCHMARK(statusLines)->Unit(benchmark::kMicrosecond);
