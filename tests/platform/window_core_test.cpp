// The portable half of the window over a scripted backend: the order of the
// opening's and the closing's steps, the message each failed step shows,
// what a failed opening leaves, and when a message box reaches the screen.
// Built with platform/window.cpp alone: every system's backend must fit this.
#include "platform/backend.h"
#include "platform/test_seam.h"
#include "platform/video.h"
#include "platform/window.h"
#include "platform/window_backend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// What the rest of the platform provides to window.cpp, recorded.
int screenWidth = 320;
int screenHeight = 240;
int pixelScale = 2;
std::uint8_t backgroundKey[3] = {};

namespace {
std::vector<std::string> calls;
std::string failingStep; // the backend step that fails, by name
bool boxesShown = true;

bool step(const std::string& name)
{
    calls.push_back(name);
    return name != failingStep;
}
} // namespace

void setupProjection() { calls.push_back("setupProjection"); }
void initRenderState() { calls.push_back("initRenderState"); }
void probeBackgroundKey() { calls.push_back("probeBackgroundKey"); }
void hideCursor() { calls.push_back("hideCursor"); }
void releaseWindowSystemKeys() { calls.push_back("releaseKeys"); }

bool registerWindowClass() { return step("register"); }
bool createGameWindow(const char* title, int width, int height, int colourBits)
{
    return step("create " + std::string(title) + " " + std::to_string(width) + "x" +
                std::to_string(height) + " " + std::to_string(colourBits));
}
bool getDeviceContext() { return step("deviceContext"); }
bool choosePixelFormat(int colourBits) { return step("choose " + std::to_string(colourBits)); }
bool setPixelFormat() { return step("setFormat"); }
bool createRenderingContext() { return step("context"); }
bool makeContextCurrent() { return step("current"); }
bool showGameWindow() { return step("show"); }
bool releaseCurrentContext() { return step("releaseCurrent"); }
bool deleteRenderingContext() { return step("deleteContext"); }
bool releaseDeviceContext() { return step("releaseDeviceContext"); }
bool destroyGameWindow() { return step("destroy"); }
bool unregisterWindowClass() { return step("unregister"); }
bool messageBoxesShown() { return boxesShown; }
void showSystemMessageBox(const char* caption, const char* text, bool error)
{
    calls.push_back(std::string(error ? "box! " : "box ") + caption + ": " + text);
}
void hideWindowsFromNowOn() { calls.push_back("hideWindows"); }

namespace {
const std::vector<std::string> closing{"releaseCurrent", "deleteContext", "releaseDeviceContext",
                                       "destroy", "unregister"};

std::vector<std::string> then(std::vector<std::string> first, const std::vector<std::string>& rest)
{
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

class WindowCore : public testing::Test {
protected:
    void SetUp() override
    {
        calls.clear();
        failingStep.clear();
        boxesShown = true;
    }
};
} // namespace

TEST_F(WindowCore, AnOpeningTakesEveryStepInOrderThenSetsUpTheContextAndHidesTheCursor)
{
    EXPECT_TRUE(openGameWindow());
    EXPECT_EQ(calls, (std::vector<std::string>{"register", "create GAME 640x480 16", "deviceContext",
                                               "choose 16", "setFormat", "context", "current",
                                               "show", "setupProjection", "initRenderState",
                                               "probeBackgroundKey", "hideCursor"}));
}

TEST_F(WindowCore, EachFailedStepClosesWhatWasOpenedReleasesKeysAndSaysWhichStep)
{
    const std::pair<const char*, const char*> failures[] = {
        {"deviceContext", "Can't Create A GL Device Context."},
        {"choose 16", "Can't Find A Suitable PixelFormat."},
        {"setFormat", "Can't Set The PixelFormat."},
        {"context", "Can't Create A GL Rendering Context."},
        {"current", "Can't Activate The GL Rendering Context."},
        {"show", "Window Creation Error."},
    };
    for (const auto& [stepName, message] : failures) {
        SetUp();
        failingStep = stepName;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(openGameWindow()) << stepName;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string("ERROR: ") + message + "\n");
        ASSERT_GE(calls.size(), closing.size() + 2) << stepName;
        const std::vector<std::string> tail(calls.end() - long(closing.size()) - 2, calls.end());
        EXPECT_EQ(tail, then(closing, {"releaseKeys", std::string("box! ERROR: ") + message}))
            << stepName;
    }
}

TEST_F(WindowCore, AFailedClassRegistrationClosesNothing)
{
    failingStep = "register";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(openGameWindow());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "ERROR: Failed To Register The Window Class.\n");
    EXPECT_EQ(calls, (std::vector<std::string>{"register",
                                               "box! ERROR: Failed To Register The Window Class."}));
}

TEST_F(WindowCore, ARefusedOpeningIsAWindowCreationErrorAndTheNextOneWorks)
{
    failNextWindowOpenings(1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(openGameWindow());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERROR: Window Creation Error.\n");
    EXPECT_EQ(calls, then(then({"register"}, closing),
                          {"releaseKeys", "box! ERROR: Window Creation Error."}));
    calls.clear();
    EXPECT_TRUE(openGameWindow());
}

TEST_F(WindowCore, EveryFailedClosingStepIsSaidAndTheLaterStepsStillRun)
{
    for (const std::string& failing : closing) {
        SetUp();
        failingStep = failing;
        testing::internal::CaptureStderr();
        destroyWindowAndContext();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.rfind("SHUTDOWN ERROR: ", 0), 0u) << failing << ": " << said;
        std::vector<std::string> steps;
        for (const std::string& call : calls)
            if (call.rfind("box", 0) != 0)
                steps.push_back(call);
        EXPECT_EQ(steps, closing) << failing;
    }
}

TEST_F(WindowCore, TheFirstOpeningsColourBitsStayForTheRun)
{
    ASSERT_TRUE(createWindowAndContext("GAME", 640, 480, 16));
    calls.clear();
    ASSERT_TRUE(createWindowAndContext("GAME", 320, 240, 32));
    EXPECT_EQ(calls[1], "create GAME 320x240 16");
    EXPECT_EQ(calls[3], "choose 16");
}

// Last: hidden windows stay hidden for the rest of the run.
TEST_F(WindowCore, HiddenWindowsAreNeverShownAndTheirMessagesGoToStderrOnly)
{
    boxesShown = false;
    testing::internal::CaptureStderr();
    showMessageBox("ERROR", "on stderr only");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERROR: on stderr only\n");
    EXPECT_TRUE(calls.empty());

    boxesShown = true;
    openWindowsHidden();
    EXPECT_TRUE(openGameWindow());
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "show"), 0);
    calls.clear();
    testing::internal::CaptureStderr();
    showMessageBox("SHUTDOWN ERROR", "still said");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "SHUTDOWN ERROR: still said\n");
    EXPECT_TRUE(calls.empty());
}
