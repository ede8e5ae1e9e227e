// Argument reading shared by the tool's subcommands. Every failure is a
// one-line message on stderr and exit status 2.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr int usageExitStatus = 2;

// Prints "undercroft-tool: message" on stderr and returns usageExitStatus.
int usageError(const std::string& message);

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
