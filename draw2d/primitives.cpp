// Pixel and line drawing into the framebuffer.
#include "draw2d/primitives.h"

#include "platform/video.h"

#include <cstdlib>

void plotPixel(int x, int y, int r, int g, int b)
{
    if (x < 0 || y < 0 || x >= screenWidth || y >= screenHeight)
        return;
    std::uint8_t* pixel = framebuffer.get() + (std::size_t(y) * screenWidth + x) * 4;
    pixel[0] = std::uint8_t(r);
    pixel[1] = std::uint8_t(g);
    pixel[2] = std::uint8_t(b);
    pixel[3] = 255;
}

// The accumulator starts at the minor delta, not at half the major one, and
// the minor coordinate steps only when it strictly exceeds the major delta:
// the line keeps its first row (or column) longer than a midpoint line, and
// which pixels it sets depends on the direction it is drawn in.
void drawLine(int x0, int y0, int x1, int y1, int r, int g, int b)
{
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int sx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0;
    const int sy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
    int x = x0;
    int y = y0;
    plotPixel(x, y, r, g, b);
    if (dx > dy) {
        int e = dy;
        for (int i = 0; i < dx; ++i) {
            e += dy;
            if (e > dx) {
                e -= dx;
                y += sy;
            }
            x += sx;
            plotPixel(x, y, r, g, b);
        }
    } else {
        int e = dx;
        for (int i = 0; i < dy; ++i) {
            e += dx;
            if (e > dy) {
                e -= dy;
                x += sx;
            }
            y += sy;
            plotPixel(x, y, r, g, b);
        }
    }
}
