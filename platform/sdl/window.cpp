// The game window on SDL2 with a legacy OpenGL context: the opening and the
// closing (backend.h) as SDL takes them. SDL's video subsystem stands in for
// the window class: it is started by the first opening and kept for the rest
// of the run, so reopening the window costs no reconnection. The events are
// read in events.cpp, the X server asked in x11.cpp.
#include "platform/sdl/window.h"

#include "platform/backend.h"
#include "platform/report.h"
#include "platform/sdl/x11_keys.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {
SDL_Window* windowHandle = nullptr;
SDL_GLContext renderContext = nullptr;
bool videoStarted = false;

// How long an opening waits for the window system to show the window. A
// window manager that never maps it would otherwise hold the program.
constexpr int windowMapTimeoutMs = 3000;

// Set while the window system does not show new windows: a message box
// would be a window it never shows either, waited on for good, so messages
// go to stderr only until a window is shown again.
bool windowsGoUnshown = false;

bool driverIs(const char* name)
{
    const char* current = SDL_GetCurrentVideoDriver();
    return current && std::strcmp(current, name) == 0;
}

// SDL falls back to its offscreen driver when no display answers. For the
// program that means "no window system": only an explicit request (the
// headless tool, tests) may use it.
bool headlessDriverRequested()
{
    return std::getenv("SDL_VIDEODRIVER") || SDL_GetHint(SDL_HINT_VIDEODRIVER);
}

bool realDisplay()
{
    return videoStarted && !driverIs("offscreen") && !driverIs("dummy");
}

// The window system's start, done by the first opening and kept: SDL's video
// subsystem stands in for the window class.
bool startVideo()
{
    if (videoStarted)
        return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // With no Wayland compositor named, SDL's probe of one only prints the
    // Wayland library's complaints: the X server is the display to try.
    if (!headlessDriverRequested() && !std::getenv("WAYLAND_DISPLAY"))
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    if ((driverIs("offscreen") || driverIs("dummy")) && !headlessDriverRequested()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    if (driverIs("x11")) {
        countX11Errors();
        startX11Keys();
    }
    // Stands in for swallowing the screen-saver and monitor-power commands.
    SDL_DisableScreenSaver();
    // SDL unloads the GL library when its last GL window closes and loads it
    // again for the next one. Holding one reference of our own keeps the
    // driver loaded across every reopening: reloading it leaks a few
    // kilobytes inside Mesa each time and costs a driver start-up.
    SDL_GL_LoadLibrary(nullptr);
    videoStarted = true;
    return true;
}

// SDL takes the pixel format as attributes before the window exists; a
// 16-bit request still gets 8 bits a channel under X.
void askForPixelFormat(int colourBits)
{
    const bool sixteen = colourBits <= 16;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, sixteen ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, sixteen ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, sixteen ? 5 : 8);
}
} // namespace

OpeningFailure openSystemWindow(const char* title, int width, int height, int colourBits)
{
    if (!startVideo())
        return OpeningFailure::windowSystem;
    askForPixelFormat(colourBits);
    windowHandle = SDL_CreateWindow(title, 0, 0, width, height,
                                    SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (!windowHandle)
        return OpeningFailure::window;
    const int errorsBefore = x11ErrorsSoFar();
    renderContext = SDL_GL_CreateContext(windowHandle);
    // A server that cannot make the context may say so only in an error.
    if (!renderContext || x11ErrorsSoFar() != errorsBefore)
        return OpeningFailure::context;
    if (SDL_GL_MakeCurrent(windowHandle, renderContext) != 0)
        return OpeningFailure::contextActivation;
    // Motion is a fixed step per frame: vsync, where the driver honours it,
    // shows frames at the display's rate; the pacer holds them to 60.
    SDL_GL_SetSwapInterval(1);
    return OpeningFailure::none;
}

std::string whyNoWindowSystem()
{
    const char* display = std::getenv("DISPLAY");
    const std::string missing =
        display && *display ? std::string("no display: DISPLAY=") + display + " cannot be reached"
        : std::getenv("WAYLAND_DISPLAY") ? "no display: the Wayland compositor cannot be reached"
                                          : "no display: DISPLAY is not set";
    return missing + "; undercroft-tool tour --out DIR draws pictures of the world without one";
}

// Waits a bounded time for the X server (and its window manager) to map the
// window before SDL shows and raises it.
bool showSystemWindow()
{
    windowsGoUnshown = mapX11Window(windowMapTimeoutMs) == X11Mapping::NotShown;
    if (windowsGoUnshown) {
        reportProblem("the window system did not show the window within " +
                      std::to_string(windowMapTimeoutMs / 1000) + " s");
        return false;
    }
    SDL_ShowWindow(windowHandle);
    SDL_RaiseWindow(windowHandle);
    // What went down while there was no window (a reopening) counts, and
    // the keys held through it are held for the rest of the frame.
    readX11Keys(x11GameWindowId());
    return true;
}

// SDL cannot fail to delete a context or destroy a window; the handles are
// cleared so that nothing measures or moves a window that is gone.
unsigned closeSystemWindow()
{
    unsigned failures = 0;
    if (renderContext && SDL_GL_MakeCurrent(windowHandle, nullptr) != 0)
        failures |= contextReleaseFailed;
    if (renderContext)
        SDL_GL_DeleteContext(renderContext);
    renderContext = nullptr;
    if (windowHandle) {
        const unsigned long colormap = x11WindowColormap();
        SDL_DestroyWindow(windowHandle);
        freeX11Colormap(colormap); // each reopening would leave one behind in the server
        windowHandle = nullptr;
    }
    return failures;
}

void presentSystemWindow()
{
    SDL_GL_SwapWindow(windowHandle);
}

// A desktop's context is never taken away.
bool systemContextRestored()
{
    return false;
}

// The place as the X server has it now, where there is one, like the cursor.
bool systemWindowRect(int& left, int& top, int& width, int& height)
{
    if (!queryX11WindowOrigin(left, top))
        SDL_GetWindowPosition(windowHandle, &left, &top);
    SDL_GetWindowSize(windowHandle, &width, &height);
    return true;
}

void moveSystemWindow(int x, int y, int width, int height)
{
    SDL_SetWindowPosition(windowHandle, x, y);
    SDL_SetWindowSize(windowHandle, width, height);
}

void hideSystemCursor()
{
    if (videoStarted)
        SDL_ShowCursor(SDL_DISABLE);
}

bool messageBoxesShown()
{
    return realDisplay() && !windowsGoUnshown;
}

void showSystemMessageBox(const char* caption, const char* text, bool error)
{
    SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION, caption,
                             text, nullptr);
}

// SDL's offscreen driver gives a real GL context with nothing on screen.
void hideWindowsFromNowOn()
{
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_OVERRIDE);
}

SDL_Window* sdlGameWindow()
{
    return windowHandle;
}

bool sdlVideoStarted()
{
    return videoStarted;
}
