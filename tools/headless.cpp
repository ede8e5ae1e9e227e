// Headless set-up shared by the tool's subcommands.
#include "tools/headless.h"

#include "app/world_build.h"
#include "assets/units.h"
#include "platform/pause.h"
#include "tools/args.h"
#include "world/generator.h"
#include "world/grid.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

void startHeadless()
{
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
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
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

int readOptions(const std::vector<std::string>& args, WorldSource& source,
                const OptionHandler& other, std::initializer_list<std::string_view> flags)
{
    ArgReader reader{args};
    while (!reader.done()) {
        const std::string option = reader.take();
        std::string value;
        const bool isFlag = std::find(flags.begin(), flags.end(), option) != flags.end();
        if (!isFlag && !reader.value(option, value))
            return usageExitStatus;
        if (option == "--seed") {
            const auto seed = parseInteger(value, 0, UINT32_MAX);
            if (!seed)
                return usageError("--seed wants a whole number 0..4294967295");
            source.seed = std::uint32_t(*seed);
        } else if (option == "--data") {
            source.dataFolder = value;
        } else if (const int status = other(option, value)) {
            return status;
        }
    }
    return 0;
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
