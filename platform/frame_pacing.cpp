// The frame pacer: a steady clock and a deadline one frame ahead.
#include "platform/frame_pacing.h"

#include "platform/pause.h"

#include <chrono>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;
constexpr Clock::duration framePeriod =
    std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / 60.0));

// When the next frame may be shown; the epoch before the first frame.
Clock::time_point nextFrameDue{};
}

void paceFrame()
{
    if (virtualClockInUse())
        return;
    const Clock::time_point now = Clock::now();
    if (now < nextFrameDue) {
        std::this_thread::sleep_until(nextFrameDue);
        // From the deadline, not from waking: the rate holds at 60 however
        // late the sleep ends.
        nextFrameDue += framePeriod;
        return;
    }
    // A frame that took longer than its share starts the count afresh
    // rather than rushing the next ones to catch up.
    nextFrameDue = now + framePeriod;
}
