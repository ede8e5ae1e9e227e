// Screenshots: the F12 key's press, the file name scheme and the PNG file.
#include "app/screenshot.h"

#include "platform/file_output.h"
#include "platform/input.h"
#include "platform/png_writer.h"
#include "platform/video.h"

#include <cstdio>
#include <system_error>

std::filesystem::path screenshotFolder = "screenshots";

namespace {
// More shots than this within one second means the names are not ours to
// count through; give up rather than loop.
constexpr int maxShotsPerSecond = 1000;

void reportFailure(const std::filesystem::path& where, const std::string& reason)
{
    std::fprintf(stderr, "undercroft: cannot save screenshot %s: %s\n", where.string().c_str(),
                 reason.c_str());
}

// Creates the first free name of `time` in the folder, exclusively, so two
// shots in one second (or a file already there) are never overwritten.
// Empty on failure, reported.
std::filesystem::path claimFreeName(const std::tm& time)
{
    for (int sequence = 1; sequence <= maxShotsPerSecond; ++sequence) {
        const std::filesystem::path path = screenshotFolder / screenshotName(time, sequence);
        std::string error;
        switch (createNewFile(path.string(), error)) {
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
    if (!error)
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
    std::error_code folderError;
    std::filesystem::create_directories(screenshotFolder, folderError);
    if (folderError) {
        reportFailure(screenshotFolder, folderError.message());
        return {};
    }
    const std::filesystem::path path = claimFreeName(time);
    if (path.empty())
        return {};
    std::string error;
    if (!writePngRgb(path.string(), screenWidth, screenHeight, framebufferRgbTopFirst(), error)) {
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
        printLineOrSay("undercroft", path.string());
}
}

void takeScreenshotOnF12()
{
    // Every press since the last frame, however short, saves one shot.
    for (int presses = takeKeyPresses(vkF12); presses > 0; --presses)
        saveScreenshotNow();
}
