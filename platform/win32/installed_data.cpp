// The installed data folder on Windows: the executable's own folder, where
// the unpacked zip puts the image folders and map/ beside the programs.
#include "platform/installed_data.h"

#include <windows.h>

std::vector<std::filesystem::path> installedDataFolders()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return {};
    return {std::filesystem::path(path).parent_path()};
}
