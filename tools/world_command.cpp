// undercroft-tool world: builds the world for a seed, as start-up does, and
// writes the whole grid to a file, layer 0 first.
#include "app/world_build.h"
#include "assets/units.h"
#include "platform/pause.h"
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/headless.h"
#include "world/generator.h"
#include "world/grid.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {
struct WorldOptions {
    std::optional<std::uint32_t> seed;
    std::string dataFolder = ".";
    std::string out;
};

// Returns 0 when the options are good, else the exit status of the error.
int parseOptions(const std::vector<std::string>& args, WorldOptions& options)
{
    ArgReader reader{args};
    while (!reader.done()) {
        const std::string option = reader.take();
        std::string value;
        if (!reader.value(option, value))
            return usageExitStatus;
        if (option == "--seed") {
            const auto seed = parseInteger(value, 0, UINT32_MAX);
            if (!seed)
                return usageError("--seed wants a whole number 0..4294967295");
            options.seed = std::uint32_t(*seed);
        } else if (option == "--data") {
            options.dataFolder = value;
        } else if (option == "--out") {
            options.out = outputPath(value);
        } else {
            return usageError("world: unknown option '" + option + "'");
        }
    }
    if (!options.seed)
        return usageError("world needs --seed N");
    if (options.out.empty())
        return usageError("world needs --out FILE");
    return 0;
}

// Writes the whole grid; on failure returns false with the reason.
bool writeGrid(const std::string& path, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(worldGrid.get(), 1, worldCellCount, file) == worldCellCount;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        error = std::strerror(errno);
    return written && closed;
}

void releaseWorld()
{
    releaseGeneratorStorage();
    releaseUnitRecords();
    releaseWorldGrid();
}
}

int runWorldCommand(const std::vector<std::string>& args)
{
    WorldOptions options;
    if (const int status = parseOptions(args, options))
        return status;
    allocateWorldGrid();
    allocateUnitRecords();
    if (!enterDataFolder(options.dataFolder))
        return usageExitStatus;
    useVirtualClock(true); // the map's pause costs nothing here
    buildWorld(*options.seed);

    std::string error;
    const bool written = writeGrid(options.out, error);
    releaseWorld();
    if (!written) {
        std::fprintf(stderr, "undercroft-tool: cannot write %s: %s\n", options.out.c_str(),
                     error.c_str());
        return usageExitStatus;
    }
    return 0;
}
