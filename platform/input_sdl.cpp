// Window-system keys as Windows virtual-key codes.
#include "platform/backend.h"
#include "platform/input.h"

#include <SDL.h>

int virtualKeyFromScancode(int scancode)
{
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
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
