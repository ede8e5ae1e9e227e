// The tool's command line, read with CLI11: what the subcommands share. Every
// failure is one line on stderr naming the option, and exit status 2.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
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

// Parses a number in floating-point notation; one too small for a float is
// the (nearly) zero it rounds to, one too large is refused.
std::optional<float> parseFloat(const std::string& text);

// Splits "a,b,c" at the commas.
std::vector<std::string> splitAt(const std::string& text, char separator);

// One subcommand: its part of the command line, and what runs it (returning
// the exit status) once the whole line has been read.
struct ToolCommand {
    CLI::App* line;
    std::function<int()> run;
};

// --seed N and --data DIR, taken by every subcommand that runs the program's
// start-up.
struct WorldSource {
    std::optional<std::uint32_t> seed;
    std::string dataFolder = ".";
};

// Adds --seed and --data to a subcommand, reading them into `source`.
void addWorldSource(CLI::App& command, WorldSource& source);

// Adds an option whose value `parse` reads into its own place; a value it
// refuses (false) is the error "OPTION: wants FORM".
void addParsedOption(CLI::App& command, const std::string& name, const std::string& form,
                     const std::function<bool(const std::string&)>& parse,
                     const std::string& description);
