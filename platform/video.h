// The software framebuffer, the video mode it is composed at and its
// presentation to the window, enlarged by the pixel scale.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// The two video modes by their logical screen size in framebuffer pixels: the
// 3D view's and the map view's. Which view a frame draws depends on
// screenWidth alone; the 3D view always renders 320 x 240 pixels.
struct VideoMode {
    int width;
    int height;
};
inline constexpr VideoMode view3DMode{320, 240};
inline constexpr VideoMode mapViewMode{640, 480};

// The logical screen of the current mode.
extern int screenWidth;
extern int screenHeight;

// Window pixels per framebuffer pixel in each direction, 1 to 5.
extern int pixelScale;

// screenWidth x screenHeight RGBA pixels; pixel (x, y) at byte
// (x + y * screenWidth) * 4, row 0 at the bottom. Drawn pixels carry alpha
// 255; a cleared pixel is all zero and shows black.
extern std::unique_ptr<std::uint8_t[]> framebuffer;

// Same size as framebuffer; the 3D view reads its rendered RGB picture here
// before merging it into framebuffer.
extern std::unique_ptr<std::uint8_t[]> readBackBuffer;

// Sets the logical screen size and allocates both buffers afresh (zeroed),
// even when the size does not change. The window is left alone.
void setVideoMode(int width, int height);

// Releases both buffers (shutdown).
void releaseVideoBuffers();

// The framebuffer's RGB bytes, top row first (framebuffer rows run upward),
// as picture files store them; all zero when there is no framebuffer.
std::vector<std::uint8_t> framebufferRgbTopFirst();

// Start of every frame: clears the GL colour and depth buffers, loads the
// identity into the model-view matrix and zeroes the framebuffer.
void clearFrame();

// End of every frame's drawing: copies the framebuffer to the window's lower
// left corner at the pixel scale and swaps buffers.
void presentFrame();

// F6 / F7: new buffers at width x height, scale 2, the window reopened.
void switchVideoMode(int width, int height);

// F1 to F5: the window reopened at the given scale; mode and buffers kept.
void switchPixelScale(int scale);
