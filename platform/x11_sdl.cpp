// The X server behind SDL's X11 driver: what it says now about the pointer and
// the game window, asked on SDL's own connection, and the errors it reports.
// SDL keeps the pointer's desktop position up to date
// only from raw-input events, which some servers (and synthetic input) never
// send, and a window-relative position goes stale as soon as the window moves;
// a query is a round trip, so it also sees a move the program just asked for.
#include "platform/window_sdl.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace {
int x11ErrorsSeen = 0;

// Xlib's own handler ends the process at the first error the server reports;
// a request the server refuses (a GL context a server without the driver
// cannot make, say) is counted instead, and the opening that made it fails.
int countX11Error(Display*, XErrorEvent*)
{
    ++x11ErrorsSeen;
    return 0;
}

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

void countX11Errors()
{
    XSetErrorHandler(countX11Error);
}

int x11ErrorsSoFar()
{
    Display* display;
    ::Window window;
    if (x11Window(display, window))
        XSync(display, False); // every request made so far has had its answer
    return x11ErrorsSeen;
}

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
