// Image blits: placement and orientation, the width-sized square, pictures
// shorter than wide, ids with nothing to draw, and the two key colours.
#include "assets/image_table.h"
#include "draw2d/blit.h"
#include "platform/video.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <vector>

namespace {
using Rgb = std::array<int, 3>;

// Fills image id with width x height pixels; the block is exactly that size,
// so a read past it is a read past the allocation.
void makeImage(int id, int width, int height, const std::function<Rgb(int column, int row)>& colour)
{
    ImageRecord& image = imageTable[id];
    image.width = width;
    image.height = height;
    image.bytesPerPixel = 3;
    image.pixels = std::make_unique<std::uint8_t[]>(std::size_t(width) * height * 3);
    for (int i = 0; i < height; ++i)
        for (int j = 0; j < width; ++j) {
            const Rgb c = colour(j, i);
            std::uint8_t* p = image.pixels.get() + (std::size_t(i) * width + j) * 3;
            p[0] = std::uint8_t(c[0]);
            p[1] = std::uint8_t(c[1]);
            p[2] = std::uint8_t(c[2]);
        }
}

std::array<int, 4> pixelAt(int x, int y)
{
    const std::uint8_t* p = framebuffer.get() + (std::size_t(y) * screenWidth + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

int writtenPixelCount()
{
    int count = 0;
    for (int i = 0; i < screenWidth * screenHeight; ++i)
        count += framebuffer[std::size_t(i) * 4 + 3] == 255;
    return count;
}

std::vector<std::uint8_t> framebufferCopy()
{
    const std::size_t bytes = std::size_t(screenWidth) * screenHeight * 4;
    return {framebuffer.get(), framebuffer.get() + bytes};
}

class Blit : public testing::Test {
protected:
    void SetUp() override
    {
        setVideoMode(320, 240);
        allocateImageTable();
    }
    void TearDown() override { releaseImageTable(); }
};
}

TEST_F(Blit, ImageRowZeroLandsOnRowYAndColumnZeroOnColumnX)
{
    makeImage(5, 16, 16, [](int j, int i) { return Rgb{j, i, 7}; });
    blitImage(40, 30, 5);
    EXPECT_EQ(pixelAt(40, 30), (std::array<int, 4>{0, 0, 7, 255}));
    EXPECT_EQ(pixelAt(55, 30), (std::array<int, 4>{15, 0, 7, 255}));
    EXPECT_EQ(pixelAt(40, 45), (std::array<int, 4>{0, 15, 7, 255}));
    EXPECT_EQ(pixelAt(47, 33), (std::array<int, 4>{7, 3, 7, 255}));
    EXPECT_EQ(writtenPixelCount(), 256);
}

TEST_F(Blit, ImagesAreClippedAtEveryEdge)
{
    makeImage(5, 16, 16, [](int, int) { return Rgb{1, 2, 3}; });
    blitImage(-8, -8, 5);
    EXPECT_EQ(writtenPixelCount(), 64);
    blitImage(312, 232, 5);
    EXPECT_EQ(writtenPixelCount(), 128);
    blitImage(-100, 100, 5);
    blitImage(100, 500, 5);
    EXPECT_EQ(writtenPixelCount(), 128);
}

TEST_F(Blit, ShortImageDrawsOnlyItsRealRowsAndTallImageAWidthSquare)
{
    makeImage(6, 4, 2, [](int j, int i) { return Rgb{10 + j, 20 + i, 30}; });
    blitImage(0, 0, 6);
    EXPECT_EQ(writtenPixelCount(), 8);
    EXPECT_EQ(pixelAt(3, 1), (std::array<int, 4>{13, 21, 30, 255}));
    EXPECT_EQ(pixelAt(0, 2)[3], 0);

    makeImage(7, 2, 4, [](int, int) { return Rgb{1, 1, 1}; });
    blitImage(100, 100, 7);
    EXPECT_EQ(writtenPixelCount(), 8 + 4); // the height is not consulted
    EXPECT_EQ(pixelAt(100, 102)[3], 0);
}

TEST_F(Blit, IdsOutsideTheTableAndEmptyEntriesDrawNothing)
{
    makeImage(0, 16, 16, [](int, int) { return Rgb{1, 1, 1}; });
    makeImage(imageCount - 1, 16, 16, [](int, int) { return Rgb{1, 1, 1}; });
    for (int id : {-1, imageCount, imageCount + 16, 12, -1000000}) {
        blitImage(0, 0, id);
        blitImageKeyed(0, 0, id);
    }
    EXPECT_EQ(writtenPixelCount(), 0);
}

TEST_F(Blit, KeyedBlitSkipsMagentaAndBlackOnly)
{
    makeImage(8, 16, 16, [](int, int) { return Rgb{255, 0, 246}; });
    std::memset(framebuffer.get(), 77, std::size_t(screenWidth) * screenHeight * 4);
    const std::vector<std::uint8_t> before = framebufferCopy();
    blitImageKeyed(10, 10, 8);
    EXPECT_EQ(framebufferCopy(), before);

    // Row 0: the two keys, then colours one step away from each.
    const std::array<Rgb, 6> row = {Rgb{255, 0, 246}, Rgb{0, 0, 0},   Rgb{255, 0, 245},
                                    Rgb{254, 0, 246}, Rgb{255, 1, 246}, Rgb{0, 0, 1}};
    makeImage(9, 6, 1, [&](int j, int) { return row[std::size_t(j)]; });
    blitImageKeyed(10, 10, 9);
    EXPECT_EQ(pixelAt(10, 10), (std::array<int, 4>{77, 77, 77, 77}));
    EXPECT_EQ(pixelAt(11, 10), (std::array<int, 4>{77, 77, 77, 77}));
    for (int j = 2; j < 6; ++j) {
        const Rgb& c = row[std::size_t(j)];
        EXPECT_EQ(pixelAt(10 + j, 10), (std::array<int, 4>{c[0], c[1], c[2], 255})) << j;
    }

    blitImage(10, 10, 9); // the plain blit draws the keys as they are
    EXPECT_EQ(pixelAt(10, 10), (std::array<int, 4>{255, 0, 246, 255}));
    EXPECT_EQ(pixelAt(11, 10), (std::array<int, 4>{0, 0, 0, 255}));
}
