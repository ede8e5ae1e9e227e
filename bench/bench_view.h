// The world and the view the 3D frame is measured in: the generated world
// for a fixed seed, seen from inside a room of its fourth dungeon level, with
// placeholder cube pictures so the frame is textured as in the program.
#pragma once

#include "app/world_build.h"
#include "assets/image_table.h"
#include "world/block_codes.h"
#include "world/generator.h"
#include "world/grid.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace benchview {

inline constexpr std::uint32_t worldSeed = 20240601;

// A room of the level carved into layers 12 and 13, the eye in its lower
// layer (13 has no head bob, so the camera keeps still), looking level-ish.
inline constexpr int viewX = 33, viewY = 43, viewZ = 13;
inline constexpr float viewYaw = 30, viewPitch = -80;

inline constexpr int firstPictureId = 1200; // the cube picture of block code 0
inline constexpr int pictureSide = 64;

// Builds the world into the allocated grid; stops the run when the view
// cell is not open (the generator changed under the bench).
inline void buildBenchWorld()
{
    allocateGeneratorStorage();
    buildWorld(worldSeed);
    if (gridCell(viewX, viewY, viewZ) != Air) {
        std::fprintf(stderr, "bench: the view cell (%d, %d, %d) is not open\n", viewX, viewY, viewZ);
        std::abort();
    }
}

// Placeholder cube pictures for Brick, Grass and Dirt: a coloured brick
// pattern with a darker top band and a light bottom-left corner, so the
// picture's orientation shows in a snapshot. Row 0 is the bottom row.
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

} // namespace benchview
