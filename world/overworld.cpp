// Reading the overworld map file into layer 0 of the grid.
#include "world/overworld.h"

#include "platform/file_input.h"
#include "platform/pause.h"
#include "world/grid.h"

#include <cstdio>

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
    // missing, so start-up never waits for a writer.
    std::FILE* file = openRegularFile(overworldMapPath(mapNumber));
    if (!file)
        return;
    std::fread(&gridCell(0, 0, 0), 1, layerStride, file);
    // A file that opens but cannot be read counts as no file.
    const bool readable = !std::ferror(file);
    std::fclose(file);
    if (readable)
        pauseMilliseconds(mapLoadPauseMs);
}
