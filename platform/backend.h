// What the window-system backend provides to the portable parts of platform/.
#pragma once

// The desktop cursor position as the window system reports it.
void readDesktopCursor(int& x, int& y);

// The virtual-key code of a window-system key (an SDL scancode), or 0 for
// keys the program has no code for.
int virtualKeyFromScancode(int scancode);

