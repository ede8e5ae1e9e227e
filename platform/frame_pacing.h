// Frames at one speed on every display: every motion is a fixed step per
// frame, so the frame rate is the speed of the view.
#pragma once

// At most 60 frames a second: called once a frame after the buffers are
// swapped, it waits out what is left of the frame's 1/60 s. A display whose
// vsync holds the swap to 60 Hz leaves nothing to wait; without vsync (Xvfb,
// a driver with it forced off) or above 60 Hz (a 144 Hz display) it keeps
// the speed a 60 Hz display gives. Headless runs on the virtual clock are
// not paced.
void paceFrame();
