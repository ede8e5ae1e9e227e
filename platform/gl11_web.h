// The web backend's OpenGL 1.1 layer: the GL calls the program makes,
// implemented on WebGL (gl11_web.cpp). What the backend's window code calls
// besides the GL entry points themselves.
#pragma once

// Makes a WebGL context on the page's canvas current, with the state and
// texture names a new OpenGL context starts with. False when the browser
// gives none.
bool createGl11Context();

// Drops the context, its textures and any geometry not yet drawn.
void destroyGl11Context();

// Draws the geometry batched so far (the swap calls it; so do the GL calls
// whose result depends on it).
void flushGl11Batches();
