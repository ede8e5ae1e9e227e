// The image table: every picture the program loaded, indexed by image id.
#pragma once

#include <cstdint>
#include <memory>

// One picture: width x height RGB pixels, packed, row 0 the picture's bottom
// row (the first row a bottom-up BMP stores, the last of a top-down one). An
// entry that was never loaded has null pixels and zero sizes, and draws
// nothing.
struct ImageRecord {
    std::unique_ptr<std::uint8_t[]> pixels;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bytesPerPixel = 0;
};

inline constexpr int imageCount = 3100;

// Most bytes of pixels the whole table may hold. The catalogue's pictures take
// a few megabytes; the cap stops a handful of hostile files (sparse files
// whose headers claim 16384 x 16384) from taking gigabytes.
inline constexpr std::int64_t imageTableBudgetBytes = std::int64_t(512) << 20;

// imageCount entries, indexed by image id 0..3099.
extern std::unique_ptr<ImageRecord[]> imageTable;

// Allocates the table with every entry empty.
void allocateImageTable();

// Releases every pixel block and the table (shutdown).
void releaseImageTable();

// Bytes of pixels entry holds: none without a block, else its sizes' product.
std::int64_t imageBytes(const ImageRecord& entry);

// Bytes of pixels the table holds in all entries but `except` (0 with no table).
std::int64_t imageTableBytesExcept(int except);
