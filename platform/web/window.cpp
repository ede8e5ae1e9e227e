// The game window in a web page: a canvas with a WebGL context beneath the
// OpenGL 1.1 layer, opened and closed as backend.h says. Each opening makes
// a new canvas at the page's top-left corner, so every reopening starts with
// a fresh context, as a new window does; the closing removes it. Message
// boxes become lines in the page (on the console, they are the stderr line
// every system writes).
//
// The window shows the framebuffer enlarged by the pixel scale. The canvas
// takes the window's size in CSS pixels, or the largest whole multiple of
// the framebuffer that fits the browser's viewport when that does not, and
// its drawing buffer has the size it is shown at in device pixels: the
// framebuffer's copy fills it pixel for pixel, so no browser has to enlarge
// (and maybe blend) the picture. The 3D view renders 320 x 240 of its
// pixels at the lower left, as in a window.
#include "platform/backend.h"

#include "platform/video.h"
#include "platform/web/gl11.h"
#include "platform/web/page.h"

namespace {
bool canvasOpen = false;
bool contextMade = false;

// The window's pixels per framebuffer pixel: the pixel scale when it
// divides the window (as it does for the game window), else 1.
int pictureScaleFor(int width, int height)
{
    const int scale = pixelScale;
    return scale >= 1 && width % scale == 0 && height % scale == 0 ? scale : 1;
}
} // namespace

// The page is there from the start: its input is listened to from the first
// opening on. The colour bits are the browser's to choose: a WebGL canvas
// has 8 bits a channel. The canvas is its own device context and pixel
// format.
OpeningFailure openSystemWindow(const char* title, int width, int height, int)
{
    listenToPageInput();
    const int scale = pictureScaleFor(width, height);
    pageOpenCanvas(title, width, height, width / scale, height / scale, view3DMode.width,
                   view3DMode.height);
    canvasOpen = true;
    contextMade = createGl11Context();
    return contextMade ? OpeningFailure::none : OpeningFailure::context;
}

// The page is always there.
std::string whyNoWindowSystem()
{
    return {};
}

// A canvas shows as soon as it is in the page.
bool showSystemWindow()
{
    return true;
}

unsigned closeSystemWindow()
{
    if (contextMade)
        destroyGl11Context();
    contextMade = false;
    if (canvasOpen)
        pageCloseCanvas();
    canvasOpen = false;
    return 0;
}

// The frame is drawn and shown once the browser composites the page.
void presentSystemWindow()
{
    endGl11Frame();
    pagePresent();
}

// The browser may take the canvas's context away and give it back empty;
// the canvas and everything else stay as they were.
bool systemContextRestored()
{
    return contextMade && takeGl11ContextRestored();
}

bool systemWindowRect(int& left, int& top, int& width, int& height)
{
    int rect[4];
    if (!pageCanvasRect(rect))
        return false;
    left = rect[0];
    top = rect[1];
    width = rect[2];
    height = rect[3];
    return true;
}

// The canvas keeps the size it was opened with (fitted to the viewport),
// which is always the one asked for here.
void moveSystemWindow(int x, int y, int, int)
{
    pageMoveCanvas(x, y);
}

void hideSystemCursor()
{
    if (canvasOpen)
        pageHideCursor();
}

bool messageBoxesShown()
{
    return true;
}

void showSystemMessageBox(const char* caption, const char* text, bool)
{
    pageShowMessage(caption, text);
}

// A page has no hidden windows; only the message boxes stay off the page.
void hideWindowsFromNowOn() {}
