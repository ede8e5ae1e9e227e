// Structure sprites: one building front each, told apart by shape and by
// the sign of its trade.
#include "art/structures.h"

#include "art/shapes.h"
#include "art/units.h"

namespace {
// A gabled house front in roof colours 1 (lit) and 2 (shade), on grass.
Canvas houseFront(std::string_view roof)
{
    Canvas tile = makeCanvas(spriteSide, spriteSide, 'g');
    stampColoured(tile, 1, 2, roof, {
        "......kk......",
        ".....k12k.....",
        "....k1122k....",
        "...k111222k...",
        "..k11112222k..",
        ".k1111122222k.",
        "kkkkkkkkkkkkkk",
        ".kSSSSSSSSSBk.",
        ".kScckSSkcBBk.",
        ".kScckbbkcBBk.",
        ".kSSSkbbkSBBk.",
        ".kSSSkbbkSBBk.",
        ".kkkkkkkkkkkk.",
    });
    return tile;
}

Canvas farm()
{
    Canvas tile = houseFront("yY");
    stamp(tile, 0, 15, {"hHhHhHhHhHhHhHhH"});
    return tile;
}

Canvas merchant()
{
    Canvas tile = houseFront("Br");
    stamp(tile, 1, 8, {"kxWxWxWxWxWxWk", ".kRkRkRkRkRkk."});
    return tile;
}

Canvas stable()
{
    Canvas tile = houseFront("rb");
    stamp(tile, 5, 10, {"kkkkkk", "kBbBbk", "kbBbBk", "kBbBbk"});
    stamp(tile, 11, 13, {"yY", "Yy"});
    return tile;
}

Canvas blacksmith()
{
    Canvas tile = houseFront("Aa");
    stamp(tile, 10, 0, {"kk", "AA", "kAk"});
    stamp(tile, 2, 12, {"kkkk", ".kk.", "kkkk"});
    stamp(tile, 3, 11, {"o"});
    return tile;
}

Canvas church()
{
    Canvas tile = houseFront("uE");
    stamp(tile, 6, 0, {".W.", "WWW", ".W."});
    stamp(tile, 7, 9, {"y"});
    return tile;
}

Canvas barrack()
{
    Canvas tile = houseFront("RR");
    stamp(tile, 12, 0, {"kxx", "kxR", "k..", "k.."});
    return tile;
}

Canvas tower()
{
    Canvas tile = makeCanvas(spriteSide, spriteSide, 'g');
    stamp(tile, 4, 0, {
        ".kk.kk.k",
        "kVvkVvkk",
        "kkkkkkkk",
        ".kVvvak.",
        ".kVvvak.",
        ".kVkkak.",
        ".kVkkak.",
        ".kVvvak.",
        ".kVvvak.",
        ".kVvvak.",
        ".kVkkak.",
        ".kVbbak.",
        ".kVbbak.",
        ".kkkkkk.",
    });
    return tile;
}

Canvas castle()
{
    Canvas tile = makeCanvas(spriteSide, spriteSide, 'g');
    stamp(tile, 0, 1, {
        ".k.k.k....k.k.k.",
        ".kkkkk....kkkkk.",
        ".kVvak....kVvak.",
        ".kVkak.k.kkVkak.",
        ".kVvakkkkkkVvak.",
        ".kVvakVvvakVvak.",
        ".kVvakVkkakVvak.",
        ".kVvakkbbkkVvak.",
        ".kVvakkbbkkVvak.",
        ".kkkkkkkkkkkkkk.",
    });
    stamp(tile, 2, 0, {"x"});
    return tile;
}

Canvas quarry()
{
    Canvas tile = makeCanvas(spriteSide, spriteSide, 'h');
    litDisc(tile, 5, 10, 4.2, "mAav");
    litDisc(tile, 11, 11, 3.4, "mAav");
    litDisc(tile, 8, 5, 3.0, "mAav");
    stamp(tile, 1, 14, {"bBBBBBBBBBBBBb"});
    return tile;
}

// A hearth: a ring of stones round a fire.
Canvas hearth()
{
    Canvas tile = makeCanvas(spriteSide, spriteSide, 'q');
    ring(tile, 8, 8, 5.5, 'a');
    stamp(tile, 5, 4, {"..y...", ".yoy..", ".yoRy.", "yoRRoy", "brbbrb"});
    return tile;
}
}

bool paintStructureSprite(std::string_view name, Canvas& out)
{
    if (name == "hart") out = hearth();
    else if (name == "structure_farm") out = farm();
    else if (name == "structure_merchant") out = merchant();
    else if (name == "structure_quary") out = quarry();
    else if (name == "structure_stable") out = stable();
    else if (name == "structure_tower") out = tower();
    else if (name == "structure_barrack") out = barrack();
    else if (name == "structure_blacksmith") out = blacksmith();
    else if (name == "structure_castle") out = castle();
    else if (name == "structure_church") out = church();
    else return false;
    return true;
}
