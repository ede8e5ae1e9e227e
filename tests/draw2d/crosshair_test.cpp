// The crosshair at the mouse, mapped from a virtual cursor over a 320 x 240
// window shown at scale 2 (640 x 480 desktop pixels at the origin).
#include "draw2d/crosshair.h"
#include "platform/input.h"
#include "platform/test_seam.h"
#include "platform/video.h"
#include "platform/window.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {
using Point = std::pair<int, int>;

std::set<Point> whitePixels()
{
    std::set<Point> points;
    for (int y = 0; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x) {
            const std::uint8_t* p = framebuffer.get() + (std::size_t(y) * screenWidth + x) * 4;
            if (p[0] == 255 && p[1] == 255 && p[2] == 255 && p[3] == 255)
                points.insert({x, y});
        }
    return points;
}

// The plus at (mx, my) with arms of 5, minus what falls off the screen.
std::set<Point> expectedPlus(int mx, int my)
{
    std::set<Point> points;
    for (int d = -5; d <= 5; ++d) {
        if (mx + d >= 0 && mx + d < screenWidth)
            points.insert({mx + d, my});
        if (my + d >= 0 && my + d < screenHeight)
            points.insert({mx, my + d});
    }
    return points;
}

class Crosshair : public testing::Test {
protected:
    void SetUp() override
    {
        setVideoMode(320, 240);
        pixelScale = 2;
        ASSERT_TRUE(openGameWindow());
        int left, top, width, height;
        ASSERT_TRUE(gameWindowRect(left, top, width, height));
        ASSERT_EQ(left, 0);
        ASSERT_EQ(top, 0);
        ASSERT_EQ(height, 480);
    }
    void TearDown() override
    {
        stopCursorOverride();
        destroyWindowAndContext();
    }
    // Places the cursor on framebuffer pixel (mx, my): desktop y grows down.
    static void cursorOnPixel(int mx, int my) { overrideCursor(mx * 2, 479 - my * 2); }
};
}

TEST_F(Crosshair, FullPlusAwayFromTheEdges)
{
    cursorOnPixel(100, 50);
    ASSERT_EQ(mouseX(), 100);
    ASSERT_EQ(mouseY(), 50);
    drawCrosshair();
    EXPECT_EQ(whitePixels(), expectedPlus(100, 50));
    EXPECT_EQ(whitePixels().size(), 21u);
}

TEST_F(Crosshair, CornersKeepOnlyTheArmsInside)
{
    cursorOnPixel(0, 0);
    drawCrosshair();
    EXPECT_EQ(whitePixels(), expectedPlus(0, 0));
    EXPECT_EQ(whitePixels().size(), 11u); // an L of two 6-pixel arms

    clearFrame();
    cursorOnPixel(319, 239);
    drawCrosshair();
    EXPECT_EQ(whitePixels(), expectedPlus(319, 239));
    EXPECT_EQ(whitePixels().size(), 11u);
}
