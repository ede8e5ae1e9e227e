// The game window on SDL2 with a legacy OpenGL context: the steps of the
// opening and the closing (window_backend.h) as SDL takes them. SDL's video
// subsystem stands in for the window class: it is started by the first
// opening and kept for the rest of the run, so reopening the window costs no
// reconnection. The events are read in events_sdl.cpp, the X server asked in
// x11_sdl.cpp.
#include "platform/window.h"

#include "platform/frame_pacing.h"
#include "platform/report.h"
#include "platform/window_backend.h"
#include "platform/window_sdl.h"

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
} // namespace

bool registerWindowClass()
{
    if (videoStarted)
        return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    if ((driverIs("offscreen") || driverIs("dummy")) && !headlessDriverRequested()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    if (driverIs("x11"))
        countX11Errors();
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
bool createGameWindow(const char* title, int width, int height, int colourBits)
{
    const bool sixteen = colourBits <= 16;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, sixteen ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, sixteen ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, sixteen ? 5 : 8);
    windowHandle = SDL_CreateWindow(title, 0, 0, width, height,
                                    SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    return windowHandle != nullptr;
}

// SDL has no device context apart from the window, and sets the pixel format
// with the window.
bool getDeviceContext()
{
    return true;
}

bool choosePixelFormat(int)
{
    return true;
}

bool setPixelFormat()
{
    return true;
}

bool createRenderingContext()
{
    const int errorsBefore = x11ErrorsSoFar();
    renderContext = SDL_GL_CreateContext(windowHandle);
    // A server that cannot make the context may say so only in an error.
    return renderContext && x11ErrorsSoFar() == errorsBefore;
}

bool makeContextCurrent()
{
    if (SDL_GL_MakeCurrent(windowHandle, renderContext) != 0)
        return false;
    // Motion is a fixed step per frame: vsync, where the driver honours it,
    // shows frames at the display's rate; paceFrame holds them to 60.
    SDL_GL_SetSwapInterval(1);
    return true;
}

// Waits a bounded time for the X server (and its window manager) to map the
// window before SDL shows and raises it.
bool showGameWindow()
{
    windowsGoUnshown = mapX11Window(windowMapTimeoutMs) == X11Mapping::NotShown;
    if (windowsGoUnshown) {
        reportProblem("the window system did not show the window within " +
                      std::to_string(windowMapTimeoutMs / 1000) + " s");
        return false;
    }
    SDL_ShowWindow(windowHandle);
    SDL_RaiseWindow(windowHandle);
    return true;
}

bool releaseCurrentContext()
{
    return !renderContext || SDL_GL_MakeCurrent(windowHandle, nullptr) == 0;
}

bool deleteRenderingContext()
{
    if (renderContext)
        SDL_GL_DeleteContext(renderContext);
    renderContext = nullptr;
    return true;
}

bool releaseDeviceContext()
{
    return true;
}

// SDL cannot fail to destroy a window; the handle is cleared so that nothing
// measures or moves a window that is gone.
bool destroyGameWindow()
{
    if (!windowHandle)
        return true;
    const unsigned long colormap = x11WindowColormap();
    SDL_DestroyWindow(windowHandle);
    freeX11Colormap(colormap); // each reopening would leave one behind in the server
    windowHandle = nullptr;
    return true;
}

bool unregisterWindowClass()
{
    return true;
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

void swapWindowBuffers()
{
    if (!windowHandle)
        return;
    SDL_GL_SwapWindow(windowHandle);
    paceFrame();
}

SDL_Window* sdlGameWindow()
{
    return windowHandle;
}

bool sdlVideoStarted()
{
    return videoStarted;
}

bool windowIsOpen()
{
    return renderContext != nullptr;
}

// The place as the X server has it now, where there is one, like the cursor.
bool gameWindowRect(int& left, int& top, int& width, int& height)
{
    if (!windowHandle)
        return false;
    if (!queryX11WindowOrigin(left, top))
        SDL_GetWindowPosition(windowHandle, &left, &top);
    SDL_GetWindowSize(windowHandle, &width, &height);
    return true;
}

void moveGameWindow(int x, int y, int width, int height)
{
    if (!windowHandle)
        return;
    SDL_SetWindowPosition(windowHandle, x, y);
    SDL_SetWindowSize(windowHandle, width, height);
}

void hideCursor()
{
    if (videoStarted)
        SDL_ShowCursor(SDL_DISABLE);
}
