// Whole-file output through stdio, with every step's result checked.
#include "platform/file_output.h"

#include <cerrno>
#include <cstring>

bool writeFileWith(const std::string& path, const StreamWriter& write, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    bool written = write(file, error);
    if (written && (std::fflush(file) != 0 || std::ferror(file))) {
        error = std::strerror(errno);
        written = false;
    }
    if (std::fclose(file) != 0 && written) {
        error = std::strerror(errno);
        written = false;
    }
    return written;
}

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
