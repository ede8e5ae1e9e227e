// Problems reported on stderr.
#include "platform/report.h"

#include <cstdio>

const char* programName = "undercroft";

void reportProblem(const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", programName, message.c_str());
}
