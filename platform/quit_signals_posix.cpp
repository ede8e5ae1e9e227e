// SIGINT and SIGTERM ask the frame loop to end, like the window's close.
#include "platform/quit.h"

#include <unistd.h>

namespace {
volatile std::sig_atomic_t inFrameLoop = 0;

// A second request while start-up still runs (the frame loop would see the
// first) ends the process: nothing in start-up should need two, but a stuck
// one can always be ended.
extern "C" void requestQuit(int signal)
{
    if (quitFlag && !inFrameLoop)
        ::_exit(128 + signal);
    quitFlag = 1;
}
} // namespace

void installQuitSignals()
{
    std::signal(SIGINT, requestQuit);
    std::signal(SIGTERM, requestQuit);
}

void frameLoopReached()
{
    inFrameLoop = 1;
}
