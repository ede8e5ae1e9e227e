// undercroft's entry point on Windows: the instance handles and the show flag
// are not used; the command line is read as the system has it (in UTF-16).
#include "app/program.h"

#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return runProgram(__argc, __argv);
}
