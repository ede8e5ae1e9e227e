// The cube textures of the 3D view (bmp_cube): 32 x 32 pictures that repeat
// without a seam on every face of a cube.
#pragma once

#include "art/canvas.h"

#include <string_view>

// Small, because the view samples them without mipmaps: a finer texture
// would shimmer on every distant face.
inline constexpr int cubeSide = 32;

// Paints the cube texture called `name` into out; false when no cube texture
// has that name.
bool paintCubeTexture(std::string_view name, Canvas& out);
