// Standard input, output and error as the program's first step.
#pragma once

// Opens the null device on any of descriptors 0, 1 and 2 that the program
// was started with closed. Whatever the program opens next (an image, the
// X server's connection) would otherwise take that number, and a line meant
// for stdout or stderr would land in it. On Windows a GUI program started
// from a console first joins that console for its output. Call before
// anything opens a file.
void openClosedStandardStreams();
