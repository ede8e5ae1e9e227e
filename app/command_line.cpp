// Reading the program's command line and the decimal numbers both programs
// take.
#include "app/command_line.h"

#include <cerrno>
#include <cstdlib>

std::optional<long long> parseDecimal(const std::string& text, long long low, long long high,
                                      std::string& why)
{
    const std::size_t digits = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    const std::size_t end = text.find_first_not_of("0123456789", digits);
    if (text.size() == digits || end == digits) {
        why = "'" + text + "' is not a decimal number";
        return std::nullopt;
    }
    if (end != std::string::npos) {
        why = "'" + text + "' has '" + text.substr(end) + "' after the number";
        return std::nullopt;
    }
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value < low || value > high) {
        why = text + " is out of range (" + std::to_string(low) + " to " + std::to_string(high) + ")";
        return std::nullopt;
    }
    return value;
}

namespace {
ProgramRequest refused(const std::string& why)
{
    ProgramRequest request;
    request.action = ProgramRequest::Action::refuse;
    request.refusal = why;
    return request;
}
} // namespace

ProgramRequest readProgramArguments(const std::vector<std::string>& arguments)
{
    ProgramRequest request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "--help" || word == "-h") {
            request.action = ProgramRequest::Action::help;
            return request;
        }
        if (word == "--version") {
            request.action = ProgramRequest::Action::version;
            return request;
        }
        const bool joined = word.rfind("--seed=", 0) == 0;
        if (word != "--seed" && !joined)
            return refused("unknown argument '" + word + "' (try --help)");
        if (!joined && i + 1 == arguments.size())
            return refused("--seed wants a number (0 to 4294967295)");
        const std::string value = joined ? word.substr(7) : arguments[++i];
        std::string why;
        const std::optional<long long> seed = parseDecimal(value, 0, UINT32_MAX, why);
        if (!seed)
            return refused("--seed: " + why);
        request.seed = std::uint32_t(*seed);
    }
    return request;
}

std::string programHelp()
{
    return "Usage: undercroft [--seed N]\n"
           "Builds a voxel world (an overworld, a dungeon of nine levels, the 3D world\n"
           "carved from them) and opens a window to explore it; prints \"world seed N\".\n"
           "Reads its images and map/ from the current folder, else the installed data.\n"
           "\n"
           "  --seed N    build the world of seed N (0 to 4294967295), as\n"
           "              undercroft-tool's --seed does; without it, the clock's\n"
           "  --help      print this and end\n"
           "  --version   print the version and end\n"
           "\n"
           "Keys: arrows, keypad + and -, F1-F5 scale, F6 3D view, F7 map, M move the\n"
           "window, left button or Z fly, any button and the mouse look, F12 screenshot,\n"
           "Escape quit. Headless pictures of any world: undercroft-tool (see its --help).\n";
}
