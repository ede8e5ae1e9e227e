// The web backend's OpenGL 1.1 layer: the GL calls the program makes,
// implemented on WebGL (gl11.cpp). What the backend's window code calls
// besides the GL entry points themselves.
#pragma once

// Makes a WebGL context on the page's canvas current, with the state and
// texture names a new OpenGL context starts with. GL's window coordinates
// are the canvas's drawing-buffer pixels; the pixel zoom is in window
// pixels (the size the window was opened at), which the device maps to the
// buffer.
// False when the browser gives no context.
bool createGl11Context();

// Drops the context, its textures and any geometry not yet drawn.
void destroyGl11Context();

// True once after the browser gave back a context it had taken away: the
// layer's state is then a new context's (no textures, GL's defaults), for
// the caller to set up again.
bool takeGl11ContextRestored();

// Ends the frame before it is shown: draws the geometry batched so far and
// sends any clear still waiting. A frame that only cleared and copied the
// same framebuffer as the canvas shows has sent nothing.
void endGl11Frame();
