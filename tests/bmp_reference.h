// The tests' one BMP decoder, apart from the program's reader: the whole file
// in memory, every rule applied in the plainest way, no streaming and no
// shortcuts. The reader's own tests and its fuzz target check it against
// this; tests that need to know what a written picture holds read it here.
#pragma once

#include "assets/bmp.h"
#include "assets/image_table.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// What the reader must make of a file.
enum class BmpOutcome {
    rejectedHeader,    // false, the entry unchanged
    failedAfterHeader, // false, the entry empty
    loaded,            // true, the entry holds the picture
};

struct ReferenceBmp {
    BmpOutcome outcome = BmpOutcome::rejectedHeader;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // packed, row 0 the picture's bottom row
};

inline std::int64_t referenceLe32(const std::vector<std::uint8_t>& bytes, std::size_t at,
                                  bool asSigned)
{
    const std::uint32_t value = std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 |
                                std::uint32_t(bytes[at + 2]) << 16 |
                                std::uint32_t(bytes[at + 3]) << 24;
    return asSigned ? std::int64_t(std::int32_t(value)) : std::int64_t(value);
}

// Decodes bytes as the reader should, with blocks over maxBlockBytes refused.
inline ReferenceBmp referenceDecode(const std::vector<std::uint8_t>& bytes,
                                    std::int64_t maxBlockBytes, int maxSide)
{
    ReferenceBmp result;
    const std::int64_t fileSize = std::int64_t(bytes.size());
    if (fileSize < 54 || bytes[0] != 'B' || bytes[1] != 'M' || bytes[28] != 24 ||
        referenceLe32(bytes, 30, false) != 0)
        return result;
    const std::int64_t width = referenceLe32(bytes, 18, true);
    const std::int64_t signedHeight = referenceLe32(bytes, 22, true);
    const std::int64_t height = std::llabs(signedHeight);
    const std::int64_t offset = referenceLe32(bytes, 10, false);
    if (width < 0 || width > maxSide || height > maxSide || offset < 54 || offset > fileSize)
        return result;

    result.outcome = BmpOutcome::failedAfterHeader;
    const std::int64_t rowBytes = width * 3;
    const std::int64_t stride = (rowBytes + 3) / 4 * 4;
    const bool hasPixels = width > 0 && height > 0;
    if (hasPixels &&
        (offset + stride * (height - 1) + rowBytes > fileSize || rowBytes * height > maxBlockBytes))
        return result;

    result.outcome = BmpOutcome::loaded;
    result.width = int(width);
    result.height = int(height);
    for (std::int64_t row = 0; row < height; ++row) {
        const std::int64_t storedRow = signedHeight < 0 ? height - 1 - row : row;
        for (std::int64_t x = 0; x < width; ++x) {
            const std::uint8_t* bgr = &bytes[std::size_t(offset + storedRow * stride + 3 * x)];
            result.rgb.insert(result.rgb.end(), {bgr[2], bgr[1], bgr[0]});
        }
    }
    return result;
}

// A file's bytes; none when it cannot be read.
inline std::vector<std::uint8_t> referenceFileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A file decoded with the program's own limits: its largest side and the
// image table's whole budget.
inline ReferenceBmp referenceDecodeFile(const std::filesystem::path& path)
{
    return referenceDecode(referenceFileBytes(path), imageTableBudgetBytes, bmpMaxSide);
}

// An entry holding a 1 x 1 picture, so that a rejected header (which keeps
// it) and a failure after the header (which empties it) can be told apart.
inline ImageRecord onePixelEntry()
{
    ImageRecord entry;
    entry.pixels = std::make_unique<std::uint8_t[]>(3);
    entry.width = entry.height = 1;
    entry.bytesPerPixel = 3;
    return entry;
}

// Empty when a read that returned `loaded` and left `entry` (which held the
// one-pixel block `before`) did what `expected` says; else what differs.
inline std::string referenceMismatch(const ReferenceBmp& expected, bool loaded,
                                     const ImageRecord& entry, const std::uint8_t* before)
{
    if (loaded != (expected.outcome == BmpOutcome::loaded))
        return loaded ? "loaded" : "not loaded";
    switch (expected.outcome) {
    case BmpOutcome::rejectedHeader:
        if (entry.pixels.get() != before || entry.width != 1 || entry.height != 1)
            return "a rejected header changed the entry";
        break;
    case BmpOutcome::failedAfterHeader:
        if (entry.pixels || entry.width != 0 || entry.height != 0)
            return "a failed read left the entry filled";
        break;
    case BmpOutcome::loaded:
        if (entry.width != expected.width || entry.height != expected.height ||
            entry.bytesPerPixel != 3 || (entry.pixels == nullptr) != expected.rgb.empty())
            return "sizes " + std::to_string(entry.width) + "x" + std::to_string(entry.height);
        if (!std::equal(expected.rgb.begin(), expected.rgb.end(), entry.pixels.get()))
            return "pixels differ";
        break;
    }
    return {};
}
