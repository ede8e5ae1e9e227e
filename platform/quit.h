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
// A second one ends the process at once with status 128 plus the signal's
// number (130, 143), as does a SIGTERM the loop has not acted on within a
// few seconds: start-up does not look at quitFlag, and a call into a window
// system that stopped answering never returns to the loop.
void installQuitSignals();
