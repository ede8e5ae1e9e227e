// The item pictures (bmp_item): weapons, potions, robes, armour, bags and the
// inventory frame pieces, 16 x 16 each.
#pragma once

#include "art/canvas.h"

#include <string_view>

// Paints the item called `name` into out; false when no item recipe has it.
bool paintItemSprite(std::string_view name, Canvas& out);
