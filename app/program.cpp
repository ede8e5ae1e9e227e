// The program from its first step to its last: the data folder, start-up, the
// frame loop until Escape or a close request, shutdown.
#include "app/program.h"

#include "app/game.h"
#include "app/screenshot.h"
#include "assets/data_folder.h"
#include "platform/file_output.h"
#include "platform/installed_data.h"
#include "platform/quit.h"
#include "platform/standard_streams.h"

#include <string>

int runProgram()
{
    // Before anything opens a file or the window system's connection.
    openClosedStandardStreams();
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
    printLineOrSay("world seed " + std::to_string(runStartup()));
    while (!quitFlag)
        runFrame();
    runShutdown();
    return 0;
}
