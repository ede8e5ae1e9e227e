// The overworld site tiles: villages in five roof colours, castle, ruin,
// grotto, mines and well, each standing on the plain grass.
#pragma once

#include "art/canvas.h"

#include <string_view>

// Paints the site tile called `name` into out; false when no site has it.
bool paintSiteTile(std::string_view name, Canvas& out);
