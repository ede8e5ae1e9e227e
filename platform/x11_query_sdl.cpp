// What the X server says now about the pointer and the game window, asked
// on SDL's own connection. SDL keeps the pointer's desktop position up to date
// only from raw-input events, which some servers (and synthetic input) never
// send, and a window-relative position goes stale as soon as the window moves;
// a query is a round trip, so it also sees a move the program just asked for.
#include "platform/window_sdl.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace {
// The X connection and window of the game window, when it runs on X11.
bool x11Window(Display*& display, ::Window& window)
{
    SDL_Window* game = sdlGameWindow();
    if (!game)
        return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(game, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    display = info.info.x11.display;
    window = info.info.x11.window;
    return true;
}
} // namespace

bool queryX11Pointer(int& x, int& y)
{
    Display* display;
    ::Window window;
    if (!x11Window(display, window))
        return false;
    ::Window root, child;
    int windowX, windowY;
    unsigned int buttons;
    return XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX,
                         &windowY, &buttons);
}

bool queryX11WindowOrigin(int& x, int& y)
{
    Display* display;
    ::Window window;
    if (!x11Window(display, window))
        return false;
    ::Window child;
    return XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y,
                                 &child);
}
