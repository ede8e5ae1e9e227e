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

// The subcommand's part of the command line, read into `options`.
CLI::App* describeLine(CLI::App& tool, WorldOptions& options)
{
    CLI::App* command = tool.add_subcommand(
        "world", "Builds the world for a seed as start-up does, reading DIR/map/1.overworld like "
                 "the program, and writes the whole grid: 11,796,480 bytes, layer 0 first, cell "
                 "(x, y, z) at z * 65536 + y * 256 + x.");
    addWorldSource(*command, options.source, SeedNeed::Required);
    addOutputOption(
        *command, "FILE", true,
        [&options](const std::string& path) { options.out = outputPath(path); },
        "the file to write (required); - writes it to standard output");
    return command;
}

}

namespace {
int runWorld(const WorldOptions& options)
{
    if (!options.source.seed)
        return usageError("world needs --seed N");
    if (options.out.empty())
        return usageError("world needs --out FILE");
    const std::optional<std::string> data = chooseDataFolder(options.source);
    if (!data || !outputWritable(options.out) || !outputClearOfInputs(options.out, *data) ||
        !buildHeadlessWorld(*options.source.seed, *data))
        return usageExitStatus;

    std::string error;
    const bool written =
        writeFileBytes(options.out, {worldGrid.get(), worldCellCount}, error);
    releaseHeadlessWorld();
    return written ? 0 : writeFailure(options.out, error);
}
} // namespace

ToolCommand addWorldCommand(CLI::App& tool)
{
    auto options = std::make_shared<WorldOptions>();
    return {describeLine(tool, *options), [options] { return runWorld(*options); }};
}
