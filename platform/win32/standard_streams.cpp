// A GUI program started from a console window gets no standard handles:
// joining that console sends its stdout and stderr lines (the world's seed,
// messages) there, as a console program's would. A standard stream still with
// no handle behind it (a closed handle, a program started with none, from
// Explorer) is opened on the null device, so writes to it go nowhere quietly
// instead of failing or reaching a file opened later. The tool's closed
// stdout is a pipe nobody reads instead, so its data fails to be written.
//
// Text inside is UTF-8: the command line is read from the system's wide one,
// and a console shows UTF-8 while the program runs.
#include "platform/standard_streams.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>

namespace {
bool outputWasClosed = false;
UINT consoleCodePage = 0; // the console's own, put back at exit

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

void restoreConsoleCodePage()
{
    SetConsoleOutputCP(consoleCodePage);
}

// A console shows the program's UTF-8 lines (a path in Cyrillic) as they are,
// not as the characters of its own code page; the console gets its code page
// back when the program ends.
void showUtf8OnConsole()
{
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage == 0 || consoleCodePage == CP_UTF8)
        return;
    if (SetConsoleOutputCP(CP_UTF8))
        std::atexit(restoreConsoleCodePage);
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

std::string utf8FromWide(const wchar_t* wide)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string text(std::size_t(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    return text;
}
}

void openClosedStandardStreams(ClosedOutput closedOutput)
{
    joinStartingConsole();
    showUtf8OnConsole();
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

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return {argv, argv + argc};
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(utf8FromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}
