// Regular files only, opened without blocking: O_NONBLOCK keeps the open of a
// FIFO from waiting for a writer, and fstat on the descriptor tells what was
// opened. The flag stays on: a file on a disk reads as usual with it, while
// a kernel file that looks regular but blocks (/proc/kmsg) fails its read
// with EAGAIN rather than holding start-up for good.
#include "platform/file_input.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::FILE* openRegularFile(const std::string& path, std::string& why)
{
    why.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            why = std::strerror(errno);
        return nullptr;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0)
        why = std::strerror(errno);
    else if (S_ISDIR(status.st_mode))
        why = "a folder, not a file";
    else if (!S_ISREG(status.st_mode))
        why = "not a regular file";
    if (!why.empty()) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        why = std::strerror(errno);
        ::close(fd);
    }
    return file;
}

std::optional<FileIdentity> fileIdentity(const std::string& path)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return FileIdentity{std::uint64_t(status.st_dev), std::uint64_t(status.st_ino)};
}
