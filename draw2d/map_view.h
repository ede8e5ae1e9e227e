// The top-down map view: one layer of the world grid as a mosaic of tiles.
#pragma once

#include <cstdint>

// Framebuffer pixels per map cell in each direction.
inline constexpr int mapTileSize = 16;

// The frame loop draws the map with its origin this many cells left of and
// below the view cell, so the view cell's tile sits 15 tiles in.
inline constexpr int mapOriginOffset = 15;

// What mapTileImage returns for a code the map does not draw.
inline constexpr int noMapTile = -1;

// The image id the map draws for a block code, or noMapTile (the cell stays
// black). 61 codes have a tile; Air, Brick, Grass and Dirt do not.
int mapTileImage(std::uint8_t code);

// Draws layer SZ with cell (SX, SY) at the framebuffer's lower-left corner,
// one tile per cell, screenWidth / 16 columns by screenHeight / 16 rows, as
// blitImage would column by column, each bottom to top: a picture larger than
// its cell lies under the cells drawn after it. Cells outside the grid draw
// nothing and are never read.
void drawMapView();
