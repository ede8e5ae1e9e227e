// undercroft-tool world: builds the world for a seed, as start-up does, and
// writes the whole grid to a file, layer 0 first.
#include "platform/file_output.h"
#include "tools/commands/commands.h"
#include "tools/commands/headless.h"
#include "tools/commands/options.h"
#include "world/grid.h"

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

}

int runWorldCommand(const std::vector<std::string>& args)
{
    WorldOptions options;
    if (const int status = parseOptions(args, options))
        return status;
    if (!outputWritable(options.out) || !buildHeadlessWorld(options.source))
        return usageExitStatus;

    std::string error;
    const bool written =
        writeFileBytes(options.out, {worldGrid.get(), worldCellCount}, error);
    releaseHeadlessWorld();
    return written ? 0 : writeFailure(options.out, error);
}
