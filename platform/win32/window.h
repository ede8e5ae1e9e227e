// The Win32 backend's shared part: the window procedure the class names.
#pragma once

#include <windows.h>

// Handles the messages of the game window.
LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
