// The SDL backend's shared state: the files of the backend (window, events)
// reach the one window through here.
#pragma once

#include <SDL.h>

// The game window, or null while none is open.
SDL_Window* sdlGameWindow();

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
