// The two primitives all software drawing goes through. Both write into the
// current framebuffer and clip per pixel; colours count their low 8 bits.
#pragma once

// Writes (r, g, b, 255) at (x, y), x from the left and y from the bottom;
// does nothing outside the framebuffer.
void plotPixel(int x, int y, int r, int g, int b);

// Draws from (x0, y0) to (x1, y1), both ends included, through plotPixel.
void drawLine(int x0, int y0, int x1, int y1, int r, int g, int b);
