// The program's spine: start-up, one frame of the loop, shutdown. main and
// the headless tool run the same three.
#pragma once

// Builds everything once, in the fixed start-up order; opens the window.
void runStartup();

// One frame: clear, draw, present, then the keys and the window messages.
void runFrame();

// Releases every buffer start-up and the video modes allocated.
void runShutdown();
