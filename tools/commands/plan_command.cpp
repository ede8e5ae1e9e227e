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

// Returns 0 when the options are good, else the exit status of the error.
int parseOptions(const std::vector<std::string>& args, PlanOptions& options)
{
    const auto takeOption = [&](const std::string& option, const std::string& value) {
        if (option == "--level") {
            const auto level = parseInteger(value, 1, dungeonLevelCount);
            if (!level)
                return usageError("--level wants a level 1..9");
            options.level = int(*level);
        } else {
            return usageError("plan: unknown option '" + option + "'");
        }
        return 0;
    };
    if (const int status = readOptions(args, options.source, takeOption))
        return status;
    if (!options.source.seed)
        return usageError("plan needs --seed N");
    return 0;
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

int runPlanCommand(const std::vector<std::string>& args)
{
    PlanOptions options;
    if (const int status = parseOptions(args, options))
        return status;
    if (!buildHeadlessWorld(options.source))
        return usageExitStatus;

    std::printf("%s\n", planLegend);
    for (int level = 1; level <= dungeonLevelCount; ++level)
        if (options.level == 0 || options.level == level)
            printLevel(level);
    releaseHeadlessWorld();
    return 0;
}
