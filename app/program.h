// undercroft as a whole, run by the entry point of each system.
#pragma once

// Builds the voxel world and runs the frame loop until Escape or a close
// request; always returns 0.
int runProgram();
