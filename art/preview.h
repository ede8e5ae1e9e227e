// Preview pictures of the generated art, for people to look at: a sheet of
// the map tiles and the overworld drawn with its tiles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes a PNG of every land and dungeon tile, each repeated 2 x 2 so seams
// show, enlarged `scale` times. False with a reason in error on failure.
bool writeTilePreview(const std::string& path, int scale, std::string& error);

// A rectangle of overworld cells: first column and row, and its size.
struct MapArea {
    int column, row, columns, rows;
};

// Writes a PNG of `area` of the overworld `map` (256 x 256 codes, row 0 at
// the bottom, drawn at the bottom as the map view does) with its land tiles,
// each cell shrunk to `cellPixels` (1..16) pixels by averaging. False with a
// reason in error on failure.
bool writeMapPreview(const std::string& path, const std::vector<std::uint8_t>& map, MapArea area,
                     int cellPixels, std::string& error);
