// Copying image-table pictures into the framebuffer, opaque or colour-keyed.
#include "draw2d/blit.h"

#include "assets/image_table.h"
#include "platform/video.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {
constexpr int bytesPerImagePixel = 3; // packed red, green, blue
constexpr int bytesPerScreenPixel = 4;

// The part of a blit that lands on the framebuffer: columns left..right-1 of
// rows bottom..top-1, showing the picture's pixel (firstColumn, firstRow) at
// (left, bottom). Empty (left == right or bottom == top) when nothing lands.
struct ClippedBlit {
    const ImageRecord* image = nullptr;
    int left = 0, right = 0;
    int bottom = 0, top = 0;
    int firstColumn = 0, firstRow = 0;
};

// The picture's columns 0..side-1 (or rows) at position `at` clipped to a
// framebuffer extent of `screen`, as [first, end) picture indices. Formed in
// 64 bits, so no position overflows; `at` plus either end fits an int.
std::pair<int, int> clipSpan(int at, long long side, int screen)
{
    const long long position = at;
    const long long first = std::clamp(-position, 0LL, side);
    const long long end = std::clamp(screen - position, first, side);
    return {int(first), int(end)};
}

// Every picture is drawn as a width x width square; one that is shorter
// stops at its last real row, so the read never leaves its pixel block.
ClippedBlit clipBlit(int x, int y, int id)
{
    ClippedBlit clip;
    if (!framebuffer || !imageTable || id < 0 || id >= imageCount)
        return clip;
    const ImageRecord& image = imageTable[id];
    if (!image.pixels || image.width <= 0)
        return clip;
    const long long rows = std::clamp<long long>(image.height, 0, image.width);
    const auto [firstColumn, endColumn] = clipSpan(x, image.width, screenWidth);
    const auto [firstRow, endRow] = clipSpan(y, rows, screenHeight);
    if (firstColumn == endColumn || firstRow == endRow)
        return clip;
    clip.image = &image;
    clip.left = x + firstColumn;
    clip.right = x + endColumn;
    clip.bottom = y + firstRow;
    clip.top = y + endRow;
    clip.firstColumn = firstColumn;
    clip.firstRow = firstRow;
    return clip;
}

// The picture's pixel shown at framebuffer pixel (column, screenRow).
const std::uint8_t* imagePixel(const ClippedBlit& clip, int column, int screenRow)
{
    const std::size_t row = std::size_t(clip.firstRow + screenRow - clip.bottom);
    const std::size_t pictureColumn = std::size_t(clip.firstColumn + column - clip.left);
    const std::size_t index = row * std::size_t(clip.image->width) + pictureColumn;
    return clip.image->pixels.get() + index * bytesPerImagePixel;
}

std::uint8_t* screenPixel(int x, int y)
{
    const std::size_t index = std::size_t(y) * std::size_t(screenWidth) + std::size_t(x);
    return framebuffer.get() + index * bytesPerScreenPixel;
}

// Magenta is the pictures' painted background; black is transparent too.
bool isKeyColour(const std::uint8_t* pixel)
{
    const bool magenta = pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 246;
    const bool black = pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0;
    return magenta || black;
}

// The pixel's red, green and blue with alpha 255.
void copyPixel(const std::uint8_t* from, std::uint8_t* to)
{
    const std::uint8_t rgba[4] = {from[0], from[1], from[2], 255};
    std::memcpy(to, rgba, 4);
}

// Framebuffer columns first..end-1 of screenRow from the picture's pixels
// there. The opaque copy is a loop of its own, without the key test, and
// stores each pixel's four bytes at once.
void copyRun(const ClippedBlit& clip, int screenRow, int first, int end)
{
    const std::uint8_t* from = imagePixel(clip, first, screenRow);
    std::uint8_t* to = screenPixel(first, screenRow);
    for (int column = first; column < end; ++column) {
        copyPixel(from, to);
        from += bytesPerImagePixel;
        to += bytesPerScreenPixel;
    }
}

void copyRunKeyed(const ClippedBlit& clip, int screenRow, int first, int end)
{
    const std::uint8_t* from = imagePixel(clip, first, screenRow);
    std::uint8_t* to = screenPixel(first, screenRow);
    for (int column = first; column < end; ++column) {
        if (!isKeyColour(from))
            copyPixel(from, to);
        from += bytesPerImagePixel;
        to += bytesPerScreenPixel;
    }
}

void blit(int x, int y, int id, bool keyed)
{
    const ClippedBlit clip = clipBlit(x, y, id);
    for (int row = clip.bottom; row < clip.top; ++row)
        (keyed ? copyRunKeyed : copyRun)(clip, row, clip.left, clip.right);
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
