// The cube textures: one GL texture name per block code, created afresh in
// every GL context from the cube images of the image table.
#pragma once

#include <cstdint>

inline constexpr int cubeTextureCount = 32;  // names generated per context
inline constexpr int cubeImageCount = 7;     // block codes 0..6 have an image
inline constexpr int firstCubeImageId = 1200; // image id of block code 0

// Entry k is the texture of block code k; only entries 0..6 hold an image.
extern std::uint32_t cubeTextureNames[cubeTextureCount];

// Generates the 32 names in the current context and uploads images
// 1200..1206 into entries 0..6; an empty entry becomes an empty texture,
// which draws untextured. Always returns 1.
int loadCubeTextures();

// The texture a cube of block code `code` is drawn with: entry `code` of the
// table for codes 0..31 (7..31 never receive an image and draw untextured
// white), name 0 for codes from 32 up, which the table has no entry for.
std::uint32_t cubeTextureFor(std::uint8_t code);
