// The SDL backend's input: the event pump that feeds the key table and the
// quit request, the keys held (from the X server where SDL runs on one,
// x11_keys.cpp), and the desktop cursor read.
#include "platform/backend.h"
#include "platform/input.h"
#include "platform/key_events.h"
#include "platform/quit.h"
#include "platform/sdl/window.h"
#include "platform/sdl/x11_keys.h"

namespace {
bool letterPosition(int scancode)
{
    return scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z;
}

// The virtual-key code of a key by its position (its scancode), or 0 for
// keys the program has no code for. Letter positions read as the US layout
// has them.
int virtualKeyFromScancode(int scancode)
{
    if (letterPosition(scancode))
        return 'A' + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + (scancode - SDL_SCANCODE_1);
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
        return vkF1 + (scancode - SDL_SCANCODE_F1);
    switch (scancode) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_ESCAPE: return vkEscape;
    case SDL_SCANCODE_SPACE: return ' ';
    case SDL_SCANCODE_RETURN: return 13;
    case SDL_SCANCODE_LEFT: return vkLeft;
    case SDL_SCANCODE_UP: return vkUp;
    case SDL_SCANCODE_RIGHT: return vkRight;
    case SDL_SCANCODE_DOWN: return vkDown;
    case SDL_SCANCODE_KP_PLUS: return vkAdd;
    case SDL_SCANCODE_KP_MINUS: return vkSubtract;
    default: return 0;
    }
}

// The virtual-key code of a key event. Letters go by the active layout, as
// Windows' virtual-key codes do: the key labelled M is M wherever it sits
// (on AZERTY, right of L), and the key in US M's place that types a comma
// there is no M. A letter position whose layout types no Latin character
// (Cyrillic, Greek) keeps its position's letter, as on Windows. Keys with no
// letter (digits, arrows, F-keys, the keypad) go by position.
int virtualKeyFromEvent(const SDL_Keysym& key)
{
    if (key.sym >= SDLK_a && key.sym <= SDLK_z)
        return 'A' + (key.sym - SDLK_a);
    // The keypad's arrows, NumLock off, are arrows, as on Windows.
    if (!(key.mod & KMOD_NUM)) {
        switch (key.scancode) {
        case SDL_SCANCODE_KP_4: return vkLeft;
        case SDL_SCANCODE_KP_8: return vkUp;
        case SDL_SCANCODE_KP_6: return vkRight;
        case SDL_SCANCODE_KP_2: return vkDown;
        default: break;
        }
    }
    const bool typesAscii = key.sym > 0 && key.sym < 128;
    if (letterPosition(key.scancode) && typesAscii)
        return 0;
    return virtualKeyFromScancode(key.scancode);
}

int virtualKeyFromButton(int button)
{
    switch (button) {
    case SDL_BUTTON_LEFT: return vkLeftButton;
    case SDL_BUTTON_RIGHT: return vkRightButton;
    case SDL_BUTTON_MIDDLE: return vkMiddleButton;
    default: return 0;
    }
}
} // namespace

// With the queue drained, the held keys are read from the X server for the
// frame to come.
bool pumpSystemEvent()
{
    if (!sdlVideoStarted())
        return false;
    SDL_Event event;
    if (!SDL_PollEvent(&event)) {
        readX11Keys(x11GameWindowId());
        return false;
    }
    switch (event.type) {
    case SDL_QUIT:
        quitFlag = 1;
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE)
            quitFlag = 1;
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (!x11KeysInUse())
            noteKeyEvent(virtualKeyFromEvent(event.key.keysym), event.type == SDL_KEYDOWN,
                         event.key.repeat != 0);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (!x11KeysInUse())
            noteKeyEvent(virtualKeyFromButton(event.button.button),
                         event.type == SDL_MOUSEBUTTONDOWN);
        break;
    default:
        break;
    }
    return true;
}

// From the X server at every call where there is one; elsewhere (Wayland,
// offscreen) SDL's global position is all there is.
void readDesktopCursor(int& x, int& y)
{
    x = 0;
    y = 0;
    if (!sdlVideoStarted() || queryX11Pointer(x, y))
        return;
    SDL_GetGlobalMouseState(&x, &y);
}

// As the X server has them where there is one: SDL releases every key when
// its window goes, at each reopening, and hears nothing in between.
bool windowSystemKeyDown(int vk)
{
    return x11KeysInUse() ? x11KeyHeld(vk) : keyEventHeld(vk);
}

int takeWindowSystemKeyPresses(int vk)
{
    return x11KeysInUse() ? takeX11KeyPresses(vk) : takeKeyEventPresses(vk);
}

void releaseWindowSystemKeys()
{
    releaseKeyEvents();
}
