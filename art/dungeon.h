// The dungeon plan tiles (bmp_dungeon): 16 x 16 top-down pictures of walls,
// floors and furnishings.
#pragma once

#include "art/canvas.h"

#include <string_view>

// Paints the dungeon tile called `name` into out; false when no dungeon tile
// has that name.
bool paintDungeonTile(std::string_view name, Canvas& out);
