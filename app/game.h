// The program's spine: start-up, one frame of the loop, shutdown. main and
// the headless tool run the same three.
#pragma once

#include <cstdint>
#include <optional>

// Builds everything once, in the fixed start-up order, and opens the window.
// The world is seeded with fixedSeed, or with the clock in whole seconds;
// returns the seed used.
std::uint32_t runStartup(std::optional<std::uint32_t> fixedSeed = std::nullopt);

// One frame: clear, draw, present, then the keys and the window messages.
void runFrame();

// Releases every buffer start-up and the video modes allocated.
void runShutdown();
