// The blit written the plain way, every pixel of the picture's square visited
// and clipped on its own in 64 bits, into a copy of the framebuffer: what the
// clipped and the last-to-first blits must reproduce byte for byte.
#pragma once

#include "assets/image_table.h"
#include "platform/video.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

using Frame = std::vector<std::uint8_t>;

inline std::size_t framebufferBytes()
{
    return std::size_t(screenWidth) * screenHeight * 4;
}

// The cleared framebuffer's bytes, zeroed as well.
inline Frame clearedFrame()
{
    std::memset(framebuffer.get(), 0, framebufferBytes());
    return Frame(framebufferBytes(), 0);
}

inline bool framebufferIs(const Frame& frame)
{
    return std::memcmp(framebuffer.get(), frame.data(), framebufferBytes()) == 0;
}

inline void referenceBlit(Frame& frame, int x, int y, int id, bool keyed = false)
{
    if (id < 0 || id >= imageCount || !imageTable[id].pixels || imageTable[id].width <= 0)
        return;
    const ImageRecord& image = imageTable[id];
    const int side = image.width;
    for (long long i = 0; i < std::min(side, image.height); ++i)
        for (long long j = 0; j < side; ++j) {
            const std::uint8_t* p = &image.pixels[std::size_t(i * side + j) * 3];
            const bool key = (p[0] == 255 && p[1] == 0 && p[2] == 246) || (p[0] | p[1] | p[2]) == 0;
            const long long px = x + j, py = y + i;
            if ((keyed && key) || px < 0 || py < 0 || px >= screenWidth || py >= screenHeight)
                continue;
            std::uint8_t* to = &frame[std::size_t(py * screenWidth + px) * 4];
            std::memcpy(to, p, 3);
            to[3] = 255;
        }
}

// A picture whose every pixel differs from its neighbours, so a shifted or
// mirrored copy shows; the seed tells pictures apart. Some pixels of seeds
// with bit 0 set are magenta or black, the keyed blit's transparent colours.
inline void makePatternImage(int id, int width, int height, int seed)
{
    ImageRecord& image = imageTable[id];
    image.width = width;
    image.height = height;
    image.bytesPerPixel = 3;
    const std::size_t pixels = std::size_t(width) * height;
    image.pixels = std::make_unique<std::uint8_t[]>(pixels * 3);
    for (std::size_t k = 0; k < pixels; ++k) {
        std::uint8_t* p = &image.pixels[k * 3];
        p[0] = std::uint8_t(k * 7 + seed);
        p[1] = std::uint8_t(k / 251 + seed * 13);
        p[2] = std::uint8_t(seed);
        const std::uint8_t magenta[3] = {255, 0, 246}, black[3] = {0, 0, 0};
        if (seed & 1 && k % 5 == 0)
            std::memcpy(p, k % 10 ? magenta : black, 3);
    }
}
