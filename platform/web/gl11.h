// The web backend's OpenGL 1.1 layer: the GL calls the program makes,
// implemented on WebGL (gl11.cpp). What the backend's window code calls
// besides the GL entry points themselves.
#pragma once

// Makes a WebGL context on the page's canvas current, with the state and
// texture names a new OpenGL context starts with. The canvas's drawing
// buffer has one pixel for every windowScale x windowScale window pixels:
// GL's window coordinates are the buffer's, and the pixel zoom is divided
// by windowScale. False when the browser gives no context.
bool createGl11Context(int windowScale);

// Drops the context, its textures and any geometry not yet drawn.
void destroyGl11Context();

// Draws the geometry batched so far (the swap calls it; so do the GL calls
// whose result depends on it).
void flushGl11Batches();
