// undercroft-tool: headless companion of the program. Runs the program's own
// start-up and frame loop with no window on screen and writes what they made.
#include "app/screenshot.h"
#include "platform/file_output.h"
#include "tools/commands/commands.h"
#include "tools/commands/options.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
    const char* usage;
};

const Command commands[] = {
    {"snapshot", runSnapshotCommand,
     "snapshot [--seed N] [--data DIR] [--view X,Y,Z] [--look YAW,PITCH] [--mouse MX,MY]\n"
     "           [--keys SCRIPT] [--frames N] [--state] --out FILE.png"},
    {"world", runWorldCommand, "world --seed N [--data DIR] --out FILE"},
    {"plan", runPlanCommand, "plan --seed N [--data DIR] [--level K]"},
    {"soak", runSoakCommand, "soak --seed N --frames N [--data DIR]"},
    {"vox", runVoxCommand,
     "vox --seed N [--data DIR] [--region X0,Y0,Z0,X1,Y1,Z1] --out FILE.vox"},
    {"tour", runTourCommand, "tour [--seed N] [--data DIR] --out DIR"},
    {"assets", runAssetsCommand, "assets --out DIR [--previews DIR] [--sheet FILE.png]\n"
     "           [--icon FILE.png]"},
};

void printUsage(std::FILE* stream)
{
    std::fprintf(stream, "usage: undercroft-tool <command> [options]\n");
    for (const Command& command : commands)
        std::fprintf(stream, "  undercroft-tool %s\n", command.usage);
}

// Lines the command printed that did not reach their reader (a full disk, a
// closed pipe) make the command fail like an unwritable --out.
int checkedOutput(int status)
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    usageError(std::string("cannot write to standard output: ") +
               (errno ? std::strerror(errno) : "write failed"));
    return usageExitStatus;
}
}

int main(int argc, char** argv)
{
    ignoreOutputSignals();
    // F12 in a key script saves where the tool was started, not in --data.
    pinScreenshotFolder();
    if (argc < 2) {
        printUsage(stderr);
        return usageExitStatus;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
        printUsage(stdout);
        return checkedOutput(0);
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& command : commands)
        if (std::strcmp(argv[1], command.name) == 0)
            return checkedOutput(command.run(args));
    return usageError(std::string("unknown command '") + argv[1] + "' (try --help)");
}
