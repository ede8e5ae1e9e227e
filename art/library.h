// Which recipe paints which catalogue file.
#pragma once

#include "art/canvas.h"
#include "assets/catalogue.h"

#include <vector>

// Paints the picture of one catalogue load into out; false when no recipe
// knows the file.
bool paintCatalogueImage(const CatalogueLoad& load, Canvas& out);

// The catalogue's distinct files in load order: a file loaded into two ids
// appears once, at its first load.
std::vector<CatalogueLoad> distinctCatalogueFiles();
