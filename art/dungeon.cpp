// Dungeon tiles: dark block walls and pale flagstone floors, so a tiled plan
// reads as rooms cut into rock; every furnishing stands on the floor.
#include "art/dungeon.h"

#include "art/land.h"
#include "art/noise.h"
#include "art/shapes.h"

#include <cmath>

namespace {
constexpr std::uint32_t dungeonSeed = 0xD0;

// Courses of blocks, every other course shifted by half a block; each block
// lit along its top and left edges. Letters: joint, shade, face, light.
Canvas blocks(int blockWidth, int blockHeight, std::string_view letters, std::uint32_t seed)
{
    Canvas tile = makeCanvas(tileSide, tileSide, letters[2]);
    for (int y = 0; y < tileSide; ++y)
        for (int x = 0; x < tileSide; ++x) {
            const int course = y / blockHeight;
            const int bx = (x + (course % 2) * blockWidth / 2) % blockWidth;
            const int by = y % blockHeight;
            char letter = letters[2];
            if (bx == 0 || by == 0)
                letter = letters[0];
            else if (by == 1 || bx == 1)
                letter = letters[3];
            else if (by == blockHeight - 1 || bx == blockWidth - 1 || hash3(x, y, seed) % 9 == 0)
                letter = letters[1];
            paint(tile, x, y, letter);
        }
    return tile;
}

Canvas wall()
{
    return blocks(8, 4, "nkmA", dungeonSeed);
}

Canvas floor()
{
    return blocks(8, 8, "Aaav", dungeonSeed + 1);
}

Canvas marbleFloor()
{
    Canvas tile = makeCanvas(tileSide, tileSide, 'W');
    for (int y = 0; y < tileSide; ++y)
        for (int x = 0; x < tileSide; ++x)
            if (((x / 8) + (y / 8)) % 2 == 1)
                paint(tile, x, y, 'V');
    line(tile, 1, 3, 6, 6, 'v');
    line(tile, 9, 12, 14, 9, 'v');
    line(tile, 10, 2, 12, 6, 'a');
    return tile;
}

void bones(Canvas& tile, int x, int y)
{
    stamp(tile, x, y, {"W...W", ".WWW.", "W...W"});
}

void skull(Canvas& tile, int x, int y)
{
    stamp(tile, x, y, {".VWW.", "VkWkW", "VWWWW", ".V.W."});
}

Canvas floorBones()
{
    Canvas tile = floor();
    skull(tile, 3, 3);
    bones(tile, 9, 2);
    bones(tile, 8, 10);
    stamp(tile, 2, 11, {"W..", ".W.", "..W"});
    return tile;
}

Canvas floorBonesCleaned()
{
    Canvas tile = floor();
    stamp(tile, 4, 5, {"V.", ".V"});
    stamp(tile, 10, 11, {"V..", "..V"});
    return tile;
}

Canvas door()
{
    Canvas tile = floor();
    stamp(tile, 1, 0, {
        "kkkkkkkkkkkkkk",
        "kmmmmmmmmmmmmk",
        "kmkkkkkkkkkkmk",
        "kmkBrBBrBBrkmk",
        "kmkBrBBrBBrkmk",
        "kmkAAAAAAAAkmk",
        "kmkBrBBrBBrkmk",
        "kmkBrBBryyrkmk",
        "kmkBrBBrYBrkmk",
        "kmkAAAAAAAAkmk",
        "kmkBrBBrBBrkmk",
        "kmkBrBBrBBrkmk",
        "kmkbbbbbbbbkmk",
        "kmkkkkkkkkkkmk",
        "kkkkkkkkkkkkkk",
    });
    return tile;
}

Canvas doorOpened()
{
    Canvas tile = floor();
    stamp(tile, 1, 0, {
        "kkkkkkkkkkkkkk",
        "kmmmmmmmmmmmmk",
        "kmkkkkkkkkkkmk",
        "kmkBrknnnnnkmk",
        "kmkBrknnnnnkmk",
        "kmkAAknnnnnkmk",
        "kmkBrknnnnnkmk",
        "kmkBrknnnnnkmk",
        "kmkBrknnnnnkmk",
        "kmkAAknnnnnkmk",
        "kmkBrknnnnnkmk",
        "kmkBrknnnnnkmk",
        "kmkbbkAAAAAkmk",
        "kmkkkkkkkkkkmk",
        "kkkkkkkkkkkkkk",
    });
    return tile;
}

// Stairs down: lit top steps sinking into a dark pit.
Canvas stairsDown()
{
    Canvas tile = floor();
    stamp(tile, 1, 1, {
        "kkkkkkkkkkkkkk",
        "kVVVVVVVVVVVVk",
        "kvvvvvvvvvvvvk",
        "kmmmmmmmmmmmmk",
        "kaaaaaaaaaaaak",
        "kAAAAAAAAAAAAk",
        "knnnnnnnnnnnnk",
        "kAAAAAAAAAAAAk",
        "kmmmmmmmmmmmmk",
        "kkkkkkkkkkkkkk",
        "kmmmmmmmmmmmmk",
        "knnnnnnnnnnnnk",
        "kkkkkkkkkkkkkk",
        "kkkkkkkkkkkkkk",
    });
    return tile;
}

// Stairs up: steps climbing towards the top, the highest the brightest.
Canvas stairsUp()
{
    Canvas tile = floor();
    stamp(tile, 1, 1, {
        "kkkkkkkkkkkkkk",
        "kWWWWWWWWWWWWk",
        "kVVVVVVVVVVVVk",
        "kvvvvvvvvvvvvk",
        "kWWWWWWWWWWWWk",
        "kVVVVVVVVVVVVk",
        "kaaaaaaaaaaaak",
        "kVVVVVVVVVVVVk",
        "kvvvvvvvvvvvvk",
        "kAAAAAAAAAAAAk",
        "kvvvvvvvvvvvvk",
        "kaaaaaaaaaaaak",
        "kmmmmmmmmmmmmk",
        "kkkkkkkkkkkkkk",
    });
    return tile;
}

Canvas chest()
{
    Canvas tile = floor();
    stamp(tile, 2, 3, {
        ".kkkkkkkkkk.",
        "kBBBBYYBBBBk",
        "krrrrYYrrrrk",
        "kkkkkkkkkkkk",
        "kBBBkyykBBBk",
        "krrrkYYkrrrk",
        "krrrrkkrrrrk",
        "kbbbbbbbbbbk",
        ".kkkkkkkkkk.",
    });
    return tile;
}

Canvas chestOpen()
{
    Canvas tile = floor();
    stamp(tile, 2, 1, {
        ".kkkkkkkkkk.",
        "kbbbbbbbbbbk",
        "kbrrrrrrrrbk",
        "kbrrrrrrrrbk",
        "kkkkkkkkkkkk",
        "kyYySyyYyySk",
        "kYyyYyyYyyYk",
        "kkkkkkkkkkkk",
        "krrrrkkrrrrk",
        "krrrrrrrrrrk",
        "kbbbbbbbbbbk",
        ".kkkkkkkkkk.",
    });
    return tile;
}

void candelabrumStand(Canvas& tile)
{
    stamp(tile, 2, 5, {
        ".WW..WW..WW.",
        ".WV..WV..WV.",
        "kYYk.YYk.YYk",
        ".kY..kY..kY.",
        ".kYYYYYYYYk.",
        "......Y.....",
        "......Y.....",
        ".....kYk....",
        "....kYYYk...",
        "...kkkkkkk..",
    });
}

Canvas candelabrum()
{
    Canvas tile = floor();
    glow(tile, 8, 5, 7.5);
    candelabrumStand(tile);
    for (int x : {3, 7, 11})
        stamp(tile, x - 1, 1, {".y.", "yoy", ".o."});
    return tile;
}

Canvas candelabrumExtinct()
{
    Canvas tile = floor();
    candelabrumStand(tile);
    for (int x : {3, 7, 11})
        stamp(tile, x, 1, {".v", "v.", ".v", "k."});
    return tile;
}

Canvas coffin()
{
    Canvas tile = floor();
    stamp(tile, 3, 1, {
        "...kkkkk...",
        "..kBBBBBk..",
        ".kBrrYrrBk.",
        "kBrrYYYrrBk",
        "kBrrrYrrrBk",
        "kBrrrYrrrBk",
        ".kBrrrrrBk.",
        ".kBrrrrrBk.",
        ".kBrrrrrBk.",
        "..kBrrrBk..",
        "..kBrrrBk..",
        "..kbbbbbk..",
        "...kkkkk...",
    });
    return tile;
}

Canvas coffinOpen()
{
    Canvas tile = floor();
    stamp(tile, 1, 1, {
        "...kkkkk...",
        "..kbbbbbk..",
        ".kbnnnnnbk.",
        "kbnnVWWnnbk",
        "kbnnWkWnnbk",
        "kbnnnWnnnbk",
        ".kbnnWnnbk.",
        ".kbnWWWnbk.",
        ".kbnnWnnbk.",
        "..kbnWnbk..",
        "..kbWnWbk..",
        "..kbbbbbk..",
        "...kkkkk...",
    });
    stamp(tile, 11, 4, {"kkkk", "kBYk", "kYYk", "kBYk", "kBBk", "kBBk", "kBBk", "kbbk", "kkkk"});
    return tile;
}

// A round stone basin; `inside` fills the bowl (dark to light).
Canvas basin(std::string_view inside)
{
    Canvas tile = floor();
    litDisc(tile, 8, 8, 7.2, "kAav");
    litDisc(tile, 8, 8, 5.2, inside);
    return tile;
}

Canvas fountain()
{
    Canvas tile = basin("Ewuc");
    stamp(tile, 6, 6, {".ii.", "iVVi", "iVvi", ".ii."});
    stamp(tile, 3, 10, {"i...c", "..c.."});
    return tile;
}

Canvas fountainDrank()
{
    Canvas tile = basin("kmAA");
    stamp(tile, 6, 6, {".AA.", "AVVA", "AVvA", ".AA."});
    stamp(tile, 9, 10, {"EE", "wE"});
    return tile;
}

// A spring welling up between rocks; `water` is dark, mid, light, sparkle.
Canvas source(std::string_view water)
{
    Canvas tile = floor();
    litDisc(tile, 8, 8, 6.2, "mAa");
    litDisc(tile, 8, 8, 4.4, water.substr(0, 3));
    stampColoured(tile, 5, 5, water, {"4...", "..4.", ".4..", "...4"});
    stamp(tile, 2, 3, {"kA", "Aa"});
    stamp(tile, 12, 11, {"kA", "Av"});
    return tile;
}

// A summoning sigil: a five-pointed star inside a ring.
Canvas sigil(char ink, char rim)
{
    Canvas tile = floor();
    ring(tile, 7.5, 7.5, 7.0, rim);
    constexpr int points[5][2] = {{8, 1}, {14, 6}, {11, 14}, {4, 14}, {1, 6}};
    for (int i = 0; i < 5; ++i)
        line(tile, points[i][0], points[i][1], points[(i + 2) % 5][0], points[(i + 2) % 5][1], ink);
    return tile;
}

Canvas spawnComplete()
{
    Canvas tile = sigil('A', 'A');
    stamp(tile, 9, 3, {"aa", "a."});
    stamp(tile, 3, 9, {".a", "aa"});
    return tile;
}

// A magic circle in colours 1 (line) and 2 (runes).
Canvas magicCircle(std::string_view colours)
{
    Canvas tile = floor();
    ring(tile, 8, 8, 6.5, colours[0]);
    ring(tile, 8, 8, 4.0, colours[0]);
    stampColoured(tile, 2, 2, colours, {
        "......2.....",
        "............",
        "..2......2..",
        "............",
        "2..........2",
        "............",
        "..2......2..",
        "............",
        "......2.....",
    });
    return tile;
}

Canvas circleAflamed()
{
    Canvas tile = magicCircle("oR");
    glow(tile, 8, 8, 7.5);
    constexpr int flames[][2] = {{7, 0}, {13, 3}, {14, 9}, {10, 13}, {3, 13}, {0, 8}, {2, 2}};
    for (const auto& flame : flames)
        stamp(tile, flame[0], flame[1], {".y.", "yoy", "oRo"});
    return tile;
}

// A stone altar in colours 1 (top), 2 (front), 3 (shade), 4 (cloth or marks).
Canvas altar(std::string_view colours)
{
    Canvas tile = floor();
    stampColoured(tile, 1, 3, colours, {
        ".kkkkkkkkkkkk.",
        "k111111111111k",
        "k144444444441k",
        "kkkkkkkkkkkkkk",
        ".k2222222223k.",
        ".k2222222223k.",
        ".k2222222223k.",
        ".k2222222223k.",
        ".k3333333333k.",
        ".kkkkkkkkkkkk.",
    });
    return tile;
}

Canvas altarJeweled()
{
    Canvas tile = altar("vaAY");
    stamp(tile, 3, 8, {"x..C..y..f", "R..u..Y..P"});
    return tile;
}

Canvas altarDark()
{
    Canvas tile = altar("AmnR");
    stamp(tile, 4, 8, {"R...R...", ".R.R..R.", "..R....R"});
    paint(tile, 6, 14, 'R');
    return tile;
}

Canvas trap(bool armed)
{
    Canvas tile = floor();
    stamp(tile, 2, 2, {
        "kkkkkkkkkkkk",
        "kAAAAAAAAAAk",
        "kAkAAkAAkAAk",
        "kAAAAAAAAAAk",
        "kAAkAAkAAkAk",
        "kAAAAAAAAAAk",
        "kAkAAkAAkAAk",
        "kAAAAAAAAAAk",
        "kAAkAAkAAkAk",
        "kAAAAAAAAAAk",
        "kAAAAAAAAAAk",
        "kkkkkkkkkkkk",
    });
    if (armed)
        for (int row : {3, 7})
            for (int x : {3, 6, 9})
                stamp(tile, x, row, {"W.", "vA"});
    else
        recolour(tile, 'A', 'a');
    return tile;
}

Canvas torch(bool lit)
{
    Canvas tile = floor();
    if (lit)
        glow(tile, 8, 4, 7.5);
    stamp(tile, 5, 5, {
        ".kkkkk.",
        "kYYYYYk",
        ".kbrbk.",
        "..kBk..",
        "..kBk..",
        "..kBk..",
        "..krk..",
        ".kAAAk.",
        "kAaaaAk",
        ".kkkkk.",
    });
    if (lit)
        stamp(tile, 6, 0, {"..y..", ".yoy.", "yoRoy", ".oRo."});
    else
        stamp(tile, 7, 1, {".v", "v.", ".k", "kA"});
    return tile;
}

Canvas gearMechanism()
{
    Canvas tile = floor();
    litDisc(tile, 8, 8, 5.6, "kHYy");
    constexpr int teeth[][2] = {{7, 1}, {12, 3}, {13, 7}, {11, 12}, {7, 13}, {2, 11}, {1, 7}, {3, 2}};
    for (const auto& tooth : teeth)
        stamp(tile, tooth[0], tooth[1], {"YY", "HY"});
    litDisc(tile, 8, 8, 2.2, "kmA");
    return tile;
}

Canvas lever()
{
    Canvas tile = floor();
    stamp(tile, 3, 2, {
        "........kk",
        ".......kxRk",
        ".......kRRk",
        "......kBk..",
        ".....kBk...",
        "....kBk....",
        "...kBk.....",
        "..kkkkkkk..",
        ".kvvvvvvak.",
        ".kaaaaaaAk.",
        ".kkkkkkkkk.",
    });
    return tile;
}

Canvas scrolls()
{
    Canvas tile = floor();
    stamp(tile, 1, 2, {
        ".kkkkkkkkk....",
        "ksSSSSSSSsk...",
        "ksSSRRSSSsk...",
        ".kkkkkkkkk....",
        "...kkkkkkkkk..",
        "..ksSSSSRSSsk.",
        "..ksSSSSRSSsk.",
        "...kkkkkkkkk..",
        ".kkkkkkkkk....",
        "ksSSSRSSSsk...",
        "ksSSSRSSSsk...",
        ".kkkkkkkkk....",
    });
    return tile;
}

struct Recipe {
    std::string_view name;
    Canvas (*paint)();
};

constexpr Recipe recipes[] = {
    {"wall", wall},
    {"floor_marble", marbleFloor},
    {"floor", floor},
    {"chest", chest},
    {"chest_open", chestOpen},
    {"candelabrum", candelabrum},
    {"candelabrum_extinct", candelabrumExtinct},
    {"coffin", coffin},
    {"coffin_open", coffinOpen},
    {"floor_bones", floorBones},
    {"floor_bones_cleaned", floorBonesCleaned},
    {"door", door},
    {"door_opened", doorOpened},
    {"source", [] { return source("CCii"); }},
    {"source_complete", [] { return source("mAav"); }},
    {"spawn", [] { return sigil('f', 'P'); }},
    {"spawn_complete", spawnComplete},
    {"fountain", fountain},
    {"fountain_drank", fountainDrank},
    {"stairsd", stairsDown},
    {"stairsu", stairsUp},
    {"circle", [] { return magicCircle("Vv"); }},
    {"circle_golden", [] { return magicCircle("yY"); }},
    {"circle_aflamed", circleAflamed},
    {"altar", [] { return altar("VvaR"); }},
    {"altar_jeweled", altarJeweled},
    {"altar_dark", altarDark},
    {"trap", [] { return trap(true); }},
    {"trap_disabled", [] { return trap(false); }},
    {"torch", [] { return torch(true); }},
    {"torch_extinct", [] { return torch(false); }},
    {"geer_mecanism", gearMechanism},
    {"lever", lever},
    {"source_red", [] { return source("Rxoy"); }},
    {"source_green", [] { return source("dglS"); }},
    {"source_blue", [] { return source("Ewui"); }},
    {"source_yellow", [] { return source("YyyW"); }},
    {"source_brown", [] { return source("brBS"); }},
    {"scrolls", scrolls},
};
}

bool paintDungeonTile(std::string_view name, Canvas& out)
{
    for (const Recipe& recipe : recipes)
        if (recipe.name == name) {
            out = recipe.paint();
            return true;
        }
    return false;
}
