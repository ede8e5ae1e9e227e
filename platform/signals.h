// The terminal's close request: Ctrl+C and SIGTERM set quitFlag, so a program
// whose window failed to open can still be ended.
#pragma once

void installQuitSignals();
