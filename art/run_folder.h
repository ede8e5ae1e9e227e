// The runtime folder the program reads at start-up: its images and its
// overworld map, painted from the recipes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// What could not be made and why, as one line: "cannot write PATH: reason",
// "cannot create FOLDER: reason" or "PATH: no recipe paints this file".
struct ArtFailure {
    std::string message;
};

// Writes every distinct catalogue file into `folder` as a 24-bit BMP painted
// by its recipe, and `overworld` (one code per cell of layer 0) as the map
// file of map 1, creating the folders on the way; the same bytes every run.
// False, with what failed in `failure`, at the first file that cannot be
// painted or written.
bool writeRunFolder(const std::filesystem::path& folder, const std::vector<std::uint8_t>& overworld,
                    ArtFailure& failure);
