// The SDL backend's shared state: the files of the backend (window, events)
// reach the one window through here.
#pragma once

#include <SDL.h>

// The game window, or null while none is open.
SDL_Window* sdlGameWindow();

// True once SDL's video subsystem is running (the first opening starts it).
bool sdlVideoStarted();
