// Standard input, output and error, and the command line, as the program's
// first step.
#pragma once

#include <string>
#include <vector>

// What a standard output that the program was started with closed becomes:
// the program's lines on it are messages, which may go nowhere; the tool's
// are the data the user asked for, whose loss is an error to report.
enum class ClosedOutput { Discarded, Refused };

// Opens the null device on any of descriptors 0, 1 and 2 that the program
// was started with closed (for a closed standard output that is Refused, a
// device every write to fails). Whatever the program opens next (an image,
// the X server's connection) would otherwise take that number, and a line
// meant for stdout or stderr would land in it. On Windows a GUI program
// started from a console first joins that console for its output, which
// then shows UTF-8. Call before anything opens a file.
void openClosedStandardStreams(ClosedOutput closedOutput = ClosedOutput::Discarded);

// Whether standard output was closed when the program started.
bool standardOutputWasClosed();

// The command line's arguments as UTF-8, the program's name first: on
// Windows read from the system's wide command line (the narrow `argv` holds
// only what the system's code page can spell), elsewhere `argv` itself.
std::vector<std::string> commandLineArguments(int argc, char** argv);
