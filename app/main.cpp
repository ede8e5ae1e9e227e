// undercroft: builds the voxel world and runs the frame loop until Escape or
// a close request. Takes no arguments and always returns 0.
#include "app/game.h"
#include "app/screenshot.h"
#include "assets/data_folder.h"
#include "platform/file_output.h"
#include "platform/quit.h"

#include <string>

int main()
{
    // A closed stdout or a full disk is reported where output is lost; it
    // ends nothing.
    ignoreOutputSignals();
    // Screenshots go where the user started the program, even when the
    // images come from the installed data folder.
    pinScreenshotFolder();
    useDataFolder(installedDataFolder());
    installQuitSignals();
    // The seed is printed so a world the user liked can be rebuilt with
    // undercroft-tool's --seed.
    printLineOrSay("undercroft", "world seed " + std::to_string(runStartup()));
    frameLoopReached();
    while (!quitFlag)
        runFrame();
    runShutdown();
    return 0;
}
