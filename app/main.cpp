// undercroft: builds the voxel world and runs the frame loop until Escape or
// a close request. Takes no arguments and always returns 0.
#include "app/game.h"
#include "app/state.h"
#include "platform/signals.h"

int main()
{
    installQuitSignals();
    runStartup();
    while (!quitFlag)
        runFrame();
    runShutdown();
    return 0;
}
