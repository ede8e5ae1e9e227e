// Held keys and presses counted from the window system's events. A tap
// shorter than a frame goes down and up before the frame polls its held
// state; the press count keeps it for the keys that act once per press.
#include "platform/key_events.h"

#include "platform/backend.h"
#include "platform/input.h"

namespace {
bool heldKeys[virtualKeyCount] = {};
int pressesSinceTaken[virtualKeyCount] = {}; // since takeWindowSystemKeyPresses
}

void noteKeyEvent(int vk, bool held, bool repeated)
{
    if (vk <= 0 || vk >= virtualKeyCount)
        return;
    if (held && !repeated)
        ++pressesSinceTaken[vk];
    heldKeys[vk] = held;
}

bool windowSystemKeyDown(int vk)
{
    return vk >= 0 && vk < virtualKeyCount && heldKeys[vk];
}

int takeWindowSystemKeyPresses(int vk)
{
    if (vk < 0 || vk >= virtualKeyCount)
        return 0;
    const int presses = pressesSinceTaken[vk];
    pressesSinceTaken[vk] = 0;
    return presses;
}

void releaseWindowSystemKeys()
{
    for (bool& held : heldKeys)
        held = false;
}
