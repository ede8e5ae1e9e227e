// A GUI program started from a console window gets no standard handles:
// joining that console sends its stdout and stderr lines (the world's seed,
// messages) there, as a console program's would. A standard stream still with
// no handle behind it (a closed handle, a program started with none, from
// Explorer) is opened on the null device, so writes to it go nowhere quietly
// instead of failing or reaching a file opened later. The tool's closed
// stdout is a pipe nobody reads instead, so its data fails to be written.
#include "platform/standard_streams.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace {
bool outputWasClosed = false;

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

// Points `stream` at the writing end of a pipe whose reading end is closed:
// every write fails.
void failEveryWrite(std::FILE* stream)
{
    HANDLE reading = nullptr;
    HANDLE writing = nullptr;
    if (!CreatePipe(&reading, &writing, nullptr, 0))
        return;
    CloseHandle(reading);
    const int fd = _open_osfhandle(intptr_t(writing), _O_WRONLY);
    if (fd < 0) {
        CloseHandle(writing);
        return;
    }
    _dup2(fd, _fileno(stream));
    _close(fd);
}
}

void openClosedStandardStreams(ClosedOutput closedOutput)
{
    joinStartingConsole();
    if (!hasHandle(stdin))
        std::freopen("NUL", "r", stdin);
    if (!hasHandle(stdout)) {
        outputWasClosed = true;
        std::freopen("NUL", "w", stdout);
        if (closedOutput == ClosedOutput::Refused)
            failEveryWrite(stdout);
    }
    if (!hasHandle(stderr))
        std::freopen("NUL", "w", stderr);
}

bool standardOutputWasClosed()
{
    return outputWasClosed;
}
