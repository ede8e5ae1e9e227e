// The BMP reader against the reference decoder over thousands of seeded
// random files: headers drawn around every edge the reader checks, lengths
// cut at random points, and block limits on both sides of the picture.
#include "assets/bmp.h"

#include "bmp_files.h"
#include "tests/bmp_reference.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <map>
#include <random>

namespace {

struct RandomCase {
    std::vector<std::uint8_t> bytes;
    std::int64_t maxBlockBytes = imageTableBudgetBytes;
};

int below(std::mt19937& random, int count)
{
    return std::uniform_int_distribution<int>(0, count - 1)(random);
}

// Mostly small sides; now and then the largest accepted, one past it, or
// any 32-bit value.
std::int32_t randomSide(std::mt19937& random)
{
    if (below(random, 10) < 7)
        return below(random, 13);
    const std::int32_t edges[] = {bmpMaxSide, bmpMaxSide - 1, bmpMaxSide + 1, INT_MAX,
                                  std::int32_t(random())};
    return edges[below(random, 5)];
}

// Mostly just past the 54 header bytes; now and then inside them or far out.
std::uint32_t randomOffset(std::mt19937& random)
{
    if (below(random, 10) < 8)
        return std::uint32_t(54 + below(random, 41));
    const std::uint32_t edges[] = {0, 53, 0xFFFFFFFFu, std::uint32_t(random())};
    return edges[below(random, 4)];
}

// The length to cut a file to that should hold `full` bytes: all of them, a
// few short (inside the last row or its padding), a few over, or anywhere.
std::size_t randomLength(std::mt19937& random, std::size_t full, std::int64_t stride)
{
    switch (below(random, 4)) {
    case 0:
        return full;
    case 1:
        return full - std::min<std::size_t>(full, std::size_t(1 + below(random, int(stride) + 4)));
    case 2:
        return full + std::size_t(1 + below(random, 8));
    default:
        return std::size_t(below(random, int(full) + 1));
    }
}

RandomCase randomBmp(std::mt19937& random)
{
    const std::int32_t width = below(random, 20) ? randomSide(random) : -1 - below(random, 3);
    const std::int32_t rows = randomSide(random);
    const std::int32_t height = below(random, 2) ? rows : std::int32_t(0u - std::uint32_t(rows));
    const std::uint32_t offset = randomOffset(random);
    const std::int64_t stride = (std::int64_t(width) * 3 + 3) / 4 * 4;

    // Files that would hold what a large header claims are out of reach;
    // those get a few hundred bytes, so the claim always outruns the file.
    // (Sides are bounded before multiplying, so nothing overflows.)
    const bool small = width >= 0 && width <= bmpMaxSide && rows >= 0 && rows <= bmpMaxSide &&
                       offset + stride * rows <= 1 << 14;
    const std::size_t full = small ? std::size_t(std::max<std::int64_t>(offset + stride * rows, 54))
                                   : std::size_t(54 + below(random, 400));
    RandomCase result;
    result.bytes.resize(full + 8);
    for (std::uint8_t& byte : result.bytes)
        byte = std::uint8_t(random());
    result.bytes[0] = below(random, 20) ? 'B' : std::uint8_t(random());
    result.bytes[1] = below(random, 20) ? 'M' : std::uint8_t(random());
    putLe32(result.bytes, 10, offset);
    putLe32(result.bytes, 18, std::uint32_t(width));
    putLe32(result.bytes, 22, std::uint32_t(height));
    result.bytes[28] = below(random, 10) ? 24 : std::uint8_t(8 * below(random, 5));
    putLe32(result.bytes, 30, below(random, 8) ? 0 : std::uint32_t(1 + below(random, 3)));
    result.bytes.resize(randomLength(random, full, small ? stride : 8));

    if (below(random, 4) == 0 && small && width > 0) {
        const std::int64_t blockBytes = std::int64_t(width) * 3 * rows;
        result.maxBlockBytes = blockBytes - 1 + below(random, 3); // one under, at, one over
    }
    return result;
}

// Reads bytes through a file in `folder` into an entry holding a 1 x 1 picture.
testing::AssertionResult matchesReference(const RandomCase& input, const TempFolder& folder,
                                          BmpOutcome& outcome)
{
    const ReferenceBmp expected = referenceDecode(input.bytes, input.maxBlockBytes, bmpMaxSide);
    outcome = expected.outcome;
    std::FILE* stream = std::fopen((folder.path / "case.bmp").string().c_str(), "w+b");
    if (!stream || std::fwrite(input.bytes.data(), 1, input.bytes.size(), stream) != input.bytes.size()) {
        if (stream)
            std::fclose(stream);
        return testing::AssertionFailure() << "cannot write the case's file";
    }
    std::rewind(stream);
    ImageRecord entry = onePixelEntry();
    const std::uint8_t* before = entry.pixels.get();
    const bool loaded = readBmp(stream, entry, input.maxBlockBytes);
    std::fclose(stream);
    const std::string mismatch = referenceMismatch(expected, loaded, entry, before);
    if (!mismatch.empty())
        return testing::AssertionFailure() << mismatch;
    return testing::AssertionSuccess();
}

} // namespace

TEST(BmpProperty, RandomFilesReadAsTheReferenceDecodesThem)
{
    std::mt19937 random(20240611);
    std::map<BmpOutcome, int> seen;
    const TempFolder folder;
    constexpr int caseCount = 5000;
    for (int i = 0; i < caseCount; ++i) {
        const RandomCase input = randomBmp(random);
        BmpOutcome outcome{};
        ASSERT_TRUE(matchesReference(input, folder, outcome))
            << "case " << i << ", " << input.bytes.size() << " bytes, limit "
            << input.maxBlockBytes;
        ++seen[outcome];
    }
    // The generator must reach every outcome often, or the cases prove little.
    for (BmpOutcome outcome :
         {BmpOutcome::rejectedHeader, BmpOutcome::failedAfterHeader, BmpOutcome::loaded})
        EXPECT_GT(seen[outcome], caseCount / 10) << int(outcome);
}
