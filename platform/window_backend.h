// What a window-system backend does for the portable window code in
// window.cpp: its platform's own calls, one step of the opening or of the
// closing each. window.cpp owns the order of the steps, the message a failed
// step shows, the test hook that refuses openings, message-box policy, the
// cursor hide and what a failed opening leaves behind.
#pragma once

// --- The opening, in window.cpp's order; each is false when its step failed.

// The window class, or the window system's start (done once and kept).
bool registerWindowClass();

// The game window, borderless, at the desktop's (0, 0), width x height
// window pixels, not yet shown. colourBits are the pixel format's, for a
// system that must know them before the window exists.
bool createGameWindow(const char* title, int width, int height, int colourBits);

// The window's device context.
bool getDeviceContext();

// A double-buffered pixel format with 16 depth bits and colourBits colour
// bits: chosen, then set on the window.
bool choosePixelFormat(int colourBits);
bool setPixelFormat();

// The OpenGL context, then made current (with vsync asked for where the
// system offers it).
bool createRenderingContext();
bool makeContextCurrent();

// Shows the window, brings it to the front and gives it the focus; false when
// the window system did not show it within a few seconds.
bool showGameWindow();

// --- The closing, in window.cpp's order. Each step acts only on what is
// open and is true when it succeeded or had nothing to do.

bool releaseCurrentContext();
bool deleteRenderingContext(); // clears the context's handle in any case
bool releaseDeviceContext();
bool destroyGameWindow();
bool unregisterWindowClass();

// --- Message boxes and hidden windows.

// Whether a message box would be seen now: a display that shows windows.
bool messageBoxesShown();

// Shows a message box and waits for the user to close it; `error` picks
// the warning icon over the information one.
void showSystemMessageBox(const char* caption, const char* text, bool error);

// From now on windows open where nobody sees them (the headless tool).
void hideWindowsFromNowOn();
