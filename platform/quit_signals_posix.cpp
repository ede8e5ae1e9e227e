// SIGINT and SIGTERM ask the frame loop to end, like the window's close.
#include "platform/quit.h"

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
