// undercroft's entry point in a web page. The frame loop runs as written:
// the program's waits (the animation frames, the pauses) yield to the
// browser. A main that has waited so returns into no caller, so the end of
// the program is made explicit: the page's exit handler then says it ended.
#include "app/program.h"

#include <emscripten.h>

int main()
{
    const int status = runProgram();
    emscripten_force_exit(status);
    return status;
}
