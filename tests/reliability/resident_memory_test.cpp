// Resident memory over long stretches of the loop: reopening the window
// hundreds of times and drawing hundreds of changing map frames must not
// make the process grow once it has warmed up.
#include "app/game.h"
#include "platform/input.h"
#include "platform/pause.h"
#include "platform/resident_memory.h"
#include "platform/video.h"
#include "platform/window.h"
#include "world/view_cell.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {
#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps freed memory in quarantine, so resident memory says
// nothing there; LeakSanitizer checks the same runs for leaks instead.
constexpr bool residentMemoryMeaningful = false;
#else
constexpr bool residentMemoryMeaningful = true;
#endif

class ResidentMemory : public testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::current_path(UNDERCROFT_RUN_DIR);
        useVirtualClock(true);
        runStartup(3);
    }
    void TearDown() override
    {
        releaseAllKeys();
        destroyWindowAndContext();
        runShutdown();
        SX = SY = 0;
        SZ = 12;
    }

    // Runs `count` rounds and returns the growth of resident memory over them.
    template <typename Round>
    static double growthOver(int count, Round round)
    {
        const double before = residentMegabytes();
        for (int i = 0; i < count; ++i)
            round(i);
        const double after = residentMegabytes();
        std::printf("resident memory %.1f MB -> %.1f MB over %d rounds\n", before, after, count);
        return after - before;
    }
};

// A scale switch through every scale and a mode switch to the other mode,
// each followed by a frame in the new window.
void reopenRound(int i)
{
    switchPixelScale(1 + i % 5);
    runFrame();
    if (screenWidth == 320)
        switchVideoMode(640, 480);
    else
        switchVideoMode(320, 240);
    runFrame();
}

// A map frame whose picture differs from the one before: the view moves.
void movingMapFrame(int i)
{
    releaseAllKeys();
    setKeyHeld(i / 100 % 2 ? vkLeft : vkRight, true);
    runFrame();
}
}

TEST_F(ResidentMemory, FiveHundredReopeningRoundsAfterAWarmUpKeepItFlat)
{
    constexpr int warmUpRounds = 50;
    constexpr int measuredRounds = residentMemoryMeaningful ? 500 : 50;
    constexpr double allowedGrowthMb = 3;
    growthOver(warmUpRounds, reopenRound);
    const double growth = growthOver(measuredRounds, reopenRound);
    EXPECT_TRUE(windowIsOpen()) << "after " << 2 * (warmUpRounds + measuredRounds)
                                << " openings a window no longer opens";
    if (!residentMemoryMeaningful)
        GTEST_SKIP() << "resident memory is not measured under AddressSanitizer";
    EXPECT_LT(growth, allowedGrowthMb);
}

TEST_F(ResidentMemory, ChangingMapFramesDoNotPileUpInTheDriver)
{
    constexpr int warmUpFrames = 100;
    constexpr int measuredFrames = 500;
    constexpr double allowedGrowthMb = 3; // a frame's pixel copy is 1.2 MB
    switchVideoMode(640, 480);
    switchPixelScale(1);
    growthOver(warmUpFrames, movingMapFrame);
    const double growth = growthOver(measuredFrames, movingMapFrame);
    if (!residentMemoryMeaningful)
        GTEST_SKIP() << "resident memory is not measured under AddressSanitizer";
    EXPECT_LT(growth, allowedGrowthMb);
}
