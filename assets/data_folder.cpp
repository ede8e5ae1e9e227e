// Choosing the data folder at start-up: the folder that holds every image
// folder of the catalogue.
#include "assets/data_folder.h"

#include "assets/catalogue.h"
#include "platform/file_output.h"
#include "platform/path_text.h"
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

// "A", "A or B", "A, B or C".
std::string listed(const std::vector<std::filesystem::path>& places)
{
    std::string text;
    for (std::size_t i = 0; i < places.size(); ++i)
        text += (i == 0 ? "" : i + 1 == places.size() ? " or " : ", ") + textOfPath(places[i]);
    return text;
}

bool samePlace(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    return a.lexically_normal() == b.lexically_normal() ||
           std::filesystem::equivalent(a, b, error);
}

// The installed folders other than `current`, each once: on Windows the
// installed folder is the executable's own, often the one it was started in.
std::vector<std::filesystem::path> otherPlaces(const std::filesystem::path& current,
                                               const std::vector<std::filesystem::path>& installed)
{
    std::vector<std::filesystem::path> places;
    for (const std::filesystem::path& folder : installed) {
        const auto seen = [&](const std::filesystem::path& place) {
            return samePlace(place, folder);
        };
        if (!samePlace(folder, current) && std::none_of(places.begin(), places.end(), seen))
            places.push_back(folder);
    }
    return places;
}
}

std::string missingImagesText(const std::filesystem::path& current,
                              const std::vector<std::filesystem::path>& installed)
{
    const std::vector<std::filesystem::path> others = otherPlaces(current, installed);
    const std::size_t all = imageFolders().size();
    const std::vector<std::string> missing = missingImageFolders(current);
    if (missing.size() < all) {
        const std::string here = "no " + joined(missing) + " in " + textOfPath(current);
        return others.empty() ? here : here + " (and no complete set in " + listed(others) + ")";
    }
    // Each place by what it lacks: an installed folder holding some image
    // folders lacks the others, not all of them.
    std::vector<std::filesystem::path> bare{current};
    std::string partly;
    for (const std::filesystem::path& place : others) {
        const std::vector<std::string> lacking = missingImageFolders(place);
        if (lacking.size() == all)
            bare.push_back(place);
        else
            partly += ", and no " + joined(lacking) + " in " + textOfPath(place);
    }
    return "no image folders in " + listed(bare) + partly;
}

std::optional<std::filesystem::path> pickDataFolder(
    const std::filesystem::path& current, const std::vector<std::filesystem::path>& installed)
{
    if (holdsImageFolders(current))
        return current;
    for (const std::filesystem::path& folder : installed)
        if (holdsImageFolders(folder))
            return folder;
    return std::nullopt;
}

void useDataFolder(const std::vector<std::filesystem::path>& installed)
{
    std::error_code error;
    std::filesystem::path current = std::filesystem::current_path(error);
    if (error)
        current = ".";
    const std::optional<std::filesystem::path> folder = pickDataFolder(current, installed);
    if (folder == current)
        return;
    if (!folder) {
        const bool none = missingImageFolders(current).size() == imageFolders().size();
        reportProblem(missingImagesText(current, installed) +
                      (none ? "; going on without images" : "; going on without their images"));
        return;
    }
    std::filesystem::current_path(*folder, error);
    if (error) {
        reportProblem("cannot use data folder " + textOfPath(*folder) + ": " + error.message() +
                      "; going on without images");
        return;
    }
    printLineOrSay("data from " + textOfPath(*folder));
}
