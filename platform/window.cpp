// The window's half that is the same on every system: the opening's and the
// closing's order with the message each failed step shows, message boxes on
// stderr and on screen, the cursor hide, the refused-opening test hook, and
// what a failed opening leaves. The system's calls are its backend's
// (window_backend.h): window_sdl.cpp, window_win32.cpp, window_web.cpp.
#include "platform/window.h"

#include "platform/backend.h"
#include "platform/test_seam.h"
#include "platform/video.h"
#include "platform/window_backend.h"

#include <cstdio>
#include <cstring>

namespace {
const char* const errorCaption = "ERROR";
const char* const shutdownCaption = "SHUTDOWN ERROR";

// The pixel format's colour bits: those of the first opening that gets as far
// as its pixel format, kept for the rest of the run.
int pixelFormatColourBits = 0;

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
    if (!registerWindowClass()) {
        showMessageBox(errorCaption, "Failed To Register The Window Class.");
        return false;
    }
    const int formatBits = pixelFormatColourBits != 0 ? pixelFormatColourBits : colourBits;
    if (openingRefused() || !createGameWindow(title, width, height, formatBits))
        return failOpening("Window Creation Error.");
    pixelFormatColourBits = formatBits;
    if (!getDeviceContext())
        return failOpening("Can't Create A GL Device Context.");
    if (!choosePixelFormat(pixelFormatColourBits))
        return failOpening("Can't Find A Suitable PixelFormat.");
    if (!setPixelFormat())
        return failOpening("Can't Set The PixelFormat.");
    if (!createRenderingContext())
        return failOpening("Can't Create A GL Rendering Context.");
    if (!makeContextCurrent())
        return failOpening("Can't Activate The GL Rendering Context.");
    if (!windowsHidden && !showGameWindow())
        return failOpening("Window Creation Error.");
    setUpNewContext();
    return true;
}

// A failure never stops the later steps.
void destroyWindowAndContext()
{
    if (!releaseCurrentContext())
        showMessageBox(shutdownCaption, "Release Of DC And RC Failed.");
    if (!deleteRenderingContext())
        showMessageBox(shutdownCaption, "Release Rendering Context Failed.");
    if (!releaseDeviceContext())
        showMessageBox(shutdownCaption, "Release Device Context Failed.");
    if (!destroyGameWindow())
        showMessageBox(shutdownCaption, "Could Not Release hWnd.");
    if (!unregisterWindowClass())
        showMessageBox(shutdownCaption, "Could Not Unregister Class.");
}

void failNextWindowOpenings(int n)
{
    openingsToRefuse = n;
}
