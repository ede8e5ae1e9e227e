// Preview sheets: tiles enlarged on a dark backdrop, and the overworld laid
// out with its tiles.
#include "art/preview.h"

#include "art/land.h"
#include "art/library.h"
#include "platform/png_writer.h"
#include "world/grid.h"

#include <map>
#include <string_view>

namespace {
constexpr int sheetColumns = 10;
constexpr int sheetGap = 4;

// Copies `tile` repeated reps x reps, enlarged `scale` times, with its
// top-left corner at (x, y) of `sheet`.
void placeTile(Canvas& sheet, const Canvas& tile, int x, int y, int reps, int scale)
{
    for (int ty = 0; ty < tile.height * reps * scale; ++ty)
        for (int tx = 0; tx < tile.width * reps * scale; ++tx)
            pixelAt(sheet, x + tx, y + ty) = pixelAt(tile, tx / scale, ty / scale);
}

std::vector<Canvas> mapTiles()
{
    std::vector<Canvas> tiles;
    for (const CatalogueLoad& load : distinctCatalogueFiles()) {
        const std::string_view folder = load.folder;
        Canvas tile;
        if ((folder == "bmp_land" || folder == "bmp_dungeon") && paintCatalogueImage(load, tile))
            tiles.push_back(tile);
    }
    return tiles;
}

// The mean colour of one cellPixels-th part of a tile.
Rgb averageBlock(const Canvas& tile, int bx, int by, int block)
{
    int r = 0, g = 0, b = 0;
    for (int y = 0; y < block; ++y)
        for (int x = 0; x < block; ++x) {
            const Rgb pixel = pixelAt(tile, bx * block + x, by * block + y);
            r += pixel.r;
            g += pixel.g;
            b += pixel.b;
        }
    const int count = block * block;
    return Rgb{std::uint8_t(r / count), std::uint8_t(g / count), std::uint8_t(b / count)};
}

// The land tile of each overworld code, by the catalogue id equal to it.
std::map<int, Canvas> landTilesByCode()
{
    std::map<int, Canvas> tiles;
    for (const CatalogueLoad& load : imageCatalogue) {
        Canvas tile;
        if (std::string_view(load.folder) == "bmp_land" && paintCatalogueImage(load, tile))
            tiles[load.id] = tile;
    }
    return tiles;
}
}

bool writeTilePreview(const std::string& path, int scale, std::string& error)
{
    const std::vector<Canvas> tiles = mapTiles();
    const int cell = tileSide * 2 * scale + sheetGap;
    const int rows = (int(tiles.size()) + sheetColumns - 1) / sheetColumns;
    Canvas sheet = makeCanvas(sheetColumns * cell + sheetGap, rows * cell + sheetGap, 'n');
    for (int i = 0; i < int(tiles.size()); ++i)
        placeTile(sheet, tiles[i], sheetGap + (i % sheetColumns) * cell, sheetGap + (i / sheetColumns) * cell,
                  2, scale);
    return writePngRgb(path, sheet.width, sheet.height, canvasRgb(sheet), error);
}

bool writeMapPreview(const std::string& path, const std::vector<std::uint8_t>& map, MapArea area,
                     int cellPixels, std::string& error)
{
    const std::map<int, Canvas> tiles = landTilesByCode();
    const int block = tileSide / cellPixels;
    Canvas picture = makeCanvas(area.columns * cellPixels, area.rows * cellPixels, 'k');
    for (int row = 0; row < area.rows; ++row)
        for (int column = 0; column < area.columns; ++column) {
            const auto tile = tiles.find(map[(area.row + row) * worldSide + area.column + column]);
            if (tile == tiles.end())
                continue;
            const int top = (area.rows - 1 - row) * cellPixels;
            for (int y = 0; y < cellPixels; ++y)
                for (int x = 0; x < cellPixels; ++x)
                    pixelAt(picture, column * cellPixels + x, top + y) = averageBlock(tile->second, x, y, block);
        }
    return writePngRgb(path, picture.width, picture.height, canvasRgb(picture), error);
}
