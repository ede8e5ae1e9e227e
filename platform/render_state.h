// The GL state every new context gets from its opening (render_state_gl.cpp).
#pragma once

// The viewport (320 x 240 at the lower left, whatever the window size) and
// the 45 degree, 4:3 perspective projection.
void setupProjection();

// The fixed GL state every frame relies on, the context's textures first.
void initRenderState();

// Reads back what the clear colour becomes in the current context into
// backgroundKey; the last step of every opening.
void probeBackgroundKey();
