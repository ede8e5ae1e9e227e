// A standard stream with no handle behind it (a closed handle, or a program
// started with none) is opened on the null device, so writes to it go
// nowhere quietly instead of failing or reaching a file opened later.
#include "platform/standard_streams.h"

#include <windows.h>

#include <cstdio>
#include <io.h>

namespace {
bool hasHandle(std::FILE* stream)
{
    const int fd = _fileno(stream);
    return fd >= 0 && _get_osfhandle(fd) != intptr_t(INVALID_HANDLE_VALUE);
}
}

void openClosedStandardStreams()
{
    if (!hasHandle(stdin))
        std::freopen("NUL", "r", stdin);
    if (!hasHandle(stdout))
        std::freopen("NUL", "w", stdout);
    if (!hasHandle(stderr))
        std::freopen("NUL", "w", stderr);
}
