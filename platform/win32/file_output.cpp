// Whole files written under a temporary name in their destination's folder,
// committed to the disk, then moved over the destination in one step
// (MoveFileEx replacing it), so a failed write leaves the old file. A
// read-only file is refused rather than replaced; "-" is standard output,
// and a device (NUL, CON, \\.\pipe\...) is written straight into. Names are
// UTF-8, given to the system's wide calls.
#include "platform/file_output.h"

#include "platform/path_text.h"
#include "platform/standard_streams.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {
constexpr int temporaryNameTries = 100;
// The longest name a folder takes, in UTF-16 units; a name of as many UTF-8
// bytes never has more.
constexpr std::size_t longestName = 255;

// The temporary file being written, for removeUnfinishedOutput.
wchar_t unfinishedPath[32768];
volatile LONG unfinishedPending = 0;

void noteUnfinished(const std::wstring& temporary)
{
    if (temporary.size() >= sizeof unfinishedPath / sizeof *unfinishedPath)
        return;
    std::memcpy(unfinishedPath, temporary.c_str(), (temporary.size() + 1) * sizeof(wchar_t));
    unfinishedPending = 1;
}

// Creates a new file beside `path`, noted as unfinished until the caller
// renames or removes it; its descriptor, or -1 with errno set.
int createTemporaryBeside(const std::string& path, std::wstring& temporary)
{
    const std::filesystem::path target = pathFromText(path);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < temporaryNameTries; ++attempt) {
        // "NAME.part-PID-N", NAME cut short where a long one would make the
        // whole longer than a folder takes.
        const std::string tag =
            ".part-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        const std::string name = cutToFit(textOfPath(target.filename()), longestName - tag.size());
        temporary = (target.parent_path() / pathFromText(name + tag)).wstring();
        noteUnfinished(temporary);
        const int fd = _wopen(temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
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
    wchar_t text[256] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), 0, text, sizeof text / sizeof *text, nullptr);
    std::string reason = textOfPath(std::filesystem::path(text));
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    return reason;
}

// Writes through descriptor `fd`, which this takes and closes, in binary.
bool writeThrough(int fd, const StreamWriter& write, std::string& error)
{
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

// Standard output, when the tool was started with it closed, holds nothing
// the user would see: the data asked for is refused rather than lost.
bool standardOutputOpen(std::string& error)
{
    return !standardOutputWasClosed() || fail(error, "standard output is closed");
}

// Writes through a copy of standard output.
bool writeToStandardOutput(const StreamWriter& write, std::string& error)
{
    if (!standardOutputOpen(error))
        return false;
    std::fflush(stdout);
    return writeThrough(_dup(_fileno(stdout)), write, error);
}

// Whether `path` names a device rather than a file: the system spells the
// whole of a device's name \\.\NAME (NUL is \\.\NUL), and has no file to
// replace there. Nothing is opened to find out: opening a pipe would take
// its place from its real client.
bool namesADevice(const std::wstring& path)
{
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return false;
    std::wstring full(size, L'\0');
    if (GetFullPathNameW(path.c_str(), size, full.data(), nullptr) == 0)
        return false;
    return full.compare(0, 4, L"\\\\.\\") == 0;
}

// Opens a device for writing; a descriptor, or -1 with the reason in `error`.
int openDevice(const std::wstring& path, std::string& error)
{
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = lastErrorText();
        return -1;
    }
    const int fd = _open_osfhandle(intptr_t(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        error = std::strerror(errno);
        CloseHandle(handle);
    }
    return fd;
}

// A destination that is a folder or a read-only file is refused.
bool checkDestination(const std::wstring& path, std::string& error)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
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
    const std::wstring destination = pathFromText(path).wstring();
    if (namesADevice(destination)) {
        const int fd = openDevice(destination, error);
        return fd >= 0 && writeThrough(fd, write, error);
    }
    if (!checkDestination(destination, error))
        return false;
    std::wstring temporary;
    const int fd = createTemporaryBeside(path, temporary);
    if (fd < 0)
        return fail(error, std::strerror(errno));
    std::FILE* file = _fdopen(fd, "wb");
    if (!file) {
        const std::string reason = std::strerror(errno);
        _close(fd);
        _wunlink(temporary.c_str());
        unfinishedPending = 0;
        return fail(error, reason);
    }
    bool written = write(file, error);
    if (written && (std::fflush(file) != 0 || std::ferror(file) || _commit(fd) != 0))
        written = fail(error, std::strerror(errno));
    if (std::fclose(file) != 0 && written)
        written = fail(error, std::strerror(errno));
    if (written && !MoveFileExW(temporary.c_str(), destination.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        written = fail(error, lastErrorText());
    if (!written)
        _wunlink(temporary.c_str());
    unfinishedPending = 0;
    return written;
}

void removeUnfinishedOutput()
{
    if (unfinishedPending)
        DeleteFileW(unfinishedPath);
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
    const int fd = _wopen(pathFromText(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
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
        return standardOutputOpen(error) &&
               (_fileno(stdout) >= 0 || fail(error, "no standard output"));
    const std::wstring destination = pathFromText(path).wstring();
    if (namesADevice(destination))
        return true; // opened when written: opening a pipe now would use it up
    if (!checkDestination(destination, error))
        return false;
    std::wstring temporary;
    const int fd = createTemporaryBeside(path, temporary);
    if (fd < 0)
        return fail(error, std::strerror(errno));
    _close(fd);
    _wunlink(temporary.c_str());
    unfinishedPending = 0;
    return true;
}

bool standardErrorIsTerminal()
{
    return _isatty(_fileno(stderr)) != 0;
}

// Windows ends no process for a closed pipe: the write fails and says so.
void ignoreOutputSignals() {}
