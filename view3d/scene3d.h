// The 3D view's frame step.
#pragma once

// One frame of the 3D view: clears the GL buffers, draws the cubes around
// the camera as it stood, flies and collides the camera, reads the picture
// into the framebuffer and turns the camera towards the mouse while a
// mouse button is held.
void updateScene3D();
