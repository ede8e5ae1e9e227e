// Copying image-table pictures into the framebuffer, opaque or colour-keyed.
#include "draw2d/blit.h"

#include "assets/image_table.h"
#include "draw2d/primitives.h"

#include <algorithm>
#include <cstdint>

namespace {
constexpr int bytesPerImagePixel = 3; // packed red, green, blue

// Magenta is the pictures' painted background; black is transparent too.
bool isKeyColour(const std::uint8_t* pixel)
{
    const bool magenta = pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 246;
    const bool black = pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0;
    return magenta || black;
}

void blit(int x, int y, int id, bool keyed)
{
    if (!imageTable || id < 0 || id >= imageCount)
        return;
    const ImageRecord& image = imageTable[id];
    if (!image.pixels || image.width <= 0)
        return;
    // Every picture is drawn as a width x width square; one that is shorter
    // stops at its last real row, so the read never leaves its pixel block.
    const int side = image.width;
    const int rows = std::min(side, image.height);
    for (int i = 0; i < rows; ++i) {
        const std::uint8_t* row = image.pixels.get() + std::size_t(i) * side * bytesPerImagePixel;
        for (int j = 0; j < side; ++j) {
            const std::uint8_t* pixel = row + std::size_t(j) * bytesPerImagePixel;
            if (keyed && isKeyColour(pixel))
                continue;
            plotPixel(x + j, y + i, pixel[0], pixel[1], pixel[2]);
        }
    }
}
}

void blitImage(int x, int y, int id)
{
    blit(x, y, id, false);
}

void blitImageKeyed(int x, int y, int id)
{
    blit(x, y, id, true);
}
