// Argument reading shared by the tool's subcommands.
#include "tools/commands/options.h"

#include "platform/report.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

int usageError(const std::string& message)
{
    reportProblem(message);
    return usageExitStatus;
}

int writeFailure(const std::string& path, const std::string& reason)
{
    return usageError("cannot write " + path + ": " + reason);
}

std::optional<long long> parseInteger(const std::string& text, long long low, long long high)
{
    std::string why;
    return parseDecimal(text, low, high, why);
}

namespace {
// Whether `text` is a decimal number and nothing else: a sign, digits with
// at most one point among or around them, then an exponent. strtof alone
// would take leading spaces, hexadecimal ("0x1p127"), "inf" and "nan".
bool decimalNumber(const std::string& text)
{
    std::size_t at = text.size() > 0 && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    const auto digits = [&] {
        const std::size_t start = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9')
            ++at;
        return at - start;
    };
    std::size_t mantissa = digits();
    if (at < text.size() && text[at] == '.') {
        ++at;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        if (digits() == 0)
            return false;
    }
    return at == text.size();
}
}

std::optional<float> parseFloat(const std::string& text)
{
    if (!decimalNumber(text))
        return std::nullopt;
    errno = 0;
    const float value = std::strtof(text.c_str(), nullptr);
    // A number too small for a float reads as (nearly) zero, which it is;
    // only one too large for it is out of range.
    if (errno == ERANGE && std::isinf(value))
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

void addWorldSource(CLI::App& command, WorldSource& source, SeedNeed need)
{
    addIntegerOption(
        command, "--seed", "N", 0, UINT32_MAX,
        [&source](long long seed) { source.seed = std::uint32_t(seed); },
        need == SeedNeed::Required
            ? "the world's seed, as the program prints it (required)"
            : "the world's seed, as the program prints it (default: the clock, printed)");
    command
        .add_option_function<std::string>(
            "--data", [&source](const std::string& folder) { source.dataFolder = folder; },
            "the folder holding the images and map/ (default: the current folder when it "
            "holds them, else the installed data folder)")
        ->type_name("DIR");
}

void addIntegerOption(CLI::App& command, const std::string& name, const std::string& form,
                      long long low, long long high, const std::function<void(long long)>& store,
                      const std::string& description)
{
    command
        .add_option_function<std::string>(
            name,
            [name, low, high, store](const std::string& text) {
                std::string why;
                const std::optional<long long> value = parseDecimal(text, low, high, why);
                if (!value)
                    throw CLI::ValidationError(name, why);
                store(*value);
            },
            description)
        ->type_name(form);
}

void addOutputOption(CLI::App& command, const std::string& form, bool standardOutputAllowed,
                     const std::function<void(const std::string&)>& store,
                     const std::string& description)
{
    command
        .add_option_function<std::string>(
            "--out",
            [standardOutputAllowed, store](const std::string& path) {
                if (path == "-" && !standardOutputAllowed)
                    throw CLI::ValidationError("--out", "wants a folder; - (standard output) "
                                                        "cannot hold one");
                if (path.size() > 1 && path[0] == '-')
                    throw CLI::ValidationError("--out", "wants a path, not the option " + path +
                                                            " (write ./" + path +
                                                            " for a file of that name)");
                store(path);
            },
            description)
        ->type_name(form);
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
