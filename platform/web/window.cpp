// The game window in a web page: a canvas with a WebGL context beneath the
// OpenGL 1.1 layer, opened and closed as backend.h says. Each opening makes
// a new canvas at the page's top-left corner, so every reopening starts with
// a fresh context, as a new window does; the closing removes it. Message
// boxes become lines in the page (on the console, they are the stderr line
// every system writes).
//
// The window shows the framebuffer enlarged by the pixel scale, and the 3D
// view fills 320 x 240 of its pixels. So the canvas's drawing buffer gets
// one pixel per framebuffer pixel (the window's size over the scale, never
// less than the 3D view) and the browser enlarges it by repeating pixels:
// the same picture, with a fraction of the pixels to fill, clear and
// composite in every frame.
#include "platform/backend.h"

#include "platform/video.h"
#include "platform/web/gl11.h"
#include "platform/web/page.h"

namespace {
bool canvasOpen = false;
bool contextMade = false;
int canvasBufferScale = 1; // window pixels per drawing-buffer pixel

// Window pixels per drawing-buffer pixel for a window of width x height:
// the pixel scale when it divides both and leaves room for the 3D view.
int bufferScaleFor(int width, int height)
{
    const int scale = pixelScale;
    const bool fits = scale >= 1 && width % scale == 0 && height % scale == 0 &&
                      width / scale >= view3DMode.width && height / scale >= view3DMode.height;
    return fits ? scale : 1;
}
} // namespace

// The page is there from the start: its input is listened to from the first
// opening on. The colour bits are the browser's to choose: a WebGL canvas
// has 8 bits a channel. The canvas is its own device context and pixel
// format.
OpeningFailure openSystemWindow(const char* title, int width, int height, int)
{
    listenToPageInput();
    canvasBufferScale = bufferScaleFor(width, height);
    pageOpenCanvas(title, width, height, canvasBufferScale);
    canvasOpen = true;
    contextMade = createGl11Context(canvasBufferScale);
    return contextMade ? OpeningFailure::none : OpeningFailure::context;
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
    flushGl11Batches();
    pagePresent();
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

// The canvas keeps the size it was opened with, which is always the one
// asked for here.
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
