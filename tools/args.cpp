// Argument reading shared by the tool's subcommands.
#include "tools/args.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

int usageError(const std::string& message)
{
    std::fprintf(stderr, "undercroft-tool: %s\n", message.c_str());
    return usageExitStatus;
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
    if (errno != 0 || *end != '\0')
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
