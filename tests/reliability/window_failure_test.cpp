// Window openings refused in the middle of a run and at start-up: the user is
// told, the loop goes on without a window, and the next switch recovers.
#include "app/game.h"
#include "assets/units.h"
#include "platform/input.h"
#include "platform/pause.h"
#include "platform/quit.h"
#include "platform/test_seam.h"
#include "platform/video.h"
#include "platform/window.h"
#include "view3d/camera.h"
#include "world/grid.h"
#include "world/view_cell.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {
constexpr std::uint32_t worldSeed = 11;
const char* const refusedMessage = "ERROR: Window Creation Error.";

// What the camera and the view cell are; a recovered window must draw the
// same picture from the same place.
struct Viewpoint {
    int sx, sy, sz;
    UnitRecord player;
    float yaw, pitch;
};

class WindowFailure : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::filesystem::current_path(UNDERCROFT_RUN_DIR);
        useVirtualClock(true);
    }
    void TearDown() override
    {
        failNextWindowOpenings(0);
        releaseAllKeys();
        destroyWindowAndContext(); // shutdown leaves the window to the system
        runShutdown();
        quitFlag = 0;
        SX = SY = 0;
        SZ = 12;
        viewYaw = viewPitch = 0;
    }

    // Start-up with the first `refused` window openings failing; returns
    // what start-up wrote on stderr.
    static std::string startUp(int refused)
    {
        failNextWindowOpenings(refused);
        testing::internal::CaptureStderr();
        runStartup(worldSeed);
        return testing::internal::GetCapturedStderr();
    }

    // One frame with exactly these keys held; returns its stderr.
    static std::string frameWith(const std::vector<int>& keys)
    {
        releaseAllKeys();
        for (int key : keys)
            setKeyHeld(key, true);
        testing::internal::CaptureStderr();
        runFrame();
        return testing::internal::GetCapturedStderr();
    }

    // Frames of every kind without a window: flying, turning, moving, the
    // layer keys, the window-move key, the map and back.
    static void framesWithoutAWindow()
    {
        const std::vector<std::vector<int>> steps = {
            {vkLeftButton}, {vkZ, vkRightButton}, {vkRight, vkUp}, {vkAdd}, {vkSubtract},
            {vkM},          {vkMiddleButton},     {},              {vkLeft, vkDown}};
        for (const std::vector<int>& keys : steps) {
            frameWith(keys);
            EXPECT_FALSE(windowIsOpen());
            EXPECT_EQ(mouseX(), 0);
            EXPECT_EQ(mouseY(), 0);
        }
    }

    static Viewpoint viewpoint()
    {
        return {SX, SY, SZ, playerUnit(), viewYaw, viewPitch};
    }
    static void returnTo(const Viewpoint& point)
    {
        SX = point.sx;
        SY = point.sy;
        SZ = point.sz;
        playerUnit() = point.player;
        viewYaw = point.yaw;
        viewPitch = point.pitch;
    }
    static std::vector<std::uint8_t> picture()
    {
        const std::size_t bytes = std::size_t(screenWidth) * std::size_t(screenHeight) * 4;
        return {framebuffer.get(), framebuffer.get() + bytes};
    }
    static void expectWindow(int width, int height)
    {
        int left, top, w, h;
        ASSERT_TRUE(gameWindowRect(left, top, w, h));
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, height);
        EXPECT_TRUE(windowIsOpen());
    }
};
}

TEST_F(WindowFailure, AScaleSwitchThatFailsLeavesNoWindowAndTheNextSwitchRestoresTheView)
{
    startUp(0);
    frameWith({});
    const Viewpoint before = viewpoint();
    frameWith({});
    const std::vector<std::uint8_t> drawn = picture();

    failNextWindowOpenings(1);
    EXPECT_NE(frameWith({vkF1 + 2}).find(refusedMessage), std::string::npos);
    EXPECT_FALSE(windowIsOpen());
    EXPECT_EQ(pixelScale, 3);
    framesWithoutAWindow();

    returnTo(before);
    EXPECT_EQ(frameWith({vkF1 + 1}), "");
    expectWindow(640, 480);
    returnTo(before);
    frameWith({});
    EXPECT_TRUE(picture() == drawn) << "the reopened window draws another picture";
}

TEST_F(WindowFailure, ModeSwitchesThatFailKeepTheirModeAndALaterOneOpensTheWindow)
{
    startUp(0);
    failNextWindowOpenings(2);
    EXPECT_NE(frameWith({vkF7}).find(refusedMessage), std::string::npos);
    EXPECT_EQ(screenWidth, 640);
    EXPECT_EQ(pixelScale, 2);
    framesWithoutAWindow();
    EXPECT_NE(frameWith({vkF1}).find(refusedMessage), std::string::npos);
    EXPECT_EQ(pixelScale, 1);
    framesWithoutAWindow();

    EXPECT_EQ(frameWith({vkF6}), "");
    EXPECT_EQ(screenWidth, 320);
    expectWindow(640, 480);
    frameWith({vkLeftButton});
    EXPECT_TRUE(windowIsOpen());
}

TEST_F(WindowFailure, StartUpCompletesWithoutAWindowAndF7OpensOne)
{
    EXPECT_NE(startUp(1).find(refusedMessage), std::string::npos);
    EXPECT_FALSE(windowIsOpen());
    ASSERT_TRUE(worldGrid);
    EXPECT_EQ(SZ, 12);
    EXPECT_EQ(playerUnit().cellX, 64);
    framesWithoutAWindow();

    EXPECT_EQ(frameWith({vkF7}), "");
    expectWindow(1280, 960);
    frameWith({vkEscape});
    EXPECT_EQ(quitFlag, 1);
}
