// The game window in a web page: a canvas with a WebGL context beneath the
// OpenGL 1.1 layer, opened and closed in the steps of window_backend.h. Each
// opening makes a new canvas at the page's top-left corner, so every
// reopening starts with a fresh context, as a new window does; the closing
// removes it. Message boxes become lines in the page (on the console, they
// are the stderr line every system writes).
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
#include "platform/video.h"
#include "platform/window_backend.h"

namespace {
bool canvasOpen = false;
bool contextCurrent = false;
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
// opening on.
bool registerWindowClass()
{
    listenToPageInput();
    return true;
}

// The colour bits are the browser's to choose: a WebGL canvas has 8 bits a
// channel.
bool createGameWindow(const char* title, int width, int height, int)
{
    canvasBufferScale = bufferScaleFor(width, height);
    pageOpenCanvas(title, width, height, canvasBufferScale);
    canvasOpen = true;
    return true;
}

// The canvas is its own device context and pixel format.
bool getDeviceContext()
{
    return true;
}

bool choosePixelFormat(int)
{
    return true;
}

bool setPixelFormat()
{
    return true;
}

bool createRenderingContext()
{
    contextCurrent = createGl11Context(canvasBufferScale);
    return contextCurrent;
}

bool makeContextCurrent()
{
    return true;
}

// A canvas shows as soon as it is in the page.
bool showGameWindow()
{
    return true;
}

bool releaseCurrentContext()
{
    return true;
}

bool deleteRenderingContext()
{
    if (contextCurrent)
        destroyGl11Context();
    contextCurrent = false;
    return true;
}

bool releaseDeviceContext()
{
    return true;
}

bool destroyGameWindow()
{
    if (canvasOpen)
        pageCloseCanvas();
    canvasOpen = false;
    return true;
}

bool unregisterWindowClass()
{
    return true;
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
