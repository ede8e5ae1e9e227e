// The X server behind SDL's X11 driver: what it says now about the pointer and
// the game window, asked on SDL's own connection, and the errors it reports.
// SDL keeps the pointer's desktop position up to date
// only from raw-input events, which some servers (and synthetic input) never
// send, and a window-relative position goes stale as soon as the window moves;
// a query is a round trip, so it also sees a move the program just asked for.
#include "platform/sdl/window.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <chrono>
#include <thread>

namespace {
int x11ErrorsSeen = 0;

// The connection of the last game window, kept for freeing its colormap
// after it is gone; SDL keeps the connection open while video runs.
Display* lastDisplay = nullptr;

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
    lastDisplay = display;
    return true;
}

bool viewable(Display* display, ::Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) &&
           attributes.map_state == IsViewable;
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

X11Mapping mapX11Window(int timeoutMs)
{
    Display* display;
    ::Window window;
    if (!x11Window(display, window))
        return X11Mapping::NotX11;
    XMapRaised(display, window);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!viewable(display, window)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return X11Mapping::NotShown;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return X11Mapping::Shown;
}

unsigned long x11WindowColormap()
{
    Display* display;
    ::Window window;
    XWindowAttributes attributes;
    if (!x11Window(display, window) || !XGetWindowAttributes(display, window, &attributes))
        return 0;
    const bool shared = attributes.colormap == DefaultColormapOfScreen(attributes.screen);
    return shared ? 0 : attributes.colormap;
}

void freeX11Colormap(unsigned long colormap)
{
    if (colormap == 0 || !lastDisplay)
        return;
    XFreeColormap(lastDisplay, colormap);
    XFlush(lastDisplay);
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

unsigned long x11GameWindowId()
{
    Display* display;
    ::Window window;
    return x11Window(display, window) ? window : 0;
}
