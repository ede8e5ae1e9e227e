// The BMP reader's memory: one block per picture, no abort when memory runs
// out, and the image table's budget against sparse files whose headers claim
// the largest pictures.
#include "assets/bmp.h"

#include "bmp_files.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int side = 4096;
constexpr std::int64_t pictureBytes = std::int64_t(side) * side * 3; // 48 MB
constexpr std::int64_t slackBytes = 24 << 20; // stdio buffers, the heap's own growth

// A file of the given size whose 54-byte header claims width x height
// pictures and whose pixel data is a hole: zeros that take no disk.
void writeSparseBmp(const fs::path& path, int width, int height)
{
    std::vector<std::uint8_t> header = makeBmp(1, 1);
    header.resize(54);
    putLe32(header, 18, std::uint32_t(width));
    putLe32(header, 22, std::uint32_t(height));
    writeFile(path, header);
    fs::resize_file(path, 54 + std::uintmax_t(width) * 3 * std::uintmax_t(height));
}

// Caps this process's address space at what it holds now plus `extra`.
bool limitAddressSpace(std::int64_t extra)
{
    std::int64_t pages = 0;
    if (!(std::ifstream("/proc/self/statm") >> pages))
        return false;
    const rlim_t limit = rlim_t(pages * sysconf(_SC_PAGESIZE) + extra);
    const rlimit capped{limit, limit};
    return setrlimit(RLIMIT_AS, &capped) == 0;
}

// Bytes this process has read through system calls so far; -1 where the
// kernel does not count them.
std::int64_t bytesReadSoFar()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    std::int64_t value = 0;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    return -1;
}

bool entryEmpty(const ImageRecord& entry)
{
    return !entry.pixels && entry.width == 0 && entry.height == 0;
}

} // namespace

class BmpMemory : public testing::Test {
protected:
    void SetUp() override
    {
        allocateImageTable();
        writeSparseBmp(path, side, side);
    }
    void TearDown() override { releaseImageTable(); }

    TempFolder folder;
    const fs::path path = folder.path / "sparse.bmp";
};

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer reserves terabytes of shadow memory, so an address-space
// cap says nothing about the reader there.
#define SKIP_WITHOUT_ADDRESS_LIMITS() GTEST_SKIP() << "no address-space limits under ASan"
#else
#define SKIP_WITHOUT_ADDRESS_LIMITS() (void)0
#endif

// Room for the picture's block and little more: the rows are read into the
// block itself, never into a second copy first.
TEST_F(BmpMemory, PictureLoadsWithRoomForOneBlock)
{
    SKIP_WITHOUT_ADDRESS_LIMITS();
    EXPECT_EXIT(
        {
            if (!limitAddressSpace(pictureBytes + slackBytes))
                std::exit(2);
            const bool loaded = loadBmp(path.string(), 5);
            const ImageRecord& entry = imageTable[5];
            std::exit(loaded && entry.width == side && entry.height == side &&
                              entry.pixels[0] == 0 && entry.pixels[pictureBytes - 1] == 0
                          ? 0
                          : 1);
        },
        testing::ExitedWithCode(0), "");
}

// Too little memory for the block: the load fails and the entry is empty,
// where an uncaught std::bad_alloc would end the program.
TEST_F(BmpMemory, FailedAllocationLeavesTheEntryEmpty)
{
    SKIP_WITHOUT_ADDRESS_LIMITS();
    EXPECT_EXIT(
        {
            writeFile(folder.path / "small.bmp", makeBmp(16, 16));
            if (!loadBmp((folder.path / "small.bmp").string(), 5) ||
                !limitAddressSpace(pictureBytes - slackBytes))
                std::exit(2);
            const bool loaded = loadBmp(path.string(), 5);
            std::exit(!loaded && entryEmpty(imageTable[5]) ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

// A hostile file: 4 KB on disk, a header claiming 16384 x 16384 (805 MB of
// pixels, more than the whole budget). Refused before anything is allocated
// or read past the header (at most a buffer's worth); the picture loaded
// before is gone. How fast the refusal is, bench/ measures
// (bmpSparseLargestClaim).
TEST_F(BmpMemory, SparseFileClaimingTheLargestPictureIsRefused)
{
    writeFile(folder.path / "small.bmp", makeBmp(16, 16));
    ASSERT_TRUE(loadBmp((folder.path / "small.bmp").string(), 5));
    writeSparseBmp(path, bmpMaxSide, bmpMaxSide);
    const std::int64_t readBefore = bytesReadSoFar();
    EXPECT_FALSE(loadBmp(path.string(), 5));
    if (readBefore >= 0) {
        EXPECT_LT(bytesReadSoFar() - readBefore, 1 << 20) << "the pixel data was read";
    }
    EXPECT_TRUE(entryEmpty(imageTable[5]));
}

// The table's budget counts the pictures the other entries hold and not the
// one a load replaces. The large block is allocated but never touched, so it
// takes address space and no memory.
TEST_F(BmpMemory, TableBudgetCountsTheOtherEntries)
{
    auto picture = [&](int width, int height) {
        const fs::path file = folder.path / (std::to_string(width) + "x" + std::to_string(height));
        writeFile(file, makeBmp(width, height));
        return file.string();
    };
    ImageRecord& large = imageTable[1];
    large.width = bmpMaxSide;
    large.height = 10922;
    large.bytesPerPixel = 3;
    large.pixels = std::make_unique_for_overwrite<std::uint8_t[]>(
        std::size_t(imageBytes(large)));
    ASSERT_EQ(imageTableBudgetBytes - imageTableBytesExcept(-1), 32768);

    ASSERT_TRUE(loadBmp(picture(64, 64), 5)); // 12288 bytes: 20480 left
    EXPECT_FALSE(loadBmp(picture(128, 64), 6)); // 24576 bytes
    EXPECT_TRUE(entryEmpty(imageTable[6]));
    EXPECT_TRUE(loadBmp(picture(128, 64), 5)); // in place of entry 5's 12288
    EXPECT_EQ(imageTable[5].width, 128);
    EXPECT_TRUE(loadBmp(picture(256, 256), 1)); // in place of the large one
    EXPECT_EQ(imageTable[1].width, 256);
    EXPECT_TRUE(loadBmp(picture(128, 64), 6)); // the room is back
}
