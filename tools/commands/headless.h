// Running the program's own code with no window on screen.
#pragma once

#include "tools/commands/options.h"

#include <string>

// Selects SDL's offscreen video driver (a real GL context, nothing on screen)
// and makes pauses advance a virtual clock instead of sleeping.
void startHeadless();

// Changes into the data folder the program reads its files from; prints the
// reason and returns false when it cannot.
bool enterDataFolder(const std::string& folder);

// An output path made absolute against the folder the tool was started in,
// so changing into the data folder does not move it.
std::string outputPath(const std::string& path);

// Enters the data folder and builds the world for `source.seed` as start-up
// does, with no window and without the map's pause. False, with the reason
// on stderr, when the folder cannot be entered.
bool buildHeadlessWorld(const WorldSource& source);

// Frees what buildHeadlessWorld allocated.
void releaseHeadlessWorld();
