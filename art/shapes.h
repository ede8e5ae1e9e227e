// Painting recipes shared by the land tiles, dungeon tiles and cube textures:
// noisy grounds, scattered specks, lit discs and trees.
#pragma once

#include "art/canvas.h"

#include <cstdint>
#include <string_view>

// A side x side ground of `ramp` letters (dark to light) following wrapped
// fractal noise; `period` is the number of noise cells across the tile.
Canvas noisyGround(int side, std::string_view ramp, int period, std::uint32_t seed);

// Paints `count` single pixels of `letter` at seeded places (wrapped).
void sprinkle(Canvas& canvas, int count, char letter, std::uint32_t seed);

// A disc of radius r around (cx, cy) shaded with `ramp` (dark to light) as if
// lit from the upper left, its rim in ramp[0]; wrapped.
void litDisc(Canvas& canvas, double cx, double cy, double r, std::string_view ramp);

// A broad-leaved tree, 7 x 8 pixels from its top-left corner (x, y); colours
// are rim, dark, mid, light, highlight and trunk. Its shadow falls right.
void broadleafTree(Canvas& canvas, int x, int y, std::string_view colours);

// A conifer, 8 x 9 pixels from (x, y); colours as for broadleafTree.
void pineTree(Canvas& canvas, int x, int y, std::string_view colours);

// A one-pixel circle of radius r around (cx, cy) in `letter`.
void ring(Canvas& canvas, double cx, double cy, double r, char letter);

// A one-pixel straight line from (x0, y0) to (x1, y1) in `letter`.
void line(Canvas& canvas, int x0, int y0, int x1, int y1, char letter);

// Lights a disc of radius r around (cx, cy): each stone or earth letter
// steps one shade lighter, as if a flame stood there.
void glow(Canvas& canvas, double cx, double cy, double r);
