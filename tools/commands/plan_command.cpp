// undercroft-tool plan: builds the world for a seed, as start-up does, and
// prints the dungeon plan of one level or all nine as text.
#include "tools/commands/commands.h"
#include "tools/commands/headless.h"
#include "tools/commands/options.h"
#include "world/block_codes.h"
#include "world/generator.h"
#include "world/grid.h"
#include "world/world_passes.h"

#include <cstdio>

namespace {
struct PlanOptions {
    WorldSource source;
    int level = 0; // 0: every level
};

// The subcommand's part of the command line, read into `options`.
CLI::App* describeLine(CLI::App& tool, PlanOptions& options)
{
    CLI::App* command = tool.add_subcommand(
        "plan", "Builds the world for a seed and prints the dungeon plan as text, one character "
                "per cell of the square 112..144, row 144 at the top, with each level's room "
                "count. Legend: # wall, . floor, + door, < stairs up, > stairs down, c chest, "
                "a candelabrum, s scrolls, k coffin, f fountain.");
    addWorldSource(*command, options.source, SeedNeed::Required);
    addIntegerOption(
        *command, "--level", "K", 1, dungeonLevelCount,
        [&options](long long level) { options.level = int(level); },
        "the level to print, 1 to 9 (default: all nine)");
    return command;
}

const char* const planLegend = "legend: # wall  . floor  + door  < stairs up  > stairs down  "
                               "c chest  a candelabrum  s scrolls  k coffin  f fountain  "
                               "? other";

char planCharacter(std::uint8_t code)
{
    switch (code) {
    case Wall: return '#';
    case Floor: return '.';
    case Door: return '+';
    case StairsUp: return '<';
    case StairsDown: return '>';
    case Chest: return 'c';
    case Candelabrum: return 'a';
    case Scrolls: return 's';
    case Coffin: return 'k';
    case Fountain: return 'f';
    case Air: return ' ';
    default: return '?';
    }
}

// The level's header, then its square, the top row (row 144) first.
void printLevel(int level)
{
    const int layer = firstPlanLayer + level - 1;
    std::printf("level %d (layer %d): %d rooms\n", level, layer,
                levelEndRoom[layer] - levelFirstRoom[layer]);
    for (int y = planSquareLast; y >= planSquareFirst; --y) {
        for (int x = planSquareFirst; x <= planSquareLast; ++x)
            std::putchar(planCharacter(gridCell(x, y, layer)));
        std::putchar('\n');
    }
}
}

namespace {
int runPlan(const PlanOptions& options)
{
    if (!options.source.seed)
        return usageError("plan needs --seed N");
    const std::optional<std::string> data = chooseDataFolder(options.source);
    if (!data || !buildHeadlessWorld(*options.source.seed, *data))
        return usageExitStatus;

    std::printf("%s\n", planLegend);
    for (int level = 1; level <= dungeonLevelCount; ++level)
        if (options.level == 0 || options.level == level)
            printLevel(level);
    releaseHeadlessWorld();
    return 0;
}
} // namespace

ToolCommand addPlanCommand(CLI::App& tool)
{
    auto options = std::make_shared<PlanOptions>();
    return {describeLine(tool, *options), [options] { return runPlan(*options); }};
}
