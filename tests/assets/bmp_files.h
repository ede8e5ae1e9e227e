// Test helpers: BMP files built byte by byte, and scratch folders.
#pragma once

#include "tests/temp_folder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The colour the helper gives picture pixel (x, row), row 0 at the bottom.
struct TestRgb {
    std::uint8_t r, g, b;
    bool operator==(const TestRgb&) const = default;
};

inline TestRgb testPixel(int x, int row)
{
    return {std::uint8_t(10 + x), std::uint8_t(100 + row), std::uint8_t(200 + 3 * x + row)};
}

inline void putLe32(std::vector<std::uint8_t>& bytes, int at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = std::uint8_t(value >> (8 * i));
}

// A BMP of width x |height| test pixels, stored bottom row first (top row
// first for a negative height), rows padded with 0xEE to 4 bytes, the pixel
// data at pixelOffset (the gap after the 54 header bytes filled with 0x55).
inline std::vector<std::uint8_t> makeBmp(int width, int height, std::uint32_t pixelOffset = 54,
                                         std::uint8_t bitCount = 24)
{
    const int rows = height < 0 ? -height : height;
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> bytes(pixelOffset + std::size_t(stride) * rows, 0x55);
    bytes[0] = 'B';
    bytes[1] = 'M';
    putLe32(bytes, 2, std::uint32_t(bytes.size()));
    putLe32(bytes, 6, 0);
    putLe32(bytes, 10, pixelOffset);
    putLe32(bytes, 14, 40);
    putLe32(bytes, 18, std::uint32_t(width));
    putLe32(bytes, 22, std::uint32_t(height));
    putLe32(bytes, 26, 1);
    bytes[28] = bitCount;
    bytes[29] = 0;
    putLe32(bytes, 30, 0);
    putLe32(bytes, 34, std::uint32_t(stride * rows));
    for (int stored = 0; stored < rows; ++stored) {
        const int row = height < 0 ? rows - 1 - stored : stored;
        std::uint8_t* out = bytes.data() + pixelOffset + std::size_t(stride) * stored;
        for (int x = 0; x < width; ++x) {
            const TestRgb rgb = testPixel(x, row);
            out[3 * x] = rgb.b;
            out[3 * x + 1] = rgb.g;
            out[3 * x + 2] = rgb.r;
        }
        for (int pad = width * 3; pad < stride; ++pad)
            out[pad] = 0xEE;
    }
    return bytes;
}

inline void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
