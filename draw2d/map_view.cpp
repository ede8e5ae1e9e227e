// The map view's tile table and its per-frame drawing of one grid layer.
#include "draw2d/map_view.h"

#include "draw2d/blit.h"
#include "platform/video.h"
#include "world/block_codes.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <array>
#include <vector>

namespace {
struct TileEntry {
    BlockCode code;
    int image;
};

// Dungeon codes and the images drawn for them; the overworld codes draw the
// image of the same number and are filled in by range.
constexpr TileEntry dungeonTiles[] = {
    {Floor, 119},          {Wall, 111},
    {MarbleFloor, 118},    {Door, 128},
    {StairsUp, 137},       {StairsDown, 136},
    {SourceComplete, 131}, {Source, 130},
    {Spawn, 132},          {SpawnComplete, 133},
    {Trap, 148},           {TrapDisabled, 149},
    {Fountain, 134},       {FountainDrank, 135},
    {Candelabrum, 122},    {CandelabrumExtinct, 123},
    {Coffin, 124},         {CoffinOpen, 125},
    {Chest, 120},          {ChestOpen, 121},
    {Scrolls, 167},        {Circle, 140},
    {CircleAflamed, 142},  {CircleGolden, 141},
    {Altar, 144},          {AltarDark, 146},
    {AltarJeweled, 145},   {Torch, 152},
    {FloorBones, 126},     {FloorBonesCleaned, 127},
    {Source2, 160},        {SourceRed, 161},
    {GearMechanism, 155},  {Lever, 156},
};

using TileTable = std::array<int, 256>;

constexpr void mapCodesToThemselves(TileTable& table, int first, int last)
{
    for (int code = first; code <= last; ++code)
        table[code] = code;
}

// One slot per byte value, so a lookup is a single read and noMapTile can
// never be mistaken for image 0.
constexpr TileTable buildTileTable()
{
    TileTable table{};
    table.fill(noMapTile);
    mapCodesToThemselves(table, Plain, ForestC);
    mapCodesToThemselves(table, Village, VillageRed);
    mapCodesToThemselves(table, Ruin, Well);
    for (const TileEntry& entry : dungeonTiles)
        table[entry.code] = entry.image;
    return table;
}

constexpr TileTable tileTable = buildTileTable();

constexpr int tiledCodeCount()
{
    int count = 0;
    for (int image : tileTable)
        count += image != noMapTile;
    return count;
}
static_assert(tiledCodeCount() == 61, "the map draws 61 block codes");
}

int mapTileImage(std::uint8_t code)
{
    return tileTable[code];
}

// Cells past the grid's edge are skipped rather than read through the linear
// index, which would wrap into the next row or layer or leave the storage:
// the view origin sits 15 cells outside the world near its edges, and after a
// mode switch the origin can lie further right than this mode's clamp allows.
// An origin a whole screen or more off the grid shows no cell at all; leaving
// early for it also keeps SX + cx and SY + cy from overflowing.
//
// Column by column, bottom to top, a later tile covering an earlier one where
// a picture is larger than its cell; the tiles are opaque, so they are drawn
// as one run that writes each pixel once however large the pictures are.
void drawMapView()
{
    const int columns = screenWidth / mapTileSize;
    const int rows = screenHeight / mapTileSize;
    if (!worldGrid || SZ < 0 || SZ >= layerCount || SX >= worldSide || SX <= -columns ||
        SY >= worldSide || SY <= -rows)
        return;
    std::vector<PlacedImage> tiles;
    tiles.reserve(std::size_t(columns) * std::size_t(rows));
    for (int cx = 0; cx < columns; ++cx) {
        for (int cy = 0; cy < rows; ++cy) {
            const int column = SX + cx;
            const int row = SY + cy;
            if (!cellInGrid(column, row, SZ))
                continue;
            const int image = mapTileImage(gridCell(column, row, SZ));
            if (image != noMapTile)
                tiles.push_back({cx * mapTileSize, cy * mapTileSize, image});
        }
    }
    blitImagesInOrder(tiles);
}
