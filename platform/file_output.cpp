// The portable half of file output: whole files from bytes, lines on stdout.
#include "platform/file_output.h"

#include "platform/report.h"

#include <cerrno>
#include <cstring>

bool writeFileBytes(const std::string& path, std::span<const std::uint8_t> bytes,
                    std::string& error)
{
    return writeFileWith(
        path,
        [&](std::FILE* file, std::string& why) {
            if (std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size())
                return true;
            why = std::strerror(errno);
            return false;
        },
        error);
}

bool printLine(const std::string& line, std::string& error)
{
    errno = 0;
    if (std::fputs(line.c_str(), stdout) >= 0 && std::fputc('\n', stdout) != EOF &&
        std::fflush(stdout) == 0)
        return true;
    error = errno ? std::strerror(errno) : "write failed";
    return false;
}

void printLineOrSay(const std::string& line)
{
    std::string error;
    if (!printLine(line, error))
        reportProblem("cannot write to standard output: " + error);
}
