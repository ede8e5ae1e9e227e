// Running the program's own code with no window on screen.
#pragma once

#include "tools/commands/options.h"

#include <cstdint>
#include <optional>
#include <string>

// Windows open hidden from now on (a real GL context, nothing on screen) and
// pauses advance a virtual clock instead of sleeping.
void startHeadless();

// The folder the command reads the images and map/ from: --data DIR when
// given (saying on stderr which image folders it lacks, if any); else, as the
// program chooses, the current folder when it holds the image folders, else
// the installed data folder that does (saying so on stderr). With neither,
// none: the reason, naming --data, is on stderr, and drawing would give
// blank pictures.
std::optional<std::string> chooseDataFolder(const WorldSource& source);

// Changes into the data folder the program reads its files from; prints the
// reason and returns false when it cannot.
bool enterDataFolder(const std::string& folder);

// An output path made absolute against the folder the tool was started in,
// so changing into the data folder does not move it. A relative path is
// refused (a CLI::ValidationError for --out) when that folder cannot be found:
// deleted while the tool was started in it, it would count from the data
// folder.
std::string outputPath(const std::string& path);

// Whether a file can be written at `path` now (checked before any work is
// done for it); says why not on stderr.
bool outputWritable(const std::string& path);

// Whether `path` stays clear of the files the command reads from
// `dataFolder` (the overworld map and the catalogue's images): an output
// written over one of its own inputs is refused, saying so on stderr.
bool outputClearOfInputs(const std::string& path, const std::string& dataFolder);

// Start-up as the program runs it, in the current folder, with the world
// seeded from fixedSeed or the clock; sets `seed` to the seed used. Returns
// 0, or 1 after saying on stderr that no GL window could be opened (the
// commands that draw need one); then everything is released again.
int runHeadlessStartup(std::optional<std::uint32_t> fixedSeed, std::uint32_t& seed);

// Enters the data folder and builds the world for `seed` as start-up does,
// with no window and without the map's pause. False, with the reason on
// stderr, when the folder cannot be entered.
bool buildHeadlessWorld(std::uint32_t seed, const std::string& dataFolder);

// Frees what buildHeadlessWorld allocated.
void releaseHeadlessWorld();
