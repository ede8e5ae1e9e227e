// The key table read by keyDown and the mapping of the cursor to framebuffer
// pixels. The window system's events and the cursor read are the backend's.
#include "platform/input.h"

#include "platform/backend.h"
#include "platform/test_seam.h"
#include "platform/video.h"
#include "platform/window.h"

namespace {
bool keysScripted = false;
bool scriptedKeys[virtualKeyCount] = {};
bool scriptedKeysAtLastTake[virtualKeyCount] = {}; // takeKeyPresses
bool cursorOverridden = false;
int overrideX = 0;
int overrideY = 0;
}

int keyDown(int vk)
{
    if (vk < 0 || vk >= virtualKeyCount)
        return 0;
    const bool held = keysScripted ? scriptedKeys[vk] : windowSystemKeyDown(vk);
    return held ? 1 : 0;
}

int takeKeyPresses(int vk)
{
    if (vk < 0 || vk >= virtualKeyCount)
        return 0;
    if (!keysScripted)
        return takeWindowSystemKeyPresses(vk);
    const bool pressed = scriptedKeys[vk] && !scriptedKeysAtLastTake[vk];
    scriptedKeysAtLastTake[vk] = scriptedKeys[vk];
    return pressed ? 1 : 0;
}

void setKeyHeld(int vk, bool held)
{
    keysScripted = true;
    if (vk >= 0 && vk < virtualKeyCount)
        scriptedKeys[vk] = held;
}

void stopScriptedKeys()
{
    keysScripted = false;
}

void releaseAllKeys()
{
    keysScripted = true;
    for (bool& held : scriptedKeys)
        held = false;
}

int mapCursorAxis(int distance, int windowExtent, int screenExtent)
{
    if (windowExtent <= 0)
        return 0;
    const float v = float(distance) / float(windowExtent) * float(screenExtent);
    if (v < 0)
        return 0;
    if (v > float(screenExtent - 1))
        return screenExtent - 1;
    return int(v);
}

void overrideCursor(int x, int y)
{
    cursorOverridden = true;
    overrideX = x;
    overrideY = y;
}

void stopCursorOverride()
{
    cursorOverridden = false;
}

void cursorPosition(int& x, int& y)
{
    if (!cursorOverridden) {
        readDesktopCursor(x, y);
        return;
    }
    x = overrideX;
    y = overrideY;
}

int mouseX()
{
    int left, top, width, height, cursorX, cursorY;
    if (!gameWindowRect(left, top, width, height))
        return 0;
    cursorPosition(cursorX, cursorY);
    return mapCursorAxis(cursorX - left, width, screenWidth);
}

int mouseY()
{
    int left, top, width, height, cursorX, cursorY;
    if (!gameWindowRect(left, top, width, height))
        return 0;
    cursorPosition(cursorX, cursorY);
    const int bottom = top + height;
    return mapCursorAxis(bottom - cursorY, height, screenHeight);
}
