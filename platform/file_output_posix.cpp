// Whole files written under a temporary name in their destination's folder,
// synced, then renamed over the destination: rename replaces a name at once
// and replaces a symbolic link itself rather than the file it points to. A
// destination that is a device or a pipe (/dev/stdout, /dev/null) is written
// straight into instead: it holds no old file to keep, and renaming over it
// would take the device's name away.
#include "platform/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

namespace {
// Tries this many names before giving up on a folder full of our temporaries.
constexpr int temporaryNameTries = 100;

// Creates a new file beside `path`, readable and writable as the user's
// umask allows; its descriptor, or -1 with errno set.
int createTemporaryBeside(const std::string& path, std::string& temporary)
{
    const std::filesystem::path target(path);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < temporaryNameTries; ++attempt) {
        std::string name = ".";
        name += target.filename().string();
        name += ".part-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        temporary = (target.parent_path() / name).string();
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool fail(std::string& error, const std::string& reason)
{
    error = reason;
    return false;
}

// A device, a FIFO or a socket at `path`, after following links.
bool namesAStream(const std::string& path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) &&
           !S_ISDIR(status.st_mode);
}

// Opens a stream destination for writing without waiting for a reader; -1
// with errno set (ENXIO: a FIFO nobody reads).
int openStream(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool writeIntoStream(const std::string& path, const StreamWriter& write, std::string& error)
{
    const int fd = openStream(path);
    std::FILE* file = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (!file) {
        const std::string reason = std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        return fail(error, reason);
    }
    bool written = write(file, error);
    if (written && (std::fflush(file) != 0 || std::ferror(file)))
        written = fail(error, std::strerror(errno));
    if (std::fclose(file) != 0 && written)
        written = fail(error, std::strerror(errno));
    return written;
}
} // namespace

bool writeFileWith(const std::string& path, const StreamWriter& write, std::string& error)
{
    if (namesAStream(path))
        return writeIntoStream(path, write, error);
    std::string temporary;
    const int fd = createTemporaryBeside(path, temporary);
    if (fd < 0)
        return fail(error, std::strerror(errno));
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) {
        const std::string reason = std::strerror(errno);
        ::close(fd);
        ::unlink(temporary.c_str());
        return fail(error, reason);
    }
    bool written = write(file, error);
    if (written && (std::fflush(file) != 0 || std::ferror(file) || ::fsync(fd) != 0))
        written = fail(error, std::strerror(errno));
    if (std::fclose(file) != 0 && written)
        written = fail(error, std::strerror(errno));
    if (written && ::rename(temporary.c_str(), path.c_str()) != 0)
        written = fail(error, std::strerror(errno));
    if (!written)
        ::unlink(temporary.c_str());
    return written;
}

NewFile createNewFile(const std::string& path, std::string& error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
        ::close(fd);
        return NewFile::Created;
    }
    if (errno == EEXIST)
        return NewFile::Exists;
    error = std::strerror(errno);
    return NewFile::Failed;
}

bool canWriteFile(const std::string& path, std::string& error)
{
    if (namesAStream(path)) {
        const int fd = openStream(path);
        if (fd < 0)
            return fail(error, std::strerror(errno));
        ::close(fd);
        return true;
    }
    std::string temporary;
    const int fd = createTemporaryBeside(path, temporary);
    if (fd < 0)
        return fail(error, std::strerror(errno));
    ::close(fd);
    ::unlink(temporary.c_str());
    return true;
}

bool standardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

void ignoreOutputSignals()
{
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}
