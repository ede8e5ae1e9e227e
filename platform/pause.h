// The program's only waits: the pause after reading the map file and after
// each layer key. Headless runs advance a virtual clock instead of sleeping.
#pragma once

// Blocks the whole program for ms milliseconds (or advances the clock).
void pauseMilliseconds(int ms);

// Switches pauses to the virtual clock (true) or to real sleeps (false).
void useVirtualClock(bool on);

// Whether pauses advance the virtual clock (headless runs).
bool virtualClockInUse();
