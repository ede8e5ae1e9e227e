// The world grid's storage and its two rectangle operations.
#include "world/grid.h"

#include "world/block_codes.h"

WorldGrid worldGrid;

void allocateWorldGrid()
{
    worldGrid = std::make_unique<std::uint8_t[]>(worldCellCount);
}

void releaseWorldGrid()
{
    worldGrid.reset();
}

bool regionIs(int layer, int x0, int y0, int x1, int y1, std::uint8_t code)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (x < 0 || x >= worldSide || y < 0 || y >= worldSide ||
                gridCell(x, y, layer) != code)
                return false;
    return true;
}

bool claimRegion(int layer, int x0, int y0, int x1, int y1, std::uint8_t code)
{
    if (!regionIs(layer, x0, y0, x1, y1, Air))
        return false;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            gridCell(x, y, layer) = code;
    return true;
}
