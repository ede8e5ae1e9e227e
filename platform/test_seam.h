// Hooks for tests only: the product never calls these. They let a test
// refuse window openings, read the clock the pauses advance, and hand the
// cursor back to the window system after placing a virtual one.
#pragma once

#include <cstdint>

// The next n window openings fail the way a window system that refuses the
// window makes them fail ("Window Creation Error."), so tests can run the loop
// without a window and watch the next opening recover.
void failNextWindowOpenings(int n);

// Milliseconds the pauses have taken since the program started.
std::int64_t pausedMilliseconds();

// Ends overrideCursor: the cursor is read from the window system again.
void stopCursorOverride();

// Ends setKeyHeld: keys are read from the window system again.
void stopScriptedKeys();
