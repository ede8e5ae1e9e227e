// The game window on Win32 with a WGL context: the steps of the opening and
// the closing (window_backend.h) as the Win32 and WGL calls make them. The
// window class "OpenGL", a borderless popup at the desktop's corner, one
// pixel format for the whole run, and the closing that releases them in
// reverse. The window procedure and the message pump are in
// events_win32.cpp, the GL state of an opening in render_state_gl.cpp.
#include "platform/window.h"

#include "platform/frame_pacing.h"
#include "platform/window_backend.h"
#include "platform/window_win32.h"

namespace {
HWND windowHandle = nullptr;
HDC deviceContext = nullptr;
HGLRC renderContext = nullptr;
HINSTANCE moduleInstance = nullptr;
bool classRegistered = false;
int chosenPixelFormat = 0;

const char* const className = "OpenGL";
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
} // namespace

HWND win32GameWindow()
{
    return windowHandle;
}

bool registerWindowClass()
{
    moduleInstance = GetModuleHandleA(nullptr);
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

// The client rectangle is adjusted for the styles; a popup's stays as it is.
bool createGameWindow(const char* title, int width, int height, int)
{
    RECT client = {0, 0, width, height};
    AdjustWindowRectEx(&client, windowStyle, FALSE, windowExStyle);
    windowHandle = CreateWindowExA(windowExStyle, className, title, windowStyle, 0, 0,
                                   client.right - client.left, client.bottom - client.top,
                                   nullptr, nullptr, moduleInstance, nullptr);
    return windowHandle != nullptr;
}

bool getDeviceContext()
{
    deviceContext = GetDC(windowHandle);
    return deviceContext != nullptr;
}

bool choosePixelFormat(int colourBits)
{
    pixelFormat.cColorBits = BYTE(colourBits);
    chosenPixelFormat = ChoosePixelFormat(deviceContext, &pixelFormat);
    return chosenPixelFormat != 0;
}

bool setPixelFormat()
{
    return SetPixelFormat(deviceContext, chosenPixelFormat, &pixelFormat) != FALSE;
}

bool createRenderingContext()
{
    renderContext = wglCreateContext(deviceContext);
    return renderContext != nullptr;
}

bool makeContextCurrent()
{
    if (!wglMakeCurrent(deviceContext, renderContext))
        return false;
    askForVsync();
    return true;
}

bool showGameWindow()
{
    ShowWindow(windowHandle, SW_SHOW);
    SetForegroundWindow(windowHandle);
    SetFocus(windowHandle);
    return true;
}

bool releaseCurrentContext()
{
    return !renderContext || wglMakeCurrent(nullptr, nullptr);
}

bool deleteRenderingContext()
{
    const bool deleted = !renderContext || wglDeleteContext(renderContext);
    renderContext = nullptr;
    return deleted;
}

// The window and device-context handles are cleared once released, so that
// nothing measures, moves or draws into a window that is gone.
bool releaseDeviceContext()
{
    if (!deviceContext)
        return true;
    const bool released = ReleaseDC(windowHandle, deviceContext) != 0;
    deviceContext = nullptr;
    return released;
}

bool destroyGameWindow()
{
    if (!windowHandle)
        return true;
    const bool destroyed = DestroyWindow(windowHandle) != FALSE;
    windowHandle = nullptr;
    return destroyed;
}

// Only a class this program registered is unregistered: a closing with
// nothing open (after a failed opening, say) has nothing to report.
bool unregisterWindowClass()
{
    if (!classRegistered)
        return true;
    classRegistered = false;
    if (UnregisterClassA(className, moduleInstance))
        return true;
    moduleInstance = nullptr;
    return false;
}

bool messageBoxesShown()
{
    return true;
}

void showSystemMessageBox(const char* caption, const char* text, bool error)
{
    MessageBoxA(nullptr, text, caption, MB_OK | (error ? MB_ICONEXCLAMATION : MB_ICONINFORMATION));
}

// The tool's windows are made but never shown.
void hideWindowsFromNowOn() {}

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
