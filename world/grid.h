// The voxel world grid: one byte-per-cell store of 180 layers of 256 x 256
// cells holding the overworld map (layer 0), the 3D world (layers 1..138) and
// the dungeon plan (layers 140..148). A larger layer index is deeper.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

inline constexpr int worldSide = 256;  // columns per row and rows per layer
inline constexpr int layerCount = 180; // layers
inline constexpr int layerStride = worldSide * worldSide; // bytes per layer
inline constexpr std::size_t worldCellCount = std::size_t(layerStride) * layerCount;

// WorldGrid: worldCellCount bytes; cell (x, y, z) at z * layerStride +
// y * worldSide + x. Allocated and zeroed at start-up, read-only once the
// frame loop runs.
using WorldGrid = std::unique_ptr<std::uint8_t[]>;
extern WorldGrid worldGrid;

// Allocates the grid with every cell Air.
void allocateWorldGrid();

// Releases the grid (shutdown).
void releaseWorldGrid();

// The linear index of cell (x, y, z); no bounds test.
inline int cellIndex(int x, int y, int z)
{
    return z * layerStride + y * worldSide + x;
}

// The cell (x, y, z) itself; no bounds test.
inline std::uint8_t& gridCell(int x, int y, int z)
{
    return worldGrid[cellIndex(x, y, z)];
}

// True when (x, y, z) lies inside the grid.
inline bool cellInGrid(int x, int y, int z)
{
    return x >= 0 && x < worldSide && y >= 0 && y < worldSide && z >= 0 && z < layerCount;
}

// True when every cell of rows y0..y1, columns x0..x1 of the layer holds
// `code`; false at the first cell outside 0..255 or holding another code.
// An empty range is true. The layer is trusted (0..179).
bool regionIs(int layer, int x0, int y0, int x1, int y1, std::uint8_t code);

// If the rectangle is all Air, fills it with `code` and returns true;
// otherwise writes nothing and returns false.
bool claimRegion(int layer, int x0, int y0, int x1, int y1, std::uint8_t code);
