// What a window-system backend provides to the portable files of platform/.
#pragma once

// The desktop cursor position as the window system reports it now; (0, 0)
// when there is no window system.
void readDesktopCursor(int& x, int& y);
