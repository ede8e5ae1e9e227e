// undercroft-tool soak: the program's start-up and frame loop, headless, for
// many frames of a seeded random key and mouse script. Resident memory is
// sampled every 1,000 frames; growth after the warm-up fails the run.
#include "app/game.h"
#include "platform/file_output.h"
#include "platform/input.h"
#include "platform/quit.h"
#include "platform/resident_memory.h"
#include "platform/video.h"
#include "tools/commands/commands.h"
#include "tools/commands/headless.h"
#include "tools/commands/options.h"
#include "tools/commands/scripted_frame.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>

namespace {
constexpr long long sampleInterval = 1000; // frames between memory samples
constexpr long long minWarmupFrames = 1000;
constexpr long long maxWarmupFrames = 10'000;
constexpr double allowedGrowthMb = 4;
constexpr int memoryGrowthStatus = 1;

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps freed memory in quarantine, so resident memory says
// nothing about leaks there; LeakSanitizer checks the run at exit instead.
constexpr bool judgeMemory = false;
#else
constexpr bool judgeMemory = true;
#endif

constexpr int shortestViewStint = 10; // frames of the 3D view per visit
constexpr int longestViewStint = 30;
constexpr int longestScaledStint = 4; // frames at pixel scale 2 to 5 per visit
constexpr int offScreenOneIn = 10; // cursor placements outside the window
constexpr int offScreenMargin = 50; // pixels

struct SoakOptions {
    WorldSource source;
    long long frames = 0;
};

// The subcommand's part of the command line, read into `options`.
CLI::App* describeLine(CLI::App& tool, SoakOptions& options)
{
    CLI::App* command = tool.add_subcommand(
        "soak", "Runs start-up and N frames of a seeded random key and mouse script (every key, "
                "both modes, every scale, flying and looking), samples resident memory every "
                "1,000 frames and exits with status 1 if it grew by more than 4 MB after the "
                "warm-up.");
    addWorldSource(*command, options.source, SeedNeed::Required);
    addIntegerOption(
        *command, "--frames", "N", 1, 1'000'000'000,
        [&options](long long frames) { options.frames = frames; }, "frames to run (required)");
    return command;
}

// What one stretch of the script does, how often in the map mode and in the
// 3D view (so every key gets exercised in both), and for how many frames.
enum class Action { Arrows, Layer, Scale, FollowCursor, SameMode, Idle, Fly, FlyBack, Look, ToView };

struct ActionShape {
    Action action;
    int mapWeight;
    int viewWeight;
    int shortest;
    int longest;
};

constexpr ActionShape actions[] = {
    {Action::Arrows, 30, 10, 5, 60},     {Action::Layer, 8, 5, 1, 3},
    {Action::Scale, 4, 4, 1, 1},         {Action::FollowCursor, 3, 3, 1, 5},
    {Action::SameMode, 2, 2, 1, 1},      {Action::Idle, 8, 4, 1, 30},
    {Action::Fly, 2, 25, 2, 20},         {Action::FlyBack, 1, 10, 2, 10},
    {Action::Look, 1, 10, 1, 10},        {Action::ToView, 4, 0, 1, 1},
};

// Keys held for some frames with the cursor on one framebuffer pixel.
struct Episode {
    std::vector<int> keys;
    int frames = 1;
    PixelPosition mouse{0, 0};
};

// The script's generator and how long the current visits to the 3D view and
// to a pixel scale above 1 may still last. Both cost far more per frame than
// the map at scale 1 (llvmpipe draws every window pixel), so they are visited
// often but briefly.
struct Script {
    std::mt19937 random;
    int viewFramesLeft = 0;
    int scaledFramesLeft = 0;
};

int between(Script& script, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(script.random);
}

bool oneIn(Script& script, int n)
{
    return between(script, 1, n) == 1;
}

const ActionShape& pickAction(Script& script, bool inView)
{
    std::vector<int> weights;
    for (const ActionShape& shape : actions)
        weights.push_back(inView ? shape.viewWeight : shape.mapWeight);
    std::discrete_distribution<std::size_t> choose(weights.begin(), weights.end());
    return actions[choose(script.random)];
}

// A non-empty set of arrow keys; opposite arrows together are allowed.
void addArrows(Script& script, std::vector<int>& keys)
{
    const int arrows[] = {vkLeft, vkRight, vkUp, vkDown};
    const int set = between(script, 1, 15);
    for (int bit = 0; bit < 4; ++bit)
        if (set & (1 << bit))
            keys.push_back(arrows[bit]);
}

// The keys of one action. Scale and mode keys also start a visit to a larger
// scale (a mode switch sets scale 2) or to the 3D view.
void chooseKeys(Script& script, Action action, bool inView, std::vector<int>& keys)
{
    switch (action) {
    case Action::Arrows: addArrows(script, keys); break;
    case Action::Layer:
        keys.push_back(oneIn(script, 2) ? vkAdd : vkSubtract);
        if (oneIn(script, 3))
            addArrows(script, keys);
        break;
    case Action::Scale:
        keys.push_back(vkF1 + between(script, 0, 4));
        if (oneIn(script, 4))
            keys.push_back(vkF1 + between(script, 0, 4)); // the higher one wins
        script.scaledFramesLeft = between(script, 1, longestScaledStint);
        break;
    case Action::FollowCursor: keys.push_back(vkM); break;
    case Action::SameMode:
        keys.push_back(inView ? vkF6 : vkF7);
        script.scaledFramesLeft = between(script, 0, longestScaledStint);
        break;
    case Action::Idle: break;
    case Action::Fly:
        keys.push_back(vkLeftButton);
        if (oneIn(script, 4))
            addArrows(script, keys);
        break;
    case Action::FlyBack:
        keys.push_back(vkZ);
        if (oneIn(script, 2))
            keys.push_back(vkRightButton);
        break;
    case Action::Look: keys.push_back(oneIn(script, 2) ? vkRightButton : vkMiddleButton); break;
    case Action::ToView:
        keys.push_back(vkF6);
        if (oneIn(script, 4))
            keys.push_back(vkF7); // both in one frame: the map mode wins
        script.viewFramesLeft = between(script, shortestViewStint, longestViewStint);
        script.scaledFramesLeft = between(script, 0, longestScaledStint);
        break;
    }
}

// The next stretch of the script for the mode and scale the program is in
// now. A visit to the 3D view ends with F7 and one to a larger scale with F1
// once its frames are used up.
Episode nextEpisode(Script& script)
{
    const bool inView = screenWidth == view3DMode.width;
    Episode episode;
    if (inView && script.viewFramesLeft <= 0) {
        episode.keys.push_back(vkF7);
        script.scaledFramesLeft = between(script, 0, longestScaledStint);
    } else if (pixelScale > 1 && script.scaledFramesLeft <= 0) {
        episode.keys.push_back(vkF1);
    } else {
        const ActionShape& shape = pickAction(script, inView);
        chooseKeys(script, shape.action, inView, episode.keys);
        episode.frames = between(script, shape.shortest, shape.longest);
        if (inView)
            episode.frames = std::min(episode.frames, script.viewFramesLeft);
        if (pixelScale > 1)
            episode.frames = std::min(episode.frames, std::max(1, script.scaledFramesLeft));
    }
    const int margin = oneIn(script, offScreenOneIn) ? offScreenMargin : 0;
    episode.mouse = {between(script, -margin, screenWidth - 1 + margin),
                     between(script, -margin, screenHeight - 1 + margin)};
    return episode;
}

struct SoakRecord {
    long long frames = 0;
    long long viewFrames = 0;   // frames drawn in the 3D view
    long long reopenings = 0;   // F1 to F7 held: each closes and opens the window
    double startMb = 0;         // after start-up
    double warmedMb = 0;        // after the warm-up
    double endMb = 0;
    double maxGrowthMb = 0;     // largest sample after the warm-up minus warmedMb
};

long long warmupFrames(long long frames)
{
    const long long tenth = frames / 10 / sampleInterval * sampleInterval;
    return std::clamp(tenth, minWarmupFrames, maxWarmupFrames);
}

// Two more frames (F7, then F1) put the program in the map mode at scale 1
// before each sample: every sample then sees the same window and buffers,
// not whichever the script left open (a 3200 x 2400 window holds 60 MB).
void settleForSample(SoakRecord& record, const PixelPosition& mouse)
{
    for (int key : {vkF7, vkF1}) {
        runScriptedFrame({key}, mouse);
        ++record.reopenings;
    }
}

void sampleMemory(SoakRecord& record, long long warmup, const PixelPosition& mouse)
{
    settleForSample(record, mouse);
    const double now = residentMegabytes();
    if (record.frames == warmup)
        record.warmedMb = now;
    if (record.frames > warmup)
        record.maxGrowthMb = std::max(record.maxGrowthMb, now - record.warmedMb);
    record.endMb = now;
}

void countFrame(SoakRecord& record, const std::vector<int>& keys)
{
    ++record.frames;
    record.viewFrames += screenWidth == view3DMode.width;
    for (int key : keys)
        record.reopenings += key >= vkF1 && key <= vkF7;
}

// Once a second, on a terminal only: how far the run is and what it holds.
// The line is redrawn in place; a file or pipe gets nothing.
struct Progress {
    bool shown = standardErrorIsTerminal();
    std::chrono::steady_clock::time_point next = std::chrono::steady_clock::now();
};

void reportProgress(Progress& progress, const SoakRecord& record, long long frames)
{
    const auto now = std::chrono::steady_clock::now();
    if (!progress.shown || now < progress.next)
        return;
    progress.next = now + std::chrono::seconds(1);
    std::fprintf(stderr, "\rsoak: %lld of %lld frames, resident memory %.1f MB ", record.frames,
                 frames, residentMegabytes());
    std::fflush(stderr);
}

void endProgress(const Progress& progress)
{
    if (progress.shown)
        std::fputc('\n', stderr);
}

void runSoak(const SoakOptions& options, SoakRecord& record)
{
    Progress progress;
    Script script{std::mt19937(*options.source.seed)};
    const long long warmup = warmupFrames(options.frames);
    settleForSample(record, {0, 0});
    record.startMb = record.warmedMb = record.endMb = residentMegabytes();
    while (record.frames < options.frames && !quitFlag) {
        const Episode episode = nextEpisode(script);
        for (int i = 0; i < episode.frames && record.frames < options.frames; ++i) {
            // Counted before the frame, whose keys may switch the mode.
            countFrame(record, episode.keys);
            script.viewFramesLeft -= screenWidth == view3DMode.width;
            script.scaledFramesLeft -= pixelScale > 1;
            runScriptedFrame(episode.keys, episode.mouse);
            if (record.frames % sampleInterval == 0 || record.frames == options.frames)
                sampleMemory(record, warmup, episode.mouse);
            reportProgress(progress, record, options.frames);
        }
    }
    endProgress(progress);
}
} // namespace

namespace {
int runSoak(const SoakOptions& options)
{
    if (!options.source.seed || options.frames == 0)
        return usageError("soak needs --seed N and --frames N");
    const std::optional<std::string> data = chooseDataFolder(options.source);
    if (!data)
        return usageExitStatus;
    startHeadless();
    if (!enterDataFolder(*data))
        return usageExitStatus;

    const auto started = std::chrono::steady_clock::now();
    std::uint32_t seed;
    if (const int status = runHeadlessStartup(options.source.seed, seed))
        return status;
    SoakRecord record;
    runSoak(options, record);
    runShutdown();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;

    std::printf("soak: seed %u, %lld frames (%lld in 3D, %lld window reopenings) in %.1f s; "
                "RSS start %.1f MB, after warm-up (%lld frames) %.1f MB, end %.1f MB, "
                "max growth %.1f MB%s\n",
                *options.source.seed, record.frames, record.viewFrames, record.reopenings, seconds.count(),
                record.startMb, warmupFrames(options.frames), record.warmedMb, record.endMb,
                record.maxGrowthMb, judgeMemory ? "" : " (not judged under AddressSanitizer)");
    if (judgeMemory && record.maxGrowthMb > allowedGrowthMb) {
        std::fprintf(stderr,
                     "undercroft-tool: soak: resident memory grew %.1f MB after the warm-up "
                     "(limit %.0f MB)\n",
                     record.maxGrowthMb, allowedGrowthMb);
        return memoryGrowthStatus;
    }
    return 0;
}
} // namespace

ToolCommand addSoakCommand(CLI::App& tool)
{
    auto options = std::make_shared<SoakOptions>();
    return {describeLine(tool, *options), [options] { return runSoak(*options); }};
}
