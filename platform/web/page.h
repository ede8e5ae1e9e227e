// The web backend's page: the canvas that stands in for the window, the
// message lines and the pacing of frames (page.js), and the browser's
// input events (events.cpp).
#pragma once

#include <cstddef>

extern "C" {
// A new canvas "window" of width x height pixels at the page's top-left
// corner, hidden until its first frame is presented. Its drawing buffer has
// one pixel for every scale x scale of the canvas's (scale divides both
// sides); the browser enlarges it by repeating pixels.
void pageOpenCanvas(const char* title, int width, int height, int scale);
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
