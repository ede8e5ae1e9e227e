// Regular files only: the C library's read-only open, then a look at what
// opened (a folder never opens; a device such as CON or NUL does). Names are
// UTF-8, opened through the system's wide calls.
#include "platform/file_input.h"

#include "platform/path_text.h"

#include <windows.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

std::FILE* openRegularFile(const std::string& path, std::string& why)
{
    why.clear();
    const std::wstring name = pathFromText(path).wstring();
    std::FILE* file = _wfopen(name.c_str(), L"rb");
    if (!file) {
        const int error = errno;
        // A folder refuses to open as "Permission denied": say what it is.
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            why = "a folder, not a file";
        else if (error != ENOENT)
            why = std::strerror(error);
        return nullptr;
    }
    struct _stat64 status;
    if (_fstat64(_fileno(file), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
        why = "not a regular file";
        std::fclose(file);
        return nullptr;
    }
    return file;
}

std::optional<FileIdentity> fileIdentity(const std::string& path)
{
    // No access asked for: the handle only names the file (a folder too).
    const HANDLE handle = CreateFileW(pathFromText(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information;
    const bool known = GetFileInformationByHandle(handle, &information) != 0;
    CloseHandle(handle);
    if (!known)
        return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber,
                        (std::uint64_t(information.nFileIndexHigh) << 32) |
                            information.nFileIndexLow};
}
