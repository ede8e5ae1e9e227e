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

bool ArgReader::value(const std::string& name, std::string& out)
{
    if (done()) {
        usageError(name + " needs a value");
        return false;
    }
    out = take();
    return true;
}

int readOptions(const std::vector<std::string>& args, WorldSource& source,
                const OptionHandler& other, std::initializer_list<std::string_view> flags)
{
    ArgReader reader{args};
    while (!reader.done()) {
        const std::string option = reader.take();
        std::string value;
        const bool isFlag = std::find(flags.begin(), flags.end(), option) != flags.end();
        if (!isFlag && !reader.value(option, value))
            return usageExitStatus;
        if (option == "--seed") {
            const auto seed = parseInteger(value, 0, UINT32_MAX);
            if (!seed)
                return usageError("--seed wants a whole number 0..4294967295");
            source.seed = std::uint32_t(*seed);
        } else if (option == "--data") {
            source.dataFolder = value;
        } else if (const int status = other(option, value)) {
            return status;
        }
    }
    return 0;
}
