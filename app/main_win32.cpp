// undercroft's entry point on Windows: the instance handles, the command line
// and the show flag are not used.
#include "app/program.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return runProgram();
}
