// Hand-made image-table entries and framebuffer probes for drawing tests.
#pragma once

#include "assets/image_table.h"
#include "platform/video.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

using Rgba = std::array<int, 4>;

// Fills image id with width x height pixels of colour(column, row); the block
// is exactly that size, so a read past it is a read past the allocation.
inline void makeImage(int id, int width, int height, const std::function<Rgba(int, int)>& colour)
{
    ImageRecord& image = imageTable[id];
    image.width = width;
    image.height = height;
    image.bytesPerPixel = 3;
    image.pixels = std::make_unique<std::uint8_t[]>(std::size_t(width) * height * 3);
    for (int i = 0; i < height; ++i)
        for (int j = 0; j < width; ++j)
            for (int c = 0; c < 3; ++c)
                image.pixels[(std::size_t(i) * width + j) * 3 + c] = std::uint8_t(colour(j, i)[c]);
}

// A 16 x 16 image of one colour.
inline void makeTile(int id, Rgba colour)
{
    makeImage(id, 16, 16, [=](int, int) { return colour; });
}

inline Rgba pixelAt(int x, int y)
{
    const std::uint8_t* p = framebuffer.get() + (std::size_t(y) * screenWidth + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

inline int pixelsOfColour(Rgba colour)
{
    int count = 0;
    for (int y = 0; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x)
            count += pixelAt(x, y) == colour;
    return count;
}
