// Start-up order, the frame and shutdown. Each step is one call; what it does
// is owned by the subsystem it names.
#include "app/game.h"

#include "app/frame_steps.h"
#include "app/keys.h"
#include "app/screenshot.h"
#include "app/world_build.h"
#include "assets/image_table.h"
#include "assets/load_assets.h"
#include "assets/units.h"
#include "draw2d/crosshair.h"
#include "platform/video.h"
#include "platform/window.h"
#include "view3d/cube_textures.h"
#include "view3d/scene3d.h"
#include "world/generator.h"
#include "world/grid.h"

std::uint32_t runStartup(std::optional<std::uint32_t> fixedSeed)
{
    setVideoMode(view3DMode.width, view3DMode.height); // shown twice as large
    pixelScale = 2;
    loadAssets(); // world storage, image table, unit records, the catalogue images
    createContextTextures = loadCubeTextures; // every new context uploads the cubes
    openGameWindow(); // a failure has been reported; the loop runs without a window
    return buildWorld(fixedSeed); // map, seed, dungeon, 3D world, starting cell, shafts
}

void runFrame()
{
    clearFrame();
    if (screenWidth == mapViewMode.width)
        drawMapAroundViewCell(); // the top-down map with the view cell marked
    if (screenWidth == view3DMode.width) {
        updateScene3D();        // draw, fly, collide, read back, look
        copyViewCellToPlayer(); // the layer keys test around the player unit
    }
    drawStatusLines(); // banner, credit line, position and mouse
    drawCrosshair();   // over everything, at the mouse
    presentFrame();
    takeScreenshotOnF12(); // the frame just shown, before the next clear
    handleWindowKeys();    // pixel scale, window follows the cursor
    handleMovementKeys();  // view cell and layer, then the clamp
    handleQuitAndModeKeys();
    while (pumpOneMessage()) {
    }
}

void runShutdown()
{
    releaseVideoBuffers();
    releaseWorldGrid();
    releaseImageTable();
    releaseUnitRecords();
    releaseGeneratorStorage();
}
