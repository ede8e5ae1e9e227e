// Frames of the program driven by a script instead of a user: which keys are
// held and where the cursor points. Shared by the headless subcommands.
#pragma once

#include <array>
#include <optional>
#include <vector>

// A framebuffer pixel: x from the left, y from the bottom.
using PixelPosition = std::array<int, 2>;

// Puts the virtual cursor on the given framebuffer pixel of the current
// window; with no window open the cursor stays where it was.
void placeCursorOnPixel(const PixelPosition& pixel);

// One frame of the program with exactly `keys` (virtual-key codes) held and,
// when given, the cursor on `mouse`.
void runScriptedFrame(const std::vector<int>& keys, const std::optional<PixelPosition>& mouse);
