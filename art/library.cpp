// Dispatch from a catalogue file to the recipe of its folder.
#include "art/library.h"

#include "art/cube.h"
#include "art/dungeon.h"
#include "art/items.h"
#include "art/land.h"
#include "art/screens.h"
#include "art/structures.h"
#include "art/units.h"

#include <string_view>

bool paintCatalogueImage(const CatalogueLoad& load, Canvas& out)
{
    const std::string_view folder = load.folder;
    if (folder == "bmp_land")
        return paintLandTile(load.name, out);
    if (folder == "bmp_dungeon")
        return paintDungeonTile(load.name, out);
    if (folder == "bmp_cube")
        return paintCubeTexture(load.name, out);
    if (folder == "bmp_unit")
        return paintUnitSprite(load.name, out);
    if (folder == "bmp_item")
        return paintItemSprite(load.name, out);
    if (folder == "bmp_structure")
        return paintStructureSprite(load.name, out);
    if (folder == "bmp_cross" || folder == "bmp_scr")
        return paintScreenPicture(load.name, out);
    return false;
}

std::vector<CatalogueLoad> distinctCatalogueFiles()
{
    std::vector<CatalogueLoad> files;
    for (const CatalogueLoad& load : imageCatalogue) {
        bool seen = false;
        for (const CatalogueLoad& file : files)
            seen = seen || cataloguePath(file) == cataloguePath(load);
        if (!seen)
            files.push_back(load);
    }
    return files;
}
