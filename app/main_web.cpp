// undercroft's entry point in a web page. The frame loop runs as written:
// the program's waits (the animation frames, the pauses) yield to the
// browser. A main that has waited so returns into no caller, so the end of
// the program is made explicit: the page's exit handler then says it ended.
#include "app/program.h"

#include <emscripten.h>

// The page passes its address's ?seed=N as --seed N.
int main(int argc, char** argv)
{
    const int status = runProgram(argc, argv);
    emscripten_force_exit(status);
    return status;
}
