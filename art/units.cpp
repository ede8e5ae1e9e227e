// Unit sprites. The marker is drawn by hand on the transparent magenta key;
// the rest come from a seeded mirror-symmetric generator: a body plan (walker,
// beast or blob) gives each pixel's chance to be filled, the name picks the
// colours, and the name's seed decides the rest.
#include "art/units.h"

#include "art/noise.h"

#include <array>
#include <string>

namespace {
constexpr int halfSide = spriteSide / 2;

Canvas marker()
{
    Canvas tile{spriteSide, spriteSide, std::vector<Rgb>(spriteSide * spriteSide, keyMagenta)};
    stamp(tile, 0, 0, {
        "......kk........",
        ".....kuck.......",
        ".....kuuk.......",
        "....kuuuck...kk.",
        "....kuyuuk..kCik",
        "..kkkkkkkkkkkCCk",
        "....kSSSSSk..kk.",
        "....kSkSkSk..B..",
        "....kWSSSWk..B..",
        "...kukWWWkuk.B..",
        "..kuuukWkuuukSk.",
        "..kuucuWuuukSSk.",
        "...kkuuuuuuk.B..",
        "...kucuuuuuk.B..",
        "..kuuuuuuuuuk.B.",
        "..kkkkkkkkkkk.B.",
    });
    return tile;
}

// Fill chances for the left half of a body plan, mirrored onto the right:
// '#' always, '+' often, '-' seldom, '.' never.
using BodyPlan = std::array<std::string_view, spriteSide>;

constexpr BodyPlan walker = {
    "........", ".....-++", ".....+##", ".....+##", ".....-##", "...-++##", "..-+####", "..+#-###",
    "..+#.###", "..-+.###", ".....###", ".....##+", ".....##.", ".....##.", "....-##.", "........",
};
constexpr BodyPlan beast = {
    "........", "........", "........", "......-+", "..-..+##", ".-+.+###", ".+#+####", "-+######",
    "+#######", "-+######", ".-+#####", "..+##+##", "..##.-##", "..##..##", ".-+-..+-", "........",
};
constexpr BodyPlan blob = {
    "........", "........", "........", ".....-++", "...-+###", "..-+####", "..+#####", ".-######",
    ".+######", ".+######", ".+######", ".-######", "..+#####", "..-+####", "...-++++", "........",
};

struct Look {
    std::string_view keyword;
    const BodyPlan* plan;
    std::string_view colours; // dark, mid, light, eyes
};

// The first keyword found in the unit's name decides its look.
constexpr Look looks[] = {
    {"squeletton", &walker, "aVWR"}, {"lich", &walker, "PfVy"},    {"mage", &blob, "Euiy"},
    {"slime", &blob, "dglk"},        {"cube", &blob, "GCik"},      {"eye", &blob, "xWWR"},
    {"fungus", &blob, "bxSk"},       {"dragon", &beast, "RxoY"},   {"serpent", &beast, "dqly"},
    {"worm", &beast, "psSk"},        {"spider", &beast, "nmAR"},   {"beatle", &beast, "EPfy"},
    {"rat", &beast, "Aavx"},         {"dog", &beast, "brBk"},      {"geer", &beast, "vVWk"},
    {"mantis", &beast, "dglR"},      {"rust", &beast, "roBk"},     {"medusa", &walker, "GqlR"},
    {"ogre", &walker, "Hhsk"},       {"orc", &walker, "dqhR"},     {"goblin", &walker, "qglR"},
    {"minotor", &walker, "brBR"},    {"dwarf", &walker, "rBsk"},   {"fighter", &walker, "aVWk"},
    {"cleric", &walker, "vWSk"},     {"bandit", &walker, "pbrk"},  {"fire", &blob, "RoyW"},
    {"water", &blob, "Ewci"},        {"earth", &blob, "brBy"},     {"air", &blob, "vViu"},
};
constexpr Look anyLook{"", &walker, "Pfsk"};

// A second word in a name tints the body's shadow, so kin stay apart.
struct Accent {
    std::string_view keyword;
    char shadow;
};

constexpr Accent accents[] = {
    {"fire", 'o'},  {"zombi", 'q'},  {"evil", 'P'},    {"floating", 'c'}, {"armored", 'A'},
    {"warrior", 'R'}, {"brave", 'Y'}, {"sturdy", 'r'}, {"monster", 'x'},  {"ogre", 'h'},
    {"wounded", 'R'}, {"hydra", 'G'}, {"basilic", 'Y'}, {"gor", 'p'},     {"polar", 'i'},
};

const Look& lookFor(std::string_view name)
{
    for (const Look& look : looks)
        if (name.find(look.keyword) != std::string_view::npos)
            return look;
    return anyLook;
}

// Elementals come in three strengths, named by repeating the element
// ("unit_fire", "unit_fire_fire", ...); 0 for any other unit.
int elementalStrength(std::string_view name)
{
    for (std::string_view element : {"fire", "water", "earth", "air"}) {
        std::string repeated = "unit";
        for (int strength = 1; strength <= 3; ++strength) {
            repeated += '_';
            repeated += element;
            if (name == repeated)
                return strength;
        }
    }
    return 0;
}

// The body plan's fill chance at (x, y) of the left half, the plan shrunk
// about its middle by `scale` (1 keeps it whole).
char planChance(const BodyPlan& plan, int x, int y, double scale)
{
    constexpr double middleRow = 9.5;
    const int px = int(halfSide - (halfSide - x - 0.5) / scale);
    const int py = int(middleRow + (y + 0.5 - middleRow) / scale);
    return px < 0 || py < 0 || py >= spriteSide ? '.' : plan[py][px];
}

bool filled(char chance, ArtRandom& random)
{
    const int roll = random.below(100);
    return chance == '#' || (chance == '+' && roll < 65) || (chance == '-' && roll < 25);
}

// Shades the body: lit where the pixel above or to the left is empty, dark
// where the one below or to the right is, and outlines it in ink.
void shadeBody(Canvas& tile, const std::array<std::array<bool, spriteSide>, spriteSide>& body,
               std::string_view colours)
{
    auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < spriteSide && y < spriteSide && body[y][x];
    };
    for (int y = 0; y < spriteSide; ++y)
        for (int x = 0; x < spriteSide; ++x) {
            if (!inside(x, y)) {
                if (inside(x - 1, y) || inside(x + 1, y) || inside(x, y - 1) || inside(x, y + 1))
                    paint(tile, x, y, 'k');
                continue;
            }
            char letter = colours[1];
            if (!inside(x, y - 1) || !inside(x - 1, y))
                letter = colours[2];
            else if (!inside(x, y + 1) || !inside(x + 1, y))
                letter = colours[0];
            paint(tile, x, y, letter);
        }
}

Canvas generatedUnit(std::string_view name)
{
    const Look& look = lookFor(name);
    ArtRandom random{nameSeed(std::string(name).c_str())};
    std::array<std::array<bool, spriteSide>, spriteSide> body{};
    constexpr double strengthScale[] = {1.0, 0.6, 0.8, 1.0};
    const double scale = strengthScale[elementalStrength(name)];
    for (int y = 0; y < spriteSide; ++y)
        for (int x = 0; x < halfSide; ++x)
            body[y][x] = body[y][spriteSide - 1 - x] = filled(planChance(*look.plan, x, y, scale), random);
    std::string colours(look.colours);
    for (const Accent& accent : accents)
        if (name.find(accent.keyword) != std::string_view::npos)
            colours[0] = accent.shadow;
    Canvas tile = makeCanvas(spriteSide, spriteSide, 'n');
    shadeBody(tile, body, colours);
    // Eyes on the highest row wide enough to hold a pair.
    for (int y = 1; y + 1 < spriteSide; ++y)
        if (body[y][halfSide - 2] && body[y][halfSide - 1] && body[y + 1][halfSide - 2]) {
            paint(tile, halfSide - 2, y + 1, colours[3]);
            paint(tile, halfSide + 1, y + 1, colours[3]);
            break;
        }
    return tile;
}
}

bool paintUnitSprite(std::string_view name, Canvas& out)
{
    if (!name.starts_with("unit_"))
        return false;
    out = name == "unit_mage" ? marker() : generatedUnit(name);
    return true;
}
