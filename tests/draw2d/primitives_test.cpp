// plotPixel's clipping and byte layout, and the exact pixel sets drawLine
// produces with its minor-delta accumulator.
#include "draw2d/primitives.h"
#include "platform/video.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace {
using Point = std::pair<int, int>;

std::size_t framebufferBytes()
{
    return std::size_t(screenWidth) * screenHeight * 4;
}

std::vector<std::uint8_t> framebufferCopy()
{
    return {framebuffer.get(), framebuffer.get() + framebufferBytes()};
}

// Every pixel a drawing set, read from a framebuffer cleared before it.
std::set<Point> writtenPixels()
{
    std::set<Point> points;
    for (int y = 0; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x)
            if (framebuffer[(std::size_t(y) * screenWidth + x) * 4 + 3] == 255)
                points.insert({x, y});
    return points;
}

std::set<Point> lineOnClearedFrame(int x0, int y0, int x1, int y1)
{
    std::memset(framebuffer.get(), 0, framebufferBytes());
    drawLine(x0, y0, x1, y1, 255, 255, 255);
    return writtenPixels();
}

class Primitives : public testing::TestWithParam<Point> {
protected:
    void SetUp() override { setVideoMode(GetParam().first, GetParam().second); }
};
}

TEST_P(Primitives, PixelsOutsideTheFramebufferChangeNothing)
{
    const int w = screenWidth;
    const int h = screenHeight;
    const std::vector<std::uint8_t> before = framebufferCopy();
    for (const Point& p : {Point{w, 0}, Point{0, h}, Point{-1, 5}, Point{5, -1}, Point{w, h},
                           Point{-1, -1}, Point{w + 1000, 3}, Point{3, -1000}})
        plotPixel(p.first, p.second, 9, 9, 9);
    EXPECT_EQ(framebufferCopy(), before);
}

TEST_P(Primitives, CornerPixelsWriteTheFirstAndLastFourBytes)
{
    plotPixel(0, 0, 1, 2, 3);
    plotPixel(screenWidth - 1, screenHeight - 1, 4, 5, 6);
    const std::vector<std::uint8_t> bytes = framebufferCopy();
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4),
              (std::vector<std::uint8_t>{1, 2, 3, 255}));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.end() - 4, bytes.end()),
              (std::vector<std::uint8_t>{4, 5, 6, 255}));
    EXPECT_EQ(writtenPixels().size(), 2u);
}

TEST_P(Primitives, PixelRowsCountUpFromTheBottomAndColoursKeepTheirLowByte)
{
    plotPixel(2, 1, 256 + 10, -1, 511);
    const std::size_t at = (std::size_t(1) * screenWidth + 2) * 4;
    EXPECT_EQ(framebuffer[at], 10);
    EXPECT_EQ(framebuffer[at + 1], 255);
    EXPECT_EQ(framebuffer[at + 2], 255);
}

INSTANTIATE_TEST_SUITE_P(BothModes, Primitives, testing::Values(Point{320, 240}, Point{640, 480}));

TEST(DrawLine, ShallowLineKeepsItsFirstRowLongAndDependsOnDirection)
{
    setVideoMode(320, 240);
    EXPECT_EQ(lineOnClearedFrame(0, 0, 4, 2), (std::set<Point>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    EXPECT_EQ(lineOnClearedFrame(4, 2, 0, 0), (std::set<Point>{{4, 2}, {3, 2}, {2, 1}, {1, 1}, {0, 0}}));
    std::set<Point> longShallow;
    for (int x = 0; x <= 9; ++x)
        longShallow.insert({x, 0});
    longShallow.insert({10, 1});
    EXPECT_EQ(lineOnClearedFrame(0, 0, 10, 1), longShallow);
}

TEST(DrawLine, SteepLineSwapsTheRolesOfTheAxes)
{
    setVideoMode(320, 240);
    EXPECT_EQ(lineOnClearedFrame(0, 0, 2, 4), (std::set<Point>{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}));
}

TEST(DrawLine, DiagonalAndSinglePoint)
{
    setVideoMode(320, 240);
    EXPECT_EQ(lineOnClearedFrame(0, 0, 3, 3), (std::set<Point>{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    EXPECT_EQ(lineOnClearedFrame(7, 9, 7, 9), (std::set<Point>{{7, 9}}));
}
