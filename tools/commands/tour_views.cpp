// Picking the tour's views: searches of the generated grid for map windows
// and camera places worth a picture.
#include "tools/commands/tour_views.h"

#include "draw2d/map_view.h"
#include "platform/video.h"
#include "view3d/voxel_window.h"
#include "world/block_codes.h"
#include "world/grid.h"
#include "world/world_passes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <optional>
#include <vector>

namespace {
// The map mode's screen in cells, where its origin lies from the view cell,
// and the largest view cell the movement keys' clamp leaves alone.
constexpr int mapColumns = mapViewMode.width / mapTileSize;
constexpr int mapRows = mapViewMode.height / mapTileSize;
constexpr int lastOriginX = worldSide - mapColumns - mapOriginOffset;
constexpr int lastOriginY = worldSide - mapRows - mapOriginOffset;

// How many cells of one layer pass a test, summed from the grid's corner so
// that the count of any rectangle is four reads.
constexpr int sumsStride = worldSide + 1;
using LayerCounts = std::vector<int>;

LayerCounts countCells(const std::function<bool(int, int)>& test)
{
    LayerCounts sums(sumsStride * sumsStride);
    for (int y = 0; y < worldSide; ++y)
        for (int x = 0; x < worldSide; ++x)
            sums[(y + 1) * sumsStride + x + 1] = test(x, y) + sums[y * sumsStride + x + 1] +
                                                 sums[(y + 1) * sumsStride + x] -
                                                 sums[y * sumsStride + x];
    return sums;
}

// Cells passing in columns x..x + width - 1, rows y..y + height - 1.
int countIn(const LayerCounts& sums, int x, int y, int width, int height)
{
    const int right = x + width, top = y + height;
    return sums[top * sumsStride + right] - sums[y * sumsStride + right] -
           sums[top * sumsStride + x] + sums[y * sumsStride + x];
}

MapShot shotAtOrigin(int originX, int originY, int layer)
{
    return {originX + mapOriginOffset, originY + mapOriginOffset, layer};
}

// The shore of a sea or lake: shallow water beside deep water (rivers are
// shallow throughout).
bool isCoast(int x, int y)
{
    if (gridCell(x, y, 0) != Water)
        return false;
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& step : steps) {
        const int nx = x + step[0], ny = y + step[1];
        if (cellInGrid(nx, ny, 0) && gridCell(nx, ny, 0) == WaterDeep)
            return true;
    }
    return false;
}
}

// A window scores for the castle above all (clear of the edges and the
// status lines), then for a few villages, and for roads and coast up to a
// share of the screen each, so no one thing fills it.
MapShot overworldShot()
{
    const auto codeIs = [](auto test) {
        return countCells([test](int x, int y) { return test(gridCell(x, y, 0)); });
    };
    const LayerCounts castles = codeIs([](std::uint8_t c) { return c == Castle; });
    const LayerCounts villages = codeIs([](std::uint8_t c) { return c >= Village && c <= VillageRed; });
    const LayerCounts roads = codeIs([](std::uint8_t c) { return c == Road; });
    const LayerCounts coast = countCells(isCoast);
    constexpr int castleWeight = 1000, castleMargin = 2, villageWeight = 50, villageCap = 4;
    constexpr int featureCap = 60, coastWeight = 2;

    int bestScore = -1, bestX = 0, bestY = 0;
    for (int oy = 0; oy <= lastOriginY; ++oy) {
        for (int ox = 0; ox <= lastOriginX; ++ox) {
            const auto in = [&](const LayerCounts& counts, int margin = 0) {
                return countIn(counts, ox + margin, oy + margin, mapColumns - 2 * margin,
                               mapRows - 2 * margin);
            };
            const int score = castleWeight * std::min(in(castles, castleMargin), 1) +
                              villageWeight * std::min(in(villages), villageCap) +
                              std::min(in(roads), featureCap) +
                              coastWeight * std::min(in(coast), featureCap);
            if (score > bestScore) {
                bestScore = score;
                bestX = ox;
                bestY = oy;
            }
        }
    }
    return shotAtOrigin(bestX, bestY, 0);
}

// The window centred on the level's rooms (every cell neither rock nor
// outside the level square), as far as the clamp allows.
MapShot dungeonLevelShot(int level)
{
    const int layer = firstPlanLayer + level - 1;
    int left = worldSide, right = -1, bottom = worldSide, top = -1;
    for (int y = 0; y < worldSide; ++y) {
        for (int x = 0; x < worldSide; ++x) {
            const std::uint8_t code = gridCell(x, y, layer);
            if (code == Air || code == Wall)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            bottom = std::min(bottom, y);
            top = std::max(top, y);
        }
    }
    if (right < 0) { // no rooms: the level square
        left = bottom = planSquareFirst;
        right = top = planSquareLast;
    }
    const int originX = std::clamp((left + right + 1 - mapColumns) / 2, 0, lastOriginX);
    const int originY = std::clamp((bottom + top + 1 - mapRows) / 2, 0, lastOriginY);
    return shotAtOrigin(originX, originY, layer);
}

namespace {
// The surface the world passes raise from the overworld map: Brick on layer
// 2, Grass on layer 3, the ground (Dirt under plains) on layer 4; layer 1 is
// open sky, where the camera flies.
constexpr int skyLayer = 1;
constexpr int raisedBrickLayer = 2;
constexpr int grassLayer = 3;
constexpr int groundLayer = 4;

// The camera looks this far below level over the land, and level along a
// corridor (pitch -90 is level, larger looks down).
constexpr float surfacePitch = -78;
constexpr float corridorPitch = -90;

// Cells the 3D window draws ahead of the camera cell.
int viewReach()
{
    return viewRadius - 1;
}

// The yaw that looks along (dx, dy) with the camera level: the camera's
// view direction is then (sin yaw, -cos yaw).
float yawAlong(double dx, double dy)
{
    return float(std::atan2(dx, -dy) * 180 / std::numbers::pi);
}

// The eye at grid position (ex, ey), half way through the layer, as a camera
// cell and the offsets inside it (the eye sits at SX + 1 - subX, SY + subY).
CameraShot cameraAt(double ex, double ey, int layer, float yaw, float pitch)
{
    constexpr float middleOfLayer = 0.5f;
    const int x = int(std::ceil(ex)) - 1;
    const int y = int(std::floor(ey));
    return {x, y, layer, float(x + 1 - ex), float(ey - y), middleOfLayer, yaw, pitch};
}

enum class Surface { Brick, Grass, Dirt, Pit, Rock };

Surface surfaceAt(int x, int y)
{
    if (gridCell(x, y, raisedBrickLayer) == Brick)
        return Surface::Brick;
    if (gridCell(x, y, grassLayer) == Grass)
        return Surface::Grass;
    if (gridCell(x, y, groundLayer) == Dirt)
        return Surface::Dirt;
    if (gridCell(x, y, groundLayer) == Air)
        return Surface::Pit; // the first dungeon level, open to the sky
    return Surface::Rock;
}

// How much of each surface lies in view, and how often it changes from one
// column to the next across the picture.
struct SurfaceMix {
    int brick = 0, grass = 0, dirt = 0, pit = 0, changes = 0;
};

void tally(SurfaceMix& mix, Surface surface)
{
    mix.brick += surface == Surface::Brick;
    mix.grass += surface == Surface::Grass;
    mix.dirt += surface == Surface::Dirt;
    mix.pit += surface == Surface::Pit;
}

// The columns in front of an eye at (ex, ey) looking along the unit vector
// (dx, dy), out to the window's edge and about as wide as the picture.
SurfaceMix surfaceAhead(double ex, double ey, double dx, double dy)
{
    constexpr double halfWidthPerDistance = 0.5;
    SurfaceMix mix;
    for (int distance = 2; distance <= viewReach(); ++distance) {
        const int half = int(distance * halfWidthPerDistance);
        std::optional<Surface> previous;
        for (int side = -half; side <= half; ++side) {
            const int x = int(std::floor(ex + distance * dx - side * dy));
            const int y = int(std::floor(ey + distance * dy + side * dx));
            if (!cellInGrid(x, y, groundLayer))
                continue;
            const Surface surface = surfaceAt(x, y);
            tally(mix, surface);
            mix.changes += previous && *previous != surface;
            previous = surface;
        }
    }
    return mix;
}

// Grass and brick together, broken up, count most; dirt beside them next;
// pits into the dungeon read as holes in the landscape.
int landscapeScore(const SurfaceMix& mix)
{
    constexpr int changeWeight = 2, pitPenalty = 4;
    const int grassAndBrick = std::min(mix.grass, mix.brick);
    return 2 * grassAndBrick + std::min(mix.dirt, grassAndBrick) + changeWeight * mix.changes -
           pitPenalty * mix.pit;
}
}

// Every second cell whose whole 3D window lies inside the grid, in eight
// directions.
CameraShot surfaceShot()
{
    constexpr int directions = 8, cellStep = 2;
    const int first = viewRadius, last = worldSide - viewRadius - 1;
    int bestScore = INT32_MIN;
    CameraShot best{};
    for (int y = first; y <= last; y += cellStep) {
        for (int x = first; x <= last; x += cellStep) {
            for (int d = 0; d < directions; ++d) {
                const double angle = 2 * std::numbers::pi * d / directions;
                const double dx = std::sin(angle), dy = -std::cos(angle);
                const double ex = x + 0.5, ey = y + 0.5;
                const int score = landscapeScore(surfaceAhead(ex, ey, dx, dy));
                if (score > bestScore) {
                    bestScore = score;
                    best = cameraAt(ex, ey, skyLayer, yawAlong(dx, dy), surfacePitch);
                }
            }
        }
    }
    return best;
}

namespace {
// The 3D dungeon: plan cells become 2 x 2 blocks of columns and rows 4..69;
// level k is open on layers 3k (where the camera flies) and 3k + 1. The first
// level lies open to the sky, so the corridors are sought from the second on.
constexpr int dungeonFirstCell = 4;
constexpr int dungeonLastCell = 69;
constexpr int firstRoofedLevel = 2;
constexpr int layersPerLevel = 3;

// A one-cell plan corridor is two cells wide in the 3D world.
constexpr int corridorWidth = 2;

bool openAt(int x, int y, int layer)
{
    return cellInGrid(x, y, layer) && gridCell(x, y, layer) == Air;
}

// The open cells across the way (dx, dy) through (x, y): the first and last
// column (or row) of the run, at most corridorWidth + 1 each side.
void acrossSpan(int x, int y, int layer, int dx, int dy, int& low, int& high)
{
    const int px = dy != 0, py = dx != 0;
    int below = 0, above = 0;
    while (below <= corridorWidth && openAt(x - (below + 1) * px, y - (below + 1) * py, layer))
        ++below;
    while (above <= corridorWidth && openAt(x + (above + 1) * px, y + (above + 1) * py, layer))
        ++above;
    const int across = px ? x : y;
    low = across - below;
    high = across + above;
}

// A corridor of up to corridorReach cells from the camera, leading on into a
// room whose far wall the window still draws: the corridor cells count
// twice, the room's cells once, and the wall ahead a few more.
int corridorScore(int x, int y, int layer, int dx, int dy)
{
    constexpr int corridorReach = 8, wallSeenBonus = 4;
    int open = 0, narrow = 0;
    while (open < viewReach() && openAt(x + open * dx, y + open * dy, layer)) {
        int low, high;
        acrossSpan(x + open * dx, y + open * dy, layer, dx, dy, low, high);
        if (narrow == open && high - low + 1 <= corridorWidth)
            ++narrow;
        ++open;
    }
    const int wallSeen = open < viewReach() ? wallSeenBonus : 0;
    return 2 * std::min(narrow, corridorReach) + (open - narrow) + wallSeen;
}

// The eye in the middle of the corridor's width, in the middle of its cell.
CameraShot corridorCamera(int x, int y, int layer, int dx, int dy)
{
    int low, high;
    acrossSpan(x, y, layer, dx, dy, low, high);
    const double across = (low + high + 1) / 2.0;
    const double ex = dx != 0 ? x + 0.5 : across;
    const double ey = dy != 0 ? y + 0.5 : across;
    return cameraAt(ex, ey, layer, yawAlong(dx, dy), corridorPitch);
}
}

CameraShot corridorShot()
{
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    int bestScore = -1;
    CameraShot best{};
    for (int level = firstRoofedLevel; level <= dungeonLevelCount; ++level) {
        const int layer = layersPerLevel * level;
        for (int y = dungeonFirstCell; y <= dungeonLastCell; ++y) {
            for (int x = dungeonFirstCell; x <= dungeonLastCell; ++x) {
                for (const auto& step : steps) {
                    const int score = corridorScore(x, y, layer, step[0], step[1]);
                    if (score > bestScore) {
                        bestScore = score;
                        best = corridorCamera(x, y, layer, step[0], step[1]);
                    }
                }
            }
        }
    }
    return best;
}
