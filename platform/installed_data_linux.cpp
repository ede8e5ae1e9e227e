// The installed data folder from Linux's /proc/self/exe.
#include "platform/installed_data.h"

#include <system_error>

std::filesystem::path installedDataFolder()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return (executable.parent_path() / ".." / "share" / "undercroft").lexically_normal();
}
