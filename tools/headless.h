// Running the program's own code with no window on screen.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Handles one option of a subcommand with its value (empty for a flag);
// returns 0, or the exit status of a usage error.
using OptionHandler = std::function<int(const std::string& option, const std::string& value)>;

// Reads a subcommand's words: --seed N and --data DIR into `source`, every
// other option, with the word after it unless it is one of `flags`, through
// `other`. Returns 0, or the exit status of the first usage error.
int readOptions(const std::vector<std::string>& args, WorldSource& source,
                const OptionHandler& other, std::initializer_list<std::string_view> flags = {});

// Enters the data folder and builds the world for `source.seed` as start-up
// does, with no window and without the map's pause. False, with the reason
// on stderr, when the folder cannot be entered.
bool buildHeadlessWorld(const WorldSource& source);

// Frees what buildHeadlessWorld allocated.
void releaseHeadlessWorld();
