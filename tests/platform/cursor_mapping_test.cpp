// The cursor-to-framebuffer mapping as a pure function, and through mouseX /
// mouseY with a virtual cursor over a real (offscreen) window.
#include "platform/input.h"
#include "platform/test_seam.h"
#include "platform/video.h"
#include "platform/window.h"

#include <gtest/gtest.h>

TEST(CursorMapping, OutsideTheWindowClampsToTheNearestEdge)
{
    EXPECT_EQ(mapCursorAxis(-1, 640, 320), 0);
    EXPECT_EQ(mapCursorAxis(-5000, 640, 320), 0);
    EXPECT_EQ(mapCursorAxis(640, 640, 320), 319);
    EXPECT_EQ(mapCursorAxis(9000, 640, 320), 319);
    EXPECT_EQ(mapCursorAxis(-3, 480, 240), 0);
    EXPECT_EQ(mapCursorAxis(481, 480, 240), 239);
}

TEST(CursorMapping, DividesFirstThenScalesAndTruncates)
{
    EXPECT_EQ(mapCursorAxis(639, 640, 320), 319); // 319.5
    EXPECT_EQ(mapCursorAxis(1, 480, 240), 0);     // 0.5
    EXPECT_EQ(mapCursorAxis(3, 640, 320), 1);     // 1.5
    EXPECT_EQ(mapCursorAxis(300, 1280, 640), 150);
}

TEST(CursorMapping, AZeroSizedWindowGivesZero)
{
    EXPECT_EQ(mapCursorAxis(10, 0, 320), 0);
}

class MouseOverWindow : public testing::Test {
protected:
    void SetUp() override
    {
        setVideoMode(320, 240);
        pixelScale = 2;
        ASSERT_TRUE(openGameWindow());
    }
    void TearDown() override
    {
        stopCursorOverride();
        destroyWindowAndContext();
    }
};

TEST_F(MouseOverWindow, CornersOfA640By480WindowAt320By240)
{
    overrideCursor(0, 0); // the window's top-left pixel
    EXPECT_EQ(mouseX(), 0);
    EXPECT_EQ(mouseY(), 239);
    overrideCursor(639, 479); // its bottom-right pixel
    EXPECT_EQ(mouseX(), 319);
    EXPECT_EQ(mouseY(), 0);
}

TEST_F(MouseOverWindow, CursorOutsideTheWindow)
{
    overrideCursor(-40, 1000); // left of and below the window
    EXPECT_EQ(mouseX(), 0);
    EXPECT_EQ(mouseY(), 0);
    overrideCursor(700, -10); // right of and above it
    EXPECT_EQ(mouseX(), 319);
    EXPECT_EQ(mouseY(), 239);
}

TEST(MouseWithoutWindow, ReadsZero)
{
    destroyWindowAndContext();
    overrideCursor(100, 100);
    EXPECT_EQ(mouseX(), 0);
    EXPECT_EQ(mouseY(), 0);
    stopCursorOverride();
}

TEST(KeyTable, HeldKeysAndCodesOutsideTheTable)
{
    releaseAllKeys();
    EXPECT_EQ(keyDown(vkEscape), 0);
    setKeyHeld(vkEscape, true);
    EXPECT_EQ(keyDown(vkEscape), 1);
    setKeyHeld(vkEscape, false);
    EXPECT_EQ(keyDown(vkEscape), 0);
    setKeyHeld(-1, true);
    setKeyHeld(256, true);
    EXPECT_EQ(keyDown(-1), 0);
    EXPECT_EQ(keyDown(256), 0);
}
