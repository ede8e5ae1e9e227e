// The program from its first step to its last: its command line, the data
// folder, start-up, the frame loop until Escape or a close request, shutdown.
#include "app/program.h"

#include "app/command_line.h"
#include "app/game.h"
#include "app/screenshot.h"
#include "assets/data_folder.h"
#include "platform/file_output.h"
#include "platform/installed_data.h"
#include "platform/quit.h"
#include "platform/report.h"
#include "platform/standard_streams.h"

#include <cstdio>
#include <string>

namespace {
constexpr int usageExitStatus = 2;

// What a command line that asks for no world gets: the answer, or the
// refusal in one line. Empty when the world is to be built.
std::optional<int> answerCommandLine(const ProgramRequest& request)
{
    switch (request.action) {
    case ProgramRequest::Action::help:
        std::fputs(programHelp().c_str(), stdout);
        return 0;
    case ProgramRequest::Action::version:
        std::puts("undercroft " UNDERCROFT_VERSION);
        return 0;
    case ProgramRequest::Action::refuse:
        reportProblem(request.refusal);
        return usageExitStatus;
    case ProgramRequest::Action::run:
        break;
    }
    return std::nullopt;
}
} // namespace

int runProgram(int argc, char** argv)
{
    // Before anything opens a file or the window system's connection.
    openClosedStandardStreams();
    std::vector<std::string> arguments = commandLineArguments(argc, argv);
    arguments.erase(arguments.begin());
    const ProgramRequest request = readProgramArguments(arguments);
    if (const std::optional<int> status = answerCommandLine(request))
        return *status;
    // A closed stdout or a full disk is reported where output is lost; it
    // ends nothing.
    ignoreOutputSignals();
    // Screenshots go where the user started the program, even when the
    // images come from the installed data folder.
    pinScreenshotFolder();
    useDataFolder(installedDataFolders());
    installQuitSignals();
    // The seed is printed so a world the user liked can be rebuilt with
    // undercroft-tool's --seed.
    printLineOrSay("world seed " + std::to_string(runStartup(request.seed)));
    while (!quitFlag)
        runFrame();
    runShutdown();
    return 0;
}
