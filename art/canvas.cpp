// Canvas operations: wrapped pixel access, letter stamps, ordered dithering.
#include "art/canvas.h"

#include <algorithm>

namespace {
constexpr int bayerSide = 4;
constexpr int bayer[bayerSide][bayerSide] = {
    {0, 8, 2, 10},
    {12, 4, 14, 6},
    {3, 11, 1, 9},
    {15, 7, 13, 5},
};

int wrap(int value, int size)
{
    const int rest = value % size;
    return rest < 0 ? rest + size : rest;
}
}

Canvas makeCanvas(int width, int height, char fill)
{
    return Canvas{width, height, std::vector<Rgb>(std::size_t(width) * height, paletteColour(fill))};
}

Rgb& pixelAt(Canvas& canvas, int x, int y)
{
    return canvas.pixels[std::size_t(wrap(y, canvas.height)) * canvas.width + wrap(x, canvas.width)];
}

Rgb pixelAt(const Canvas& canvas, int x, int y)
{
    return canvas.pixels[std::size_t(wrap(y, canvas.height)) * canvas.width + wrap(x, canvas.width)];
}

void paint(Canvas& canvas, int x, int y, char letter)
{
    pixelAt(canvas, x, y) = paletteColour(letter);
}

void stamp(Canvas& canvas, int x, int y, std::initializer_list<std::string_view> rows)
{
    int row = 0;
    for (std::string_view line : rows) {
        for (int column = 0; column < int(line.size()); ++column)
            if (line[column] != '.')
                paint(canvas, x + column, y + row, line[column]);
        ++row;
    }
}

void recolour(Canvas& canvas, char from, char to)
{
    const Rgb source = paletteColour(from);
    const Rgb target = paletteColour(to);
    std::replace(canvas.pixels.begin(), canvas.pixels.end(), source, target);
}

char ditherRamp(std::string_view ramp, double value, int x, int y)
{
    const int steps = int(ramp.size()) - 1;
    const double scaled = std::clamp(value, 0.0, 1.0) * steps;
    int index = int(scaled);
    const double fraction = scaled - index;
    const double threshold = (bayer[wrap(y, bayerSide)][wrap(x, bayerSide)] + 0.5) / 16.0;
    if (fraction > threshold)
        ++index;
    return ramp[std::min(index, steps)];
}

Canvas turnedClockwise(const Canvas& canvas)
{
    Canvas turned{canvas.height, canvas.width, canvas.pixels};
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            pixelAt(turned, canvas.height - 1 - y, x) = pixelAt(canvas, x, y);
    return turned;
}

std::vector<std::uint8_t> canvasRgb(const Canvas& canvas)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(canvas.pixels.size() * 3);
    for (const Rgb& pixel : canvas.pixels) {
        bytes.push_back(pixel.r);
        bytes.push_back(pixel.g);
        bytes.push_back(pixel.b);
    }
    return bytes;
}

void stampColoured(Canvas& canvas, int x, int y, std::string_view colours,
                   std::initializer_list<std::string_view> rows)
{
    int row = 0;
    for (std::string_view line : rows) {
        for (int column = 0; column < int(line.size()); ++column) {
            char letter = line[column];
            if (letter >= '1' && letter <= '9')
                letter = colours[letter - '1'];
            if (letter != '.')
                paint(canvas, x + column, y + row, letter);
        }
        ++row;
    }
}
