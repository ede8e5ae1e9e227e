// The read-back: one glReadPixels and a colour-keyed copy per 3D frame.
#include "view3d/read_back.h"

#include "platform/video.h"
#include "platform/window.h"

#include <GL/gl.h>

#include <cstddef>

namespace {
constexpr std::size_t viewPixels = std::size_t(view3DMode.width) * view3DMode.height;
constexpr std::size_t readBytes = viewPixels * 3;

bool readBackHasRoom()
{
    return std::size_t(screenWidth) * std::size_t(screenHeight) * 4 >= readBytes;
}

void copyKeyed()
{
    const std::uint8_t* source = readBackBuffer.get();
    std::uint8_t* target = framebuffer.get();
    const std::uint8_t keyR = backgroundKey[0], keyG = backgroundKey[1], keyB = backgroundKey[2];
    for (std::size_t i = 0; i < viewPixels; ++i, source += 3, target += 4) {
        if (source[0] == keyR && source[1] == keyG && source[2] == keyB)
            continue;
        target[0] = source[0];
        target[1] = source[1];
        target[2] = source[2];
        target[3] = 255;
    }
}
} // namespace

void readBack3DView()
{
    glLoadIdentity();
    // readBackBuffer is sized by the video mode; a mode smaller than the 3D
    // view could not hold the picture, so nothing is read into it then.
    if (!readBackHasRoom())
        return;
    glReadPixels(0, 0, view3DMode.width, view3DMode.height, GL_RGB, GL_UNSIGNED_BYTE, readBackBuffer.get());
    if (screenWidth == view3DMode.width && screenHeight == view3DMode.height)
        copyKeyed();
}
