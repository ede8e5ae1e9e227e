// Window, quit and mode keys, tested as held once per frame: holding one
// repeats its action every frame.
#include "app/keys.h"

#include "app/state.h"
#include "platform/input.h"
#include "platform/video.h"

void handleWindowKeys()
{
    for (int scale = 1; scale <= 5; ++scale)
        if (keyDown(vkF1 + scale - 1))
            switchPixelScale(scale);
}

void handleQuitAndModeKeys()
{
    if (keyDown(vkEscape))
        quitFlag = 1;
    if (keyDown(vkF6))
        switchVideoMode(320, 240);
    if (keyDown(vkF7))
        switchVideoMode(640, 480);
}
