// Headless set-up shared by the tool's subcommands.
#include "tools/commands/headless.h"

#include "app/game.h"
#include "app/world_build.h"
#include "assets/catalogue.h"
#include "assets/data_folder.h"
#include "assets/units.h"
#include "platform/file_input.h"
#include "platform/file_output.h"
#include "platform/installed_data.h"
#include "platform/path_text.h"
#include "platform/pause.h"
#include "platform/report.h"
#include "platform/window.h"
#include "world/generator.h"
#include "world/grid.h"
#include "world/overworld.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

void startHeadless()
{
    openWindowsHidden();
    useVirtualClock(true);
}

std::optional<std::string> chooseDataFolder(const WorldSource& source)
{
    if (source.dataFolder) {
        const std::filesystem::path folder = pathFromText(*source.dataFolder);
        std::error_code error;
        if (std::filesystem::is_directory(folder, error) && !holdsImageFolders(folder))
            reportProblem(missingImagesText(folder, {}) + "; going on without them");
        return source.dataFolder;
    }
    std::error_code error;
    std::filesystem::path current = std::filesystem::current_path(error);
    if (error)
        current = ".";
    const std::vector<std::filesystem::path> installed = installedDataFolders();
    const std::optional<std::filesystem::path> folder = pickDataFolder(current, installed);
    if (!folder) {
        usageError(missingImagesText(current, installed) + "; name the data folder with --data DIR");
        return std::nullopt;
    }
    if (*folder != current)
        reportProblem("data from " + textOfPath(*folder));
    return textOfPath(*folder);
}

bool enterDataFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::current_path(pathFromText(folder), error);
    if (error) {
        reportProblem("cannot use data folder " + folder + ": " + error.message());
        return false;
    }
    return true;
}

std::string outputPath(const std::string& path)
{
    if (path == "-")
        return path;
    const std::filesystem::path given = pathFromText(path);
    if (given.is_absolute())
        return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(given, error);
    if (error)
        throw CLI::ValidationError("--out", "cannot write " + path +
                                                ": the current folder cannot be found (" +
                                                error.message() + ")");
    return textOfPath(absolute);
}

bool outputWritable(const std::string& path)
{
    std::string error;
    if (canWriteFile(path, error))
        return true;
    writeFailure(path, error);
    return false;
}

bool outputClearOfInputs(const std::string& path, const std::string& dataFolder)
{
    if (path == "-")
        return true;
    // The same name once resolved, or the same file by the system's word: on
    // Windows D/MAP/1.OVERWORLD is D/map/1.overworld.
    std::error_code error;
    const std::filesystem::path out = std::filesystem::weakly_canonical(pathFromText(path), error);
    const bool outResolved = !error;
    const std::optional<FileIdentity> outFile = fileIdentity(path);
    std::vector<std::string> inputs{overworldMapPath(overworldMapNumber)};
    for (const CatalogueLoad& load : imageCatalogue)
        inputs.push_back(cataloguePath(load));
    for (const std::string& input : inputs) {
        const std::filesystem::path given = pathFromText(dataFolder) / input;
        std::filesystem::path read = std::filesystem::weakly_canonical(given, error);
        if (error)
            read = given;
        const bool sameName = outResolved && !error && read == out;
        const bool sameFile = outFile && outFile == fileIdentity(textOfPath(given));
        if (sameName || sameFile) {
            writeFailure(path, "it is " + textOfPath(read) + ", which this command reads");
            return false;
        }
    }
    return true;
}

int runHeadlessStartup(std::optional<std::uint32_t> fixedSeed, std::uint32_t& seed)
{
    seed = runStartup(fixedSeed);
    if (windowIsOpen())
        return 0;
    runShutdown();
    reportProblem("no OpenGL window could be opened (see above); nothing can be drawn");
    return noWindowExitStatus;
}

bool buildHeadlessWorld(std::uint32_t seed, const std::string& dataFolder)
{
    if (!enterDataFolder(dataFolder))
        return false;
    allocateWorldGrid();
    allocateUnitRecords();
    useVirtualClock(true); // the map's pause costs nothing here
    buildWorld(seed);
    return true;
}

void releaseHeadlessWorld()
{
    releaseGeneratorStorage();
    releaseUnitRecords();
    releaseWorldGrid();
}
