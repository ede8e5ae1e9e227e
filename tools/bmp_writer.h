// Writes pictures as uncompressed 24-bit BMP files, the format the program
// reads its images from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a 24-bit BMP of width x height RGB pixels given top row first:
// the 54-byte header (pixel data at offset 54), then the rows bottom row
// first in blue, green, red order, each padded to a multiple of 4 bytes.
std::vector<std::uint8_t> encodeBmp24(int width, int height,
                                      const std::vector<std::uint8_t>& rgbTopFirst);

// Writes encodeBmp24's bytes to path. False (with a reason in error) when the
// file cannot be written or there is no picture.
bool writeBmp24(const std::string& path, int width, int height,
                const std::vector<std::uint8_t>& rgbTopFirst, std::string& error);
