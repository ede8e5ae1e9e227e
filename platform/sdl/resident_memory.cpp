// Resident memory from Linux's /proc/self/statm.
#include "platform/resident_memory.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdio>

namespace {
constexpr double bytesPerMb = 1024.0 * 1024.0;
}

double residentMegabytes()
{
    malloc_trim(0);
    std::FILE* file = std::fopen("/proc/self/statm", "r");
    if (!file)
        return 0;
    long long sizePages = 0, residentPages = 0;
    const bool read = std::fscanf(file, "%lld %lld", &sizePages, &residentPages) == 2;
    std::fclose(file);
    return read ? double(residentPages) * double(sysconf(_SC_PAGESIZE)) / bytesPerMb : 0;
}
