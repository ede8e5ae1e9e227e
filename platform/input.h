// Polled input: the held state of keys and mouse buttons by Windows
// virtual-key code, and the mouse position in framebuffer pixels.
#pragma once

// Virtual-key codes of the keys the program reads.
enum VirtualKey : int {
    vkLeftButton = 1,
    vkRightButton = 2,
    vkMiddleButton = 4,
    vkEscape = 27,
    vkLeft = 37,
    vkUp = 38,
    vkRight = 39,
    vkDown = 40,
    vkM = 77,
    vkZ = 90,
    vkAdd = 107,
    vkSubtract = 109,
    vkF1 = 112,
    vkF5 = 116,
    vkF6 = 117,
    vkF7 = 118,
    vkF12 = 123,
};

constexpr int virtualKeyCount = 256;

// 1 while the key or button is held, 0 otherwise (codes outside 0..255: 0).
// The state is the window system's, or the script's once one has set a key.
int keyDown(int vk);

// How many times the key went down since the previous call for it, however
// short each press was: a press and release between two frames still counts.
// For keys that act once per press; the keys that act while held read keyDown.
// A script's keys are sampled once per frame, so there a press is a frame
// that holds the key after one that did not.
int takeKeyPresses(int vk);

// Sets the held state of one key in the script's table (the headless tool's
// key scripts, tests); from the first call on, keyDown reads that table
// instead of the window system's keys.
void setKeyHeld(int vk, bool held);

// Releases every key and button of the script's table (and reads it from now
// on, as setKeyHeld does).
void releaseAllKeys();

// The mouse position in framebuffer pixels, x from the left and y from the
// bottom, clamped to the screen; 0 when no window is open.
int mouseX();
int mouseY();

// One axis of the cursor mapping: distance from the window's left edge (or up
// from its bottom edge) over the window's extent, scaled to the screen extent
// in single precision, clamped to 0 .. screenExtent - 1.
int mapCursorAxis(int distance, int windowExtent, int screenExtent);

// Places a virtual cursor at desktop position (x, y) instead of reading the
// real one (headless runs).
void overrideCursor(int x, int y);

// The cursor in desktop coordinates (the virtual one while overridden).
void cursorPosition(int& x, int& y);
