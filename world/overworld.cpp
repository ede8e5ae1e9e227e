// Reading the overworld map file into layer 0 of the grid.
#include "world/overworld.h"

#include "platform/file_input.h"
#include "platform/pause.h"
#include "platform/report.h"
#include "world/grid.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
constexpr int mapLoadPauseMs = 1000;
constexpr int mapPathSize = 64;
}

std::string overworldMapPath(int mapNumber)
{
    char path[mapPathSize];
    std::snprintf(path, sizeof path, "map/%d.overworld", mapNumber);
    return path;
}

void readOverworldMap(int mapNumber)
{
    // Read-only: a missing map is not created and a read-only install works.
    // Anything but a regular file (a folder, a FIFO, a terminal) counts as
    // missing, so start-up never waits for a writer; a map that is there but
    // cannot be read is said on stderr, once.
    const std::string path = overworldMapPath(mapNumber);
    std::string why;
    std::FILE* file = openRegularFile(path, why);
    if (!file) {
        if (!why.empty())
            reportProblem("cannot read " + path + ": " + why + "; the overworld stays empty");
        return;
    }
    errno = 0;
    std::fread(&gridCell(0, 0, 0), 1, layerStride, file);
    // A file that opens but cannot be read counts as no file.
    const bool readable = !std::ferror(file);
    if (!readable)
        reportProblem("cannot read " + path + ": " + (errno ? std::strerror(errno) : "read error"));
    std::fclose(file);
    if (readable)
        pauseMilliseconds(mapLoadPauseMs);
}
