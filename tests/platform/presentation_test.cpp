// Presentation through a real GL context on SDL's offscreen driver: where
// framebuffer pixels land in the window, what a cleared frame shows, the
// background key, and the reallocation of the buffers by a mode switch.
#include "platform/video.h"
#include "platform/window.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <vector>

namespace {
using Rgb = std::array<int, 3>;

// The window's visible picture (the front buffer after the swap).
std::vector<std::uint8_t> readWindow(int width, int height)
{
    std::vector<std::uint8_t> pixels(std::size_t(width) * height * 3);
    glReadBuffer(GL_FRONT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glReadBuffer(GL_BACK);
    return pixels;
}

Rgb windowPixel(const std::vector<std::uint8_t>& pixels, int width, int x, int y)
{
    const std::size_t at = (std::size_t(y) * width + x) * 3;
    return {pixels[at], pixels[at + 1], pixels[at + 2]};
}

void plotTestPixel(int x, int y, Rgb colour)
{
    std::uint8_t* pixel = framebuffer.get() + (std::size_t(y) * screenWidth + x) * 4;
    pixel[0] = std::uint8_t(colour[0]);
    pixel[1] = std::uint8_t(colour[1]);
    pixel[2] = std::uint8_t(colour[2]);
    pixel[3] = 255;
}

class Presentation : public testing::Test {
protected:
    void SetUp() override
    {
        setVideoMode(320, 240);
        pixelScale = 2;
        ASSERT_TRUE(openGameWindow());
    }
    void TearDown() override { destroyWindowAndContext(); }
};
}

TEST_F(Presentation, PixelZeroLandsBottomLeftAsAScaleSizedBlock)
{
    clearFrame();
    plotTestPixel(0, 0, {10, 200, 30});
    plotTestPixel(319, 239, {90, 80, 70});
    presentFrame();
    const auto window = readWindow(640, 480);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(windowPixel(window, 640, x, y), (Rgb{10, 200, 30})) << x << "," << y;
    EXPECT_EQ(windowPixel(window, 640, 2, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(windowPixel(window, 640, 0, 2), (Rgb{0, 0, 0}));
    EXPECT_EQ(windowPixel(window, 640, 639, 479), (Rgb{90, 80, 70}));
    EXPECT_EQ(windowPixel(window, 640, 638, 478), (Rgb{90, 80, 70}));
}

TEST_F(Presentation, AClearedFrameShowsBlackEverywhere)
{
    clearFrame();
    presentFrame();
    const auto window = readWindow(640, 480);
    for (std::uint8_t byte : window)
        ASSERT_EQ(byte, 0);
}

TEST_F(Presentation, BackgroundKeyIsWhatTheClearColourReadsBackAs)
{
    clearFrame();
    std::uint8_t cleared[3] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(100, 100, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, cleared);
    EXPECT_EQ(cleared[0], backgroundKey[0]);
    EXPECT_EQ(cleared[1], backgroundKey[1]);
    EXPECT_EQ(cleared[2], backgroundKey[2]);
    // The clear colour is (1, 0, 0.9): full red, no green, blue near 229.
    EXPECT_EQ(backgroundKey[0], 255);
    EXPECT_EQ(backgroundKey[1], 0);
    EXPECT_NEAR(backgroundKey[2], 229, 1);
}

TEST_F(Presentation, ViewportStays320By240WhateverTheWindow)
{
    switchVideoMode(640, 480);
    switchPixelScale(3);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 240);
    int left, top, width, height;
    ASSERT_TRUE(gameWindowRect(left, top, width, height));
    EXPECT_EQ(width, 1920);
    EXPECT_EQ(height, 1440);
}

TEST_F(Presentation, ModeSwitchReallocatesEvenAtTheSameSize)
{
    pixelScale = 4;
    std::fill_n(framebuffer.get(), 320 * 240 * 4, 0xAB);
    switchVideoMode(320, 240);
    EXPECT_EQ(pixelScale, 2);
    EXPECT_EQ(screenWidth, 320);
    for (int i = 0; i < 320 * 240 * 4; ++i)
        ASSERT_EQ(framebuffer[i], 0) << i;
    EXPECT_TRUE(windowIsOpen());
}

// Motion is a step per frame, so frames come at most 60 a second whatever the
// display: this window (the offscreen driver's) has no vsync at all. Only the
// least time the frames may take is checked, which a busy machine cannot
// make shorter.
TEST_F(Presentation, FramesComeAtMostSixtyASecond)
{
    presentFrame();
    const auto start = std::chrono::steady_clock::now();
    for (int frame = 0; frame < 30; ++frame)
        presentFrame();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30 * 1000 / 60));
}

TEST(VideoMode, SetVideoModeSizesBothBuffersAndZeroesThem)
{
    setVideoMode(640, 480);
    std::fill_n(readBackBuffer.get(), 640 * 480 * 4, 7);
    setVideoMode(640, 480);
    EXPECT_EQ(screenWidth, 640);
    EXPECT_EQ(screenHeight, 480);
    EXPECT_EQ(readBackBuffer[640 * 480 * 4 - 1], 0);
    releaseVideoBuffers();
    EXPECT_EQ(framebuffer, nullptr);
    EXPECT_EQ(readBackBuffer, nullptr);
}
