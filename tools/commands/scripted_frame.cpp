// Scripted frames: the key table and the virtual cursor set before each frame.
#include "tools/commands/scripted_frame.h"

#include "app/game.h"
#include "platform/input.h"
#include "platform/video.h"
#include "platform/window.h"

namespace {
// The first desktop position along one window axis that the cursor mapping
// turns into the wanted framebuffer pixel.
int distanceForPixel(int pixel, int windowExtent, int screenExtent)
{
    for (int distance = 0; distance <= windowExtent; ++distance)
        if (mapCursorAxis(distance, windowExtent, screenExtent) == pixel)
            return distance;
    return pixel < 0 ? -1 : windowExtent + 1;
}
}

void placeCursorOnPixel(const PixelPosition& pixel)
{
    int left, top, width, height;
    if (!gameWindowRect(left, top, width, height))
        return;
    const int x = left + distanceForPixel(pixel[0], width, screenWidth);
    const int y = top + height - distanceForPixel(pixel[1], height, screenHeight);
    overrideCursor(x, y);
}

void runScriptedFrame(const std::vector<int>& keys, const std::optional<PixelPosition>& mouse)
{
    releaseAllKeys();
    for (int key : keys)
        setKeyHeld(key, true);
    if (mouse)
        placeCursorOnPixel(*mouse);
    runFrame();
}
