// The structure pictures (bmp_structure): buildings of a settlement, 16 x 16.
#pragma once

#include "art/canvas.h"

#include <string_view>

// Paints the structure called `name` into out; false when there is none.
bool paintStructureSprite(std::string_view name, Canvas& out);
