// Keys and mouse buttons as the X server holds them (x11_keys.cpp): the held
// state of the SDL backend wherever SDL runs on an X server.
#pragma once

// Connects to the X server of DISPLAY for its key state; false where there
// is none to reach. Called once, when the window system starts on X11.
bool startX11Keys();

// Whether held keys are read from the X server (startX11Keys succeeded).
bool x11KeysInUse();

// Reads the keys held now and the presses since the last read, as the game
// window (X window id `window`) hears them: every key and button while the
// window has the keyboard (presses also while it had it at the last read:
// through a reopening), none while another program has it, and Escape alone
// when there is no window (0), so a run without a window can still be ended
// from the keyboard. Once a frame, and when a new window is shown.
void readX11Keys(unsigned long window);

// Whether the key or button of virtual-key code vk was held at the last read.
bool x11KeyHeld(int vk);

// The presses read since the previous call for vk, however short each was.
int takeX11KeyPresses(int vk);
