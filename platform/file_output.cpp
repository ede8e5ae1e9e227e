// The portable half of file output: whole files from bytes, lines on stdout.
#include "platform/file_output.h"

#include "platform/report.h"
#include "platform/standard_streams.h"

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
    error = standardOutputWasClosed() ? "it is closed"
            : errno                   ? std::strerror(errno)
                                      : "write failed";
    return false;
}

std::string cutToFit(const std::string& text, std::size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    std::size_t end = bytes;
    // Back over continuation bytes (10xxxxxx) to the start of the character
    // that does not fit whole.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

void printLineOrSay(const std::string& line)
{
    std::string error;
    if (!printLine(line, error))
        reportProblem("cannot write to standard output: " + error);
}
