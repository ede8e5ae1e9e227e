// Headless set-up shared by the tool's subcommands.
#include "tools/commands/headless.h"

#include "app/game.h"
#include "app/world_build.h"
#include "assets/catalogue.h"
#include "assets/units.h"
#include "platform/file_output.h"
#include "platform/pause.h"
#include "platform/window.h"
#include "world/generator.h"
#include "world/grid.h"
#include "world/overworld.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

void startHeadless()
{
    openWindowsHidden();
    useVirtualClock(true);
}

bool enterDataFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::current_path(folder, error);
    if (error) {
        std::fprintf(stderr, "undercroft-tool: cannot use data folder %s: %s\n", folder.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

std::string outputPath(const std::string& path)
{
    if (path == "-")
        return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

bool outputWritable(const std::string& path)
{
    std::string error;
    if (canWriteFile(path, error))
        return true;
    writeFailure(path, error);
    return false;
}

bool outputClearOfInputs(const std::string& path, const std::string& dataFolder)
{
    if (path == "-")
        return true;
    std::error_code error;
    const std::filesystem::path out = std::filesystem::weakly_canonical(path, error);
    if (error)
        return true; // a path that cannot be resolved is no file the command reads
    std::vector<std::string> inputs{overworldMapPath(overworldMapNumber)};
    for (const CatalogueLoad& load : imageCatalogue)
        inputs.push_back(cataloguePath(load));
    for (const std::string& input : inputs) {
        const std::filesystem::path read =
            std::filesystem::weakly_canonical(std::filesystem::path(dataFolder) / input, error);
        if (!error && read == out) {
            writeFailure(path, "it is " + read.string() + ", which this command reads");
            return false;
        }
    }
    return true;
}

int runHeadlessStartup(std::optional<std::uint32_t> fixedSeed, std::uint32_t& seed)
{
    seed = runStartup(fixedSeed);
    if (windowIsOpen())
        return 0;
    runShutdown();
    std::fprintf(stderr, "undercroft-tool: no OpenGL window could be opened (see above); "
                         "nothing can be drawn\n");
    return noWindowExitStatus;
}

bool buildHeadlessWorld(const WorldSource& source)
{
    if (!enterDataFolder(source.dataFolder))
        return false;
    allocateWorldGrid();
    allocateUnitRecords();
    useVirtualClock(true); // the map's pause costs nothing here
    buildWorld(*source.seed);
    return true;
}

void releaseHeadlessWorld()
{
    releaseGeneratorStorage();
    releaseUnitRecords();
    releaseWorldGrid();
}
