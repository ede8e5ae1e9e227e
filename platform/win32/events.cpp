// The Win32 backend's messages and input: the window procedure, the pump,
// and keys and the cursor polled from the system's global state. Keys and
// mouse buttons count only while the game window is the foreground window,
// so what is typed into another program is left to it.
#include "platform/backend.h"
#include "platform/quit.h"
#include "platform/win32/window.h"

namespace {
// The pump's one message record.
MSG message;

constexpr SHORT heldBit = SHORT(0x8000);
constexpr SHORT pressedSinceLastCallBit = 1;

// GetAsyncKeyState's answer, with anything but its two bits read as no
// answer: Windows sets no other bit, but once Wine's X11 driver is lost
// (windowSystemLost) its first read faults inside the driver and returns the
// fault status's low half, 0x0005, which would read as a press.
SHORT systemKeyState(int vk)
{
    const SHORT state = GetAsyncKeyState(vk);
    return (state & ~(heldBit | pressedSinceLastCallBit)) != 0 ? 0 : state;
}

// A press the system noted at a read of the key's state, kept until
// takeWindowSystemKeyPresses takes it: every read clears the system's note,
// so a keyDown read before the take would otherwise swallow a short tap.
bool pressNoted[256] = {};
// Whether each key was held at the previous takeWindowSystemKeyPresses.
bool heldAtLastTake[256] = {};

// Whether the key is the program's to read now: any key while its window is
// the foreground window; with no window open (an opening failed), Escape
// only, so the program can still be ended.
bool keyIsOurs(int vk)
{
    const HWND window = openWindowHandle();
    if (!window)
        return vk == VK_ESCAPE;
    return GetForegroundWindow() == window;
}

// Whether the key is held, read from the system's state, with any press
// noted. A key that is not ours reads as up and its press is dropped: it was
// typed into another program, and must not act when the focus comes back.
// heldAnywhere, when given, is the system's held state, ours or not.
bool readKeyHeld(int vk, bool* heldAnywhere = nullptr)
{
    const SHORT state = systemKeyState(vk);
    if (heldAnywhere)
        *heldAnywhere = (state & heldBit) != 0;
    if (!keyIsOurs(vk)) {
        pressNoted[vk] = false;
        return false;
    }
    if (state & pressedSinceLastCallBit)
        pressNoted[vk] = true;
    return (state & heldBit) != 0;
}
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
    if (windowSystemLost() || !PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

bool windowSystemKeyDown(int vk)
{
    return readKeyHeld(vk);
}

// A press noted since the previous take counts; so does a key held now that
// was not at the previous take, where the system keeps no note. More than
// one tap between two takes counts as one. A key already held when it
// became ours (pressed in another program) is no new press.
int takeWindowSystemKeyPresses(int vk)
{
    bool heldAnywhere = false;
    const bool held = readKeyHeld(vk, &heldAnywhere);
    const bool pressed = pressNoted[vk] || (held && !heldAtLastTake[vk]);
    pressNoted[vk] = false;
    heldAtLastTake[vk] = heldAnywhere;
    return pressed ? 1 : 0;
}

// Keys are the system's global state, read afresh at every test.
void releaseWindowSystemKeys() {}

void readDesktopCursor(int& x, int& y)
{
    POINT cursor = {0, 0};
    if (!windowSystemLost())
        GetCursorPos(&cursor);
    x = cursor.x;
    y = cursor.y;
}
