// A small picture being painted: palette pixels, top row first, with the
// wrapping and stamping operations the tiles and sprites are drawn with.
#pragma once

#include "art/palette.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels; // row 0 is the top row
};

// A width x height canvas filled with palette letter `fill`.
Canvas makeCanvas(int width, int height, char fill);

// Pixel (x, y), counted from the top-left, with coordinates wrapped around the
// edges so a tile's features continue on its neighbour.
Rgb& pixelAt(Canvas& canvas, int x, int y);
Rgb pixelAt(const Canvas& canvas, int x, int y);

// Paints palette letter `letter` at (x, y), wrapped like pixelAt.
void paint(Canvas& canvas, int x, int y, char letter);

// Paints rows of palette letters with their top-left corner at (x, y),
// wrapped; '.' leaves the pixel as it is.
void stamp(Canvas& canvas, int x, int y, std::initializer_list<std::string_view> rows);

// Replaces every pixel of colour `from` with palette letter `to`.
void recolour(Canvas& canvas, char from, char to);

// The letter of `ramp` (dark to light) for value 0..1 at pixel (x, y), with
// 4x4 ordered dithering between neighbouring letters. The pattern repeats
// every 4 pixels, so it tiles with any tile whose side is a multiple of 4.
char ditherRamp(std::string_view ramp, double value, int x, int y);

// The canvas turned a quarter turn clockwise.
Canvas turnedClockwise(const Canvas& canvas);

// The canvas as RGB bytes, top row first.
std::vector<std::uint8_t> canvasRgb(const Canvas& canvas);

// As stamp, but the digits '1'..'9' in the rows stand for the letters
// colours[0..8], so one drawing serves several colourings.
void stampColoured(Canvas& canvas, int x, int y, std::string_view colours,
                   std::initializer_list<std::string_view> rows);
