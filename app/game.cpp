// Start-up order, the frame and shutdown. Each step is one call; what it does
// is owned by the subsystem it names.
#include "app/game.h"

#include "app/keys.h"
#include "app/state.h"
#include "draw2d/blit.h"
#include "draw2d/crosshair.h"
#include "draw2d/map_view.h"
#include "platform/video.h"
#include "platform/window.h"

namespace {
constexpr int mapModeWidth = 640;
constexpr int mapOriginOffset = 15; // cells from the view origin to the view cell
constexpr int markerImage = 849;    // the mage unit image
constexpr int markerX = 240;        // the view cell's tile: 15 tiles in
constexpr int markerY = 240;

// The map shows the view cell 15 cells in from the lower-left corner and
// marks it; the view cell itself is left as it was.
void drawMapAroundViewCell()
{
    SX -= mapOriginOffset;
    SY -= mapOriginOffset;
    drawMapView();
    blitImageKeyed(markerX, markerY, markerImage);
    SX += mapOriginOffset;
    SY += mapOriginOffset;
}
}

void runStartup()
{
    setVideoMode(320, 240); // the 3D view's mode, shown twice as large
    pixelScale = 2;
    openGameWindow(); // a failure has been reported; the loop runs without a window
}

void runFrame()
{
    clearFrame();
    if (screenWidth == mapModeWidth)
        drawMapAroundViewCell(); // the top-down map with the view cell marked
    drawCrosshair();             // over everything, at the mouse
    presentFrame();
    handleWindowKeys();   // pixel scale, window follows the cursor
    handleMovementKeys(); // view cell and layer, then the clamp
    handleQuitAndModeKeys();
    while (pumpOneMessage()) {
    }
}

void runShutdown()
{
    releaseVideoBuffers();
}
