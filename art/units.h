// The unit pictures (bmp_unit): the map marker unit_mage, which the map view
// blits with transparent keys, and a generated sprite for every other unit.
#pragma once

#include "art/canvas.h"

#include <string_view>

inline constexpr int spriteSide = 16;

// Paints the unit called `name` into out; false when it is not a unit name.
bool paintUnitSprite(std::string_view name, Canvas& out);
