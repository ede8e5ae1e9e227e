// Driving the program's frame loop headless: frames with chosen keys held and
// the virtual cursor on a chosen framebuffer pixel.
#pragma once

#include <array>
#include <optional>
#include <vector>

// A framebuffer pixel (x from the left, y from the bottom).
using FramePixel = std::array<int, 2>;

// One frame of the program with exactly `keys` held and, when given, the
// cursor on `mouse`.
void runScriptedFrame(const std::vector<int>& keys, const std::optional<FramePixel>& mouse);
