// The Win32 backend's shared part: the window procedure the class names, and
// what events.cpp needs to know of the window.
#pragma once

#include <windows.h>

// Handles the messages of the game window.
LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The game window while one is open, shown or not; null otherwise.
HWND openWindowHandle();

// Whether this process can no longer use the window system at all (Wine
// with no OpenGL driver; see window.cpp): no messages are pumped, no cursor
// is read, no message box is shown.
bool windowSystemLost();
