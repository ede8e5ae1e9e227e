// Problems reported on stderr.
#include "platform/report.h"

#include <cstdio>

const char* programName = "undercroft";

namespace {
// The message with its control characters written as escapes: a value or a
// file name holding a newline still gives one line.
std::string oneLine(const std::string& message)
{
    std::string line;
    for (const char c : message) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else if (c == '\t')
            line += "\\t";
        else if (byte < 0x20 || byte == 0x7f) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            line += escape;
        } else
            line += c;
    }
    return line;
}
}

void reportProblem(const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", programName, oneLine(message).c_str());
}
