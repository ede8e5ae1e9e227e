// undercroft-tool snapshot: the program's start-up and frame loop, headless,
// driven by a key script; writes the last frame's framebuffer as a PNG.
#include "app/game.h"
#include "app/screenshot.h"
#include "assets/units.h"
#include "platform/png_writer.h"
#include "platform/quit.h"
#include "platform/video.h"
#include "tools/commands/commands.h"
#include "tools/commands/headless.h"
#include "tools/commands/key_script.h"
#include "tools/commands/options.h"
#include "tools/commands/scripted_frame.h"
#include "view3d/camera.h"
#include "world/view_cell.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {
struct SnapshotOptions {
    WorldSource source;
    std::optional<std::array<int, 3>> view;
    std::optional<PixelPosition> mouse;
    std::optional<std::array<float, 2>> look;
    std::vector<KeyStep> script;
    int frames = 1;
    bool printState = false;
    std::string out;
};

bool parseInts(const std::string& text, int* values, std::size_t count)
{
    const std::vector<std::string> parts = splitAt(text, ',');
    if (parts.size() != count)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        const auto value = parseInteger(parts[i], -1'000'000'000, 1'000'000'000);
        if (!value)
            return false;
        values[i] = int(*value);
    }
    return true;
}

// Finite numbers only: the camera turns a NaN or infinite angle into a NaN
// position, which no cell lookup can use.
bool parseFloats(const std::string& text, float* values, std::size_t count)
{
    const std::vector<std::string> parts = splitAt(text, ',');
    if (parts.size() != count)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        const auto value = parseFloat(parts[i]);
        if (!value || !std::isfinite(*value))
            return false;
        values[i] = *value;
    }
    return true;
}

// The subcommand's part of the command line, read into `options`.
CLI::App* describeLine(CLI::App& tool, SnapshotOptions& options)
{
    CLI::App* command = tool.add_subcommand(
        "snapshot", "Runs start-up and the frame loop in DIR with no window on screen, driven "
                    "by a key script, and writes the last frame's framebuffer as an RGB PNG.");
    addWorldSource(*command, options.source, SeedNeed::ClockByDefault);
    addParsedOption(
        *command, "--view", "X,Y,Z",
        [&options](const std::string& text) {
            std::array<int, 3> cell;
            return parseInts(text, cell.data(), 3) && (options.view = cell, true);
        },
        "sets the view cell after start-up");
    addParsedOption(
        *command, "--look", "YAW,PITCH",
        [&options](const std::string& text) {
            std::array<float, 2> angles;
            return parseFloats(text, angles.data(), 2) && (options.look = angles, true);
        },
        "sets the camera's angles in degrees after start-up");
    addParsedOption(
        *command, "--mouse", "MX,MY",
        [&options](const std::string& text) {
            PixelPosition pixel;
            return parseInts(text, pixel.data(), 2) && (options.mouse = pixel, true);
        },
        "puts the cursor on framebuffer pixel (MX, MY), y from the bottom, for every frame");
    command
        ->add_option_function<std::string>(
            "--keys",
            [&options](const std::string& text) {
                std::string error;
                if (!parseKeyScript(text, options.script, error))
                    throw CLI::ValidationError("--keys", error);
            },
            "comma-separated steps KEYS[xN]: - or key names joined by +, held for N frames "
            "(default 1). Keys: Escape F1 F2 F3 F4 F5 F6 F7 F12 M Z Left Right Up Down KPPlus "
            "KPMinus LButton RButton MButton")
        ->type_name("SCRIPT");
    addIntegerOption(
        *command, "--frames", "N", 0, 10'000'000,
        [&options](long long frames) { options.frames = int(frames); },
        "frames run after the script with nothing held (default 1)");
    command->add_flag("--state", options.printState,
                      "prints the seed, view cell, camera, mode and quit flag as one JSON object");
    addOutputOption(
        *command, "FILE.png", true,
        [&options](const std::string& path) { options.out = outputPath(path); },
        "the PNG to write (required); - writes it to standard output");
    return command;
}

void runScript(const SnapshotOptions& options)
{
    for (const KeyStep& step : options.script)
        for (int frame = 0; frame < step.frames && !quitFlag; ++frame)
            runScriptedFrame(step.keys, options.mouse);
    for (int frame = 0; frame < options.frames && !quitFlag; ++frame)
        runScriptedFrame({}, options.mouse);
}

void printState(std::uint32_t seed)
{
    const UnitRecord& player = playerUnit();
    std::printf("{\"seed\":%u,\"SX\":%d,\"SY\":%d,\"SZ\":%d,\"subX\":%.9g,\"subY\":%.9g,"
                "\"subZ\":%.9g,\"viewYaw\":%.9g,\"viewPitch\":%.9g,\"stepCount\":%d,"
                "\"screenWidth\":%d,\"screenHeight\":%d,\"pixelScale\":%d,\"quit\":%d}\n",
                seed, SX, SY, SZ, double(player.subX), double(player.subY), double(player.subZ),
                double(viewYaw), double(viewPitch), player.stepCount, screenWidth, screenHeight,
                pixelScale, quitFlag ? 1 : 0);
}

int runSnapshot(const SnapshotOptions& options)
{
    if (options.out.empty())
        return usageError("snapshot needs --out FILE.png");
    if (options.out == "-" && options.printState)
        return usageError("--out - and --state would both write to standard output");
    const std::optional<std::string> data = chooseDataFolder(options.source);
    if (!data || !outputWritable(options.out) || !outputClearOfInputs(options.out, *data))
        return usageExitStatus;
    startHeadless();
    if (!enterDataFolder(*data))
        return usageExitStatus;
    std::uint32_t seed;
    if (const int status = runHeadlessStartup(options.source.seed, seed))
        return status;
    // As the program and tour print it, so that the picture can be made
    // again: with --state the state says it; where standard output carries
    // the picture, on stderr.
    if (!options.printState)
        std::fprintf(options.out == "-" ? stderr : stdout, "world seed %u\n", seed);
    if (options.view) {
        SX = (*options.view)[0];
        SY = (*options.view)[1];
        SZ = (*options.view)[2];
    }
    if (options.look) {
        viewYaw = (*options.look)[0];
        viewPitch = (*options.look)[1];
    }
    runScript(options);

    std::string error;
    const bool written = writePngRgb(options.out, screenWidth, screenHeight,
                                     framebufferRgbTopFirst(), error);
    if (options.printState)
        printState(seed);
    runShutdown();
    if (!written)
        return writeFailure(options.out, error);
    // Each F12 shot that could not be saved has been named on stderr.
    return screenshotFailures == 0 ? 0 : usageExitStatus;
}
} // namespace

ToolCommand addSnapshotCommand(CLI::App& tool)
{
    auto options = std::make_shared<SnapshotOptions>();
    return {describeLine(tool, *options), [options] { return runSnapshot(*options); }};
}
