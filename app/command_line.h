// The program's own command line, beyond the original's (which takes none):
// with no arguments the program runs as it always has. --help and --version
// answer and end; --seed N builds the world of seed N, as undercroft-tool's
// --seed does. Also the decimal numbers both programs read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the command line asks for.
struct ProgramRequest {
    enum class Action { run, help, version, refuse };
    Action action = Action::run;
    std::optional<std::uint32_t> seed; // the clock's when empty
    std::string refusal;               // why the line was refused, one line
};

// Reads the arguments that follow the program's name.
ProgramRequest readProgramArguments(const std::vector<std::string>& arguments);

// The program's --help text, a few lines ending in a newline.
std::string programHelp();

// Parses a whole decimal integer (an optional sign, then digits only) within
// [low, high]: a leading zero is a zero, never an octal or hex prefix. On
// failure `why` says what is wrong with the text.
std::optional<long long> parseDecimal(const std::string& text, long long low, long long high,
                                      std::string& why);
