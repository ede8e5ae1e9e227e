// undercroft's entry point on Linux. Takes no arguments.
#include "app/program.h"

int main()
{
    return runProgram();
}
