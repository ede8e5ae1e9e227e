// The web backend's input: the browser's keyboard, mouse and focus events
// feed the key table and the cursor as they arrive, which is while the
// program waits for an animation frame or in a pause. The browser's key
// codes are the Windows virtual-key codes for every key the program reads
// (letters by the keyboard's layout, as on Windows). The page's on-screen
// controls (touch screens) feed the same table and cursor through the
// functions exported at the end.
#include "platform/backend.h"
#include "platform/input.h"
#include "platform/key_events.h"
#include "platform/web/page.h"

#include <emscripten/em_macros.h>
#include <emscripten/html5.h>

#include <string_view>

namespace {
int cursorX = 0; // viewport pixels
int cursorY = 0;
bool listening = false;

// The keys the program reads are kept from the browser: F5 must not reload
// the page, F7 must not start caret browsing, the arrows must not scroll.
bool programKey(int vk)
{
    switch (vk) {
    case vkEscape:
    case vkLeft:
    case vkUp:
    case vkRight:
    case vkDown:
    case vkM:
    case vkZ:
    case vkAdd:
    case vkSubtract:
    case vkF12:
        return true;
    default:
        return vk >= vkF1 && vk <= vkF7;
    }
}

int virtualKeyFromButton(unsigned short button)
{
    switch (button) {
    case 0: return vkLeftButton;
    case 1: return vkMiddleButton;
    case 2: return vkRightButton;
    default: return 0;
    }
}

// The virtual-key code of a key event. The arrows go by what the key does:
// the keypad's arrows with NumLock off are arrows too, as on Windows, though
// a browser may give them the keypad digits' codes.
int virtualKeyFromEvent(const EmscriptenKeyboardEvent& event)
{
    const std::string_view key = event.key;
    if (key == "ArrowLeft")
        return vkLeft;
    if (key == "ArrowUp")
        return vkUp;
    if (key == "ArrowRight")
        return vkRight;
    if (key == "ArrowDown")
        return vkDown;
    return int(event.keyCode);
}

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* event, void*)
{
    const int vk = virtualKeyFromEvent(*event);
    noteKeyEvent(vk, type == EMSCRIPTEN_EVENT_KEYDOWN, event->repeat);
    return programKey(vk);
}

EM_BOOL onMouseButton(int type, const EmscriptenMouseEvent* event, void*)
{
    cursorX = int(event->clientX);
    cursorY = int(event->clientY);
    noteKeyEvent(virtualKeyFromButton(event->button), type == EMSCRIPTEN_EVENT_MOUSEDOWN);
    return false;
}

EM_BOOL onMouseMove(int, const EmscriptenMouseEvent* event, void*)
{
    cursorX = int(event->clientX);
    cursorY = int(event->clientY);
    return false;
}

// A key released while the page had no focus never reports its release.
EM_BOOL onBlur(int, const EmscriptenFocusEvent*, void*)
{
    releaseKeyEvents();
    return false;
}
} // namespace

void listenToPageInput()
{
    if (listening)
        return;
    listening = true;
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    const char* document = EMSCRIPTEN_EVENT_TARGET_DOCUMENT;
    emscripten_set_keydown_callback(window, nullptr, true, onKey);
    emscripten_set_keyup_callback(window, nullptr, true, onKey);
    emscripten_set_mousedown_callback(document, nullptr, true, onMouseButton);
    emscripten_set_mouseup_callback(document, nullptr, true, onMouseButton);
    emscripten_set_mousemove_callback(document, nullptr, true, onMouseMove);
    emscripten_set_blur_callback(window, nullptr, true, onBlur);
}

// The browser delivers its events between frames, straight into the key
// table; there is no queue to drain.
bool pumpSystemEvent()
{
    return false;
}

void readDesktopCursor(int& x, int& y)
{
    x = cursorX;
    y = cursorY;
}

// The page hears keys only while it has the focus: the key table is the
// focus rule.
bool windowSystemKeyDown(int vk)
{
    return keyEventHeld(vk);
}

int takeWindowSystemKeyPresses(int vk)
{
    return takeKeyEventPresses(vk);
}

void releaseWindowSystemKeys()
{
    releaseKeyEvents();
}

// Called by the page (web/index.html, web/controls.js), never by the program.
extern "C" {

// An on-screen control holds (held != 0) or releases key or button vk, as
// the keyboard or the mouse would.
EMSCRIPTEN_KEEPALIVE void webControlKey(int vk, int held)
{
    noteKeyEvent(vk, held != 0);
}

// A finger on the page puts the cursor at viewport position (x, y), as the
// mouse would.
EMSCRIPTEN_KEEPALIVE void webControlCursor(int x, int y)
{
    cursorX = x;
    cursorY = y;
}

// The program has ended: its listeners go, so the keys it kept (F5 among
// them) are the browser's again.
EMSCRIPTEN_KEEPALIVE void webEndInput()
{
    emscripten_html5_remove_all_event_listeners();
}

} // extern "C"
