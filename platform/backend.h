// What a window-system backend provides to the portable files of platform/.
#pragma once

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

// Blocks the program for ms milliseconds, as the system waits (the pauses'
// real sleep).
void sleepMilliseconds(int ms);
