// The cube textures of the 3D view (bmp_cube): 64 x 64 pictures that repeat
// without a seam on every face of a cube.
#pragma once

#include "tools/art_canvas.h"

#include <string_view>

inline constexpr int cubeSide = 64;

// Paints the cube texture called `name` into out; false when no cube texture
// has that name.
bool paintCubeTexture(std::string_view name, Canvas& out);
