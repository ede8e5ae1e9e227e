// The tool's command line, read with CLI11: what the subcommands share. Every
// failure is one line on stderr naming the option, and exit status 2.
#pragma once

#include "app/command_line.h"

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

// parseDecimal (app/command_line.h) without the reason.
std::optional<long long> parseInteger(const std::string& text, long long low, long long high);

// Parses a decimal number in floating-point notation ("-12.5", "1e-3"), and
// nothing else: no spaces, no hexadecimal, no "inf" or "nan". One too small
// for a float is the (nearly) zero it rounds to, one too large is refused.
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
    std::optional<std::string> dataFolder; // chosen as the program does without it
};

// Whether a subcommand needs --seed or takes the clock's seed without it.
enum class SeedNeed { Required, ClockByDefault };

// Adds --seed and --data to a subcommand, reading them into `source`.
void addWorldSource(CLI::App& command, WorldSource& source, SeedNeed need);

// Adds an integer option read as parseDecimal reads it, stored by `store`.
void addIntegerOption(CLI::App& command, const std::string& name, const std::string& form,
                      long long low, long long high, const std::function<void(long long)>& store,
                      const std::string& description);

// Adds --out, whose value `store` takes: a path, or "-" for standard output
// where `standardOutputAllowed`; never the name of an option (--out --state
// is a missing value, not a file named --state).
void addOutputOption(CLI::App& command, const std::string& form, bool standardOutputAllowed,
                     const std::function<void(const std::string&)>& store,
                     const std::string& description);

// Adds an option whose value `parse` reads into its own place; a value it
// refuses (false) is the error "OPTION: wants FORM".
void addParsedOption(CLI::App& command, const std::string& name, const std::string& form,
                     const std::function<bool(const std::string&)>& parse,
                     const std::string& description);
