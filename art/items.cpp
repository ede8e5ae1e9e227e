// Item sprites, drawn from a few shapes (long weapon, flask, robe, armour,
// bag, frame piece) in the colours and lengths their names call for.
#include "art/items.h"

#include "art/noise.h"
#include "art/shapes.h"
#include "art/units.h"

#include <string>

namespace {
constexpr char backdrop = 'n';

bool has(std::string_view name, std::string_view word)
{
    return name.find(word) != std::string_view::npos;
}

// A weapon lying on the diagonal from the lower left: grip, then `reach`
// pixels of blade or shaft ending in `head` (a small picture centred on the
// tip, or none).
Canvas longWeapon(int reach, std::string_view blade, char grip, char guard)
{
    Canvas tile = makeCanvas(spriteSide, spriteSide, backdrop);
    const int start = 2;
    for (int i = 0; i < 3; ++i)
        paint(tile, start + i, spriteSide - 1 - start - i, grip);
    line(tile, start + 1, spriteSide - 2 - start - 3, start + 4, spriteSide - 2 - start, guard);
    for (int i = 3; i < 3 + reach; ++i) {
        const int x = start + i, y = spriteSide - 1 - start - i;
        paint(tile, x, y, blade[0]);
        paint(tile, x + 1, y, blade[1]);
        paint(tile, x, y - 1, blade[1]);
    }
    return tile;
}

Canvas blade(std::string_view name)
{
    int reach = 7;
    if (has(name, "knife") || has(name, "dagger") || has(name, "gauche"))
        reach = 4;
    else if (has(name, "short") || has(name, "kopesh") || has(name, "saber"))
        reach = 6;
    else if (has(name, "two_") || has(name, "bastard") || has(name, "whale") || has(name, "glaive"))
        reach = 9;
    // The name's seed picks the fittings, so no two blades look alike.
    ArtRandom random{nameSeed(std::string(name).c_str())};
    constexpr std::string_view steels[] = {"vV", "aV", "vW"};
    constexpr std::string_view guards = "YavRB";
    constexpr std::string_view grips = "brpH";
    constexpr std::string_view pommels = "xCyfuW";
    const std::string_view steel = has(name, "ameliorated") ? "CV" : steels[random.below(3)];
    const char guard = guards[random.below(int(guards.size()))];
    Canvas tile = longWeapon(reach, steel, grips[random.below(int(grips.size()))], guard);
    paint(tile, 1, spriteSide - 2, pommels[random.below(int(pommels.size()))]);
    if (has(name, "two_bladed"))
        line(tile, 1, 14, 3, 12, 'v');
    if (has(name, "broad") || has(name, "behead") || has(name, "horner") || has(name, "whale"))
        line(tile, 7, 9, 12, 4, 'a');
    return tile;
}

Canvas blunt(std::string_view name)
{
    Canvas tile = longWeapon(5, "rB", 'b', 'b');
    if (has(name, "maul")) {
        stamp(tile, 8, 1, {"kkkkkkk", "kVvvvak", "kvaaaAk", "kkkkkkk"});
        return tile;
    }
    litDisc(tile, 11.5, 4.5, has(name, "war") ? 3.6 : 2.8, "kAav");
    if (has(name, "morningstar"))
        stamp(tile, 8, 1, {"...V...", ".......", "V.....V", ".......", "...V..."});
    return tile;
}

Canvas staff(std::string_view name)
{
    const int reach = has(name, "staff") ? 10 : has(name, "rod") ? 7 : 4;
    Canvas tile = longWeapon(reach, "rB", 'b', 'b');
    const int tip = 2 + 3 + reach;
    litDisc(tile, tip + 0.5, spriteSide - 2 - tip + 0.5, 1.8, "PfC");
    return tile;
}

Canvas axe(std::string_view name)
{
    Canvas tile = longWeapon(6, "rB", 'b', 'b');
    std::string_view head = "Aav";
    if (has(name, "rubioux"))
        head = "RxW";
    else if (has(name, "ordered"))
        head = "HYy";
    else if (has(name, "iron"))
        head = "mAV";
    const double size = has(name, "battle") ? 4.2 : has(name, "hand") ? 2.6 : 3.4;
    litDisc(tile, 12, 6, size, std::string("k") + std::string(head));
    if (has(name, "battle"))
        litDisc(tile, 7, 1, size - 1.2, std::string("k") + std::string(head));
    return tile;
}

Canvas potion(std::string_view name)
{
    std::string_view liquid = "Rx";
    if (has(name, "green")) liquid = "dl";
    else if (has(name, "blue")) liquid = "uc";
    else if (has(name, "yellow")) liquid = "Yy";
    else if (has(name, "white")) liquid = "VW";
    Canvas tile = makeCanvas(spriteSide, spriteSide, backdrop);
    stampColoured(tile, 3, 1, liquid, {
        "....kkk...",
        "....kBk...",
        "....kik...",
        "...kiVik..",
        "..kiVVVik.",
        ".kiiiiiiik",
        ".k2222222k",
        ".k2W22222k",
        ".k2222221k",
        ".k2222211k",
        ".k1222111k",
        "..k11111k.",
        "...kkkkk..",
    });
    return tile;
}

Canvas robe(std::string_view name)
{
    std::string_view cloth = "Eu";
    if (has(name, "red")) cloth = "Rx";
    else if (has(name, "gray")) cloth = "Aa";
    Canvas tile = makeCanvas(spriteSide, spriteSide, backdrop);
    stampColoured(tile, 1, 1, cloth, {
        "....kkkkkk....",
        "...k22kk22k...",
        "..k222kk222k..",
        ".k2222YY2222k.",
        "k22k222222k22k",
        "k2k1222222k2k.",
        ".kk1222222kk..",
        "...k122222k...",
        "...k122222k...",
        "..k1122222k...",
        "..k11222222k..",
        ".k111222222k..",
        ".kkkkkkkkkkkk.",
    });
    return tile;
}

Canvas armour(std::string_view name)
{
    std::string_view metal = "rB";
    if (has(name, "chain")) metal = "aV";
    else if (has(name, "scale")) metal = "Av";
    else if (has(name, "plate")) metal = "vW";
    else if (has(name, "magic")) metal = "Pf";
    Canvas tile = makeCanvas(spriteSide, spriteSide, backdrop);
    stampColoured(tile, 1, 2, metal, {
        ".kkk......kkk.",
        "k222k....k222k",
        "k2222kkkk2222k",
        "kk22222222222k",
        ".k1222222222k.",
        ".k1222222222k.",
        ".k1222222222k.",
        ".k1122222222k.",
        ".kkkkkkkkkkkk.",
        ".k1122222222k.",
        "..k11222222k..",
        "...kkkkkkkk...",
    });
    if (has(name, "studded") || has(name, "full"))
        stamp(tile, 4, 6, {"Y.Y.Y.Y", ".......", "Y.Y.Y.Y"});
    if (has(name, "magic"))
        stamp(tile, 7, 6, {".C", "CiC", ".C"});
    return tile;
}

Canvas bag(std::string_view name)
{
    Canvas tile = makeCanvas(spriteSide, spriteSide, backdrop);
    stampColoured(tile, 2, 2, has(name, "blue") ? "Eu" : "rB", {
        ".....kk.....",
        "....kYYk....",
        ".....kk.....",
        "....k22k....",
        "...k2222k...",
        "..k122222k..",
        ".k11222222k.",
        ".k11222222k.",
        ".k11122222k.",
        "..k111222k..",
        "...kkkkkk...",
    });
    return tile;
}

// An inventory frame piece: the socket is a sunken slot, a corner a gilded
// bracket, drawn at the top left and turned clockwise for corners 2 to 4.
Canvas framePiece(std::string_view name)
{
    Canvas tile = makeCanvas(spriteSide, spriteSide, 'm');
    if (name == "socket") {
        for (int y = 1; y < spriteSide - 1; ++y)
            stamp(tile, 1, y, {"knnnnnnnnnnnnv"});
        stamp(tile, 1, 1, {"kkkkkkkkkkkkkk"});
        stamp(tile, 1, spriteSide - 2, {"kvvvvvvvvvvvvv"});
        return tile;
    }
    for (int i = 0; i < spriteSide; ++i) {
        stamp(tile, i, 1, {"H", "Y", "H"});
        stamp(tile, 1, i, {"HYH"});
    }
    stamp(tile, 0, 0, {"kkkkk", "kyYHk", "kYYHk", "kHHHk", "kkkkk"});
    for (int turn = name.back() - '1'; turn > 0; --turn)
        tile = turnedClockwise(tile);
    return tile;
}
}

bool paintItemSprite(std::string_view name, Canvas& out)
{
    if (name == "blank")
        out = makeCanvas(spriteSide, spriteSide, backdrop);
    else if (name == "socket" || name.starts_with("alleviated_corner"))
        out = framePiece(name);
    else if (!name.starts_with("item_"))
        return false;
    else if (has(name, "potion")) out = potion(name);
    else if (has(name, "robe")) out = robe(name);
    else if (has(name, "armor") || has(name, "mail")) out = armour(name);
    else if (has(name, "bag")) out = bag(name);
    else if (has(name, "axe")) out = axe(name);
    else if (has(name, "staff") || has(name, "rod") || has(name, "wand")) out = staff(name);
    else if (has(name, "mace") || has(name, "maul") || has(name, "morningstar")) out = blunt(name);
    else out = blade(name);
    return true;
}
