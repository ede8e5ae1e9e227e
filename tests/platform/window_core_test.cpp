// The window's portable half over a scripted backend: what a user sees of
// each failed opening or closing (its message, and no window left open),
// presenting and pacing, and when a message box reaches the screen. Linked
// with the window core alone: every system's backend must fit this.
#include "platform/backend.h"
#include "platform/render_state.h"
#include "platform/report.h"
#include "platform/test_seam.h"
#include "platform/video.h"
#include "platform/window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// What the rest of the platform provides to the window core.
int screenWidth = 320;
int screenHeight = 240;
int pixelScale = 2;
std::uint8_t backgroundKey[3] = {};

namespace {
// The scripted system: what it was asked for and what it holds open.
struct ScriptedSystem {
    OpeningFailure openingFails = OpeningFailure::none;
    bool showFails = false;
    unsigned closingFails = 0;
    bool boxesShown = true;

    bool somethingOpen = false; // left by an opening, until a closing
    std::string opened;         // "title WxH bits" of the last request
    int contextsSetUp = 0;
    int cursorHides = 0;
    int shows = 0;
    int presents = 0;
    int paces = 0;
    bool contextRestored = false; // given back, until the core asks
    int keyReleases = 0;
    std::vector<std::string> boxes;
    std::string whyNoWindowSystem;
};
ScriptedSystem scripted;
} // namespace

void setupProjection() {}
void initRenderState() {}
void probeBackgroundKey() { ++scripted.contextsSetUp; }

OpeningFailure openSystemWindow(const char* title, int width, int height, int colourBits)
{
    scripted.opened = std::string(title) + " " + std::to_string(width) + "x" +
                      std::to_string(height) + " " + std::to_string(colourBits);
    // A failure to start the window system leaves nothing open; any later
    // step leaves what came before it for the closing.
    scripted.somethingOpen = scripted.openingFails != OpeningFailure::windowSystem;
    return scripted.openingFails;
}
bool showSystemWindow()
{
    ++scripted.shows;
    return !scripted.showFails;
}
unsigned closeSystemWindow()
{
    scripted.somethingOpen = false;
    return scripted.closingFails;
}
void presentSystemWindow() { ++scripted.presents; }
void paceFrame() { ++scripted.paces; }
bool systemContextRestored()
{
    return std::exchange(scripted.contextRestored, false);
}
bool systemWindowRect(int& left, int& top, int& width, int& height)
{
    left = top = 0;
    width = 640;
    height = 480;
    return true;
}
void moveSystemWindow(int, int, int, int) {}
void hideSystemCursor() { ++scripted.cursorHides; }
bool messageBoxesShown() { return scripted.boxesShown; }
void showSystemMessageBox(const char* caption, const char* text, bool error)
{
    scripted.boxes.push_back(std::string(error ? "! " : "") + caption + ": " + text);
}
void hideWindowsFromNowOn() {}
bool pumpSystemEvent() { return false; }
std::string whyNoWindowSystem() { return scripted.whyNoWindowSystem; }
void reportProblem(const std::string& message) { std::fprintf(stderr, "undercroft: %s\n", message.c_str()); }
void releaseWindowSystemKeys() { ++scripted.keyReleases; }

namespace {
class WindowCore : public testing::Test {
protected:
    void SetUp() override
    {
        destroyWindowAndContext();
        scripted = {};
    }

    // Runs `action` and returns what it wrote on stderr.
    template <typename Action>
    static std::string stderrOf(Action action)
    {
        testing::internal::CaptureStderr();
        action();
        return testing::internal::GetCapturedStderr();
    }
};
} // namespace

TEST_F(WindowCore, AnOpeningAsksForTheGameWindowSetsUpItsContextAndHidesTheCursor)
{
    EXPECT_EQ(stderrOf([] { EXPECT_TRUE(openGameWindow()); }), "");
    EXPECT_EQ(scripted.opened, "GAME 640x480 16");
    EXPECT_TRUE(windowIsOpen());
    EXPECT_EQ(scripted.shows, 1);
    EXPECT_EQ(scripted.contextsSetUp, 1);
    EXPECT_EQ(scripted.cursorHides, 1);
    EXPECT_TRUE(scripted.boxes.empty());
}

TEST_F(WindowCore, EachFailedOpeningSaysWhichStepAndLeavesNothingOpen)
{
    struct Case {
        OpeningFailure failure;
        bool showFails;
        const char* message;
    };
    const Case cases[] = {
        {OpeningFailure::windowSystem, false, "Failed To Register The Window Class."},
        {OpeningFailure::window, false, "Window Creation Error."},
        {OpeningFailure::deviceContext, false, "Can't Create A GL Device Context."},
        {OpeningFailure::pixelFormatChoice, false, "Can't Find A Suitable PixelFormat."},
        {OpeningFailure::pixelFormatSet, false, "Can't Set The PixelFormat."},
        {OpeningFailure::context, false, "Can't Create A GL Rendering Context."},
        {OpeningFailure::contextActivation, false, "Can't Activate The GL Rendering Context."},
        {OpeningFailure::none, true, "Window Creation Error."}, // never shown
    };
    for (const Case& c : cases) {
        SetUp();
        scripted.openingFails = c.failure;
        scripted.showFails = c.showFails;
        const std::string said = stderrOf([] { EXPECT_FALSE(openGameWindow()); });
        EXPECT_EQ(said, std::string("ERROR: ") + c.message + "\n");
        EXPECT_EQ(scripted.boxes, std::vector<std::string>{std::string("! ERROR: ") + c.message});
        EXPECT_FALSE(scripted.somethingOpen) << c.message;
        EXPECT_FALSE(windowIsOpen()) << c.message;
        EXPECT_EQ(scripted.contextsSetUp, 0) << c.message;
        EXPECT_EQ(scripted.cursorHides, 0) << c.message;
        // A key held when the old window closed (F1, say) would stay held
        // for good, with no window left to hear it go up.
        if (c.failure != OpeningFailure::windowSystem) {
            EXPECT_EQ(scripted.keyReleases, 1) << c.message;
        }
    }
}

TEST_F(WindowCore, AMissingWindowSystemIsExplainedAfterItsMessage)
{
    scripted.openingFails = OpeningFailure::windowSystem;
    scripted.whyNoWindowSystem = "no display: DISPLAY is not set";
    EXPECT_EQ(stderrOf([] { EXPECT_FALSE(openGameWindow()); }),
              "ERROR: Failed To Register The Window Class.\n"
              "undercroft: no display: DISPLAY is not set\n");
}

TEST_F(WindowCore, ARefusedOpeningIsAWindowCreationErrorAndTheNextOneWorks)
{
    failNextWindowOpenings(1);
    EXPECT_EQ(stderrOf([] { EXPECT_FALSE(openGameWindow()); }), "ERROR: Window Creation Error.\n");
    EXPECT_FALSE(windowIsOpen());
    EXPECT_TRUE(openGameWindow());
    EXPECT_TRUE(windowIsOpen());
}

TEST_F(WindowCore, EveryFailedClosingStepIsSaidInTheClosingsOrderAndNothingStaysOpen)
{
    const std::pair<unsigned, const char*> steps[] = {
        {contextReleaseFailed, "Release Of DC And RC Failed."},
        {contextDeletionFailed, "Release Rendering Context Failed."},
        {deviceContextReleaseFailed, "Release Device Context Failed."},
        {windowDestructionFailed, "Could Not Release hWnd."},
        {windowSystemEndFailed, "Could Not Unregister Class."},
    };
    std::string all;
    for (const auto& [failure, message] : steps) {
        ASSERT_TRUE(openGameWindow());
        scripted.closingFails = failure;
        EXPECT_EQ(stderrOf(destroyWindowAndContext), std::string("SHUTDOWN ERROR: ") + message + "\n");
        EXPECT_FALSE(windowIsOpen()) << message;
        EXPECT_FALSE(scripted.somethingOpen) << message;
        EXPECT_EQ(scripted.boxes.back(), std::string("SHUTDOWN ERROR: ") + message);
        all += std::string("SHUTDOWN ERROR: ") + message + "\n";
    }
    scripted.closingFails = ~0u;
    EXPECT_EQ(stderrOf(destroyWindowAndContext), all);
}

TEST_F(WindowCore, FramesArePresentedAndPacedOnlyWhileAWindowIsOpen)
{
    swapWindowBuffers();
    int left, top, width, height;
    EXPECT_FALSE(gameWindowRect(left, top, width, height));
    EXPECT_EQ(scripted.presents + scripted.paces, 0);

    ASSERT_TRUE(openGameWindow());
    swapWindowBuffers();
    EXPECT_EQ(scripted.presents, 1);
    EXPECT_EQ(scripted.paces, 1);
    EXPECT_TRUE(gameWindowRect(left, top, width, height));

    destroyWindowAndContext();
    swapWindowBuffers();
    EXPECT_EQ(scripted.presents, 1);
}

TEST_F(WindowCore, AContextGivenBackIsSetUpAgainBeforeTheNextFrame)
{
    ASSERT_TRUE(openGameWindow());
    ASSERT_EQ(scripted.contextsSetUp, 1);
    swapWindowBuffers();
    EXPECT_EQ(scripted.contextsSetUp, 1);
    scripted.contextRestored = true;
    swapWindowBuffers();
    EXPECT_EQ(scripted.contextsSetUp, 2);
    EXPECT_EQ(scripted.shows, 1) << "the same window, not a new one";
    EXPECT_TRUE(windowIsOpen());
    swapWindowBuffers();
    EXPECT_EQ(scripted.contextsSetUp, 2);
}

// Last: hidden windows stay hidden for the rest of the run.
TEST_F(WindowCore, HiddenWindowsAreNeverShownAndTheirMessagesGoToStderrOnly)
{
    scripted.boxesShown = false;
    EXPECT_EQ(stderrOf([] { showMessageBox("ERROR", "on stderr only"); }),
              "ERROR: on stderr only\n");
    EXPECT_TRUE(scripted.boxes.empty());

    scripted.boxesShown = true;
    openWindowsHidden();
    EXPECT_TRUE(openGameWindow());
    EXPECT_EQ(scripted.shows, 0);
    EXPECT_EQ(stderrOf([] { showMessageBox("SHUTDOWN ERROR", "still said"); }),
              "SHUTDOWN ERROR: still said\n");
    EXPECT_TRUE(scripted.boxes.empty());
}
