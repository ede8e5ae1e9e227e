// The per-frame clear and the presentation of the framebuffer through
// OpenGL's pixel zoom: one glDrawPixels per frame, no textures.
#include "platform/video.h"

#include "platform/pause.h"
#include "platform/window.h"

#include <GL/gl.h>

#include <cstring>

namespace {
// With no window there is no vsync to pace the loop; wait about one frame at
// 60 Hz so a window-less run does not spin a core.
constexpr int noWindowFrameMs = 16;
}

void clearFrame()
{
    if (windowIsOpen()) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
    }
    std::memset(framebuffer.get(), 0, std::size_t(screenWidth) * std::size_t(screenHeight) * 4);
}

void presentFrame()
{
    if (!windowIsOpen()) {
        pauseMilliseconds(noWindowFrameMs);
        return;
    }
    glDisable(GL_TEXTURE_2D);
    glPixelZoom(float(pixelScale), float(pixelScale));
    // The raster position is never set: it stays at the window's lower-left
    // corner, so framebuffer row 0 lands on the window's bottom row.
    glDrawPixels(screenWidth, screenHeight, GL_RGBA, GL_UNSIGNED_BYTE, framebuffer.get());
    // The frame is finished before it is shown. A swap of an offscreen
    // (pbuffer) surface does not even flush: the driver would keep queueing
    // every frame's pixel copy, a framebuffer-sized block each, as long as
    // nothing reads the picture back (gigabytes after some minutes of the map
    // view in a headless run). Finishing also keeps at most one frame in
    // flight on a real display.
    glFinish();
    swapWindowBuffers();
    glEnable(GL_TEXTURE_2D);
}
