// MagicaVoxel .vox files (version 150): one model of up to 256 cells a side,
// its voxels and a 256-colour palette.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A voxel coordinate is one byte, so no model side exceeds 256.
inline constexpr int voxMaxSide = 256;
inline constexpr int voxPaletteSize = 256;

// One filled cell; colour is a palette index 1..255 (0 would be empty).
struct Voxel {
    std::uint8_t x, y, z, colour;
};

struct VoxColour {
    std::uint8_t r, g, b, a;
};

// z is up. palette[i - 1] is the colour of index i; the last entry is unused.
struct VoxModel {
    int sizeX = 0, sizeY = 0, sizeZ = 0; // 1..voxMaxSide each
    std::vector<Voxel> voxels;
    std::array<VoxColour, voxPaletteSize> palette{};
};

// The file's bytes: "VOX " and version 150, then chunk MAIN (no content)
// holding SIZE, XYZI and RGBA; all integers little-endian 32-bit.
std::vector<std::uint8_t> encodeVox(const VoxModel& model);

// Writes encodeVox(model) to path; false with the reason on failure.
bool writeVoxFile(const std::string& path, const VoxModel& model, std::string& error);
