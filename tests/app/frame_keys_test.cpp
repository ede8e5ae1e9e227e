// The keys the frame loop tests after presenting: scale keys, Escape and the
// mode switches, each independent of the others.
#include "app/keys.h"
#include "platform/input.h"
#include "platform/quit.h"
#include "platform/video.h"
#include "platform/window.h"

#include <gtest/gtest.h>

class FrameKeys : public testing::Test {
protected:
    void SetUp() override
    {
        quitFlag = 0;
        releaseAllKeys();
        setVideoMode(320, 240);
        pixelScale = 2;
        ASSERT_TRUE(openGameWindow());
    }
    void TearDown() override
    {
        releaseAllKeys();
        quitFlag = 0;
        destroyWindowAndContext();
    }
    static void windowSize(int& width, int& height)
    {
        int left, top;
        ASSERT_TRUE(gameWindowRect(left, top, width, height));
    }
};

TEST_F(FrameKeys, F6AndF7TogetherEndAt640By480)
{
    setKeyHeld(vkF6, true);
    setKeyHeld(vkF7, true);
    handleQuitAndModeKeys();
    EXPECT_EQ(screenWidth, 640);
    EXPECT_EQ(screenHeight, 480);
    int width, height;
    windowSize(width, height);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 960);
}

TEST_F(FrameKeys, EscapeDoesNotCancelAModeSwitchInTheSameFrame)
{
    setKeyHeld(vkEscape, true);
    setKeyHeld(vkF7, true);
    handleQuitAndModeKeys();
    EXPECT_EQ(quitFlag, 1);
    EXPECT_EQ(screenWidth, 640);
}

TEST_F(FrameKeys, ScaleKeysReopenAtEachHeldScaleAndTheHighestRemains)
{
    setKeyHeld(vkF1, true);
    setKeyHeld(vkF1 + 2, true);
    handleWindowKeys();
    EXPECT_EQ(pixelScale, 3);
    int width, height;
    windowSize(width, height);
    EXPECT_EQ(width, 960);
    EXPECT_EQ(height, 720);
    EXPECT_EQ(screenWidth, 320); // the mode is kept
}

TEST_F(FrameKeys, F5At640By480GivesA3200By2400Window)
{
    setKeyHeld(vkF7, true);
    handleQuitAndModeKeys();
    releaseAllKeys();
    setKeyHeld(vkF5, true);
    handleWindowKeys();
    int width, height;
    windowSize(width, height);
    EXPECT_EQ(width, 3200);
    EXPECT_EQ(height, 2400);
}
