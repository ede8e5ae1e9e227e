// The window's half that is the same on every system: the opening's order
// with the message each failed step shows, the closing's messages in their
// order, message boxes on stderr and on screen, the cursor hide, presenting
// and pacing, what is done with no window, the refused-opening test hook,
// and what a failed opening leaves. The system's calls are its backend's
// (backend.h).
#include "platform/window.h"

#include "platform/backend.h"
#include "platform/render_state.h"
#include "platform/report.h"
#include "platform/test_seam.h"
#include "platform/video.h"

#include <cstdio>
#include <cstring>

namespace {
const char* const errorCaption = "ERROR";
const char* const shutdownCaption = "SHUTDOWN ERROR";

struct OpeningMessage {
    OpeningFailure failure;
    const char* text;
};
constexpr OpeningMessage openingMessages[] = {
    {OpeningFailure::windowSystem, "Failed To Register The Window Class."},
    {OpeningFailure::window, "Window Creation Error."},
    {OpeningFailure::deviceContext, "Can't Create A GL Device Context."},
    {OpeningFailure::pixelFormatChoice, "Can't Find A Suitable PixelFormat."},
    {OpeningFailure::pixelFormatSet, "Can't Set The PixelFormat."},
    {OpeningFailure::context, "Can't Create A GL Rendering Context."},
    {OpeningFailure::contextActivation, "Can't Activate The GL Rendering Context."},
};
const char* const notShownMessage = "Window Creation Error.";

struct ClosingMessage {
    ClosingFailure failure;
    const char* text;
};
constexpr ClosingMessage closingMessages[] = {
    {contextReleaseFailed, "Release Of DC And RC Failed."},
    {contextDeletionFailed, "Release Rendering Context Failed."},
    {deviceContextReleaseFailed, "Release Device Context Failed."},
    {windowDestructionFailed, "Could Not Release hWnd."},
    {windowSystemEndFailed, "Could Not Unregister Class."},
};

bool windowOpen = false;
bool windowsHidden = false;
int openingsToRefuse = 0; // failNextWindowOpenings

// Whether the test hook refuses this opening (and counts it).
bool openingRefused()
{
    if (openingsToRefuse <= 0)
        return false;
    --openingsToRefuse;
    return true;
}

const char* openingMessage(OpeningFailure failure)
{
    for (const OpeningMessage& message : openingMessages)
        if (message.failure == failure)
            return message.text;
    return notShownMessage;
}

// A failed step closes what was opened, then says which step failed. A key
// held when the old window closed (F1, say) would otherwise stay held for
// good, with no window left to hear it go up.
bool failOpening(const char* text)
{
    destroyWindowAndContext();
    releaseWindowSystemKeys();
    showMessageBox(errorCaption, text);
    return false;
}

// The context's set-up: every new context starts from nothing.
void setUpNewContext()
{
    setupProjection();
    initRenderState();
    probeBackgroundKey();
}
} // namespace

void openWindowsHidden()
{
    windowsHidden = true;
    hideWindowsFromNowOn();
}

void showMessageBox(const char* caption, const char* text)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    if (!windowsHidden && messageBoxesShown())
        showSystemMessageBox(caption, text, std::strcmp(caption, errorCaption) == 0);
}

bool openGameWindow()
{
    if (!createWindowAndContext("GAME", screenWidth * pixelScale, screenHeight * pixelScale, 16))
        return false;
    hideCursor();
    return true;
}

bool createWindowAndContext(const char* title, int width, int height, int colourBits)
{
    if (openingRefused())
        return failOpening(openingMessage(OpeningFailure::window));
    const OpeningFailure failure = openSystemWindow(title, width, height, colourBits);
    if (failure == OpeningFailure::windowSystem) {
        showMessageBox(errorCaption, openingMessage(failure)); // nothing to close
        if (const std::string why = whyNoWindowSystem(); !why.empty())
            reportProblem(why);
        return false;
    }
    if (failure != OpeningFailure::none)
        return failOpening(openingMessage(failure));
    if (!windowsHidden && !showSystemWindow())
        return failOpening(notShownMessage);
    windowOpen = true;
    setUpNewContext();
    return true;
}

// A failure never stops the later steps; each is said in the closing's order.
void destroyWindowAndContext()
{
    windowOpen = false;
    const unsigned failures = closeSystemWindow();
    for (const ClosingMessage& message : closingMessages)
        if (failures & message.failure)
            showMessageBox(shutdownCaption, message.text);
}

bool pumpOneMessage()
{
    return pumpSystemEvent();
}

void swapWindowBuffers()
{
    if (!windowOpen)
        return;
    presentSystemWindow();
    paceFrame();
    // A context the browser gave back holds nothing: it is set up as a new
    // one before the next frame draws into it.
    if (systemContextRestored())
        setUpNewContext();
}

bool windowIsOpen()
{
    return windowOpen;
}

bool gameWindowRect(int& left, int& top, int& width, int& height)
{
    return windowOpen && systemWindowRect(left, top, width, height);
}

void moveGameWindow(int x, int y, int width, int height)
{
    if (windowOpen)
        moveSystemWindow(x, y, width, height);
}

void hideCursor()
{
    hideSystemCursor();
}

void failNextWindowOpenings(int n)
{
    openingsToRefuse = n;
}
