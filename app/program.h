// undercroft as a whole, run by the entry point of each system.
#pragma once

// Reads the command line (argc, argv as main has them; see command_line.h):
// --help and --version answer, anything it does not know is refused with
// status 2. Otherwise builds the voxel world (of --seed's seed, else the
// clock's) and runs the frame loop until Escape or a close request;
// returns 0.
int runProgram(int argc, char** argv);
