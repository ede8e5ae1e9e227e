// The game window on Win32 with a WGL context: the opening and the closing
// (backend.h) as the Win32 and WGL calls make them, step by step. The window
// class "OpenGL", a borderless popup at the desktop's corner, one pixel
// format for the whole run, and the closing that releases them in reverse.
// The window procedure and the message pump are in events.cpp, the GL state
// of an opening in render_state_gl.cpp.
#include "platform/win32/window.h"

#include "platform/backend.h"

namespace {
HWND windowHandle = nullptr;
HDC deviceContext = nullptr;
HGLRC renderContext = nullptr;
HINSTANCE moduleInstance = nullptr;
bool classRegistered = false;
bool lost = false; // windowSystemLost

const char* const className = "OpenGL";
constexpr DWORD windowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD windowExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;

// The one descriptor of the run.
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
// frames at the display's rate; the pacer holds them to 60 either way. The
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
bool createWindow(const char* title, int width, int height)
{
    RECT client = {0, 0, width, height};
    AdjustWindowRectEx(&client, windowStyle, FALSE, windowExStyle);
    windowHandle = CreateWindowExA(windowExStyle, className, title, windowStyle, 0, 0,
                                   client.right - client.left, client.bottom - client.top,
                                   nullptr, nullptr, moduleInstance, nullptr);
    return windowHandle != nullptr;
}

OpeningFailure setUpPixelFormat()
{
    const int format = ChoosePixelFormat(deviceContext, &pixelFormat);
    if (format == 0)
        return OpeningFailure::pixelFormatChoice;
    if (!SetPixelFormat(deviceContext, format, &pixelFormat))
        return OpeningFailure::pixelFormatSet;
    return OpeningFailure::none;
}

// The pixel format, the context, and the context made current.
OpeningFailure setUpContext()
{
    const OpeningFailure format = setUpPixelFormat();
    if (format != OpeningFailure::none)
        return format;
    renderContext = wglCreateContext(deviceContext);
    if (!renderContext)
        return OpeningFailure::context;
    if (!wglMakeCurrent(deviceContext, renderContext))
        return OpeningFailure::contextActivation;
    askForVsync();
    return OpeningFailure::none;
}

// Under Wine 8 with no usable OpenGL driver (LIBGL_ALWAYS_INDIRECT=1 under
// Xvfb, or LIBGL_DRIVERS_PATH naming a folder with no driver), the X11
// driver's probe of OpenGL fails at the first pixel-format call and leaves
// the driver broken for the rest of the process: later calls that reach the
// X connection fault inside it. DestroyWindow returns the fault's status and
// leaves the window, UnregisterClassA then fails, and PeekMessageA and
// MessageBoxA never return (the 32-bit Wine aborts on an Xlib assertion
// instead). A Win32 program that only registers a class, creates a window,
// asks for a pixel format and closes them in reverse does the same: no
// order of ours avoids it. Wine then offers no pixel format at all, which
// Windows never does (it always has its own software formats).
bool openGlMissingUnderWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version"))
        return false;
    return DescribePixelFormat(deviceContext, 1, sizeof(PIXELFORMATDESCRIPTOR), nullptr) == 0;
}

// What is left open is forgotten, not closed, and nothing touches the window
// system again: the failure is said on stderr only, and the program runs on
// without a window, Escape read from the key state.
void loseWindowSystem()
{
    lost = true;
    renderContext = nullptr;
    deviceContext = nullptr;
    windowHandle = nullptr;
    classRegistered = false;
}
} // namespace

OpeningFailure openSystemWindow(const char* title, int width, int height, int colourBits)
{
    if (lost || !registerWindowClass())
        return OpeningFailure::windowSystem;
    if (!createWindow(title, width, height))
        return OpeningFailure::window;
    // The descriptor takes the colour bits of the first opening that gets
    // this far; later openings reuse them.
    if (pixelFormat.cColorBits == 0)
        pixelFormat.cColorBits = BYTE(colourBits);
    deviceContext = GetDC(windowHandle);
    if (!deviceContext)
        return OpeningFailure::deviceContext;
    const OpeningFailure failure = setUpContext();
    if (failure != OpeningFailure::none && openGlMissingUnderWine())
        loseWindowSystem();
    return failure;
}

// A registration that fails has no reason to give beyond its message.
std::string whyNoWindowSystem()
{
    return {};
}

bool showSystemWindow()
{
    ShowWindow(windowHandle, SW_SHOW);
    SetForegroundWindow(windowHandle);
    SetFocus(windowHandle);
    return true;
}

// In reverse of the opening. The window and device-context handles are
// cleared once released, so that nothing measures, moves or draws into a
// window that is gone; only a class this program registered is unregistered,
// so a closing with nothing open (after a failed opening, say) has nothing to
// report.
unsigned closeSystemWindow()
{
    unsigned failures = 0;
    if (renderContext) {
        if (!wglMakeCurrent(nullptr, nullptr))
            failures |= contextReleaseFailed;
        if (!wglDeleteContext(renderContext))
            failures |= contextDeletionFailed;
        renderContext = nullptr;
    }
    if (deviceContext) {
        if (!ReleaseDC(windowHandle, deviceContext))
            failures |= deviceContextReleaseFailed;
        deviceContext = nullptr;
    }
    if (windowHandle) {
        if (!DestroyWindow(windowHandle))
            failures |= windowDestructionFailed;
        windowHandle = nullptr;
    }
    if (classRegistered) {
        classRegistered = false;
        if (!UnregisterClassA(className, moduleInstance)) {
            failures |= windowSystemEndFailed;
            moduleInstance = nullptr;
        }
    }
    return failures;
}

void presentSystemWindow()
{
    SwapBuffers(deviceContext);
}

// A desktop's context is never taken away.
bool systemContextRestored()
{
    return false;
}

bool systemWindowRect(int& left, int& top, int& width, int& height)
{
    RECT rect;
    if (!GetWindowRect(windowHandle, &rect))
        return false;
    left = rect.left;
    top = rect.top;
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    return true;
}

void moveSystemWindow(int x, int y, int width, int height)
{
    MoveWindow(windowHandle, x, y, width, height, TRUE);
}

void hideSystemCursor()
{
    if (!lost)
        ShowCursor(FALSE);
}

bool messageBoxesShown()
{
    return !lost;
}

void showSystemMessageBox(const char* caption, const char* text, bool error)
{
    MessageBoxA(nullptr, text, caption, MB_OK | (error ? MB_ICONEXCLAMATION : MB_ICONINFORMATION));
}

// The tool's windows are made but never shown.
void hideWindowsFromNowOn() {}

HWND openWindowHandle()
{
    return windowHandle;
}

bool windowSystemLost()
{
    return lost;
}
