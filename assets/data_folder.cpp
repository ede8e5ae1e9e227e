// Choosing the data folder at start-up: the folder that holds every image
// folder of the catalogue.
#include "assets/data_folder.h"

#include "assets/catalogue.h"
#include "platform/file_output.h"
#include "platform/report.h"

#include <algorithm>
#include <system_error>

namespace {
// The folders the catalogue loads from, each once, in catalogue order.
std::vector<std::string> imageFolders()
{
    std::vector<std::string> folders;
    for (const CatalogueLoad& load : imageCatalogue)
        if (std::find(folders.begin(), folders.end(), load.folder) == folders.end())
            folders.push_back(load.folder);
    return folders;
}
}

std::vector<std::string> missingImageFolders(const std::filesystem::path& folder)
{
    std::vector<std::string> missing;
    std::error_code error;
    for (const std::string& name : imageFolders())
        if (!std::filesystem::is_directory(folder / name, error))
            missing.push_back(name);
    return missing;
}

bool holdsImageFolders(const std::filesystem::path& folder)
{
    return missingImageFolders(folder).empty();
}

namespace {
std::string joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

// Start-up stays in `current`, which lacks some or all image folders.
void sayWhatIsMissing(const std::filesystem::path& current, const std::filesystem::path& installed)
{
    const std::string other = installed.empty() ? "the installed data folder" : installed.string();
    const std::vector<std::string> missing = missingImageFolders(current);
    if (missing.size() == imageFolders().size()) {
        reportProblem("no image folders in " + current.string() + " or " + other +
                      "; going on without images");
        return;
    }
    reportProblem("no " + joined(missing) + " in " + current.string() + " (and no complete set in " +
                  other + "); going on without the images of " +
                  (missing.size() == 1 ? "that folder" : "those folders"));
}
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
        sayWhatIsMissing(current, installed);
        return;
    }
    std::filesystem::current_path(*folder, error);
    if (error) {
        reportProblem("cannot use data folder " + folder->string() + ": " + error.message() +
                      "; going on without images");
        return;
    }
    printLineOrSay("data from " + folder->string());
}
