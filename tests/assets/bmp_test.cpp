// The BMP reader: pictures it reads right, files it turns away, and what
// either leaves in the image table entry.
#include "assets/bmp.h"
#include "assets/bmp_writer.h"

#include "bmp_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace fs = std::filesystem;

class BmpReader : public testing::Test {
protected:
    void SetUp() override { allocateImageTable(); }
    void TearDown() override { releaseImageTable(); }

    // Writes bytes as name in the scratch folder and loads it into id.
    bool load(const std::vector<std::uint8_t>& bytes, int id = 5, const char* name = "a.bmp")
    {
        writeFile(folder.path / name, bytes);
        return loadBmp((folder.path / name).string(), id);
    }

    // Every pixel of the entry against the helper's pattern.
    static void expectPicture(const ImageRecord& entry, int width, int height)
    {
        ASSERT_EQ(entry.width, width);
        ASSERT_EQ(entry.height, height);
        ASSERT_EQ(entry.bytesPerPixel, 3);
        ASSERT_NE(entry.pixels, nullptr);
        for (int row = 0; row < height; ++row)
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* p = &entry.pixels[(row * width + x) * 3];
                ASSERT_EQ((TestRgb{p[0], p[1], p[2]}), testPixel(x, row))
                    << width << "x" << height << " at (" << x << ", " << row << ")";
            }
    }

    static void expectEmpty(const ImageRecord& entry)
    {
        EXPECT_EQ(entry.pixels, nullptr);
        EXPECT_EQ(entry.width, 0);
        EXPECT_EQ(entry.height, 0);
    }

    TempFolder folder;
};

TEST_F(BmpReader, SixteenBySixteenGivesRgbBottomRowFirst)
{
    ASSERT_TRUE(load(makeBmp(16, 16)));
    const ImageRecord& entry = imageTable[5];
    const TestRgb first = testPixel(0, 0); // the file's first stored pixel
    EXPECT_EQ(entry.pixels[0], first.r);
    EXPECT_EQ(entry.pixels[1], first.g);
    EXPECT_EQ(entry.pixels[2], first.b);
    expectPicture(entry, 16, 16);
}

TEST_F(BmpReader, WidthsWithPaddedRowsLoadUnsheared)
{
    for (int width : {1, 2, 3, 5, 10, 17}) {
        ASSERT_TRUE(load(makeBmp(width, 10)));
        expectPicture(imageTable[5], width, 10);
    }
}

TEST_F(BmpReader, PixelDataIsReadFromTheHeadersOffset)
{
    ASSERT_TRUE(load(makeBmp(10, 7, 138))); // a 124-byte information header
    expectPicture(imageTable[5], 10, 7);
}

TEST_F(BmpReader, TopDownFileIsStoredBottomRowFirst)
{
    ASSERT_TRUE(load(makeBmp(5, -3)));
    expectPicture(imageTable[5], 5, 3);
}

TEST_F(BmpReader, FileWithoutTheLastRowsPaddingLoads)
{
    std::vector<std::uint8_t> bytes = makeBmp(5, 4);
    bytes.resize(bytes.size() - 1);
    ASSERT_TRUE(load(bytes));
    expectPicture(imageTable[5], 5, 4);
}

TEST_F(BmpReader, ZeroWidthOrHeightLoadsAnEmptyBlock)
{
    for (auto [width, height] : {std::pair{0, 16}, std::pair{16, 0}}) {
        ASSERT_TRUE(load(makeBmp(width, height)));
        const ImageRecord& entry = imageTable[5];
        EXPECT_EQ(entry.pixels, nullptr);
        EXPECT_EQ(entry.width, width);
        EXPECT_EQ(entry.height, height);
        EXPECT_EQ(entry.bytesPerPixel, 3);
    }
}

// Each file is turned away at its header and the picture loaded before stays.
TEST_F(BmpReader, RejectedHeaderLeavesTheEntryUnchanged)
{
    auto header = [](std::function<void(std::vector<std::uint8_t>&)> change) {
        std::vector<std::uint8_t> bytes = makeBmp(4, 4);
        change(bytes);
        return bytes;
    };
    auto size = [&](std::int32_t width, std::int32_t height) {
        return header([=](auto& b) {
            putLe32(b, 18, std::uint32_t(width));
            putLe32(b, 22, std::uint32_t(height));
        });
    };
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> rejected = {
        {"8-bit palette", makeBmp(4, 4, 54, 8)},
        {"wrong magic", header([](auto& b) { b[1] = 'A'; })},
        {"magic swapped", header([](auto& b) { b[0] = 'M', b[1] = 'B'; })},
        {"53-byte header", header([](auto& b) { b.resize(53); })},
        {"empty file", {}},
        {"negative width", size(-4, 4)},
        {"width 16385", size(16385, 1)},
        {"height 16385", size(1, 16385)},
        {"height -16385", size(1, -16385)},
        {"width 2^31-1", size(INT_MAX, 1)},
        {"height -2^31", size(1, INT_MIN)},
        {"width*height past 2^32", size(65536, 65536)},
        {"offset inside the header", header([](auto& b) { putLe32(b, 10, 20); })},
        {"offset past the end",
         header([](auto& b) { putLe32(b, 10, std::uint32_t(b.size() + 1)); })},
        {"offset 2^32-1", header([](auto& b) { putLe32(b, 10, 0xFFFFFFFFu); })},
        {"run-length 8-bit", header([](auto& b) { putLe32(b, 30, 1); })},
        {"run-length 4-bit", header([](auto& b) { putLe32(b, 30, 2); })},
        {"bit fields", header([](auto& b) { putLe32(b, 30, 3); })},
        {"compression in its high byte", header([](auto& b) { b[33] = 1; })},
    };
    ASSERT_TRUE(load(makeBmp(16, 16)));
    const std::uint8_t* before = imageTable[5].pixels.get();
    for (const auto& [what, bytes] : rejected) {
        EXPECT_FALSE(load(bytes)) << what;
        EXPECT_EQ(imageTable[5].pixels.get(), before) << what;
        expectPicture(imageTable[5], 16, 16);
    }
}

TEST_F(BmpReader, ShortPixelDataLeavesTheEntryEmpty)
{
    for (int cut : {3, 32, 60}) { // the last row ends 2 padding bytes before the end
        ASSERT_TRUE(load(makeBmp(16, 16)));
        std::vector<std::uint8_t> bytes = makeBmp(10, 10);
        bytes.resize(bytes.size() - cut);
        EXPECT_FALSE(load(bytes)) << cut;
        expectEmpty(imageTable[5]);
    }
    // The largest accepted picture announced by a tiny file: refused without
    // reading, the earlier picture gone.
    ASSERT_TRUE(load(makeBmp(16, 16)));
    std::vector<std::uint8_t> bytes = makeBmp(1, 1);
    putLe32(bytes, 18, bmpMaxSide);
    putLe32(bytes, 22, std::uint32_t(-bmpMaxSide));
    EXPECT_FALSE(load(bytes));
    expectEmpty(imageTable[5]);
}

TEST_F(BmpReader, DirectoryMissingFileAndBadIdFailCleanly)
{
    ASSERT_TRUE(load(makeBmp(2, 2)));
    fs::create_directory(folder.path / "dir.bmp");
    EXPECT_FALSE(loadBmp((folder.path / "dir.bmp").string(), 5));
    expectPicture(imageTable[5], 2, 2);

    EXPECT_FALSE(loadBmp((folder.path / "missing.bmp").string(), 5));
    EXPECT_FALSE(fs::exists(folder.path / "missing.bmp")); // never created
    EXPECT_FALSE(loadBmp((folder.path / "nofolder" / "x.bmp").string(), 5));
    EXPECT_FALSE(fs::exists(folder.path / "nofolder"));

    EXPECT_FALSE(load(makeBmp(2, 2), -1));
    EXPECT_FALSE(load(makeBmp(2, 2), imageCount));
    EXPECT_TRUE(load(makeBmp(2, 2), imageCount - 1));
}

// What the tool writes is what the program reads: every width's row padding,
// the file's bottom-up rows and its blue-green-red order, for pictures given
// top row first.
TEST_F(BmpReader, WrittenFilesReadBackAsThePicturesWritten)
{
    for (const auto& [width, height] : {std::pair{16, 16}, {1, 1}, {3, 2}, {5, 7}, {10, 10}}) {
        std::vector<std::uint8_t> topFirst;
        for (int row = height - 1; row >= 0; --row)
            for (int x = 0; x < width; ++x) {
                const TestRgb rgb = testPixel(x, row);
                topFirst.insert(topFirst.end(), {rgb.r, rgb.g, rgb.b});
            }
        const fs::path path = folder.path / "written.bmp";
        std::string error;
        ASSERT_TRUE(writeBmp24(path.string(), width, height, topFirst, error)) << error;
        ASSERT_TRUE(loadBmp(path.string(), 7)) << width << "x" << height;
        expectPicture(imageTable[7], width, height);
    }
    std::string error;
    EXPECT_FALSE(writeBmp24((folder.path / "none.bmp").string(), 0, 4, {}, error));
    EXPECT_FALSE(writeBmp24((folder.path / "no" / "such.bmp").string(), 1, 1, {1, 2, 3}, error));
    EXPECT_FALSE(error.empty());
}
