// A deterministic dungeon-like world for measuring the 3D view: solid Brick
// with two levels of rooms and corridors, each two layers high, carved out
// around the view. Stands in for the generated world until it can be used.
#pragma once

#include "assets/image_table.h"
#include "world/block_codes.h"
#include "world/grid.h"

#include <cstdint>
#include <memory>

namespace benchdungeon {

inline constexpr int low = 64, high = 192;       // columns and rows of rock
inline constexpr int topLayer = 90, bottomLayer = 112;
inline constexpr int levelTops[] = {100, 104};  // each level: this layer and the next
inline constexpr int roomCount = 24;
inline constexpr int firstPictureId = 1200; // the cube picture of block code 0

// The view: the middle of the first room of the first level, looking level
// along a corridor-facing direction and slightly down at the floor.
inline constexpr int viewX = 128, viewY = 128, viewZ = 101;
inline constexpr float viewYaw = 30, viewPitch = -75;

inline std::uint32_t nextRandom(std::uint32_t& state)
{
    state = state * 214013u + 2531011u;
    return (state >> 16) & 0x7fff;
}

inline void carve(int x0, int y0, int x1, int y1, int top)
{
    for (int z = top; z <= top + 1; ++z)
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                worldGrid[cellIndex(x, y, z)] = Air;
}

// Rooms of 3..9 cells a side, each joined to the one before by an L-shaped
// corridor; the first room of every level is centred on the view cell.
inline void carveLevel(int top, std::uint32_t seed)
{
    int lastX = viewX, lastY = viewY;
    carve(viewX - 3, viewY - 3, viewX + 3, viewY + 3, top);
    for (int room = 1; room < roomCount; ++room) {
        const int width = 3 + int(nextRandom(seed) % 7), depth = 3 + int(nextRandom(seed) % 7);
        const int x = low + 4 + int(nextRandom(seed) % (high - low - 16));
        const int y = low + 4 + int(nextRandom(seed) % (high - low - 16));
        carve(x, y, x + width - 1, y + depth - 1, top);
        const int cx = x + width / 2, cy = y + depth / 2;
        carve(lastX < cx ? lastX : cx, lastY, lastX < cx ? cx : lastX, lastY, top);
        carve(cx, lastY < cy ? lastY : cy, cx, lastY < cy ? cy : lastY, top);
        lastX = cx;
        lastY = cy;
    }
}

// Fills the grid (already allocated) with the dungeon. Brick for walls,
// Dirt for the floor layer under each level so floors read apart from walls.
inline void buildBenchWorld()
{
    for (int z = topLayer; z <= bottomLayer; ++z)
        for (int y = low; y < high; ++y)
            for (int x = low; x < high; ++x)
                worldGrid[cellIndex(x, y, z)] = Brick;
    std::uint32_t seed = 12345;
    for (int top : levelTops) {
        for (int y = low; y < high; ++y)
            for (int x = low; x < high; ++x)
                worldGrid[cellIndex(x, y, top + 2)] = Dirt;
        carveLevel(top, seed);
        seed += 777;
    }
}

inline constexpr int pictureSide = 64;

// Placeholder cube pictures for Brick, Grass and Dirt: a coloured pattern
// with a darker top band and a light bottom-left corner, so the picture's
// orientation shows in a snapshot. Row 0 is the picture's bottom row.
inline void paintPlaceholderPictures()
{
    const std::uint8_t colours[][3] = {{150, 70, 50}, {60, 150, 60}, {120, 90, 50}};
    for (int code = Brick; code <= Dirt; ++code) {
        ImageRecord& image = imageTable[firstPictureId + code];
        image.pixels = std::make_unique<std::uint8_t[]>(pictureSide * pictureSide * 3);
        image.width = image.height = pictureSide;
        image.bytesPerPixel = 3;
        for (int y = 0; y < pictureSide; ++y)
            for (int x = 0; x < pictureSide; ++x) {
                const bool mortar = y % 16 == 0 || (x + (y / 16) * 8) % 32 == 0;
                const bool top = y >= pictureSide - 8;
                const bool corner = x < 12 && y < 12;
                std::uint8_t* pixel = &image.pixels[(y * pictureSide + x) * 3];
                for (int c = 0; c < 3; ++c)
                    pixel[c] = corner ? 240 : mortar ? 200 : top ? colours[code - 1][c] / 2
                                                             : colours[code - 1][c];
            }
    }
}

} // namespace benchdungeon
