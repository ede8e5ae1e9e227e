// The one line a problem gets on stderr, named for the program that says it.
#pragma once

#include <string>

// "undercroft", or the name the tool sets at its start ("undercroft-tool"):
// every message the shared code writes starts with it.
extern const char* programName;

// Writes "programName: message" and a newline on stderr, as one line: control
// characters in the message (a newline in a value or a name) as escapes ("\\n").
void reportProblem(const std::string& message);
