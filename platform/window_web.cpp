// The game window in a web page: a canvas with a WebGL context beneath the
// OpenGL 1.1 layer. Each opening makes a new canvas at the page's top-left
// corner, so every reopening starts with a fresh context, as a new window
// does; the closing removes it. Message boxes become lines in the page and
// on the console.
//
// The window shows the framebuffer enlarged by the pixel scale, and the 3D
// view fills 320 x 240 of its pixels. So the canvas's drawing buffer gets
// one pixel per framebuffer pixel (the window's size over the scale, never
// less than the 3D view) and the browser enlarges it by repeating pixels:
// the same picture, with a fraction of the pixels to fill, clear and
// composite in every frame.
#include "platform/window.h"

#include "platform/gl11_web.h"
#include "platform/page_web.h"
#include "platform/test_seam.h"
#include "platform/video.h"

#include <cstdio>

namespace {
bool canvasOpen = false;
bool contextCurrent = false;
bool messagesHidden = false;
int openingsToRefuse = 0; // failNextWindowOpenings

const char* const errorCaption = "ERROR";

// Whether the test hook refuses this opening (and counts it).
bool openingRefused()
{
    if (openingsToRefuse <= 0)
        return false;
    --openingsToRefuse;
    return true;
}

// Window pixels per drawing-buffer pixel for a window of width x height:
// the pixel scale when it divides both and leaves room for the 3D view.
int bufferScaleFor(int width, int height)
{
    const int scale = pixelScale;
    const bool fits = scale >= 1 && width % scale == 0 && height % scale == 0 &&
                      width / scale >= view3DMode.width && height / scale >= view3DMode.height;
    return fits ? scale : 1;
}

bool failOpening(const char* text)
{
    destroyWindowAndContext();
    showMessageBox(errorCaption, text);
    return false;
}
} // namespace

// A page has no hidden windows; only the message boxes stay off the page.
void openWindowsHidden()
{
    messagesHidden = true;
}

void showMessageBox(const char* caption, const char* text)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    if (!messagesHidden)
        pageShowMessage(caption, text);
}

bool openGameWindow()
{
    if (!createWindowAndContext("GAME", screenWidth * pixelScale, screenHeight * pixelScale, 16))
        return false;
    hideCursor();
    return true;
}

// The colour bits are the browser's to choose: a WebGL canvas has 8 bits a
// channel.
bool createWindowAndContext(const char* title, int width, int height, int)
{
    listenToPageInput();
    if (openingRefused())
        return failOpening("Window Creation Error.");
    const int scale = bufferScaleFor(width, height);
    pageOpenCanvas(title, width, height, scale);
    canvasOpen = true;
    contextCurrent = createGl11Context(scale);
    if (!contextCurrent)
        return failOpening("Can't Create A GL Rendering Context.");
    setupProjection();
    initRenderState();
    probeBackgroundKey();
    return true;
}

void destroyWindowAndContext()
{
    if (contextCurrent) {
        destroyGl11Context();
        contextCurrent = false;
    }
    if (canvasOpen) {
        pageCloseCanvas();
        canvasOpen = false;
    }
}

// The frame is drawn, shown once the browser composites the page, and the
// program waits for the browser's next animation frame: this is where the
// page gets its events and its pictures.
void swapWindowBuffers()
{
    if (!contextCurrent)
        return;
    flushGl11Batches();
    pagePresent();
    pageAwaitFrame();
}

bool windowIsOpen()
{
    return contextCurrent;
}

bool gameWindowRect(int& left, int& top, int& width, int& height)
{
    int rect[4];
    if (!canvasOpen || !pageCanvasRect(rect))
        return false;
    left = rect[0];
    top = rect[1];
    width = rect[2];
    height = rect[3];
    return true;
}

// The canvas keeps the size it was opened with, which is always the one
// asked for here.
void moveGameWindow(int x, int y, int, int)
{
    if (canvasOpen)
        pageMoveCanvas(x, y);
}

void hideCursor()
{
    if (canvasOpen)
        pageHideCursor();
}

void failNextWindowOpenings(int n)
{
    openingsToRefuse = n;
}
