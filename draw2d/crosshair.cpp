// The crosshair that marks the mouse position.
#include "draw2d/crosshair.h"

#include "draw2d/primitives.h"
#include "platform/input.h"

namespace {
constexpr int crosshairArm = 5; // pixels beyond the centre in each direction
constexpr int white = 255;
}

void drawCrosshair()
{
    const int mx = mouseX();
    const int my = mouseY();
    drawLine(mx, my, mx + crosshairArm, my, white, white, white);
    drawLine(mx, my, mx, my + crosshairArm, white, white, white);
    drawLine(mx, my, mx - crosshairArm, my, white, white, white);
    drawLine(mx, my, mx, my - crosshairArm, white, white, white);
}
