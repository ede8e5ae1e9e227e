// SIGINT and SIGTERM ask the frame loop to end, like the window's close; a
// request that goes unheard still ends the process.
#include "platform/quit.h"

#include "platform/file_output.h"

#include <unistd.h>

namespace {
// How long the loop has after SIGTERM to end by itself: start-up and a
// frame take far less, unless something is stuck.
constexpr unsigned termGraceSeconds = 5;

// The signal the process ends with if the loop does not end first.
volatile std::sig_atomic_t endingSignal = 0;

extern "C" void endNow(int)
{
    removeUnfinishedOutput();
    ::_exit(128 + endingSignal);
}

// The first request sets quitFlag. A second one ends the process at once:
// the first has gone unheard, because start-up does not look at quitFlag or
// a call into the window system blocks (an X server that stopped
// answering). SIGTERM also gives the loop a few seconds to end by itself,
// then ends the process: it asks for an end, not for the next frame.
extern "C" void requestQuit(int signal)
{
    if (quitFlag && endingSignal) {
        endingSignal = signal;
        endNow(signal);
    }
    quitFlag = 1;
    endingSignal = signal;
    if (signal == SIGTERM)
        ::alarm(termGraceSeconds);
}
} // namespace

void installQuitSignals()
{
    std::signal(SIGINT, requestQuit);
    std::signal(SIGTERM, requestQuit);
    std::signal(SIGALRM, endNow);
}
