// A page has no installed data folder: the data comes bundled with it, at
// the root of its in-memory file system, where it starts.
#include "platform/installed_data.h"

std::vector<std::filesystem::path> installedDataFolders()
{
    return {};
}
