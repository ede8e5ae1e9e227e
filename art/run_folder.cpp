// Painting the runtime folder: the catalogue's files, then the map.
#include "art/run_folder.h"

#include "art/library.h"
#include "assets/bmp_writer.h"
#include "platform/file_output.h"
#include "platform/path_text.h"
#include "world/overworld.h"

#include <system_error>

namespace {
constexpr int overworldMapNumber = 1;

bool fail(ArtFailure& failure, const std::string& message)
{
    failure = {message};
    return false;
}

bool failToWrite(ArtFailure& failure, const std::filesystem::path& path, const std::string& reason)
{
    return fail(failure, "cannot write " + textOfPath(path) + ": " + reason);
}

bool makeFolderFor(const std::filesystem::path& path, ArtFailure& failure)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return !error || fail(failure, "cannot create " + textOfPath(path.parent_path()) + ": " +
                                       error.message());
}

bool writeImages(const std::filesystem::path& folder, ArtFailure& failure)
{
    for (const CatalogueLoad& load : distinctCatalogueFiles()) {
        const std::filesystem::path path = folder / cataloguePath(load);
        Canvas picture;
        if (!paintCatalogueImage(load, picture))
            return fail(failure, textOfPath(path) + ": no recipe paints this file");
        if (!makeFolderFor(path, failure))
            return false;
        std::string error;
        if (!writeBmp24(textOfPath(path), picture.width, picture.height, canvasRgb(picture), error))
            return failToWrite(failure, path, error);
    }
    return true;
}
} // namespace

bool writeRunFolder(const std::filesystem::path& folder, const std::vector<std::uint8_t>& overworld,
                    ArtFailure& failure)
{
    if (!writeImages(folder, failure))
        return false;
    const std::filesystem::path map = folder / overworldMapPath(overworldMapNumber);
    if (!makeFolderFor(map, failure))
        return false;
    std::string error;
    return writeFileBytes(textOfPath(map), overworld, error) || failToWrite(failure, map, error);
}
