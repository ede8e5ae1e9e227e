// The request to end the frame loop. The window's close message and the
// terminal's Ctrl+C and SIGTERM set it here in the platform layer; the frame's
// Escape key sets it too.
#pragma once

#include <csignal>

// 0 while running; 1 once a close request or Escape asked the loop to end.
// Written from signal handlers, hence the type.
extern volatile std::sig_atomic_t quitFlag;

// Ctrl+C and SIGTERM set quitFlag, the terminal's equivalent of the window's
// close message, so a program whose window failed to open can still be ended.
// Until frameLoopReached, a second one ends the process at once with status
// 128 plus the signal's number: start-up does not look at quitFlag.
void installQuitSignals();

// Start-up is over and the frame loop tests quitFlag from now on.
void frameLoopReached();
