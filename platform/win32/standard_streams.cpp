// A GUI program started from a console window gets no standard handles:
// joining that console sends its stdout and stderr lines (the world's seed,
// messages) there, as a console program's would. A standard stream still with
// no handle behind it (a closed handle, a program started with none, from
// Explorer) is opened on the null device, so writes to it go nowhere quietly
// instead of failing or reaching a file opened later.
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

void joinStartingConsole()
{
    if (hasHandle(stdout) && hasHandle(stderr))
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!hasHandle(stdout))
        std::freopen("CONOUT$", "w", stdout);
    if (!hasHandle(stderr))
        std::freopen("CONOUT$", "w", stderr);
}
}

void openClosedStandardStreams()
{
    joinStartingConsole();
    if (!hasHandle(stdin))
        std::freopen("NUL", "r", stdin);
    if (!hasHandle(stdout))
        std::freopen("NUL", "w", stdout);
    if (!hasHandle(stderr))
        std::freopen("NUL", "w", stderr);
}
