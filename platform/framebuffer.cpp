// The framebuffer's storage and the video-mode globals. Pure memory: the GL
// side of presentation lives in present_gl.cpp.
#include "platform/video.h"

#include <cstddef>

int screenWidth = 0;
int screenHeight = 0;
int pixelScale = 2;

std::unique_ptr<std::uint8_t[]> framebuffer;
std::unique_ptr<std::uint8_t[]> readBackBuffer;

void setVideoMode(int width, int height)
{
    screenWidth = width;
    screenHeight = height;
    releaseVideoBuffers();
    const std::size_t bytes = std::size_t(width) * std::size_t(height) * 4;
    // Zeroed, so nothing reads uninitialised bytes before the first clear.
    framebuffer = std::make_unique<std::uint8_t[]>(bytes);
    readBackBuffer = std::make_unique<std::uint8_t[]>(bytes);
}

void releaseVideoBuffers()
{
    framebuffer.reset();
    readBackBuffer.reset();
}
