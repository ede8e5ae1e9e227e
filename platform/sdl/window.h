// The SDL backend's shared state: the files of the backend (window, events)
// reach the one window through here.
#pragma once

#include <SDL.h>

// The game window, or null while none is open.
SDL_Window* sdlGameWindow();

// The game window's X window id, or 0 when there is none on an X server.
unsigned long x11GameWindowId();

// True once SDL's video subsystem is running (the first opening starts it).
bool sdlVideoStarted();

// From now on an error the X server reports is counted rather than ending the
// process (Xlib's default).
void countX11Errors();

// The X server's errors counted so far, once every request the game window's
// connection made has been answered; 0 without an X server.
int x11ErrorsSoFar();

// The pointer's desktop position as the X server has it now; false when the
// game window is not on an X server (no window, Wayland, offscreen).
bool queryX11Pointer(int& x, int& y);

// The desktop position of the game window's top-left corner as the X server
// has it now; false when the game window is not on an X server.
bool queryX11WindowOrigin(int& x, int& y);

// What mapping the game window on an X server came to.
enum class X11Mapping { Shown, NotShown, NotX11 };

// Asks the X server to map the game window and waits, at most timeoutMs,
// until it is viewable. A window manager that never maps it (it holds the
// map request) gives NotShown instead of a wait for good.
X11Mapping mapX11Window(int timeoutMs);

// The colormap the X server keeps for the game window, when it is one made
// for it (SDL makes one for every window it creates and does not free it);
// 0 otherwise. Read it before the window is destroyed.
unsigned long x11WindowColormap();

// Frees a colormap x11WindowColormap returned, once its window is gone.
void freeX11Colormap(unsigned long colormap);
