// Held keys and presses counted from the window system's events. A tap
// shorter than a frame goes down and up before the frame polls its held
// state; the press count keeps it for the keys that act once per press.
#include "platform/key_events.h"

#include "platform/input.h"

namespace {
bool heldKeys[virtualKeyCount] = {};
int pressesSinceTaken[virtualKeyCount] = {}; // since takeKeyEventPresses

bool validKey(int vk)
{
    return vk > 0 && vk < virtualKeyCount;
}
} // namespace

void noteKeyEvent(int vk, bool held, bool repeated)
{
    if (!validKey(vk))
        return;
    if (held && !repeated)
        ++pressesSinceTaken[vk];
    heldKeys[vk] = held;
}

bool keyEventHeld(int vk)
{
    return validKey(vk) && heldKeys[vk];
}

int takeKeyEventPresses(int vk)
{
    if (!validKey(vk))
        return 0;
    const int presses = pressesSinceTaken[vk];
    pressesSinceTaken[vk] = 0;
    return presses;
}

void releaseKeyEvents()
{
    for (bool& held : heldKeys)
        held = false;
}
