// A pause on the desktop: the program's one thread sleeps.
#include "platform/backend.h"

#include <chrono>
#include <thread>

void sleepMilliseconds(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
