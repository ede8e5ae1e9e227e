// The fixed list of image files the program loads at start-up.
#pragma once

#include <string>

struct CatalogueLoad {
    int id;             // image id the load fills
    const char* folder; // "bmp_unit", "bmp_land", ...
    const char* name;   // file name without ".bmp"
};

inline constexpr int catalogueLoadCount = 214;

// The loads in start-up order (eight groups: cross, unit, land, dungeon,
// structure, item, scr, cube with its second unit run).
extern const CatalogueLoad imageCatalogue[catalogueLoadCount];

// "folder/name.bmp", relative to the working directory.
inline std::string cataloguePath(const CatalogueLoad& load)
{
    return std::string(load.folder) + "/" + load.name + ".bmp";
}
