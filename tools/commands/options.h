// Argument reading shared by the tool's subcommands. Every failure is a
// one-line message on stderr and exit status 2.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr int usageExitStatus = 2;

// The exit status of a command that draws when no GL window can be opened.
constexpr int noWindowExitStatus = 1;

// Prints "undercroft-tool: message" on stderr and returns usageExitStatus.
int usageError(const std::string& message);

// Prints "undercroft-tool: cannot write PATH: reason" on stderr and returns
// usageExitStatus: an output that cannot be written is the caller's error.
int writeFailure(const std::string& path, const std::string& reason);

// Parses a whole decimal integer (optionally signed) within [low, high].
std::optional<long long> parseInteger(const std::string& text, long long low, long long high);

// Parses a number in floating-point notation.
std::optional<float> parseFloat(const std::string& text);

// Splits "a,b,c" at the commas.
std::vector<std::string> splitAt(const std::string& text, char separator);

// Walks argv: the next word of an option, or a usage error when missing.
struct ArgReader {
    std::vector<std::string> words;
    std::size_t next = 0;

    bool done() const { return next >= words.size(); }
    const std::string& take() { return words[next++]; }
    // The value after option `name`; false when there is none.
    bool value(const std::string& name, std::string& out);
};

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
