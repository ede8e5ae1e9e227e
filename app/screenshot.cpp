// Screenshots: the F12 key's press, the file name scheme and the PNG file.
#include "app/screenshot.h"

#include "platform/file_output.h"
#include "platform/input.h"
#include "platform/path_text.h"
#include "platform/png_writer.h"
#include "platform/report.h"
#include "platform/video.h"

#include <cstdio>
#include <system_error>

std::filesystem::path screenshotFolder = "screenshots";
int screenshotFailures = 0;

namespace {
// More shots than this within one second means the names are not ours to
// count through; give up rather than loop.
constexpr int maxShotsPerSecond = 1000;

// Why no shot can be saved, when the folder the program was started in could
// not be found (it was deleted while it was the current one): a relative
// folder would count from wherever the program goes next, the data folder.
std::string startingFolderLost;

void reportFailure(const std::filesystem::path& where, const std::string& reason)
{
    ++screenshotFailures;
    reportProblem("cannot save screenshot " + textOfPath(where) + ": " + reason);
}

// Creates the screenshot folder if it is not there; false, reported, when
// it cannot be had. A symbolic link to a folder that does not exist is named
// as such: "File exists" would say nothing useful.
bool prepareFolder()
{
    std::error_code error;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(screenshotFolder, error)) &&
        !std::filesystem::exists(screenshotFolder, error)) {
        const std::filesystem::path target = std::filesystem::read_symlink(screenshotFolder, error);
        reportFailure(screenshotFolder,
                      "a symbolic link to " + textOfPath(target) + ", which does not exist");
        return false;
    }
    std::filesystem::create_directories(screenshotFolder, error);
    if (error) {
        reportFailure(screenshotFolder, error.message());
        return false;
    }
    return true;
}

// Creates the first free name of `time` in the folder, exclusively, so two
// shots in one second (or a file already there) are never overwritten.
// Empty on failure, reported.
std::filesystem::path claimFreeName(const std::tm& time)
{
    for (int sequence = 1; sequence <= maxShotsPerSecond; ++sequence) {
        const std::filesystem::path path = screenshotFolder / screenshotName(time, sequence);
        std::string error;
        switch (createNewFile(textOfPath(path), error)) {
        case NewFile::Created:
            return path;
        case NewFile::Exists:
            continue;
        case NewFile::Failed:
            reportFailure(path, error);
            return {};
        }
    }
    reportFailure(screenshotFolder, "too many screenshots in one second");
    return {};
}
}

void pinScreenshotFolder()
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(screenshotFolder, error);
    if (error)
        startingFolderLost = "the folder the program was started in cannot be found (" +
                             error.message() + ")";
    else
        screenshotFolder = absolute;
}

std::string screenshotName(const std::tm& time, int sequence)
{
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &time);
    std::string name = "undercroft-";
    name += stamp;
    if (sequence > 1) {
        name += '-';
        name += std::to_string(sequence);
    }
    return name + ".png";
}

std::filesystem::path saveScreenshot(const std::tm& time)
{
    if (!startingFolderLost.empty()) {
        reportFailure(screenshotFolder, startingFolderLost);
        return {};
    }
    if (!prepareFolder())
        return {};
    const std::filesystem::path path = claimFreeName(time);
    if (path.empty())
        return {};
    std::string error;
    if (!writePngRgb(textOfPath(path), screenWidth, screenHeight, framebufferRgbTopFirst(),
                     error)) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored); // a cut-off PNG is no picture
        reportFailure(path, error);
        return {};
    }
    return path;
}

namespace {
// One shot named for the present moment, its path printed.
void saveScreenshotNow()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local) {
        reportFailure(screenshotFolder, "the clock gives no date");
        return;
    }
    const std::filesystem::path path = saveScreenshot(*local);
    if (!path.empty())
        printLineOrSay(textOfPath(path));
}
}

void takeScreenshotOnF12()
{
    // Every press since the last frame, however short, saves one shot.
    for (int presses = takeKeyPresses(vkF12); presses > 0; --presses)
        saveScreenshotNow();
}
