// The mouse crosshair drawn over every frame.
#pragma once

// Draws a white plus, arms 5 pixels long, centred on the mouse position in
// framebuffer pixels; arms past the framebuffer's edges are clipped.
void drawCrosshair();
