// Headless set-up shared by the tool's subcommands.
#include "tools/headless.h"

#include "platform/pause.h"

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
