// Argument reading shared by the tool's subcommands.
#include "tools/commands/options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

int usageError(const std::string& message)
{
    std::fprintf(stderr, "undercroft-tool: %s\n", message.c_str());
    return usageExitStatus;
}

int writeFailure(const std::string& path, const std::string& reason)
{
    return usageError("cannot write " + path + ": " + reason);
}

std::optional<long long> parseInteger(const std::string& text, long long low, long long high)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<float> parseFloat(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(text.c_str(), &end);
    // A number too small for a float reads as (nearly) zero, which it is;
    // only one too large for it is out of range.
    const bool overflow = errno == ERANGE && std::isinf(value);
    if (end == text.c_str() || *end != '\0' || overflow)
        return std::nullopt;
    return value;
}

std::vector<std::string> splitAt(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

void addWorldSource(CLI::App& command, WorldSource& source)
{
    command
        .add_option_function<std::int64_t>(
            "--seed", [&source](std::int64_t seed) { source.seed = std::uint32_t(seed); },
            "the world's seed, as the program prints it (default: the clock)")
        ->type_name("N")
        ->check(CLI::Range(std::int64_t(0), std::int64_t(UINT32_MAX)));
    command.add_option("--data", source.dataFolder, "the folder holding the images and map/")
        ->type_name("DIR");
}

void addParsedOption(CLI::App& command, const std::string& name, const std::string& form,
                     const std::function<bool(const std::string&)>& parse,
                     const std::string& description)
{
    command
        .add_option_function<std::string>(
            name,
            [name, form, parse](const std::string& value) {
                if (!parse(value))
                    throw CLI::ValidationError(name, "wants " + form);
            },
            description)
        ->type_name(form);
}
