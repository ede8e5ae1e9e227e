// The image table: every picture the program loaded, indexed by image id.
#pragma once

#include <cstdint>
#include <memory>

// One picture: width x height RGB pixels, packed, row 0 the first row stored
// in the file (the bottom row of an ordinary BMP). An entry that was never
// loaded has null pixels and zero sizes, and draws nothing.
struct ImageRecord {
    std::unique_ptr<std::uint8_t[]> pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bytesPerPixel = 0;
};

inline constexpr int imageCount = 3100;

// imageCount entries, indexed by image id 0..3099.
extern std::unique_ptr<ImageRecord[]> imageTable;

// Allocates the table with every entry empty.
void allocateImageTable();

// Releases every pixel block and the table (shutdown).
void releaseImageTable();
