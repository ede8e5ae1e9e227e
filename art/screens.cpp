// The cross cursor and the title picture: a castle on a crag under a night
// sky with a moon.
#include "art/screens.h"

#include "art/noise.h"
#include "art/shapes.h"
#include "art/units.h"

#include <cmath>

namespace {
Canvas cross()
{
    Canvas tile = makeCanvas(spriteSide, spriteSide, 'n');
    ring(tile, 7.5, 7.5, 5.0, 'x');
    for (int i = 0; i < spriteSide; ++i)
        if (i < 6 || i > 9) {
            paint(tile, i, 7, 'W');
            paint(tile, 7, i, 'W');
        }
    return tile;
}

void sky(Canvas& picture)
{
    for (int y = 0; y < titleSide; ++y)
        for (int x = 0; x < titleSide; ++x)
            paint(picture, x, y, ditherRamp("nEw", double(y) / titleSide * 1.4, x, y));
    sprinkle(picture, 60, 'i', 0x57A2);
    litDisc(picture, 94, 28, 11, "cViW");
}

// A ridge line from wrapped noise, filled below with `fill`.
void ridge(Canvas& picture, double base, double height, char fill, std::uint32_t seed)
{
    for (int x = 0; x < titleSide; ++x) {
        const double top = base - height * fractalNoise(x, 0, titleSide, 4, 3, seed);
        for (int y = int(top); y < titleSide; ++y)
            paint(picture, x, y, fill);
    }
}

void castleSilhouette(Canvas& picture)
{
    constexpr int left = 30, ground = 84;
    for (int y = ground - 22; y < ground; ++y)
        for (int x = left; x < left + 44; ++x)
            paint(picture, x, y, 'k');
    for (int tower : {left - 4, left + 18, left + 40}) {
        for (int y = ground - 36; y < ground; ++y)
            for (int x = tower; x < tower + 8; ++x)
                paint(picture, x, y, 'k');
        for (int x = tower; x < tower + 8; x += 2)
            paint(picture, x, ground - 37, 'k');
        paint(picture, tower + 3, ground - 28, 'y');
        paint(picture, tower + 3, ground - 27, 'y');
    }
    for (int x = left + 4; x < left + 44; x += 4)
        paint(picture, x, ground - 23, 'k');
}

Canvas title()
{
    Canvas picture = makeCanvas(titleSide, titleSide, 'n');
    sky(picture);
    ridge(picture, 92, 30, 'm', 0x71);
    castleSilhouette(picture);
    ridge(picture, 112, 26, 'n', 0x72);
    ridge(picture, 124, 10, 'k', 0x73);
    return picture;
}
}

bool paintScreenPicture(std::string_view name, Canvas& out)
{
    if (name == "cross4") out = cross();
    else if (name == "intro1") out = title();
    else return false;
    return true;
}
