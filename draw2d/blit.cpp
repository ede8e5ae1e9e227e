// Copying image-table pictures into the framebuffer, opaque or colour-keyed,
// one at a time or as an opaque run where later pictures cover earlier ones.
#include "draw2d/blit.h"

#include "assets/image_table.h"
#include "platform/video.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iterator>
#include <utility>
#include <vector>

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

bool landsNothing(const ClippedBlit& clip)
{
    return clip.left == clip.right || clip.bottom == clip.top;
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
// stores each pixel's four bytes at once: it is the map view's inner loop.
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

namespace {
// Which pixels of one framebuffer row a last-to-first run has not written
// yet, a bit per column, 64 columns a word: a whole row is a few words, and
// the unwritten runs under a blit are found a word at a time.
using RowCoverage = std::vector<std::uint64_t>;
constexpr int columnsPerWord = 64;

void startRow(RowCoverage& unwritten)
{
    unwritten.assign(std::size_t(screenWidth + columnsPerWord - 1) / columnsPerWord, ~0ULL);
}

// Bits first..end-1 of a word, 0 <= first <= end <= 64.
std::uint64_t bitSpan(int first, int end)
{
    const std::uint64_t belowEnd = end == columnsPerWord ? ~0ULL : (1ULL << end) - 1;
    return belowEnd & ~((1ULL << first) - 1);
}

// Copies the blit's pixels on screenRow that no later blit has written, a run
// of unwritten pixels at a time, and marks its columns written.
void blitRowUnderWritten(const ClippedBlit& clip, int screenRow, RowCoverage& unwritten)
{
    const int lastWord = (clip.right - 1) / columnsPerWord;
    for (int word = clip.left / columnsPerWord; word <= lastWord; ++word) {
        const int base = word * columnsPerWord;
        const std::uint64_t span = bitSpan(std::max(clip.left - base, 0),
                                           std::min(clip.right - base, columnsPerWord));
        std::uint64_t runs = unwritten[std::size_t(word)] & span;
        unwritten[std::size_t(word)] &= ~span;
        while (runs != 0) {
            const int start = std::countr_zero(runs);
            const int end = start + std::countr_one(runs >> start);
            copyRun(clip, screenRow, base + start, base + end);
            runs &= ~bitSpan(start, end);
        }
    }
}

// True when `later`, drawn after `earlier` and crossing the current row,
// covers earlier's columns on every row earlier still crosses: earlier can
// show nothing more.
bool hides(const ClippedBlit& later, const ClippedBlit& earlier)
{
    return later.left <= earlier.left && later.right >= earlier.right && later.top >= earlier.top;
}

// The blits that land on the framebuffer, in draw order.
std::vector<ClippedBlit> clipAll(const std::vector<PlacedImage>& images)
{
    std::vector<ClippedBlit> clips;
    clips.reserve(images.size());
    for (const PlacedImage& image : images) {
        const ClippedBlit clip = clipBlit(image.x, image.y, image.id);
        if (!landsNothing(clip))
            clips.push_back(clip);
    }
    return clips;
}

// For each framebuffer row, the blits whose bottom row it is, last drawn first.
std::vector<std::vector<int>> blitsStartingOnEachRow(const std::vector<ClippedBlit>& clips)
{
    std::vector<std::vector<int>> starting(static_cast<std::size_t>(screenHeight));
    for (int k = int(clips.size()) - 1; k >= 0; --k)
        starting[std::size_t(clips[std::size_t(k)].bottom)].push_back(k);
    return starting;
}

// Draws screenRow from the blits crossing it, last drawn first, and keeps in
// `crossing` those that may still show on a later row: not ended, and not
// hidden by the last blit kept before them.
void drawRow(const std::vector<ClippedBlit>& clips, std::vector<int>& crossing, int screenRow,
             RowCoverage& unwritten)
{
    startRow(unwritten);
    std::size_t kept = 0;
    for (int k : crossing) {
        const ClippedBlit& clip = clips[std::size_t(k)];
        if (clip.top <= screenRow ||
            (kept > 0 && hides(clips[std::size_t(crossing[kept - 1])], clip)))
            continue;
        blitRowUnderWritten(clip, screenRow, unwritten);
        crossing[kept++] = k;
    }
    crossing.resize(kept);
}
}

// Row by row, the blits that cross the row are drawn last to first: each
// pixel is written once, by the last blit that covers it, which is the pixel
// drawing them in order leaves. A blit costs a visit per row it crosses until
// a later one hides it, plus the pixels it shows, not its picture's square.
void blitImagesInOrder(const std::vector<PlacedImage>& images)
{
    const std::vector<ClippedBlit> clips = clipAll(images);
    if (clips.empty())
        return;
    const std::vector<std::vector<int>> starting = blitsStartingOnEachRow(clips);
    std::vector<int> crossing; // last drawn first
    std::vector<int> merged;
    RowCoverage unwritten;
    for (int screenRow = 0; screenRow < screenHeight; ++screenRow) {
        const std::vector<int>& newcomers = starting[std::size_t(screenRow)];
        merged.clear();
        std::merge(crossing.begin(), crossing.end(), newcomers.begin(), newcomers.end(),
                   std::back_inserter(merged), std::greater<>());
        crossing.swap(merged);
        drawRow(clips, crossing, screenRow, unwritten);
    }
}
