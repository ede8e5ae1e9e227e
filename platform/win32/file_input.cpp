// Regular files only: the C library's read-only open, then a look at what
// opened (a folder never opens; a device such as CON or NUL does).
#include "platform/file_input.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

std::FILE* openRegularFile(const std::string& path, std::string& why)
{
    why.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        if (errno != ENOENT)
            why = std::strerror(errno);
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
