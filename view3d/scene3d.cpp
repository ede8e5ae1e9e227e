// The 3D view's frame step: drawing, motion, read-back and mouse look.
#include "view3d/scene3d.h"

#include "platform/input.h"
#include "view3d/camera.h"
#include "view3d/read_back.h"
#include "view3d/voxel_window.h"

#include <GL/gl.h>

namespace {
bool anyMouseButtonHeld()
{
    return keyDown(vkLeftButton) || keyDown(vkMiddleButton) || keyDown(vkRightButton);
}
}

void updateScene3D()
{
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawVoxelWindow(); // the camera as the previous frame left it
    moveCamera();
    readBack3DView();
    if (anyMouseButtonHeld())
        lookAtMouse(mouseX(), mouseY()); // takes effect in the next frame's drawing
}
