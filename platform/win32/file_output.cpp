// Whole files written under a temporary name in their destination's folder,
// committed to the disk, then moved over the destination in one step
// (MoveFileEx replacing it), so a failed write leaves the old file. A
// read-only file is refused rather than replaced; "-" is standard output.
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

// The temporary file being written, for removeUnfinishedOutput.
char unfinishedPath[MAX_PATH];
volatile LONG unfinishedPending = 0;

void noteUnfinished(const std::string& temporary)
{
    if (temporary.size() >= sizeof unfinishedPath)
        return;
    std::memcpy(unfinishedPath, temporary.c_str(), temporary.size() + 1);
    unfinishedPending = 1;
}

// Creates a new file beside `path`, noted as unfinished until the caller
// renames or removes it; its descriptor, or -1 with errno set.
int createTemporaryBeside(const std::string& path, std::string& temporary)
{
    const std::filesystem::path target(path);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < temporaryNameTries; ++attempt) {
        std::string name = target.filename().string();
        name += ".part-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        temporary = (target.parent_path() / name).string();
        noteUnfinished(temporary);
        const int fd = _open(temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                             _S_IREAD | _S_IWRITE);
        if (fd >= 0)
            return fd;
        unfinishedPending = 0;
        if (errno != EEXIST)
            return -1;
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
// Writes through a copy of standard output, in binary.
bool writeToStandardOutput(const StreamWriter& write, std::string& error)
{
    std::fflush(stdout);
    const int fd = _dup(_fileno(stdout));
    std::FILE* file = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
    if (!file) {
        if (fd >= 0)
            _close(fd);
        return fail(error, std::strerror(errno));
    }
    _setmode(fd, _O_BINARY);
    bool written = write(file, error);
    if (written && (std::fflush(file) != 0 || std::ferror(file)))
        written = fail(error, std::strerror(errno));
    if (std::fclose(file) != 0 && written)
        written = fail(error, std::strerror(errno));
    return written;
}

// A destination that is a folder or a read-only file is refused.
bool checkDestination(const std::string& path, std::string& error)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return fail(error, "it is a folder");
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return fail(error, "the file is read-only; it was left as it is");
    return true;
}
} // namespace

bool writeFileWith(const std::string& path, const StreamWriter& write, std::string& error)
{
    if (path == "-")
        return writeToStandardOutput(write, error);
    if (!checkDestination(path, error))
        return false;
    std::string temporary;
    const int fd = createTemporaryBeside(path, temporary);
    if (fd < 0)
        return fail(error, std::strerror(errno));
    std::FILE* file = _fdopen(fd, "wb");
    if (!file) {
        const std::string reason = std::strerror(errno);
        _close(fd);
        _unlink(temporary.c_str());
        unfinishedPending = 0;
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
    unfinishedPending = 0;
    return written;
}

void removeUnfinishedOutput()
{
    if (unfinishedPending)
        DeleteFileA(unfinishedPath);
}

namespace {
// Ctrl+C and Ctrl+Break go on to end the process (FALSE: not handled here).
BOOL WINAPI removeUnfinishedOutputAndEnd(DWORD)
{
    removeUnfinishedOutput();
    return FALSE;
}
}

void removeUnfinishedOutputOnSignals()
{
    SetConsoleCtrlHandler(removeUnfinishedOutputAndEnd, TRUE);
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
    if (path == "-")
        return _fileno(stdout) >= 0 || fail(error, "no standard output");
    if (!checkDestination(path, error))
        return false;
    std::string temporary;
    const int fd = createTemporaryBeside(path, temporary);
    if (fd < 0)
        return fail(error, std::strerror(errno));
    _close(fd);
    _unlink(temporary.c_str());
    unfinishedPending = 0;
    return true;
}

bool standardErrorIsTerminal()
{
    return _isatty(_fileno(stderr)) != 0;
}

// Windows ends no process for a closed pipe: the write fails and says so.
void ignoreOutputSignals() {}
