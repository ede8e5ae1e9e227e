// Site tiles, drawn as small front views on the grass. Digits in the
// drawings are the variant colours (roofs, ore, rock).
#include "art/sites.h"

#include "art/land.h"
#include "art/shapes.h"

namespace {
// A house: roof in colours 1 (lit) and 2 (shade), plastered wall, door.
void house(Canvas& tile, int x, int y, std::string_view roof)
{
    stampColoured(tile, x, y, roof, {
        "...k....",
        "..k12k..",
        ".k1122k.",
        "k111222k",
        "kkkkkkkk",
        ".kSSSBk.",
        ".kbSckk.",
        ".kbSBBk.",
        ".kkkkkk.",
    });
}

Canvas village(std::string_view roof)
{
    Canvas tile = grassTile();
    stamp(tile, 0, 8, {
        ".ss.....sss.....",
        "ssssssssssssssss",
        "sBsssss.sssBssss",
        "...........s....",
    });
    house(tile, 0, 0, roof);
    house(tile, 8, 1, roof);
    house(tile, 4, 7, roof);
    return tile;
}

Canvas castle()
{
    Canvas tile = grassTile();
    stamp(tile, 0, 0, {
        "...k........k...",
        "..kxk......kxk..",
        ".kxRRk....kxRRk.",
        ".kkkkk....kkkkk.",
        ".kVvakVkVkVkVvak.",
        ".kVvakkkkkkVvak.",
        ".kVvakVVvakVvak.",
        ".kVvakvkkakVvak.",
        ".kVvakvkbakVvak.",
        ".kVvakvkbakVvak.",
        ".kkkkkkkkkkkkkk.",
        "...ssssbbss.....",
    });
    return tile;
}

// Broken walls and a toppled column, with moss in the cracks.
Canvas ruin()
{
    Canvas tile = grassTile();
    stamp(tile, 0, 1, {
        ".kk........kk...",
        "kvAk......kvAk..",
        "kvAk......kvAk..",
        "kvAkkk....kvdk..",
        "kvvvAAk...kvAk..",
        "kvdvvAkk.kkvAkk.",
        "kvavvvAAkvavvAAk",
        "kvvavvdAkvvvavAk",
        "kkkkkkkkkkkkkkkk",
    });
    stamp(tile, 1, 11, {
        ".kkk.....kkkkkk.",
        "kvvAk...kvVvvvAk",
        "kkkkk...kkkkkkkk",
    });
    return tile;
}

// A rock mound (colours 1 lit, 2 shade) on the grass.
void mound(Canvas& tile, std::string_view rock)
{
    stampColoured(tile, 0, 2, rock, {
        ".....kkkkk......",
        "...kk11112kk....",
        "..k1111111122k..",
        ".k111111111222k.",
        ".k111111111222k.",
        "k11111111112222k",
        "k11111111112222k",
        "k11111111112222k",
        "k11111111112222k",
        "kkkkkkkkkkkkkkkk",
    });
}

Canvas grotto()
{
    Canvas tile = grassTile();
    mound(tile, "aA");
    stamp(tile, 4, 6, {
        "..kkkk..",
        ".knnnnk.",
        "knnnnnnk",
        "knnnnnnk",
        "knnnnnnk",
    });
    stamp(tile, 3, 2, {"..dd....", ".dqqd..."});
    stamp(tile, 5, 12, {"bb.bb"});
    return tile;
}

// A timbered adit in a rock mound, rails running out to a cart of ore
// (colours 1 and 2).
Canvas mine(std::string_view rock, std::string_view ore)
{
    Canvas tile = grassTile();
    mound(tile, rock);
    stamp(tile, 4, 5, {
        "kkkkkkk",
        "kBBBBBk",
        "kBnnnBk",
        "kBnnnBk",
        "kBnnnBk",
        "kBnnnBk",
    });
    stamp(tile, 5, 11, {"a...a", "aAAAa", "a...a", "aAAAa"});
    stampColoured(tile, 10, 10, ore, {".12.", "k21k", "kAAk", ".kk."});
    return tile;
}

Canvas well()
{
    Canvas tile = grassTile();
    stamp(tile, 2, 1, {
        "...kkkkkkkk..",
        "..kRRRRRRRRk.",
        ".kRxxxxxxxxRk",
        "kkkkkkkkkkkkk",
        "..kb..B..bk..",
        "..kb..B..bk..",
        "..kb.kyk.bk..",
        ".kkkkkkkkkkk.",
        ".kvVVVVVVVak.",
        ".kaEEEwEEEAk.",
        ".kVvavVvavAk.",
        ".kavaavaavAk.",
        "..kkkkkkkkk..",
    });
    return tile;
}
}

bool paintSiteTile(std::string_view name, Canvas& out)
{
    if (name == "village_b") out = village("Br");
    else if (name == "village_b_yellow") out = village("yY");
    else if (name == "village_b_blue") out = village("cu");
    else if (name == "village_b_green") out = village("lq");
    else if (name == "village_b_red") out = village("xR");
    else if (name == "ruin_a") out = ruin();
    else if (name == "castle_a") out = castle();
    else if (name == "grottus") out = grotto();
    else if (name == "mine") out = mine("aA", "yY");
    else if (name == "iron_mine") out = mine("rb", "xR");
    else if (name == "well") out = well();
    else return false;
    return true;
}
