// Bringing the rendered 3D picture into the software framebuffer.
#pragma once

// The 3D view's size in GL pixels, whatever the video mode.

// Reads the 320 x 240 GL picture into readBackBuffer as RGB triples and, at
// 320 x 240 only, copies every pixel that is not backgroundKey into the
// framebuffer with alpha 255; background pixels are left as they were.
void readBack3DView();
