// Running the program's own code with no window on screen.
#pragma once

#include <cstdint>
#include <optional>
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

// --seed N and --data DIR, taken by every subcommand that runs the program's
// start-up.
struct WorldSource {
    std::optional<std::uint32_t> seed;
    std::string dataFolder = ".";
};

// When `option` is --seed or --data, stores its value in `source`, sets
// `status` to 0 (or to a usage error's status for a bad seed) and returns
// true; returns false for any other option.
bool takeWorldSourceOption(const std::string& option, const std::string& value,
                           WorldSource& source, int& status);

// Enters the data folder and builds the world for `source.seed` as start-up
// does, with no window and without the map's pause. False, with the reason
// on stderr, when the folder cannot be entered.
bool buildHeadlessWorld(const WorldSource& source);

// Frees what buildHeadlessWorld allocated.
void releaseHeadlessWorld();
