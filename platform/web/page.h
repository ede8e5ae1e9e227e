// The web backend's page: the canvas that stands in for the window, the
// message lines and the pacing of frames (page.js), and the browser's
// input events (events.cpp).
#pragma once

#include <cstddef>

extern "C" {
// A new canvas "window" of width x height CSS pixels at the page's top-left
// corner, showing a picture of pictureWidth x pictureHeight pixels
// enlarged, hidden until its first frame is presented. Where the window
// does not fit the browser's viewport, the canvas is the largest whole
// multiple of the picture (in device pixels) that does; it follows the
// viewport's changes. Its drawing buffer is its size in device pixels, and
// at least leastWidth x leastHeight.
void pageOpenCanvas(const char* title, int width, int height, int pictureWidth, int pictureHeight,
                    int leastWidth, int leastHeight);
// Removes the canvas.
void pageCloseCanvas();
// The canvas's left, top, width and height in viewport pixels into rect;
// 0 when there is none.
int pageCanvasRect(int* rect);
// Puts the canvas's top-left corner at viewport position (x, y).
void pageMoveCanvas(int x, int y);
// Hides the cursor over the canvas.
void pageHideCursor();
// Adds the line "caption: text" to the page.
void pageShowMessage(const char* caption, const char* text);
// The canvas shows the frame just drawn; counts it.
void pagePresent();
// Yields to the browser until the next frame may be drawn (at most 60 a
// second, on the browser's animation frames).
void pageAwaitFrame();
// Encodes width x height RGB pixels, top row first, as a PNG with the
// browser's encoder and hands it to the browser as a download named `name`,
// after any shots still waiting; the pixels are copied before it returns.
void pageSavePng(const char* name, int width, int height, const void* rgb);
}

// Starts listening to the page's keyboard, mouse and focus events (once;
// later calls do nothing).
void listenToPageInput();
