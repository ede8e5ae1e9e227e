// undercroft-tool snapshot: the program's start-up and frame loop, headless,
// driven by a key script; writes the last frame's framebuffer as a PNG.
#include "app/game.h"
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

// Returns 0 when the options are good, else the exit status of the error.
int parseOptions(const std::vector<std::string>& args, SnapshotOptions& options)
{
    const auto takeOption = [&](const std::string& option, const std::string& value) {
        if (option == "--state") {
            options.printState = true;
        } else if (option == "--out") {
            options.out = outputPath(value);
        } else if (option == "--view") {
            std::array<int, 3> cell;
            if (!parseInts(value, cell.data(), 3))
                return usageError("--view wants X,Y,Z");
            options.view = cell;
        } else if (option == "--mouse") {
            PixelPosition pixel;
            if (!parseInts(value, pixel.data(), 2))
                return usageError("--mouse wants MX,MY");
            options.mouse = pixel;
        } else if (option == "--look") {
            std::array<float, 2> angles;
            if (!parseFloats(value, angles.data(), 2))
                return usageError("--look wants YAW,PITCH");
            options.look = angles;
        } else if (option == "--keys") {
            std::string error;
            if (!parseKeyScript(value, options.script, error))
                return usageError(error);
        } else if (option == "--frames") {
            const auto frames = parseInteger(value, 0, 10'000'000);
            if (!frames)
                return usageError("--frames wants a count of 0 or more");
            options.frames = int(*frames);
        } else {
            return usageError("snapshot: unknown option '" + option + "'");
        }
        return 0;
    };
    if (const int status = readOptions(args, options.source, takeOption, {"--state"}))
        return status;
    if (options.out.empty())
        return usageError("snapshot needs --out FILE.png");
    return 0;
}

void runScript(const SnapshotOptions& options)
{
    for (const KeyStep& step : options.script)
        for (int frame = 0; frame < step.frames && !quitFlag; ++frame)
            runScriptedFrame(step.keys, options.mouse);
    for (int frame = 0; frame < options.frames && !quitFlag; ++frame)
        runScriptedFrame({}, options.mouse);
}

void printState()
{
    const UnitRecord& player = playerUnit();
    std::printf("{\"SX\":%d,\"SY\":%d,\"SZ\":%d,\"subX\":%.9g,\"subY\":%.9g,\"subZ\":%.9g,"
                "\"viewYaw\":%.9g,\"viewPitch\":%.9g,\"stepCount\":%d,"
                "\"screenWidth\":%d,\"screenHeight\":%d,\"pixelScale\":%d,\"quit\":%d}\n",
                SX, SY, SZ, double(player.subX), double(player.subY), double(player.subZ),
                double(viewYaw), double(viewPitch), player.stepCount, screenWidth, screenHeight,
                pixelScale, quitFlag ? 1 : 0);
}
}

int runSnapshotCommand(const std::vector<std::string>& args)
{
    SnapshotOptions options;
    if (const int status = parseOptions(args, options))
        return status;
    if (!outputWritable(options.out))
        return usageExitStatus;
    startHeadless();
    if (!enterDataFolder(options.source.dataFolder))
        return usageExitStatus;
    std::uint32_t seed;
    if (const int status = runHeadlessStartup(options.source.seed, seed))
        return status;
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
        printState();
    runShutdown();
    return written ? 0 : writeFailure(options.out, error);
}
