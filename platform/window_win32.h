// The Win32 backend's shared parts: the window procedure the class names,
// and the one game window.
#pragma once

#include <windows.h>

// Handles the messages of the game window.
LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The game window, or null while none is open.
HWND win32GameWindow();
