// Holding M: the window's top-left corner follows the cursor at the size of
// the current mode and scale.
#include "app/keys.h"
#include "platform/input.h"
#include "platform/test_seam.h"
#include "platform/video.h"
#include "platform/window.h"

#include <gtest/gtest.h>

namespace {
class WindowMoveKey : public testing::Test {
protected:
    void SetUp() override
    {
        releaseAllKeys();
        setVideoMode(640, 480);
        pixelScale = 1;
        ASSERT_TRUE(openGameWindow());
    }
    void TearDown() override
    {
        releaseAllKeys();
        stopCursorOverride();
        destroyWindowAndContext();
    }
};
}

TEST_F(WindowMoveKey, WindowFollowsTheCursorOnlyWhileMIsHeld)
{
    int left, top, width, height;
    overrideCursor(130, 70);
    setKeyHeld(vkM, true);
    handleWindowKeys();
    ASSERT_TRUE(gameWindowRect(left, top, width, height));
    EXPECT_EQ(left, 130);
    EXPECT_EQ(top, 70);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);

    overrideCursor(10, 250);
    handleWindowKeys();
    ASSERT_TRUE(gameWindowRect(left, top, width, height));
    EXPECT_EQ(left, 10);
    EXPECT_EQ(top, 250);
    EXPECT_EQ(mouseX(), 0); // the cursor now sits on the top-left corner
    EXPECT_EQ(mouseY(), 479);

    setKeyHeld(vkM, false);
    overrideCursor(300, 300);
    handleWindowKeys();
    ASSERT_TRUE(gameWindowRect(left, top, width, height));
    EXPECT_EQ(left, 10);
    EXPECT_EQ(top, 250);
}
