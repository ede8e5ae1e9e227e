// SIGINT and SIGTERM ask the frame loop to end, like the window's close.
#include "platform/signals.h"

#include "app/state.h"

#include <csignal>

namespace {
extern "C" void requestQuit(int)
{
    quitFlag = 1;
}
}

void installQuitSignals()
{
    std::signal(SIGINT, requestQuit);
    std::signal(SIGTERM, requestQuit);
}
