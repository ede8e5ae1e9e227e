// The Win32 backend's messages and input: the window procedure, the pump,
// and keys and the cursor polled from the system's global state, so they act
// whether or not the window has the focus.
#include "platform/backend.h"
#include "platform/quit.h"
#include "platform/win32/window.h"

namespace {
// The pump's one message record.
MSG message;

constexpr SHORT heldBit = SHORT(0x8000);
constexpr SHORT pressedSinceLastCallBit = 1;

// Whether each key was held at the previous takeWindowSystemKeyPresses.
bool heldAtLastTake[256] = {};
} // namespace

LRESULT CALLBACK windowProc(HWND window, UINT messageId, WPARAM wParam, LPARAM lParam)
{
    switch (messageId) {
    case WM_ACTIVATE:
        return 0;
    case WM_SYSCOMMAND:
        // Neither the screen saver nor monitor power-saving starts while the
        // window is up.
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER)
            return 0;
        break;
    case WM_CLOSE:
        quitFlag = 1; // the loop ends at the next frame; the window stays
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, messageId, wParam, lParam);
}

bool pumpSystemEvent()
{
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

bool windowSystemKeyDown(int vk)
{
    return (GetAsyncKeyState(vk) & heldBit) != 0;
}

// The system notes a press since the previous call for the key; a press
// still held counts too, once, where that note is not kept. More than one
// tap between two calls counts as one.
int takeWindowSystemKeyPresses(int vk)
{
    const SHORT state = GetAsyncKeyState(vk);
    const bool held = (state & heldBit) != 0;
    const bool pressed = (state & pressedSinceLastCallBit) != 0 || (held && !heldAtLastTake[vk]);
    heldAtLastTake[vk] = held;
    return pressed ? 1 : 0;
}

// Keys are the system's global state, read afresh at every test.
void releaseWindowSystemKeys() {}

void readDesktopCursor(int& x, int& y)
{
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    x = cursor.x;
    y = cursor.y;
}
