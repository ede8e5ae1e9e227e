// Choosing the data folder at start-up: the folder that holds every image
// folder of the catalogue.
#include "assets/data_folder.h"

#include "assets/catalogue.h"
#include "platform/file_output.h"

#include <cstdio>
#include <system_error>

bool holdsImageFolders(const std::filesystem::path& folder)
{
    std::error_code error;
    for (const CatalogueLoad& load : imageCatalogue)
        if (!std::filesystem::is_directory(folder / load.folder, error))
            return false;
    return true;
}

std::optional<std::filesystem::path> pickDataFolder(const std::filesystem::path& current,
                                                    const std::filesystem::path& installed)
{
    if (holdsImageFolders(current))
        return current;
    if (!installed.empty() && holdsImageFolders(installed))
        return installed;
    return std::nullopt;
}

void useDataFolder(const std::filesystem::path& installed)
{
    std::error_code error;
    std::filesystem::path current = std::filesystem::current_path(error);
    if (error)
        current = ".";
    const std::optional<std::filesystem::path> folder = pickDataFolder(current, installed);
    if (folder == current)
        return;
    if (!folder) {
        const std::string other = installed.empty() ? "the installed data folder" : installed.string();
        std::fprintf(stderr, "undercroft: no image folders in %s or %s; going on without images\n",
                     current.string().c_str(), other.c_str());
        return;
    }
    std::filesystem::current_path(*folder, error);
    if (error) {
        std::fprintf(stderr, "undercroft: cannot use data folder %s: %s; going on without images\n",
                     folder->string().c_str(), error.message().c_str());
        return;
    }
    printLineOrSay("undercroft", "data from " + folder->string());
}
