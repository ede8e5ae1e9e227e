// undercroft-tool tour: one start-up of the program, headless, then a few
// pictures of what it shows, each from a view picked from the built world.
#include "app/game.h"
#include "assets/units.h"
#include "platform/input.h"
#include "platform/path_text.h"
#include "platform/png_writer.h"
#include "platform/video.h"
#include "tools/commands/commands.h"
#include "tools/commands/headless.h"
#include "tools/commands/options.h"
#include "tools/commands/scripted_frame.h"
#include "tools/commands/tour_views.h"
#include "view3d/camera.h"
#include "world/view_cell.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {
struct TourOptions {
    WorldSource source;
    std::string out;   // absolute, as written to
    std::string shown; // as given, for the printed paths
};

// Frames run at each view: the first draws it, the second what the camera's
// collision made of it.
constexpr int framesPerView = 2;
constexpr const char* firstPicture = "1-overworld.png";
constexpr int firstShownLevel = 1;
constexpr int lastShownLevel = 9;

// The subcommand's part of the command line, read into `options`.
CLI::App* describeLine(CLI::App& tool, TourOptions& options)
{
    CLI::App* command = tool.add_subcommand(
        "tour", "Writes five snapshots that show what the program does, from views picked in "
                "the world it built: the overworld, dungeon levels 1 and 9 in the map view, the "
                "surface and a dungeon corridor in 3D; prints the seed and their paths.");
    addWorldSource(*command, options.source, SeedNeed::ClockByDefault);
    addOutputOption(
        *command, "DIR", false,
        [&options](const std::string& folder) {
            options.out = outputPath(folder);
            options.shown = folder;
        },
        "the folder to write the pictures into (required)");
    return command;
}

PixelPosition screenCentre()
{
    return {screenWidth / 2, screenHeight / 2};
}

// Switches to the mode `width` wide with its key, as a user would.
void enterMode(int width, int modeKey)
{
    if (screenWidth != width)
        runScriptedFrame({modeKey}, screenCentre());
}

// Frames with nothing held and the cursor in the middle of the screen.
void runViewFrames()
{
    for (int frame = 0; frame < framesPerView; ++frame)
        runScriptedFrame({}, screenCentre());
}

void showMap(const MapShot& shot)
{
    enterMode(mapViewMode.width, vkF7);
    SX = shot.x;
    SY = shot.y;
    SZ = shot.layer;
    runViewFrames();
}

void showCamera(const CameraShot& shot)
{
    enterMode(view3DMode.width, vkF6);
    SX = shot.x;
    SY = shot.y;
    SZ = shot.layer;
    playerUnit().subX = shot.subX;
    playerUnit().subY = shot.subY;
    playerUnit().subZ = shot.subZ;
    viewYaw = shot.yaw;
    viewPitch = shot.pitch;
    runViewFrames();
}

// Writes the last frame as name in the output folder and prints its path.
bool writePicture(const TourOptions& options, const std::string& name)
{
    const std::string path = textOfPath(pathFromText(options.out) / name);
    std::string error;
    if (!writePngRgb(path, screenWidth, screenHeight, framebufferRgbTopFirst(), error)) {
        writeFailure(path, error);
        return false;
    }
    std::printf("%s\n", textOfPath(pathFromText(options.shown) / name).c_str());
    return true;
}

bool takePictures(const TourOptions& options)
{
    showMap(overworldShot());
    if (!writePicture(options, firstPicture))
        return false;
    showMap(dungeonLevelShot(firstShownLevel));
    if (!writePicture(options, "2-dungeon-level1.png"))
        return false;
    showMap(dungeonLevelShot(lastShownLevel));
    if (!writePicture(options, "3-dungeon-level9.png"))
        return false;
    showCamera(surfaceShot());
    if (!writePicture(options, "4-surface-3d.png"))
        return false;
    showCamera(corridorShot());
    return writePicture(options, "5-corridor-3d.png");
}
}

namespace {
int runTour(const TourOptions& options)
{
    if (options.out.empty())
        return usageError("tour needs --out DIR");
    // Nothing is made until the input is known to be good.
    const std::optional<std::string> data = chooseDataFolder(options.source);
    if (!data)
        return usageExitStatus;
    startHeadless();
    if (!enterDataFolder(*data))
        return usageExitStatus;
    std::error_code error;
    std::filesystem::create_directories(pathFromText(options.out), error);
    if (error)
        return usageError("cannot create " + options.shown + ": " + error.message());
    if (!outputWritable(textOfPath(pathFromText(options.out) / firstPicture)))
        return usageExitStatus;
    std::uint32_t seed;
    if (const int status = runHeadlessStartup(options.source.seed, seed))
        return status;
    std::printf("world seed %u\n", seed);
    const bool written = takePictures(options);
    runShutdown();
    return written ? 0 : usageExitStatus;
}
} // namespace

ToolCommand addTourCommand(CLI::App& tool)
{
    auto options = std::make_shared<TourOptions>();
    return {describeLine(tool, *options), [options] { return runTour(*options); }};
}
