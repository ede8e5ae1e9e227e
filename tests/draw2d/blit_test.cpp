// Image blits: orientation, the width-sized square, pictures shorter than
// wide, ids with nothing to draw, the two key colours, clipping at and far
// past every edge, and a run of blits drawn as if one after another.
#include "draw2d/blit.h"
#include "tests/draw2d/reference_blit.h"
#include "tests/draw2d/test_images.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>

namespace {
constexpr Rgba unwritten = {0, 0, 0, 0};

class Blit : public testing::Test {
protected:
    void SetUp() override
    {
        setVideoMode(320, 240);
        allocateImageTable();
    }
    void TearDown() override { releaseImageTable(); }
    static int written() { return screenWidth * screenHeight - pixelsOfColour(unwritten); }
};
}

TEST_F(Blit, ImageRowZeroLandsOnRowYAndColumnZeroOnColumnX)
{
    makeImage(5, 16, 16, [](int j, int i) { return Rgba{j, i, 7, 0}; });
    blitImage(40, 30, 5);
    EXPECT_EQ(pixelAt(40, 30), (Rgba{0, 0, 7, 255}));
    EXPECT_EQ(pixelAt(55, 30), (Rgba{15, 0, 7, 255}));
    EXPECT_EQ(pixelAt(47, 45), (Rgba{7, 15, 7, 255}));
    EXPECT_EQ(written(), 256);
}

TEST_F(Blit, ShortImageDrawsOnlyItsRealRowsAndTallImageAWidthSquare)
{
    makeImage(6, 4, 2, [](int j, int i) { return Rgba{10 + j, 20 + i, 30, 0}; });
    blitImage(0, 0, 6);
    EXPECT_EQ(written(), 8);
    EXPECT_EQ(pixelAt(3, 1), (Rgba{13, 21, 30, 255}));

    makeImage(7, 2, 4, [](int, int) { return Rgba{1, 1, 1, 0}; });
    blitImage(100, 100, 7);
    EXPECT_EQ(written(), 8 + 4); // the height is not consulted
}

TEST_F(Blit, IdsOutsideTheTableAndEmptyEntriesDrawNothing)
{
    makeTile(0, {1, 1, 1, 0});
    makeTile(imageCount - 1, {1, 1, 1, 0});
    for (int id : {-1, imageCount, 12, -1000000}) {
        blitImage(0, 0, id);
        blitImageKeyed(0, 0, id);
    }
    EXPECT_EQ(written(), 0);
}

TEST_F(Blit, KeyedBlitSkipsMagentaAndBlackOnly)
{
    const Rgba background = {77, 77, 77, 77};
    std::memset(framebuffer.get(), 77, std::size_t(screenWidth) * screenHeight * 4);
    makeTile(8, {255, 0, 246, 0});
    blitImageKeyed(10, 10, 8);
    EXPECT_EQ(pixelsOfColour(background), screenWidth * screenHeight);

    // The two keys, then colours one step away from each.
    const Rgba row[] = {{255, 0, 246, 0}, {0, 0, 0, 0},     {255, 0, 245, 0},
                        {254, 0, 246, 0}, {255, 1, 246, 0}, {0, 0, 1, 0}};
    makeImage(9, 6, 1, [&](int j, int) { return row[j]; });
    blitImageKeyed(10, 10, 9);
    EXPECT_EQ(pixelAt(10, 10), background);
    EXPECT_EQ(pixelAt(11, 10), background);
    for (int j = 2; j < 6; ++j)
        EXPECT_EQ(pixelAt(10 + j, 10), (Rgba{row[j][0], row[j][1], row[j][2], 255})) << j;
}

namespace {
// Positions at, just past and far past each edge, to the ends of the int
// range, for a picture of the given side on a screen of the given extent.
std::vector<int> edgePositions(int side, int screen)
{
    return {INT_MIN, INT_MIN + 1, -1000000, -side, -side + 1, -1, 0, 3,
            screen - side, screen - 1, screen, INT_MAX - side + 1, INT_MAX};
}
}

TEST_F(Blit, ClipsAtAndPastEveryEdgeToThePixelsOfAPixelByPixelBlit)
{
    const int sizes[][2] = {{20, 20}, {30, 9}, {400, 3}, {1, 1}}; // 400 is wider than the screen
    for (const auto& size : sizes) {
        makePatternImage(20, size[0], size[1], 3);
        for (int x : edgePositions(size[0], screenWidth))
            for (int y : edgePositions(size[0], screenHeight))
                for (bool keyed : {false, true}) {
                    Frame want = clearedFrame();
                    referenceBlit(want, x, y, 20, keyed);
                    (keyed ? blitImageKeyed : blitImage)(x, y, 20);
                    ASSERT_TRUE(framebufferIs(want))
                        << size[0] << "x" << size[1] << " at " << x << ", " << y << ", " << keyed;
                }
    }
}

// Random runs over pictures narrower and wider than the screen, shorter than
// wide, empty, placed across every edge, on a screen whose width is no
// multiple of 64 and on the 3D view's.
TEST_F(Blit, RunInOrderLeavesThePixelsOfDrawingEachBlitInTurn)
{
    std::mt19937 random(7);
    const int widths[] = {1, 7, 16, 17, 63, 64, 65, 130, 330, 400};
    auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    for (auto [width, height] : {std::pair{100, 37}, {320, 240}}) {
        setVideoMode(width, height);
        for (int trial = 0; trial < 60; ++trial) {
            for (int id = 1; id <= 6; ++id) {
                const int side = widths[pick(0, 9)];
                makePatternImage(id, side, pick(0, 1) ? side : pick(1, side), id);
            }
            imageTable[7] = ImageRecord{};
            std::vector<PlacedImage> run(std::size_t(pick(1, 25)));
            for (PlacedImage& image : run)
                image = {pick(-420, width + 5), pick(-420, height + 5), pick(-1, 7)};
            const int farOff[] = {INT_MIN, INT_MAX - 5};
            if (pick(0, 4) == 0)
                run[0] = {farOff[pick(0, 1)], farOff[pick(0, 1)], 1};
            Frame want = clearedFrame();
            for (const PlacedImage& image : run)
                referenceBlit(want, image.x, image.y, image.id);
            blitImagesInOrder(run);
            ASSERT_TRUE(framebufferIs(want)) << width << "x" << height << " trial " << trial;
        }
    }
}
