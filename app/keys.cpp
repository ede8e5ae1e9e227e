// Window, movement, quit and mode keys, tested once per frame: holding one
// repeats its action every frame, and a key that acts on a press (F1 to F7,
// M, Escape) also acts once for a tap that came and went within the frame.
#include "app/keys.h"

#include "assets/units.h"
#include "draw2d/map_view.h"
#include "platform/input.h"
#include "platform/pause.h"
#include "platform/quit.h"
#include "platform/video.h"
#include "platform/window.h"
#include "world/block_codes.h"
#include "world/grid.h"
#include "world/view_cell.h"

namespace {
// The pause after a layer key is also that key's repeat delay.
constexpr int layerKeyPauseMs = 380;

// The layer keys act only down to this layer: the upper part of the 3D world.
constexpr int layerKeyLimit = 30;

// Whether a key that acts on a press acts this frame: held now, or pressed
// since the last frame however briefly. Its presses are taken every frame,
// so a held key never acts twice in one.
bool keyActs(int vk)
{
    const bool pressed = takeKeyPresses(vk) > 0;
    return keyDown(vk) || pressed;
}

void followCursorWithWindow()
{
    int x, y;
    cursorPosition(x, y);
    moveGameWindow(x, y, screenWidth * pixelScale, screenHeight * pixelScale);
    hideCursor();
}

// Whether a layer key may step dz (+1 or -1) layers: the player unit's layer
// must lie in the keys' band and its cell dz layers away must be Air. A cell
// outside the grid (a unit copy of a view cell that left the world) counts as
// occupied rather than being read through a wrapped index.
bool layerStepAllowed(int dz)
{
    if (!unitRecords || !worldGrid)
        return false;
    const UnitRecord& unit = playerUnit();
    const int x = unit.cellX;
    const int y = unit.cellY;
    const int z = unit.cellZ;
    const bool inBand = dz > 0 ? z < layerKeyLimit : z != 0 && z <= layerKeyLimit;
    return inBand && cellInGrid(x, y, z + dz) && gridCell(x, y, z + dz) == Air;
}

void stepViewCellWithArrows()
{
    if (keyDown(vkUp))
        ++SY;
    if (keyDown(vkDown))
        --SY;
    if (keyDown(vkRight))
        ++SX;
    if (keyDown(vkLeft))
        --SX;
}

void stepLayerWithKeypad()
{
    if (keyDown(vkAdd)) {
        if (layerStepAllowed(+1))
            ++SZ;
        pauseMilliseconds(layerKeyPauseMs);
    }
    if (keyDown(vkSubtract)) {
        if (layerStepAllowed(-1))
            --SZ;
        pauseMilliseconds(layerKeyPauseMs);
    }
}

// Keeps a screenful of map tiles from the view cell inside the world.
void clampViewCell()
{
    const int maxY = worldSide - screenHeight / mapTileSize;
    const int maxX = worldSide - screenWidth / mapTileSize;
    if (SY > maxY)
        SY = maxY;
    if (SY < 0)
        SY = 0;
    if (SX > maxX)
        SX = maxX;
    if (SX < 0)
        SX = 0;
    if (SZ > layerCount - 1)
        SZ = layerCount - 1;
    if (SZ < 0)
        SZ = 0;
}
}

void handleWindowKeys()
{
    for (int scale = 1; scale <= 5; ++scale)
        if (keyActs(vkF1 + scale - 1))
            switchPixelScale(scale);
    if (keyActs(vkM))
        followCursorWithWindow();
}

void handleMovementKeys()
{
    stepViewCellWithArrows();
    stepLayerWithKeypad();
    clampViewCell();
}

void handleQuitAndModeKeys()
{
    if (keyActs(vkEscape))
        quitFlag = 1;
    if (keyActs(vkF6))
        switchVideoMode(view3DMode.width, view3DMode.height);
    if (keyActs(vkF7))
        switchVideoMode(mapViewMode.width, mapViewMode.height);
}
