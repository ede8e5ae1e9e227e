// Writes pictures as uncompressed 24-bit BMP files, the format the program
// reads its images from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height RGB pixels, given top row first, as a 24-bit BMP: the
// 54-byte header (pixel data at offset 54, positive height), then the rows
// bottom row first in blue, green, red order, each padded to a multiple of 4
// bytes. False (with a reason in error) when the file cannot be written or
// there is no picture.
bool writeBmp24(const std::string& path, int width, int height,
                const std::vector<std::uint8_t>& rgbTopFirst, std::string& error);
