// The overworld map tiles (bmp_land): 16 x 16 terrain and site pictures.
#pragma once

#include "art/canvas.h"

#include <string_view>

inline constexpr int tileSide = 16;

// The plain grass every site stands on.
Canvas grassTile();

// Paints the land tile called `name` (file name without ".bmp") into out;
// false when no land tile has that name.
bool paintLandTile(std::string_view name, Canvas& out);
