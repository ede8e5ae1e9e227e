// 24-bit BMP output: BITMAPFILEHEADER + BITMAPINFOHEADER and bottom-up rows,
// the files the tool paints and the BMP reader reads.
#include "assets/bmp_writer.h"

#include "platform/file_output.h"

namespace {
constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;
constexpr int pixelOffset = fileHeaderSize + infoHeaderSize;
constexpr int bitsPerPixel = 24;
constexpr int pixelsPerMetre = 2835; // 72 dots per inch

void putLittle(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[at + i] = std::uint8_t(value >> (8 * i));
}

std::vector<std::uint8_t> encodeBmp24(int width, int height,
                                      const std::vector<std::uint8_t>& rgbTopFirst)
{
    const std::size_t rowBytes = (std::size_t(width) * 3 + 3) / 4 * 4;
    const std::size_t imageBytes = rowBytes * height;
    std::vector<std::uint8_t> bytes(pixelOffset + imageBytes, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    putLittle(bytes, 2, std::uint32_t(bytes.size()), 4);
    putLittle(bytes, 10, pixelOffset, 4);
    putLittle(bytes, 14, infoHeaderSize, 4);
    putLittle(bytes, 18, std::uint32_t(width), 4);
    putLittle(bytes, 22, std::uint32_t(height), 4); // positive: rows run bottom-up
    putLittle(bytes, 26, 1, 2);                     // planes
    putLittle(bytes, 28, bitsPerPixel, 2);
    putLittle(bytes, 34, std::uint32_t(imageBytes), 4); // compression (30) stays 0
    putLittle(bytes, 38, pixelsPerMetre, 4);
    putLittle(bytes, 42, pixelsPerMetre, 4);
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* source = rgbTopFirst.data() + std::size_t(height - 1 - row) * width * 3;
        std::uint8_t* target = bytes.data() + pixelOffset + row * rowBytes;
        for (int x = 0; x < width; ++x) {
            target[x * 3 + 0] = source[x * 3 + 2];
            target[x * 3 + 1] = source[x * 3 + 1];
            target[x * 3 + 2] = source[x * 3 + 0];
        }
    }
    return bytes;
}
}

bool writeBmp24(const std::string& path, int width, int height,
                const std::vector<std::uint8_t>& rgbTopFirst, std::string& error)
{
    if (width <= 0 || height <= 0 || rgbTopFirst.size() != std::size_t(width) * height * 3) {
        error = "no picture to write";
        return false;
    }
    return writeFileBytes(path, encodeBmp24(width, height, rgbTopFirst), error);
}
