// undercroft-tool: headless companion of the program. Runs the program's own
// start-up and frame loop with no window on screen and writes what they made,
// and paints the program's art.
#include "app/screenshot.h"
#include "platform/file_output.h"
#include "platform/report.h"
#include "platform/standard_streams.h"
#include "tools/commands/commands.h"
#include "tools/commands/options.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {
constexpr int outOfMemoryStatus = 1;

// Lines the command printed that did not reach their reader (a full disk, a
// closed pipe) make the command fail like an unwritable --out.
int checkedOutput(int status)
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    usageError(std::string("cannot write to standard output: ") +
               (standardOutputWasClosed() ? "it is closed"
                : errno                   ? std::strerror(errno)
                                          : "write failed"));
    return usageExitStatus;
}

// The tool's line with every subcommand on it.
std::vector<ToolCommand> describeTool(CLI::App& tool)
{
    tool.set_version_flag("--version", "undercroft-tool " UNDERCROFT_VERSION);
    tool.require_subcommand(1, 1);
    tool.footer("Run 'undercroft-tool COMMAND --help' for a command's options. A bad option, "
                "value or output is one line on stderr and exit status 2.");
    return {addSnapshotCommand(tool), addWorldCommand(tool), addPlanCommand(tool),
            addSoakCommand(tool),     addVoxCommand(tool),   addTourCommand(tool),
            addAssetsCommand(tool)};
}
bool namesACommand(const std::vector<ToolCommand>& commands, const std::string& word)
{
    for (const ToolCommand& command : commands)
        if (command.line->get_name() == word)
            return true;
    return false;
}
} // namespace

namespace {
int runTool(int argc, char** argv)
{
    // Before anything opens a file: a closed descriptor gets the null device,
    // and a closed stdout one that fails what is written to it.
    openClosedStandardStreams(ClosedOutput::Refused);
    programName = "undercroft-tool";
    ignoreOutputSignals();
    // Ctrl+C in the middle of a write leaves no hidden temporary file.
    removeUnfinishedOutputOnSignals();
    // F12 in a key script saves where the tool was started, not in --data.
    pinScreenshotFolder();
    CLI::App tool("Runs undercroft's own start-up and frame loop with no window on screen and "
                  "writes what they made; paints the program's art.",
                  "undercroft-tool");
    const std::vector<ToolCommand> commands = describeTool(tool);
    // UTF-8 on every system, names outside the system's code page included.
    std::vector<std::string> arguments = commandLineArguments(argc, argv);
    std::vector<char*> words;
    for (std::string& argument : arguments)
        words.push_back(argument.data());
    if (words.size() > 1 && words[1][0] != '-' && !namesACommand(commands, words[1]))
        return usageError(std::string("unknown command '") + words[1] + "' (try --help)");
    try {
        tool.parse(int(words.size()), words.data());
    } catch (const CLI::ParseError& error) {
        // --help and --version print to stdout and succeed; a mistake is one line.
        if (error.get_exit_code() == 0)
            return checkedOutput(tool.exit(error));
        return usageError(error.what());
    }
    for (const ToolCommand& command : commands)
        if (command.line->parsed())
            return checkedOutput(command.run());
    return usageError("a command is required (try --help)");
}
} // namespace

// Memory that cannot be had (a low ulimit -v) is reported as the command's
// failure rather than an abort.
int main(int argc, char** argv)
{
    try {
        return runTool(argc, argv);
    } catch (const std::bad_alloc&) {
        reportProblem("out of memory");
        return outOfMemoryStatus;
    }
}
