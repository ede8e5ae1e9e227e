// The F12 key over whole frames of a generated world: the file holds the
// frame as shown, one file per press, names by date and time that never
// replace a file, and failures that are reported while the program goes on.
#include "app/game.h"
#include "app/screenshot.h"
#include "platform/input.h"
#include "platform/pause.h"
#include "platform/quit.h"
#include "platform/video.h"
#include "tests/install/test_files.h"
#include "world/view_cell.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {
// 2026-12-07 21:30:45, a fixed moment for the name tests.
std::tm fixedMoment()
{
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 11;
    time.tm_mday = 7;
    time.tm_hour = 21;
    time.tm_min = 30;
    time.tm_sec = 45;
    return time;
}

int lineCount(const std::string& text)
{
    return int(std::count(text.begin(), text.end(), '\n'));
}

class ScreenshotKey : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::filesystem::current_path(UNDERCROFT_RUN_DIR);
        useVirtualClock(true);
        runStartup(5);
        setKeyHeld(vkF7, true); // the map view: a frame of tiles
        runFrame();
        SX = 128;
        SY = 128;
        SZ = 0;
    }
    static void TearDownTestSuite()
    {
        runShutdown();
        screenshotFolder = "screenshots";
    }
    void SetUp() override
    {
        screenshotFolder = temp.path / "screenshots";
        runFrameHolding({}); // F12 starts released
    }
    static void runFrameHolding(std::initializer_list<int> keys)
    {
        releaseAllKeys();
        for (int key : keys)
            setKeyHeld(key, true);
        runFrame();
    }
    std::vector<std::filesystem::path> shots() const { return filesIn(screenshotFolder); }
    TempFolder temp;
};
}

TEST_F(ScreenshotKey, TheFileHoldsTheFrameAsShownAndItsPathIsPrinted)
{
    testing::internal::CaptureStdout();
    runFrameHolding({vkF12});
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_EQ(shots().size(), 1u);
    const std::filesystem::path shot = shots()[0];
    EXPECT_EQ(printed, shot.string() + "\n");

    const Picture picture = readPng(shot);
    ASSERT_EQ(picture.width, screenWidth);
    ASSERT_EQ(picture.height, screenHeight);
    int differing = 0, lit = 0;
    for (int y = 0; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x) {
            // The file's first row is the framebuffer's top row.
            const std::uint8_t* shown = framebuffer.get() + (std::size_t(y) * screenWidth + x) * 4;
            const std::uint8_t* saved =
                picture.rgb.data() + (std::size_t(screenHeight - 1 - y) * screenWidth + x) * 3;
            differing += shown[0] != saved[0] || shown[1] != saved[1] || shown[2] != saved[2];
            lit += shown[0] || shown[1] || shown[2];
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(lit, screenWidth * screenHeight / 2); // overworld tiles, not a black frame
}

TEST_F(ScreenshotKey, AHeldKeySavesOncePerPress)
{
    for (int frame = 0; frame < 4; ++frame)
        runFrameHolding({vkF12});
    EXPECT_EQ(shots().size(), 1u);
    runFrameHolding({});
    runFrameHolding({vkF12, vkRight}); // other keys held alongside do not matter
    EXPECT_EQ(shots().size(), 2u);
}

TEST_F(ScreenshotKey, NamesCountUpWithinOneSecondAndNeverReplaceAFile)
{
    EXPECT_EQ(screenshotName(fixedMoment(), 1), "undercroft-20261207-213045.png");
    EXPECT_EQ(screenshotName(fixedMoment(), 12), "undercroft-20261207-213045-12.png");
    std::tm early{};
    early.tm_year = 2027 - 1900;
    early.tm_mday = 2;
    early.tm_hour = 3;
    EXPECT_EQ(screenshotName(early, 1), "undercroft-20270102-030000.png");

    std::filesystem::create_directories(screenshotFolder);
    writeText(screenshotFolder / "undercroft-20261207-213045.png", "someone else's file");
    EXPECT_EQ(saveScreenshot(fixedMoment()), screenshotFolder / "undercroft-20261207-213045-2.png");
    EXPECT_EQ(saveScreenshot(fixedMoment()), screenshotFolder / "undercroft-20261207-213045-3.png");
    EXPECT_EQ(readText(screenshotFolder / "undercroft-20261207-213045.png"), "someone else's file");
    EXPECT_EQ(shots().size(), 3u);
}

TEST_F(ScreenshotKey, AFileInTheFoldersPlaceIsReportedAndTheProgramGoesOn)
{
    writeText(screenshotFolder, "not a folder");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    runFrameHolding({vkF12});
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(lineCount(report), 1) << report;
    EXPECT_NE(report.find("cannot save screenshot"), std::string::npos) << report;
    EXPECT_EQ(readText(screenshotFolder), "not a folder");
    EXPECT_EQ(quitFlag, 0);

    std::filesystem::remove(screenshotFolder);
    runFrameHolding({});
    runFrameHolding({vkF12});
    EXPECT_EQ(shots().size(), 1u);
}

TEST_F(ScreenshotKey, AWriteThatRunsOutOfRoomLeavesNoFile)
{
    // A file size limit makes writes fail the way a full disk does.
    rlimit previous;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    testing::internal::CaptureStderr();
    const std::filesystem::path saved = saveScreenshot(fixedMoment());
    const std::string report = testing::internal::GetCapturedStderr();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(saved.empty());
    EXPECT_EQ(lineCount(report), 1) << report;
    EXPECT_TRUE(shots().empty());
}

TEST_F(ScreenshotKey, AnUnwritableFolderIsReported)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into any folder";
    std::filesystem::create_directories(screenshotFolder);
    std::filesystem::permissions(screenshotFolder, std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::owner_exec);
    testing::internal::CaptureStderr();
    runFrameHolding({vkF12});
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(lineCount(report), 1) << report;
    EXPECT_NE(report.find("Permission denied"), std::string::npos) << report;
    EXPECT_EQ(quitFlag, 0);
}
