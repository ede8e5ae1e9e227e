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

std::vector<std::uint8_t> framebufferRgbTopFirst()
{
    std::vector<std::uint8_t> rgb(std::size_t(screenWidth) * screenHeight * 3);
    if (!framebuffer)
        return rgb;
    for (int y = 0; y < screenHeight; ++y) {
        const std::uint8_t* source = framebuffer.get() + std::size_t(y) * screenWidth * 4;
        std::uint8_t* target = rgb.data() + std::size_t(screenHeight - 1 - y) * screenWidth * 3;
        for (int x = 0; x < screenWidth; ++x) {
            target[x * 3 + 0] = source[x * 4 + 0];
            target[x * 3 + 1] = source[x * 4 + 1];
            target[x * 3 + 2] = source[x * 4 + 2];
        }
    }
    return rgb;
}
