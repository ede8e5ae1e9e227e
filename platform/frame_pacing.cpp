// Frames at one speed on every display: every motion is a fixed step per
// frame, so the frame rate is the speed of the view. After each present the
// pacer waits out what is left of the frame's 1/60 s on a steady clock,
// never more than one frame at a time. A display whose vsync holds the swap
// to 60 Hz leaves nothing to wait; without vsync (Xvfb, a driver with it
// forced off) or above 60 Hz (a 144 Hz display) it keeps the speed a 60 Hz
// display gives. Headless runs on the virtual clock are not paced. (A page
// waits for the browser's animation frames instead: web/frame_pacing.cpp.)
#include "platform/backend.h"

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
    if (now >= nextFrameDue) {
        // A frame that took longer than its share starts the count afresh
        // rather than rushing the next ones to catch up.
        nextFrameDue = now + framePeriod;
        return;
    }
    // More than a frame to wait means the clock went back (a steady clock is
    // not steady under libfaketime, nor in a virtual machine put back): wait
    // one frame, not the whole jump, with Escape unanswered all along.
    if (nextFrameDue - now > framePeriod)
        nextFrameDue = now + framePeriod;
    std::this_thread::sleep_for(nextFrameDue - now);
    // From the deadline, not from waking: the rate holds at 60 however late
    // the sleep ends.
    nextFrameDue += framePeriod;
}
