// The keys the frame loop reads after presenting a frame.
#pragma once

// F1 to F5: the pixel scale, each held or tapped key reopening the window.
// Then M: while held (or once for a tap), the window's top-left corner
// follows the cursor and the cursor is hidden.
void handleWindowKeys();

// Arrows step the view cell one cell per frame; keypad + and - step its
// layer when the player unit's cell above or below is empty, then pause
// 380 ms either way. Last, the view cell is clamped to the world.
void handleMovementKeys();

// Escape asks to quit; F6 and F7 switch the video mode, held or tapped. Each
// is tested on its own, so a quit request does not cancel a switch in the
// same frame.
void handleQuitAndModeKeys();
