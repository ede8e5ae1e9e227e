// Whole files written under a temporary name in their destination's folder,
// committed to the disk, then moved over the destination in one step
// (MoveFileEx replacing it), so a failed write leaves the old file.
#include "platform/file_output.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {
constexpr int temporaryNameTries = 100;

// Creates a new file beside `path`; its descriptor, or -1 with errno set.
int createTemporaryBeside(const std::string& path, std::string& temporary)
{
    const std::filesystem::path target(path);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < temporaryNameTries; ++attempt) {
        std::string name = target.filename().string();
        name += ".part-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        temporary = (target.parent_path() / name).string();
        const int fd = _open(temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                             _S_IREAD | _S_IWRITE);
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

// The system's words for the last Win32 error.
std::string lastErrorText()
{
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), 0, text, sizeof text, nullptr);
    std::string reason = text;
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    return reason;
}
} // namespace

bool writeFileWith(const std::string& path, const StreamWriter& write, std::string& error)
{
    std::string temporary;
    const int fd = createTemporaryBeside(path, temporary);
    if (fd < 0)
        return fail(error, std::strerror(errno));
    std::FILE* file = _fdopen(fd, "wb");
    if (!file) {
        const std::string reason = std::strerror(errno);
        _close(fd);
        _unlink(temporary.c_str());
        return fail(error, reason);
    }
    bool written = write(file, error);
    if (written && (std::fflush(file) != 0 || std::ferror(file) || _commit(fd) != 0))
        written = fail(error, std::strerror(errno));
    if (std::fclose(file) != 0 && written)
        written = fail(error, std::strerror(errno));
    if (written && !MoveFileExA(temporary.c_str(), path.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        written = fail(error, lastErrorText());
    if (!written)
        _unlink(temporary.c_str());
    return written;
}

NewFile createNewFile(const std::string& path, std::string& error)
{
    const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                         _S_IREAD | _S_IWRITE);
    if (fd >= 0) {
        _close(fd);
        return NewFile::Created;
    }
    if (errno == EEXIST)
        return NewFile::Exists;
    error = std::strerror(errno);
    return NewFile::Failed;
}

bool canWriteFile(const std::string& path, std::string& error)
{
    std::string temporary;
    const int fd = createTemporaryBeside(path, temporary);
    if (fd < 0)
        return fail(error, std::strerror(errno));
    _close(fd);
    _unlink(temporary.c_str());
    return true;
}

bool standardErrorIsTerminal()
{
    return _isatty(_fileno(stderr)) != 0;
}

// Windows ends no process for a closed pipe: the write fails and says so.
void ignoreOutputSignals() {}
