// Test hooks of the web build, linked only into the test page that
// tests/web loads (the shipped page has none). They read the framebuffer,
// the program's state and what the screenshots left in the page's file
// system from outside, between frames, and set the view as undercroft-tool
// snapshot's --view and --look set it after start-up, so the browser's
// pictures can be compared with the Linux tool's.
#include "app/screenshot.h"
#include "assets/units.h"
#include "platform/input.h"
#include "platform/quit.h"
#include "platform/video.h"
#include "view3d/camera.h"
#include "world/view_cell.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace {
// SX, SY, SZ, mx, my, screenWidth, screenHeight, pixelScale, quitFlag.
std::int32_t state[9];
// Files in the screenshot folder, and their bytes.
std::int32_t shotFiles[2];
}

extern "C" {

// The framebuffer's bytes (screenWidth x screenHeight RGBA, row 0 at the
// bottom), or null.
const std::uint8_t* webTestFramebuffer()
{
    return framebuffer.get();
}

// The state above, refreshed, as nine 32-bit ints.
const std::int32_t* webTestState()
{
    const std::int32_t values[] = {SX, SY, SZ, mouseX(), mouseY(), screenWidth, screenHeight,
                                   pixelScale, quitFlag ? 1 : 0};
    for (int i = 0; i < 9; ++i)
        state[i] = values[i];
    return state;
}

// How many files the screenshot folder holds and their bytes together, as
// two 32-bit ints.
const std::int32_t* webTestScreenshotFiles()
{
    shotFiles[0] = shotFiles[1] = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(screenshotFolder, error)) {
        ++shotFiles[0];
        shotFiles[1] += std::int32_t(entry.file_size(error));
    }
    return shotFiles;
}

// The view cell and the camera's angles; the camera's offsets in its cell
// and its step count as start-up leaves them (mid-cell, no steps).
void webTestSetView(int x, int y, int z, float yaw, float pitch)
{
    SX = x;
    SY = y;
    SZ = z;
    viewYaw = yaw;
    viewPitch = pitch;
    UnitRecord& player = playerUnit();
    player.subX = player.subY = player.subZ = 0.5f;
    player.stepCount = 0;
}

} // extern "C"
