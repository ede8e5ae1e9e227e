// The game window on Win32 with a WGL context: the window class "OpenGL", a
// borderless popup at the desktop's corner, one pixel format for the whole
// run, and the closing that releases them in reverse. The window procedure
// and the message pump are in events_win32.cpp, the GL state of an opening
// in render_state_gl.cpp.
#include "platform/window.h"

#include "platform/frame_pacing.h"
#include "platform/test_seam.h"
#include "platform/video.h"
#include "platform/window_win32.h"

#include <cstdio>
#include <cstring>

namespace {
HWND windowHandle = nullptr;
HDC deviceContext = nullptr;
HGLRC renderContext = nullptr;
HINSTANCE moduleInstance = nullptr;
bool classRegistered = false;
bool windowsHidden = false;
int openingsToRefuse = 0; // failNextWindowOpenings

const char* const className = "OpenGL";
const char* const errorCaption = "ERROR";
const char* const shutdownCaption = "SHUTDOWN ERROR";
constexpr DWORD windowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD windowExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;

// The one descriptor of the run; its colour bits are those of the first
// opening that reaches them.
PIXELFORMATDESCRIPTOR pixelFormat = {
    sizeof(PIXELFORMATDESCRIPTOR), 1,
    PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA,
    0, // colour bits, set by the first opening
    0, 0, 0, 0, 0, 0, 0, 0, // red, green, blue, alpha bits and shifts
    0, 0, 0, 0, 0,          // accumulation bits
    16,                     // depth bits
    0, 0,                   // stencil bits, auxiliary buffers
    PFD_MAIN_PLANE, 0, 0, 0, 0};
bool pixelFormatCompleted = false;

bool registerWindowClass()
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = moduleInstance;
    windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32517));  // IDI_WINLOGO
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32515)); // IDC_CROSS
    windowClass.lpszClassName = className;
    classRegistered = RegisterClassA(&windowClass) != 0;
    return classRegistered;
}

// Whether the test hook refuses this opening (and counts it).
bool openingRefused()
{
    if (openingsToRefuse <= 0)
        return false;
    --openingsToRefuse;
    return true;
}

bool failOpening(const char* text)
{
    destroyWindowAndContext();
    showMessageBox(errorCaption, text);
    return false;
}

HWND createGameWindow(const char* title, int width, int height)
{
    RECT client = {0, 0, width, height};
    AdjustWindowRectEx(&client, windowStyle, FALSE, windowExStyle);
    if (openingRefused())
        return nullptr;
    return CreateWindowExA(windowExStyle, className, title, windowStyle, 0, 0,
                           client.right - client.left, client.bottom - client.top, nullptr,
                           nullptr, moduleInstance, nullptr);
}

// Motion is a fixed step per frame: vsync, where the driver offers it, shows
// frames at the display's rate; paceFrame holds them to 60 either way. The
// extension's function belongs to the current context.
void askForVsync()
{
    using SwapInterval = BOOL(WINAPI*)(int);
    // Through the generic function pointer type, as GetProcAddress results go.
    const auto anyFunction = reinterpret_cast<void (*)()>(wglGetProcAddress("wglSwapIntervalEXT"));
    const auto setSwapInterval = reinterpret_cast<SwapInterval>(anyFunction);
    if (setSwapInterval)
        setSwapInterval(1);
}

// Steps 5 to 9 of an opening: the device context, its pixel format and a
// current rendering context. False after the closing and the message box.
bool createContext(int colourBits)
{
    if (!pixelFormatCompleted) {
        pixelFormat.cColorBits = BYTE(colourBits);
        pixelFormatCompleted = true;
    }
    deviceContext = GetDC(windowHandle);
    if (!deviceContext)
        return failOpening("Can't Create A GL Device Context.");
    const int format = ChoosePixelFormat(deviceContext, &pixelFormat);
    if (format == 0)
        return failOpening("Can't Find A Suitable PixelFormat.");
    if (!SetPixelFormat(deviceContext, format, &pixelFormat))
        return failOpening("Can't Set The PixelFormat.");
    renderContext = wglCreateContext(deviceContext);
    if (!renderContext)
        return failOpening("Can't Create A GL Rendering Context.");
    if (!wglMakeCurrent(deviceContext, renderContext))
        return failOpening("Can't Activate The GL Rendering Context.");
    askForVsync();
    return true;
}
} // namespace

HWND win32GameWindow()
{
    return windowHandle;
}

void openWindowsHidden()
{
    windowsHidden = true;
}

void showMessageBox(const char* caption, const char* text)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    if (windowsHidden)
        return;
    const UINT icon = std::strcmp(caption, errorCaption) == 0 ? MB_ICONEXCLAMATION
                                                               : MB_ICONINFORMATION;
    MessageBoxA(nullptr, text, caption, MB_OK | icon);
}

bool openGameWindow()
{
    if (!createWindowAndContext("GAME", screenWidth * pixelScale, screenHeight * pixelScale, 16))
        return false;
    hideCursor();
    return true;
}

bool createWindowAndContext(const char* title, int width, int height, int colourBits)
{
    moduleInstance = GetModuleHandleA(nullptr);
    if (!registerWindowClass()) {
        showMessageBox(errorCaption, "Failed To Register The Window Class.");
        return false;
    }
    windowHandle = createGameWindow(title, width, height);
    if (!windowHandle)
        return failOpening("Window Creation Error.");
    if (!createContext(colourBits))
        return false;
    if (!windowsHidden) {
        ShowWindow(windowHandle, SW_SHOW);
        SetForegroundWindow(windowHandle);
        SetFocus(windowHandle);
    }
    setupProjection();
    initRenderState();
    probeBackgroundKey();
    return true;
}

// A failure never stops the later steps. The window and device-context
// handles are cleared once released, so that nothing measures, moves or
// draws into a window that is gone.
void destroyWindowAndContext()
{
    if (renderContext) {
        if (!wglMakeCurrent(nullptr, nullptr))
            showMessageBox(shutdownCaption, "Release Of DC And RC Failed.");
        if (!wglDeleteContext(renderContext))
            showMessageBox(shutdownCaption, "Release Rendering Context Failed.");
        renderContext = nullptr;
    }
    if (deviceContext) {
        if (!ReleaseDC(windowHandle, deviceContext))
            showMessageBox(shutdownCaption, "Release Device Context Failed.");
        deviceContext = nullptr;
    }
    if (windowHandle) {
        if (!DestroyWindow(windowHandle))
            showMessageBox(shutdownCaption, "Could Not Release hWnd.");
        windowHandle = nullptr;
    }
    // Only a class this program registered is unregistered: a closing with
    // nothing open (after a failed opening, say) has nothing to report.
    if (classRegistered) {
        classRegistered = false;
        if (!UnregisterClassA(className, moduleInstance)) {
            showMessageBox(shutdownCaption, "Could Not Unregister Class.");
            moduleInstance = nullptr;
        }
    }
}

void swapWindowBuffers()
{
    if (!deviceContext)
        return;
    SwapBuffers(deviceContext);
    paceFrame();
}

bool windowIsOpen()
{
    return renderContext != nullptr;
}

bool gameWindowRect(int& left, int& top, int& width, int& height)
{
    RECT rect;
    if (!windowHandle || !GetWindowRect(windowHandle, &rect))
        return false;
    left = rect.left;
    top = rect.top;
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    return true;
}

void moveGameWindow(int x, int y, int width, int height)
{
    if (windowHandle)
        MoveWindow(windowHandle, x, y, width, height, TRUE);
}

void hideCursor()
{
    ShowCursor(FALSE);
}

void failNextWindowOpenings(int n)
{
    openingsToRefuse = n;
}
