// The folders beside the executable, from Linux's /proc/self/exe.
#include "platform/installed_data.h"

#include <system_error>

std::vector<std::filesystem::path> installedDataFolders()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    const std::filesystem::path folder = executable.parent_path();
    return {(folder / ".." / "share" / "undercroft").lexically_normal(), folder / "run"};
}
