// undercroft-tool world: builds the world for a seed, as start-up does, and
// writes the whole grid to a file, layer 0 first.
#include "tools/args.h"
#include "tools/commands.h"
#include "tools/headless.h"
#include "world/grid.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
struct WorldOptions {
    WorldSource source;
    std::string out;
};

// Returns 0 when the options are good, else the exit status of the error.
int parseOptions(const std::vector<std::string>& args, WorldOptions& options)
{
    const auto takeOption = [&](const std::string& option, const std::string& value) {
        if (option == "--out") {
            options.out = outputPath(value);
        } else {
            return usageError("world: unknown option '" + option + "'");
        }
        return 0;
    };
    if (const int status = readOptions(args, options.source, takeOption))
        return status;
    if (!options.source.seed)
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
}

int runWorldCommand(const std::vector<std::string>& args)
{
    WorldOptions options;
    if (const int status = parseOptions(args, options))
        return status;
    if (!buildHeadlessWorld(options.source))
        return usageExitStatus;

    std::string error;
    const bool written = writeGrid(options.out, error);
    releaseHeadlessWorld();
    if (!written) {
        std::fprintf(stderr, "undercroft-tool: cannot write %s: %s\n", options.out.c_str(),
                     error.c_str());
        return usageExitStatus;
    }
    return 0;
}
