// Resident memory as the process's working set.
#include "platform/resident_memory.h"

#include <windows.h>

#include <psapi.h>

namespace {
constexpr double bytesPerMb = 1024.0 * 1024.0;
}

double residentMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return double(counters.WorkingSetSize) / bytesPerMb;
}
