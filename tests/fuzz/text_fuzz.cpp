// Fuzz target: both text routines over any bytes in textLine, terminated or
// running to the buffer's end, at any position (far off screen and at the
// ends of the int range too), in both video modes. Writes outside the
// framebuffer are ASan's to catch; the target checks that every drawn pixel
// lies in the text's box in the text's colour, that the pen ends where the
// advances put it, and that drawing twice changes nothing more.
#include "draw2d/text.h"
#include "platform/video.h"
#include "tests/fuzz/fuzz_input.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int bytesPerPixel = 4;
constexpr int largeAdvance = 8;

// Rows a line covers relative to its y, and the widest small-font advance
// (glyph width 7 and the gap).
struct Font {
    void (*draw)(int x, int y, int r, int g, int b);
    int lowestRow, highestRow;
    int widestAdvance;
};
constexpr Font smallText{drawTextSmall, -7, 1, 8};
constexpr Font largeText{drawTextLarge, -12, -1, largeAdvance};

// The bytes after the header fill textLine: up to its last byte followed by
// a zero, or, unterminated, the whole buffer with the bytes repeated.
int fillTextLine(FuzzInput& input, bool terminated)
{
    std::memset(textLine, 0, textLineSize);
    const std::size_t count = input.remaining();
    if (terminated) {
        const std::size_t length = std::min<std::size_t>(count, textLineSize - 1);
        for (std::size_t i = 0; i < length; ++i)
            textLine[i] = char(input.byte());
    } else {
        for (int i = 0; i < textLineSize; ++i)
            textLine[i] = count ? char(input.data[input.at + i % count]) : 'M';
    }
    return int(std::find(textLine, textLine + textLineSize, '\0') - textLine);
}

void setMode(bool mapMode)
{
    const int width = mapMode ? 640 : 320;
    if (screenWidth != width || !framebuffer)
        setVideoMode(width, width * 3 / 4);
    std::memset(framebuffer.get(), 0, std::size_t(screenWidth) * screenHeight * bytesPerPixel);
}

// Every set pixel in the colour and inside the box: rows y + lowestRow ..
// y + highestRow, columns x .. x + length * widestAdvance - 1. Stretches
// outside the box are compared with zeros in one go, which keeps the check
// cheap beside the drawing.
bool pixelsInBox(const Font& font, int x, int y, int length, const std::uint8_t colour[3])
{
    static const std::vector<std::uint8_t> zeros(std::size_t(640) * bytesPerPixel, 0);
    const std::int64_t right = std::int64_t(x) + std::int64_t(length) * font.widestAdvance;
    const int first = int(std::clamp<std::int64_t>(x, 0, screenWidth));
    const int last = int(std::clamp<std::int64_t>(right, 0, screenWidth));
    for (int row = 0; row < screenHeight; ++row) {
        const std::uint8_t* line = framebuffer.get() + std::size_t(row) * screenWidth * bytesPerPixel;
        const bool inRows = row >= std::int64_t(y) + font.lowestRow &&
                            row <= std::int64_t(y) + font.highestRow;
        const int from = inRows ? first : screenWidth;
        const int to = inRows ? last : screenWidth;
        if (std::memcmp(line, zeros.data(), std::size_t(from) * bytesPerPixel) != 0 ||
            std::memcmp(line + to * bytesPerPixel, zeros.data(),
                        std::size_t(screenWidth - to) * bytesPerPixel) != 0)
            return false;
        for (const std::uint8_t* pixel = line + from * bytesPerPixel;
             pixel < line + to * bytesPerPixel; pixel += bytesPerPixel)
            if (pixel[3] != 0 && (pixel[3] != 255 || std::memcmp(pixel, colour, 3) != 0))
                return false;
    }
    return true;
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void drawAndCheck(const Font& font, int x, int y, int length, const int colour[3])
{
    const std::uint8_t bytes[3] = {std::uint8_t(colour[0]), std::uint8_t(colour[1]),
                                   std::uint8_t(colour[2])};
    font.draw(x, y, colour[0], colour[1], colour[2]);
    check(textPen.index == length);
    // The pen ends past the last glyph, or at INT_MAX where that is further.
    const std::int64_t penLimit = std::int64_t(x) + std::int64_t(length) * font.widestAdvance;
    check(textPen.x >= x && textPen.x <= std::min<std::int64_t>(penLimit, INT_MAX));
    if (&font == &largeText)
        check(textPen.x == std::min<std::int64_t>(penLimit, INT_MAX));
    check(pixelsInBox(font, x, y, length, bytes));

    const std::size_t frameBytes = std::size_t(screenWidth) * screenHeight * bytesPerPixel;
    static std::vector<std::uint8_t> once;
    once.assign(framebuffer.get(), framebuffer.get() + frameBytes);
    font.draw(x, y, colour[0], colour[1], colour[2]);
    check(std::memcmp(once.data(), framebuffer.get(), frameBytes) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input{data, size};
    const std::uint8_t flags = input.byte();
    const bool mapMode = flags & 1;
    const bool terminated = flags & 2;
    const int x = input.coordinate(-64, 768);
    const int y = input.coordinate(-64, 608);
    const int colour[3] = {input.int32(), input.int32(), input.int32()};
    const int length = fillTextLine(input, terminated);

    if (!(flags & 8)) {
        setMode(mapMode);
        drawAndCheck(smallText, x, y, length, colour);
    }
    if (!(flags & 4)) {
        setMode(mapMode);
        drawAndCheck(largeText, x, y, length, colour);
    }
    return 0;
}
