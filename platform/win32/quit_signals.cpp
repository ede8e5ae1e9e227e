// Ctrl+C, Ctrl+Break and the console's close ask the frame loop to end, like
// the window's close message.
#include "platform/quit.h"

#include "platform/file_output.h"

#include <windows.h>

namespace {
// The status a console program ends with on Ctrl+C elsewhere: 128 + SIGINT.
constexpr UINT interruptedStatus = 130;

// A second request ends the process, as on Linux: the first went unheard.
BOOL WINAPI requestQuit(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    if (quitFlag) {
        removeUnfinishedOutput();
        ExitProcess(interruptedStatus);
    }
    quitFlag = 1;
    return TRUE;
}
} // namespace

// A program started from a console window joins that console, so Ctrl+C
// typed there reaches it as it reaches a console program; started any other
// way it has no console and the call changes nothing.
void installQuitSignals()
{
    AttachConsole(ATTACH_PARENT_PROCESS);
    SetConsoleCtrlHandler(requestQuit, TRUE);
}
