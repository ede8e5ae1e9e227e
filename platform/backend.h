// What the window-system backend provides to the portable parts of platform/.
#pragma once

// The desktop cursor position as the window system reports it.
void readDesktopCursor(int& x, int& y);

// The virtual-key code of a window-system key (an SDL scancode), or 0 for
// keys the program has no code for.
int virtualKeyFromScancode(int scancode);


// Test hook: the next n window openings fail the way a window system that
// refuses the window makes them fail ("Window Creation Error."), so tests can
// run the loop without a window and watch the next opening recover.
void failNextWindowOpenings(int n);
