// Keys from the X server. SDL's key events stop with its window: destroying
// the window (every reopening) releases every key SDL thinks is held, the
// server sends no new press for a key that stays down, and a key pressed
// while no window is there reaches nobody. So a key held through F1 to F7
// would read as up from then on, and a tap during a reopening would be lost.
// The server's own key map does not change when a window goes, and its raw
// key events (XInput 2) come whatever window is there: on a connection of
// our own, the held state is read from the one and the presses counted from
// the other, at each read (once a frame, and when a new window is shown).
// Both are global, so they count only while the game window has the
// keyboard, as SDL's events would.
#include "platform/sdl/x11_keys.h"

#include "platform/input.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

namespace {
Display* display = nullptr;
int xkbEventType = 0;
int inputExtension = 0; // XInput's major opcode
unsigned numLockMask = 0;
bool keyboardWasOurs = false; // at the last read
bool held[virtualKeyCount] = {};
int pressesSinceTaken[virtualKeyCount] = {};
bool rawKeyDown[256] = {}; // by keycode, from the raw events

struct KeyboardState {
    int group;
    bool numLock;
};

// Which keys the game window hears: all while it has the keyboard, none
// while another program has it, Escape alone when there is no window (so a
// run without one can still be ended from the keyboard).
enum class Hearing { nothing, escapeOnly, everything };

bool hears(Hearing hearing, int vk)
{
    return vk > 0 && (hearing == Hearing::everything ||
                      (hearing == Hearing::escapeOnly && vk == vkEscape));
}

// The US letter at an evdev key position, for a layout whose letter keys
// type no Latin letters (Cyrillic, Greek): they keep their position's
// letter, as on Windows.
int letterAtPosition(int keycode)
{
    struct Row {
        int firstKeycode;
        const char* letters;
    };
    constexpr Row rows[] = {{24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}};
    for (const Row& row : rows) {
        const int index = keycode - row.firstKeycode;
        int length = 0;
        while (row.letters[length])
            ++length;
        if (index >= 0 && index < length)
            return row.letters[index];
    }
    return 0;
}

// The virtual-key code of a key symbol, 0 for keys the program has none for.
// Letters go by the layout's label (the key labelled M is M on AZERTY too);
// the keypad's arrows are arrows, as on Windows.
int virtualKeyFromKeysym(KeySym sym)
{
    if (sym >= XK_a && sym <= XK_z)
        return 'A' + int(sym - XK_a);
    if (sym >= XK_A && sym <= XK_Z)
        return 'A' + int(sym - XK_A);
    if (sym >= XK_F1 && sym <= XK_F12)
        return vkF1 + int(sym - XK_F1);
    switch (sym) {
    case XK_Escape: return vkEscape;
    case XK_Left: case XK_KP_Left: return vkLeft;
    case XK_Up: case XK_KP_Up: return vkUp;
    case XK_Right: case XK_KP_Right: return vkRight;
    case XK_Down: case XK_KP_Down: return vkDown;
    case XK_KP_Add: return vkAdd;
    case XK_KP_Subtract: return vkSubtract;
    default: return 0;
    }
}

// The virtual-key code of a key as the layout of keyboard group `group`
// types it now: the keypad's second level while NumLock is on.
int virtualKeyFromKeycode(int keycode, int group, bool numLock)
{
    KeySym sym = XkbKeycodeToKeysym(display, KeyCode(keycode), group, 0);
    if (numLock && IsKeypadKey(sym))
        sym = XkbKeycodeToKeysym(display, KeyCode(keycode), group, 1);
    const int vk = virtualKeyFromKeysym(sym);
    // Keysyms past Latin-1 and below the function keys are other scripts'
    // characters, as are Unicode ones.
    const bool typesNonLatin = vk == 0 && ((sym > 0xff && sym < 0xfd00) || sym >= 0x1000100);
    return typesNonLatin ? letterAtPosition(keycode) : vk;
}

KeyboardState keyboardState()
{
    XkbStateRec state;
    XkbGetState(display, XkbUseCoreKbd, &state);
    return {state.group, (state.locked_mods & numLockMask) != 0};
}

// A raw key event: a press counts once (the keyboard's repeats are no
// presses) when the game window hears it.
void noteRawKey(const XIRawEvent& event, const KeyboardState& keyboard, Hearing hearing)
{
    const int keycode = event.detail;
    if (keycode < 0 || keycode > 255)
        return;
    const bool down = event.evtype == XI_RawKeyPress;
    if (down && !rawKeyDown[keycode]) {
        const int vk = virtualKeyFromKeycode(keycode, keyboard.group, keyboard.numLock);
        if (hears(hearing, vk))
            ++pressesSinceTaken[vk];
    }
    rawKeyDown[keycode] = down;
}

// The events since the last read: raw keys, counted as presses the window
// hears, and a new keyboard map (setxkbmap, a keyboard plugged in), fetched
// again.
void readEvents(const KeyboardState& keyboard, Hearing hearing)
{
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == xkbEventType) {
            XkbRefreshKeyboardMapping(reinterpret_cast<XkbMapNotifyEvent*>(&event));
            continue;
        }
        XGenericEventCookie& cookie = event.xcookie;
        if (cookie.type != GenericEvent || cookie.extension != inputExtension ||
            !XGetEventData(display, &cookie))
            continue;
        if (cookie.evtype == XI_RawKeyPress || cookie.evtype == XI_RawKeyRelease)
            noteRawKey(*static_cast<XIRawEvent*>(cookie.data), keyboard, hearing);
        XFreeEventData(display, &cookie);
    }
}

::Window topLevelOf(::Window window)
{
    ::Window root, parent, *children;
    unsigned count;
    while (XQueryTree(display, window, &root, &parent, &children, &count)) {
        if (children)
            XFree(children);
        if (parent == root || parent == None)
            break;
        window = parent;
    }
    return window;
}

// Whether the server sends the keyboard to the game window now: it has the
// input focus (or its frame has), or the focus follows the pointer and the
// pointer is over it. `buttons` gets the pointer's button state.
bool windowHasKeyboard(::Window window, unsigned& buttons)
{
    ::Window root, child;
    int rootX, rootY, x, y;
    buttons = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y,
                  &buttons);
    if (window == None)
        return false;
    ::Window focus;
    int revertTo;
    XGetInputFocus(display, &focus, &revertTo);
    const ::Window topLevel = topLevelOf(window);
    if (focus == PointerRoot)
        return child == topLevel;
    return focus == window || focus == topLevel;
}
} // namespace

bool startX11Keys()
{
    if (display)
        return true;
    int major = XkbMajorVersion, minor = XkbMinorVersion, error = 0;
    display = XkbOpenDisplay(nullptr, &xkbEventType, nullptr, &major, &minor, &error);
    if (!display)
        return false;
    int firstEvent, firstError, inputMajor = 2, inputMinor = 0;
    if (!XQueryExtension(display, "XInputExtension", &inputExtension, &firstEvent, &firstError) ||
        XIQueryVersion(display, &inputMajor, &inputMinor) != Success) {
        XCloseDisplay(display); // SDL's events serve as they can
        display = nullptr;
        return false;
    }
    unsigned char rawKeys[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(rawKeys, XI_RawKeyPress);
    XISetMask(rawKeys, XI_RawKeyRelease);
    XIEventMask mask{XIAllMasterDevices, sizeof rawKeys, rawKeys};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XkbSelectEvents(display, XkbUseCoreKbd, XkbNewKeyboardNotifyMask | XkbMapNotifyMask,
                    XkbNewKeyboardNotifyMask | XkbMapNotifyMask);
    numLockMask = XkbKeysymToModifiers(display, XK_Num_Lock);
    return true;
}

bool x11KeysInUse()
{
    return display != nullptr;
}

// Presses since the last read count when the keyboard was the window's then
// or is now: a reopening keeps it (the last read before the old window
// closed had it), and a key typed into another program does not count once
// the focus has gone there.
void readX11Keys(unsigned long window)
{
    if (!display)
        return;
    unsigned buttons;
    const bool keyboardOurs = windowHasKeyboard(window, buttons);
    const Hearing hearing = keyboardOurs ? Hearing::everything
                            : window == None ? Hearing::escapeOnly
                                             : Hearing::nothing;
    const KeyboardState keyboard = keyboardState();
    readEvents(keyboard, keyboardWasOurs ? Hearing::everything : hearing);
    keyboardWasOurs = keyboardOurs;

    char keymap[32];
    XQueryKeymap(display, keymap);
    for (bool& key : held)
        key = false;
    for (int keycode = 8; keycode < 256; ++keycode) {
        const bool down = keymap[keycode / 8] & (1 << (keycode % 8));
        const int vk = down ? virtualKeyFromKeycode(keycode, keyboard.group, keyboard.numLock) : 0;
        if (hears(hearing, vk))
            held[vk] = true;
    }
    if (keyboardOurs) {
        held[vkLeftButton] = (buttons & Button1Mask) != 0;
        held[vkMiddleButton] = (buttons & Button2Mask) != 0;
        held[vkRightButton] = (buttons & Button3Mask) != 0;
    }
}

bool x11KeyHeld(int vk)
{
    return vk >= 0 && vk < virtualKeyCount && held[vk];
}

int takeX11KeyPresses(int vk)
{
    if (vk < 0 || vk >= virtualKeyCount)
        return 0;
    const int presses = pressesSinceTaken[vk];
    pressesSinceTaken[vk] = 0;
    return presses;
}
