// Pauses as real sleeps or as a virtual clock that headless runs advance.
#include "platform/pause.h"

#include "platform/backend.h"
#include "platform/test_seam.h"

#include <cstdint>

namespace {
bool virtualClock = false;
std::int64_t pausedTotal = 0;
}

void pauseMilliseconds(int ms)
{
    if (ms <= 0)
        return;
    pausedTotal += ms;
    if (!virtualClock)
        sleepMilliseconds(ms);
}

void useVirtualClock(bool on)
{
    virtualClock = on;
}

bool virtualClockInUse()
{
    return virtualClock;
}

std::int64_t pausedMilliseconds()
{
    return pausedTotal;
}
