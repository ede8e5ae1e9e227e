// Reading 24-bit BMP files: header checks, padded rows, BGR to RGB.
#include "assets/bmp.h"

#include "platform/file_input.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>

namespace {

// The file header (14 bytes) and the classic information header (40 bytes).
constexpr int headerSize = 54;
constexpr int pixelOffsetAt = 10;
constexpr int widthAt = 18;
constexpr int heightAt = 22;
constexpr int bitCountAt = 28;
constexpr int compressionAt = 30;
constexpr std::uint8_t acceptedBitCount = 24;
constexpr std::int32_t uncompressed = 0; // BI_RGB; run-length and bit-field data are not pixels
constexpr int bytesPerPixel = 3;
constexpr int rowAlignment = 4; // stored rows are padded to a multiple of 4 bytes

// What the header says about the pixel data.
struct BmpLayout {
    std::int32_t width = 0;
    std::int32_t height = 0; // rows, never negative
    bool topDown = false;     // the file stores the top row first
    std::int64_t pixelOffset = 0;
    std::int64_t fileSize = 0;
};

std::int32_t readLe32(const std::uint8_t* bytes)
{
    return std::int32_t(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                        std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24);
}

// The stream's length in bytes, or -1 when it cannot be told.
std::int64_t streamSize(std::FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    return std::ftell(file);
}

bool refuse(std::string& why, const std::string& reason)
{
    why = reason;
    return false;
}

// Reads and checks the header. False, having changed nothing but `why`, for
// anything but an uncompressed 24-bit 'BM' file with sane sizes and its pixel
// data inside the file.
bool readHeader(std::FILE* file, BmpLayout& layout, std::string& why)
{
    std::uint8_t header[headerSize];
    if (std::fread(header, 1, headerSize, file) != headerSize)
        return refuse(why, std::ferror(file) ? "the file cannot be read" : "too short for a BMP header");
    if (header[0] != 'B' || header[1] != 'M')
        return refuse(why, "not a BMP file");
    if (header[bitCountAt] != acceptedBitCount)
        return refuse(why, std::to_string(header[bitCountAt]) + " bits per pixel, not 24");
    if (readLe32(header + compressionAt) != uncompressed)
        return refuse(why, "compressed pixel data");
    const std::int64_t width = readLe32(header + widthAt);
    const std::int64_t height = readLe32(header + heightAt);
    if (width < 0 || width > bmpMaxSide || std::llabs(height) > bmpMaxSide)
        return refuse(why, std::to_string(width) + " x " + std::to_string(height) +
                               " pixels, beyond " + std::to_string(bmpMaxSide) + " on a side");
    layout.width = std::int32_t(width);
    layout.height = std::int32_t(std::llabs(height));
    layout.topDown = height < 0;
    layout.pixelOffset = std::uint32_t(readLe32(header + pixelOffsetAt));
    layout.fileSize = streamSize(file);
    if (layout.pixelOffset < headerSize || layout.pixelOffset > layout.fileSize)
        return refuse(why, "its pixel data would start outside the file");
    return true;
}

// Bytes one row of the picture takes, packed.
std::int64_t packedRowSize(std::int32_t width)
{
    return std::int64_t(width) * bytesPerPixel;
}

// Bytes one stored row takes, padding included.
std::int64_t storedRowSize(std::int32_t width)
{
    return (packedRowSize(width) + rowAlignment - 1) / rowAlignment * rowAlignment;
}

// Bytes the pixel data takes in the file from its offset on: every stored
// row, the last one without its padding (files often end without it).
std::int64_t storedPixelBytes(const BmpLayout& layout)
{
    return storedRowSize(layout.width) * (layout.height - 1) + packedRowSize(layout.width);
}

// Reads the stored rows straight into their places in the packed block,
// bottom row first, skipping each row's padding. False when the file ends
// early.
bool readRows(std::FILE* file, const BmpLayout& layout, std::uint8_t* block)
{
    const std::size_t rowBytes = std::size_t(packedRowSize(layout.width));
    const std::size_t padding = std::size_t(storedRowSize(layout.width)) - rowBytes;
    std::uint8_t skipped[rowAlignment];
    for (std::int32_t row = 0; row < layout.height; ++row) {
        const std::int32_t pictureRow = layout.topDown ? layout.height - 1 - row : row;
        if (std::fread(block + std::size_t(pictureRow) * rowBytes, 1, rowBytes, file) != rowBytes)
            return false;
        const bool lastRow = row == layout.height - 1;
        if (!lastRow && std::fread(skipped, 1, padding, file) != padding)
            return false;
    }
    return true;
}

// The file stores blue, green, red: swaps each pixel's first and third byte.
void bgrToRgb(std::uint8_t* block, std::size_t size)
{
    for (std::size_t i = 0; i < size; i += bytesPerPixel)
        std::swap(block[i], block[i + 2]);
}

// Reads the pixel data the layout describes into a new block; null, with the
// reason in `why`, when the file is too short for what the header claims or
// the block would take more than maxBlockBytes (both checked before
// allocating), when the file ends early, and when memory for the block
// cannot be had.
std::unique_ptr<std::uint8_t[]> readPixels(std::FILE* file, const BmpLayout& layout,
                                           std::int64_t maxBlockBytes, std::string& why)
{
    const std::int64_t blockBytes = packedRowSize(layout.width) * layout.height;
    if (layout.pixelOffset + storedPixelBytes(layout) > layout.fileSize) {
        why = "the file is shorter than its header claims";
        return nullptr;
    }
    if (blockBytes > maxBlockBytes) {
        why = "its " + std::to_string(blockBytes) + " bytes of pixels do not fit the image budget";
        return nullptr;
    }
    if (std::fseek(file, long(layout.pixelOffset), SEEK_SET) != 0) {
        why = "the file cannot be read";
        return nullptr;
    }
    const auto size = std::size_t(blockBytes);
    std::unique_ptr<std::uint8_t[]> block(new (std::nothrow) std::uint8_t[size]);
    if (!block) {
        why = "no memory for its " + std::to_string(blockBytes) + " bytes of pixels";
        return nullptr;
    }
    if (!readRows(file, layout, block.get())) {
        why = "the file cannot be read to its end";
        return nullptr;
    }
    bgrToRgb(block.get(), size);
    return block;
}

} // namespace

bool readBmp(std::FILE* file, ImageRecord& entry, std::int64_t maxBlockBytes)
{
    std::string why;
    return readBmp(file, entry, maxBlockBytes, why);
}

bool readBmp(std::FILE* file, ImageRecord& entry, std::int64_t maxBlockBytes, std::string& why)
{
    BmpLayout layout;
    if (!readHeader(file, layout, why))
        return false;
    // From here on a failure must not leave the old picture or a stale block.
    entry = ImageRecord{};
    std::unique_ptr<std::uint8_t[]> block;
    if (layout.width > 0 && layout.height > 0) {
        block = readPixels(file, layout, maxBlockBytes, why);
        if (!block)
            return false;
    }
    entry.pixels = std::move(block);
    entry.width = layout.width;
    entry.height = layout.height;
    entry.bytesPerPixel = bytesPerPixel;
    return true;
}

bool loadBmp(const std::string& path, int id)
{
    std::string why;
    return loadBmp(path, id, why);
}

bool loadBmp(const std::string& path, int id, std::string& why)
{
    why.clear();
    if (!imageTable || id < 0 || id >= imageCount)
        return false;
    std::FILE* file = openRegularFile(path, why);
    if (!file)
        return false;
    // The old picture goes before the new one is read, so it takes no room.
    const std::int64_t room = imageTableBudgetBytes - imageTableBytesExcept(id);
    const bool loaded = readBmp(file, imageTable[id], room, why);
    std::fclose(file);
    return loaded;
}
