// The one game window with its OpenGL context, as the program sees it:
// opening, closing, the message pump, presenting, the window's place and the
// error message boxes. The same on every system (window.cpp); each system's
// calls are its backend's (backend.h).
#pragma once

#include <cstdint>

// Headless runs (the tool): from now on every window opens with a real GL
// context but is never shown, and message boxes go to stderr only. Call it
// before the first opening.
void openWindowsHidden();

// Opens the window "GAME" at screenWidth x screenHeight times pixelScale with
// 16 colour bits and hides the cursor. False (after a message box) on failure.
bool openGameWindow();

// Opens a borderless window at the desktop's (0, 0) with a legacy GL context,
// sets the projection and the fixed GL state, and probes the background key.
// On failure closes what was opened, shows an "ERROR" box and returns false.
bool createWindowAndContext(const char* title, int width, int height, int colourBits);

// Closes the context and the window; each failure shows a "SHUTDOWN ERROR"
// box and the later steps still run. Safe to call with nothing open.
void destroyWindowAndContext();

// Takes one pending window-system event, if any: close requests set quitFlag,
// keys and buttons update the key table. False when none was pending.
bool pumpOneMessage();

// Shows the frame just drawn, then waits until the next may be drawn (at
// most 60 a second). Nothing without a window.
void swapWindowBuffers();

// True while a window with a current GL context is open.
bool windowIsOpen();

// The window's position and size in desktop pixels; false with no window.
bool gameWindowRect(int& left, int& top, int& width, int& height);

// Moves the window's top-left corner to (x, y) at the given size; nothing
// with no window.
void moveGameWindow(int x, int y, int width, int height);

// Hides the mouse cursor over the window.
void hideCursor();

// Shows a message box (when a real display is there) and always writes
// "caption: text" on stderr.
void showMessageBox(const char* caption, const char* text);

// The first step of every new context's set-up: creating the textures the
// views draw with. Start-up installs the 3D view's cube texture upload here;
// while it is null a new context gets no textures.
extern int (*createContextTextures)();

// The bytes the clear colour (1, 0, 0.9) reads back as in the current
// context; the 3D read-back treats exactly these as background.
extern std::uint8_t backgroundKey[3];
