// What a system's backend supplies to the portable files of platform/: the
// whole contract between them. Each backend folder defines all of it (sdl/ on
// Linux with posix/, win32/ on Windows, web/ in a page with posix/). The
// portable side keeps the policies: the order of an opening, a failed
// opening's clean-up, the message each failure shows, message boxes on
// stderr, the frame pacing after each present, what is done with no window.
// A step only one system has (Win32's device context and pixel format) stays
// inside that system's files.
#pragma once

#include <string>

// --- The game window and its OpenGL context

// The step of an opening that failed; each has its own message for the user.
enum class OpeningFailure {
    none,
    windowSystem,      // the window class or the window system's start
    window,            // the window itself
    deviceContext,     // the window's device context
    pixelFormatChoice, // no double-buffered format with 16 depth bits
    pixelFormatSet,    // the format could not be set on the window
    context,           // the OpenGL rendering context
    contextActivation, // the context could not be made current
};

// Opens the game window, borderless, at the desktop's (0, 0), width x height
// window pixels, not yet shown, with a double-buffered OpenGL 1.1 context of
// 16 depth bits and colourBits colour bits made current (with vsync asked
// for where the system offers it). On windowSystem nothing is left open; on
// any other failure the caller closes what was opened.
OpeningFailure openSystemWindow(const char* title, int width, int height, int colourBits);

// Why the window system could not be started, for a person: what is
// missing and what to do instead; empty when there is nothing to add to the
// window-class message.
std::string whyNoWindowSystem();

// Shows the open window, brings it to the front and gives it the focus;
// false when the window system did not show it within a few seconds.
bool showSystemWindow();

// The steps of a closing that can fail, as bits of closeSystemWindow's
// result, in the order they are taken and reported.
enum ClosingFailure : unsigned {
    contextReleaseFailed = 1,       // making no context current
    contextDeletionFailed = 2,      // deleting the rendering context
    deviceContextReleaseFailed = 4, // releasing the window's device context
    windowDestructionFailed = 8,    // destroying the window
    windowSystemEndFailed = 16,     // unregistering the window class
};

// Closes whatever an opening made, in reverse, every step taken even after
// one failed; safe with nothing open. The ClosingFailure bits of the failed
// steps, 0 when all went well.
unsigned closeSystemWindow();

// Shows the back buffer of the open window (the frame just drawn).
void presentSystemWindow();

// True once after the open window's context was lost and given back empty
// (a browser may do that to a page): the caller sets it up as a new context.
// Never on a desktop, where a context is not taken away.
bool systemContextRestored();

// The open window's position and size in desktop pixels as the window
// system has them now; false when it cannot say.
bool systemWindowRect(int& left, int& top, int& width, int& height);

// Moves the open window's top-left corner to (x, y) at the given size.
void moveSystemWindow(int x, int y, int width, int height);

// Hides the mouse cursor over the game window, open or not, where the
// window system can.
void hideSystemCursor();

// --- Message boxes

// Whether a message box would be seen now: a display that shows windows.
bool messageBoxesShown();

// Shows a message box and waits for the user to close it; `error` picks the
// warning icon over the information one.
void showSystemMessageBox(const char* caption, const char* text, bool error);

// From now on windows open where nobody sees them (the headless tool).
void hideWindowsFromNowOn();

// --- Events and input

// Takes one pending window-system event, if any: a close request sets
// quitFlag, keys and buttons go to the key state. False when none was
// pending.
bool pumpSystemEvent();

// The desktop cursor position as the window system reports it now; (0, 0)
// when there is no window system.
void readDesktopCursor(int& x, int& y);

// Whether the key or button of virtual-key code vk (0..255) is held now, as
// the window system reports it.
bool windowSystemKeyDown(int vk);

// How many times the key or button of virtual-key code vk (0..255) went down
// since the previous call for it, as the window system reports it.
int takeWindowSystemKeyPresses(int vk);

// Forgets every key and button the window system's events hold down: with no
// window open, no release can arrive for them. (Where keys are read from the
// system's own state, there is nothing to forget.)
void releaseWindowSystemKeys();

// --- Time

// Blocks the program for ms milliseconds, as the system waits (the pauses'
// real sleep).
void sleepMilliseconds(int ms);

// Waits, after a frame is presented, until the next frame may be drawn: at
// most 60 frames a second (frame_pacing.cpp on the desktop, the browser's
// animation frames in a page).
void paceFrame();
