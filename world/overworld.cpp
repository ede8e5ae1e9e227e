// Reading the overworld map file into layer 0 of the grid.
#include "world/overworld.h"

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
    std::FILE* file = std::fopen(overworldMapPath(mapNumber).c_str(), "rb");
    if (!file)
        return;
    std::fread(&gridCell(0, 0, 0), 1, layerStride, file);
    // A path that opens but cannot be read (a directory) counts as no file.
    const bool readable = !std::ferror(file);
    std::fclose(file);
    if (readable)
        pauseMilliseconds(mapLoadPauseMs);
}
