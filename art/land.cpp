// Land tiles: grounds are wrapped noise and every tree, wave and dune is
// painted with wrap-around, so equal neighbours join without a seam. Sites
// (villages, castle, mines, ...) stand on the plain grass.
#include "art/land.h"

#include "art/noise.h"
#include "art/shapes.h"
#include "art/sites.h"

#include <cmath>
#include <numbers>

namespace {
constexpr std::uint32_t landSeed = 0x1A4D;
}

Canvas grassTile()
{
    Canvas tile = noisyGround(tileSide, "qgl", 4, landSeed);
    sprinkle(tile, 6, 'd', landSeed + 1);
    return tile;
}

namespace {

Canvas plain()
{
    Canvas tile = grassTile();
    stamp(tile, 3, 4, {".d.", "d.d"});
    stamp(tile, 11, 11, {".d.", "d.d"});
    paint(tile, 12, 3, 'y');
    paint(tile, 5, 12, 'W');
    return tile;
}

// Tree places (top-left corners) in reading order, so a lower tree overlaps
// the one behind it; two staggered rows fill the tile and wrap into the next.
constexpr int treeSpots[][2] = {{1, 0}, {9, 1}, {5, 8}, {13, 7}};

Canvas broadleafForest(std::string_view ground, std::string_view colours)
{
    Canvas tile = noisyGround(tileSide, ground, 4, landSeed + 2);
    for (const auto& spot : treeSpots)
        broadleafTree(tile, spot[0], spot[1], colours);
    return tile;
}

Canvas forest()
{
    return broadleafForest("Zzd", "zdqgl" "b");
}

Canvas forestFruit()
{
    Canvas tile = broadleafForest("Zzd", "zdqgl" "b");
    for (const auto& spot : treeSpots) {
        paint(tile, spot[0] + 2, spot[1] + 2, 'x');
        paint(tile, spot[0] + 4, spot[1] + 3, 'R');
        paint(tile, spot[0] + 2, spot[1] + 4, 'R');
    }
    return tile;
}

// Gray firs, as in a cold or ashen wood.
Canvas forestGray()
{
    Canvas tile = noisyGround(tileSide, "ZmD", 4, landSeed + 3);
    for (const auto& spot : treeSpots)
        pineTree(tile, spot[0], spot[1] - 1, "mAtT" "." "m");
    return tile;
}

// Autumn woods: each crown turns its own colour.
Canvas forestLeaf()
{
    Canvas tile = noisyGround(tileSide, "zDH", 4, landSeed + 2);
    constexpr std::string_view crowns[] = {"proyS" "b", "bRxoy" "b", "bHYys" "b", "prBoy" "b"};
    for (int i = 0; i < 4; ++i)
        broadleafTree(tile, treeSpots[i][0], treeSpots[i][1], crowns[i]);
    return tile;
}

Canvas forestPine()
{
    Canvas tile = noisyGround(tileSide, "zdq", 4, landSeed + 3);
    for (const auto& spot : treeSpots)
        pineTree(tile, spot[0], spot[1] - 1, "ZdGl" "." "b");
    return tile;
}

// Birches: pale trunks with dark marks under small light crowns.
Canvas forestBirch()
{
    Canvas tile = noisyGround(tileSide, "dqg", 4, landSeed + 4);
    for (const auto& spot : treeSpots) {
        stamp(tile, spot[0] + 3, spot[1] + 5, {"W", "k", "W"});
        broadleafTree(tile, spot[0], spot[1] - 1, "dqglS" "W");
    }
    return tile;
}

// Short wave crests on wrapped noise.
Canvas waterTile(std::string_view ramp, char crest, char foam, int waves, std::uint32_t seed)
{
    Canvas tile = noisyGround(tileSide, ramp, 4, seed);
    ArtRandom random{seed};
    for (int i = 0; i < waves; ++i) {
        const int x = random.below(tileSide);
        const int y = random.below(tileSide);
        paint(tile, x, y, foam);
        paint(tile, x + 1, y, crest);
        paint(tile, x + 2, y, crest);
        paint(tile, x - 1, y + 1, crest);
        paint(tile, x + 3, y + 1, crest);
    }
    return tile;
}

Canvas water()
{
    return waterTile("wuc", 'c', 'i', 3, landSeed + 5);
}

Canvas waterDeep()
{
    return waterTile("NEE", 'w', 'u', 2, landSeed + 6);
}

// Murky ground with pools where a second noise dips low, and reeds.
Canvas swamp()
{
    Canvas tile = noisyGround(tileSide, "DHh", 4, landSeed + 7);
    for (int y = 0; y < tileSide; ++y)
        for (int x = 0; x < tileSide; ++x) {
            const double wet = fractalNoise(x, y, tileSide, 4, 2, landSeed + 70);
            if (wet < 0.36)
                paint(tile, x, y, wet < 0.3 ? 'E' : 'G');
        }
    constexpr int reeds[][2] = {{10, 3}, {13, 9}, {2, 11}, {6, 5}, {15, 14}};
    for (const auto& reed : reeds)
        stamp(tile, reed[0], reed[1], {"H.H", "qhq", ".d."});
    return tile;
}

Canvas desert()
{
    Canvas tile = makeCanvas(tileSide, tileSide, 's');
    for (int y = 0; y < tileSide; ++y)
        for (int x = 0; x < tileSide; ++x) {
            // Dune ripples: sine-bent bands that repeat within the tile.
            const double bend = 1.5 * std::sin(2 * std::numbers::pi * x / tileSide);
            const int band = int(std::floor(y + bend + 16)) % 6;
            paint(tile, x, y, band == 0 ? 'B' : band == 1 ? 'S' : 's');
        }
    sprinkle(tile, 3, 'r', landSeed + 8);
    return tile;
}

// A broad hill and a small one, lit from the upper left; the small one
// wraps across the tile's edge to break up the repeat.
Canvas hills()
{
    Canvas tile = grassTile();
    stamp(tile, 1, 1, {
        "....dddd....",
        "..ddllggdd..",
        ".dllllgggqd.",
        "dllllggggqqd",
        "dlllgggggqqd",
        "zddddddddddz",
    });
    stamp(tile, 9, 9, {
        "...dddd...",
        ".ddlggqdd.",
        "dllggggqqd",
        "dlgggggqqd",
        "zddddddddz",
    });
    return tile;
}

// A peak of `height` rows with its tip at (cx, top): the slope left of the
// wandering ridge is lit (highlight next to the ridge), the right one in
// shade, with `snowRows` of snow on top and a dark rim.
void peak(Canvas& tile, int cx, int top, int height, std::string_view lit, char shade, int snowRows)
{
    for (int row = 0; row < height; ++row) {
        const int half = row * 5 / 8 + 1;
        const int ridge = row % 4 == 3 ? 1 : 0;
        for (int dx = -half; dx <= half; ++dx) {
            char letter = dx < ridge - 1 ? lit[0] : dx < ridge ? lit[1] : shade;
            if (row < snowRows || (row == snowRows && dx % 2 == 0))
                letter = dx < ridge ? 'W' : 'i';
            if (dx == -half || dx == half)
                letter = 'm';
            paint(tile, cx + dx, top + row, letter);
        }
    }
}

Canvas mountain()
{
    Canvas tile = noisyGround(tileSide, "hqg", 4, landSeed + 9);
    peak(tile, 12, 6, 9, "av", 'A', 0);
    peak(tile, 6, 2, 13, "vV", 'a', 0);
    return tile;
}

Canvas mountainHigh()
{
    Canvas tile = noisyGround(tileSide, "Aah", 4, landSeed + 10);
    peak(tile, 13, 4, 11, "av", 'A', 2);
    peak(tile, 6, 0, 16, "vV", 'a', 4);
    return tile;
}

Canvas road()
{
    Canvas tile = noisyGround(tileSide, "rBs", 4, landSeed + 11);
    sprinkle(tile, 8, 'b', landSeed + 12);
    sprinkle(tile, 5, 'S', landSeed + 13);
    return tile;
}
}

bool paintLandTile(std::string_view name, Canvas& out)
{
    struct Recipe {
        std::string_view name;
        Canvas (*paint)();
    };
    static constexpr Recipe recipes[] = {
        {"plain", plain},           {"forest", forest},
        {"forest_fruit", forestFruit}, {"forest_gray", forestGray},
        {"water", water},           {"water_deep", waterDeep},
        {"swamp_a", swamp},         {"desert_a", desert},
        {"hills_a", hills},         {"mountain", mountain},
        {"mountain_high_a", mountainHigh}, {"forest_leaf", forestLeaf},
        {"road", road},             {"forest_b", forestPine},
        {"forest_c", forestBirch},
    };
    for (const Recipe& recipe : recipes)
        if (recipe.name == name) {
            out = recipe.paint();
            return true;
        }
    return paintSiteTile(name, out);
}
