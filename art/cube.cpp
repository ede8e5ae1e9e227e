// Cube textures. Each recipe wraps at the texture's edges (noise periods and
// brick courses divide 32), so a wall of cubes shows no joins; courses run
// along the texture's rows, which every side face maps to the horizontal.
#include "art/cube.h"

#include "art/noise.h"
#include "art/shapes.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr std::uint32_t cubeSeed = 0xC0BE;

struct Masonry {
    int blockWidth, blockHeight;
    std::string_view faces; // dark to light; each block takes its own shade
    char joint, light, shade;
};

// Staggered courses: each block a shade from `faces` chosen by its own hash,
// roughened with noise, lit on its top edge and shaded on its bottom edge.
Canvas masonry(const Masonry& m, std::uint32_t seed)
{
    Canvas tile = makeCanvas(cubeSide, cubeSide, m.joint);
    for (int y = 0; y < cubeSide; ++y)
        for (int x = 0; x < cubeSide; ++x) {
            const int course = y / m.blockHeight;
            const int shifted = x + (course % 2) * m.blockWidth / 2;
            const int bx = shifted % m.blockWidth;
            const int by = y % m.blockHeight;
            const int block = (shifted / m.blockWidth) % (cubeSide / m.blockWidth);
            if (bx == 0 || by == 0)
                continue;
            // One shade per block; grain flecks it with the shades either side.
            const int faces = int(m.faces.size());
            const int tone = int(hash3(block, course, seed) % std::uint32_t(faces));
            const double grain = fractalNoise(x, y, cubeSide, 8, 2, seed + 1) +
                                 (hash3(x, y, seed + 2) % 100) / 400.0 - 0.125;
            const int shade = std::clamp(tone + (grain > 0.68) - (grain < 0.32), 0, faces - 1);
            char letter = m.faces[shade];
            if (by == 1)
                letter = m.light;
            else if (by == m.blockHeight - 1 || bx == m.blockWidth - 1)
                letter = m.shade;
            paint(tile, x, y, letter);
        }
    return tile;
}

// Hairline cracks drawn as short random walks.
void cracks(Canvas& tile, int count, char letter, std::uint32_t seed)
{
    ArtRandom random{seed};
    for (int i = 0; i < count; ++i) {
        int x = random.below(cubeSide), y = random.below(cubeSide);
        for (int step = 0; step < 4; ++step) {
            paint(tile, x, y, letter);
            x += random.between(-1, 1);
            y += 1;
        }
    }
}

Canvas brick()
{
    Canvas tile = masonry({16, 8, "Aaa", 'm', 'v', 'A'}, cubeSeed);
    cracks(tile, 2, 'm', cubeSeed + 2);
    return tile;
}

Canvas redBrick()
{
    Canvas tile = masonry({16, 8, "brB", 'A', 'B', 'b'}, cubeSeed + 3);
    for (int y = 0; y < cubeSide; ++y)
        for (int x = 0; x < cubeSide; ++x)
            if (fractalNoise(x, y, cubeSide, 2, 3, cubeSeed + 4) > 0.7)
                paint(tile, x, y, (x + y) % 3 ? 'd' : 'q'); // moss in the damp patches
    return tile;
}

Canvas castleWall()
{
    return masonry({16, 16, "avV", 'A', 'V', 'a'}, cubeSeed + 5);
}

Canvas grass()
{
    Canvas tile = noisyGround(cubeSide, "qqgg", 4, cubeSeed + 6);
    ArtRandom random{cubeSeed + 7};
    for (int i = 0; i < 24; ++i) {
        const int x = random.below(cubeSide), y = random.below(cubeSide);
        const char blade = random.below(3) ? 'l' : 'd';
        paint(tile, x, y, blade);
        paint(tile, x + (i % 2 ? 1 : -1), y - 1, blade);
    }
    return tile;
}

Canvas dirt()
{
    Canvas tile = noisyGround(cubeSide, "brrB", 4, cubeSeed + 8);
    ArtRandom random{cubeSeed + 9};
    for (int i = 0; i < 7; ++i) {
        const int x = random.below(cubeSide), y = random.below(cubeSide);
        stamp(tile, x, y, {"va", "aA"});
    }
    sprinkle(tile, 10, 'p', cubeSeed + 10);
    return tile;
}

// Riveted steel plates.
Canvas steelPlate()
{
    constexpr int plate = 16;
    constexpr int rivetInset = 2;
    Canvas tile = masonry({plate, plate, "avV", 'm', 'V', 'A'}, cubeSeed + 11);
    // A row of rivets along the top and the bottom of every course of plates.
    for (int course = 0; course < cubeSide; course += plate)
        for (int y : {course + rivetInset, course + plate - rivetInset - 1})
            for (int x = rivetInset; x < cubeSide; x += plate / 2)
                stamp(tile, x, y, {"Vv", "vA"});
    return tile;
}

// Rounded cobbles: each pixel belongs to the nearest of a few seeded centres
// (wrapped); a stone has its own shade and a dark rim towards its neighbours.
Canvas cobbles()
{
    constexpr int cells = 4;
    constexpr double cell = double(cubeSide) / cells;
    Canvas tile = makeCanvas(cubeSide, cubeSide, 'm');
    for (int y = 0; y < cubeSide; ++y)
        for (int x = 0; x < cubeSide; ++x) {
            double nearest = 1e9, second = 1e9;
            std::uint32_t owner = 0;
            for (int cy = -1; cy <= cells; ++cy)
                for (int cx = -1; cx <= cells; ++cx) {
                    const std::uint32_t h = hash3((cx + cells) % cells, (cy + cells) % cells, cubeSeed + 12);
                    const double px = (cx + 0.2 + 0.6 * (h % 100) / 100.0) * cell;
                    const double py = (cy + 0.2 + 0.6 * (h / 100 % 100) / 100.0) * cell;
                    const double d = std::hypot(x - px, y - py);
                    if (d < nearest) {
                        second = nearest;
                        nearest = d;
                        owner = h;
                    } else if (d < second) {
                        second = d;
                    }
                }
            const double gap = second - nearest;
            if (gap < 1.0)
                continue;
            paint(tile, x, y, gap < 2.0 ? 'A' : "aav"[owner % 3]);
        }
    return tile;
}
}

bool paintCubeTexture(std::string_view name, Canvas& out)
{
    if (name == "structure_castle") out = castleWall();
    else if (name == "brickold2") out = brick();
    else if (name == "grass3") out = grass();
    else if (name == "dirt1") out = dirt();
    else if (name == "brickold3") out = redBrick();
    else if (name == "item_whale_blade") out = steelPlate();
    else if (name == "DSC3") out = cobbles();
    else return false;
    return true;
}
