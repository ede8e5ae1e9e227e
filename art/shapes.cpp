// Shared painting recipes.
#include "art/shapes.h"

#include "art/noise.h"

#include <algorithm>
#include <cmath>

Canvas noisyGround(int side, std::string_view ramp, int period, std::uint32_t seed)
{
    Canvas canvas = makeCanvas(side, side, ramp[0]);
    const int steps = int(ramp.size());
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            // A little per-pixel jitter frays the borders between the patches.
            const double jitter = (hash3(x, y, seed) / 4294967296.0 - 0.5) * 0.3;
            const double value = (fractalNoise(x, y, side, period, 2, seed) - 0.5) * 1.8 + 0.5 + jitter;
            paint(canvas, x, y, ramp[std::clamp(int(value * steps), 0, steps - 1)]);
        }
    return canvas;
}

void sprinkle(Canvas& canvas, int count, char letter, std::uint32_t seed)
{
    ArtRandom random{seed};
    for (int i = 0; i < count; ++i) {
        const int x = random.below(canvas.width);
        paint(canvas, x, random.below(canvas.height), letter);
    }
}

void litDisc(Canvas& canvas, double cx, double cy, double r, std::string_view ramp)
{
    const int reach = int(std::ceil(r));
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const double px = std::floor(cx) + dx + 0.5 - cx;
            const double py = std::floor(cy) + dy + 0.5 - cy;
            const double distance = std::sqrt(px * px + py * py);
            if (distance > r)
                continue;
            const int x = int(std::floor(cx)) + dx;
            const int y = int(std::floor(cy)) + dy;
            if (distance > r - 1.0) {
                paint(canvas, x, y, ramp[0]);
                continue;
            }
            // Brightest towards the upper left, darkest at the lower-right rim.
            const double light = 0.55 - 0.45 * (px + py) / (r * 1.2) - 0.2 * distance / r;
            paint(canvas, x, y, ditherRamp(ramp.substr(1), light, x, y));
        }
}

void broadleafTree(Canvas& canvas, int x, int y, std::string_view colours)
{
    stampColoured(canvas, x, y, colours, {
        "..111..",
        ".14531.",
        "1454331",
        "1443321",
        "1333221",
        ".12221Z",
        "..111ZZ",
        "...6Z..",
    });
}

void pineTree(Canvas& canvas, int x, int y, std::string_view colours)
{
    stampColoured(canvas, x, y, colours, {
        "...1...",
        "..141..",
        "..131..",
        ".14321.",
        ".13221Z",
        "1432221",
        "1322221Z",
        ".111111Z",
        "...6ZZ.",
    });
}

void ring(Canvas& canvas, double cx, double cy, double r, char letter)
{
    const int reach = int(std::ceil(r)) + 1;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const double distance = std::hypot(dx + 0.5, dy + 0.5);
            if (std::abs(distance - r) < 0.5)
                paint(canvas, int(cx) + dx, int(cy) + dy, letter);
        }
}

void line(Canvas& canvas, int x0, int y0, int x1, int y1, char letter)
{
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        const double t = steps ? double(i) / steps : 0.0;
        paint(canvas, int(std::lround(x0 + (x1 - x0) * t)), int(std::lround(y0 + (y1 - y0) * t)), letter);
    }
}

void glow(Canvas& canvas, double cx, double cy, double r)
{
    constexpr std::string_view darker = "nmAavbrBH";
    constexpr std::string_view lighter = "mAavVrBsh";
    const int reach = int(std::ceil(r));
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            if (std::hypot(dx, dy) > r)
                continue;
            Rgb& pixel = pixelAt(canvas, int(cx) + dx, int(cy) + dy);
            for (std::size_t i = 0; i < darker.size(); ++i)
                if (pixel == paletteColour(darker[i])) {
                    pixel = paletteColour(lighter[i]);
                    break;
                }
        }
}
