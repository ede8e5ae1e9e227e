// The cursor picture (bmp_cross) and the title screen (bmp_scr).
#pragma once

#include "art/canvas.h"

#include <string_view>

inline constexpr int titleSide = 128;

// Paints the screen picture called `name` into out; false when there is none.
bool paintScreenPicture(std::string_view name, Canvas& out);
