// Whole files written under a temporary name in their destination's folder,
// synced, then renamed over the destination: rename replaces a name at once
// and replaces a symbolic link itself rather than the file it points to. The
// new file keeps the permission bits (and, where allowed, the owner) of the
// one it replaces, and a file the user may not write is refused, not
// replaced.
//
// Some destinations are written straight into instead, since they hold no old
// file to keep and renaming over them would take their name away: "-" and
// the names of an open descriptor (/dev/stdout, /dev/fd/N, /proc/self/fd/N)
// write into that descriptor; a device or a pipe (/dev/null, a FIFO) is opened
// and written. Nothing is ever created or renamed in /dev, /proc or /sys, but
// for a tmpfs mounted there apart (/dev/shm).
#include "platform/file_output.h"

#include "platform/standard_streams.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/vfs.h>
#endif

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

namespace {
// Tries this many names before giving up on a folder full of our temporaries.
constexpr int temporaryNameTries = 100;

// The temporary file being written, for removeUnfinishedOutput, which a
// signal handler may call: a fixed buffer and a flag it can read safely.
char unfinishedPath[PATH_MAX];
volatile std::sig_atomic_t unfinishedPending = 0;

void noteUnfinished(const std::string& temporary)
{
    if (temporary.size() >= sizeof unfinishedPath)
        return;
    std::memcpy(unfinishedPath, temporary.c_str(), temporary.size() + 1);
    unfinishedPending = 1;
}

void forgetUnfinished()
{
    unfinishedPending = 0;
}

// Creates a new file beside `path`, readable and writable by its owner only
// until it is complete (an old file's readers must not see it half written);
// its descriptor, or -1 with errno set. The name is noted as unfinished
// before the file exists, so a signal at any moment after finds it; the
// caller forgets it once the file is renamed or removed.
int createTemporaryBeside(const std::string& path, std::string& temporary)
{
    const std::filesystem::path target(path);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < temporaryNameTries; ++attempt) {
        // ".NAME.part-PID-N", NAME cut short where a long one would make the
        // whole longer than a folder takes.
        const std::string tag =
            ".part-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        std::string name = ".";
        name += cutToFit(target.filename().string(), NAME_MAX - name.size() - tag.size());
        name += tag;
        temporary = (target.parent_path() / name).string();
        noteUnfinished(temporary);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0)
            return fd;
        forgetUnfinished();
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

// The descriptor a path names: "-" and /dev/stdout standard output,
// /dev/stderr standard error, /dev/fd/N and /proc/self/fd/N descriptor N.
std::optional<int> namedDescriptor(const std::string& path)
{
    if (path == "-" || path == "/dev/stdout")
        return STDOUT_FILENO;
    if (path == "/dev/stderr")
        return STDERR_FILENO;
    for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        const std::size_t length = std::strlen(prefix);
        if (path.compare(0, length, prefix) != 0 || path.size() == length ||
            path.size() > length + 9 ||
            path.find_first_not_of("0123456789", length) != std::string::npos)
            continue;
        return std::atoi(path.c_str() + length);
    }
    return std::nullopt;
}

// A device, a FIFO or a socket at `path`, after following links.
bool namesAStream(const std::string& path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) &&
           !S_ISDIR(status.st_mode);
}

bool namesAFifo(const std::string& path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
}

// Whether `folder` is a file system for files mounted apart from the system
// folder `system` it lies in: /dev/shm, a tmpfs of its own, holds files like
// any other folder, while /dev itself is the kernel's (a tmpfs too in a
// container).
bool filesMountedApart(const std::filesystem::path& folder, const char* system)
{
#ifdef __linux__
    constexpr unsigned long tmpfsMagic = 0x01021994;
    struct stat folderStatus, systemStatus;
    struct statfs fileSystem;
    return ::stat(folder.c_str(), &folderStatus) == 0 && ::stat(system, &systemStatus) == 0 &&
           folderStatus.st_dev != systemStatus.st_dev &&
           ::statfs(folder.c_str(), &fileSystem) == 0 &&
           static_cast<unsigned long>(fileSystem.f_type) == tmpfsMagic;
#else
    (void)folder;
    (void)system;
    return false;
#endif
}

// Whether the folder `path` would be created in belongs to the kernel's
// file systems, where no file of ours belongs.
bool inSystemFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    const std::filesystem::path real = std::filesystem::weakly_canonical(folder, error);
    if (error)
        return false;
    for (const char* system : {"/dev", "/proc", "/sys"}) {
        const std::string name = real.string();
        const std::size_t length = std::strlen(system);
        if (name.compare(0, length, system) == 0 && (name.size() == length || name[length] == '/'))
            return !filesMountedApart(real, system);
    }
    return false;
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

// The reason a stream destination failed to open: a FIFO with no reader
// says ENXIO, "No such device or address".
std::string streamFailure(int error)
{
    return error == ENXIO ? "nothing reads from it" : std::strerror(error);
}

// Standard output, when the tool was started with it closed, holds nothing
// the user would see: the data asked for is refused rather than lost.
bool closedStandardOutput(int descriptor, std::string& error)
{
    if (descriptor != STDOUT_FILENO || !standardOutputWasClosed())
        return false;
    error = "standard output is closed";
    return true;
}

// Writes through `fd`, which this takes and closes.
bool writeThrough(int fd, const StreamWriter& write, std::string& error)
{
    std::FILE* file = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (!file) {
        const std::string reason = streamFailure(errno);
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

// A copy of descriptor `fd` when it is open for writing; -1 with errno set.
int duplicateForWriting(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0)
        return -1;
    if ((flags & O_ACCMODE) == O_RDONLY) {
        errno = EBADF;
        return -1;
    }
    return ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
}

// What stands at a regular destination now, when something does.
struct OldFile {
    bool exists = false;
    struct stat status {};
};

// Checks the destination of a replacing write: not a folder, not in a
// system folder, and, when a file is there, one the user may write. The old
// file's status is kept to give the new one its permissions.
bool checkDestination(const std::string& path, OldFile& old, std::string& error)
{
    struct stat status;
    if (::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        return fail(error, "it is a folder");
    if (inSystemFolder(path))
        return fail(error, "no file is made in the system's /dev, /proc or /sys");
    if (::lstat(path.c_str(), &old.status) != 0 || !S_ISREG(old.status.st_mode))
        return true; // nothing there, or a link or socket name that the file replaces
    old.exists = true;
    // Writable as the user is (root writes anything), and not write-protected
    // by its own mode: a file nobody may write is kept as its owner meant.
    if (::access(path.c_str(), W_OK) != 0)
        return fail(error, std::string(std::strerror(errno)) + "; the file was left as it is");
    if ((old.status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return fail(error, "the file is write-protected; it was left as it is");
    return true;
}

// Gives the finished temporary file the permissions its destination will
// have: the old file's mode and owner, or a new file's usual mode.
void setFinalPermissions(int fd, const OldFile& old)
{
    if (old.exists) {
        if (::fchown(fd, old.status.st_uid, old.status.st_gid) != 0) {
            // Only root may give a file away; the user's own file stays theirs.
        }
        ::fchmod(fd, old.status.st_mode & 07777);
        return;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}
} // namespace

bool writeFileWith(const std::string& path, const StreamWriter& write, std::string& error)
{
    if (const std::optional<int> descriptor = namedDescriptor(path))
        return !closedStandardOutput(*descriptor, error) &&
               writeThrough(duplicateForWriting(*descriptor), write, error);
    if (namesAStream(path))
        return writeThrough(openStream(path), write, error);
    OldFile old;
    if (!checkDestination(path, old, error))
        return false;
    std::string temporary;
    const int fd = createTemporaryBeside(path, temporary);
    if (fd < 0)
        return fail(error, std::strerror(errno));
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) {
        const std::string reason = std::strerror(errno);
        ::close(fd);
        ::unlink(temporary.c_str());
        forgetUnfinished();
        return fail(error, reason);
    }
    bool written = write(file, error);
    if (written && (std::fflush(file) != 0 || std::ferror(file)))
        written = fail(error, std::strerror(errno));
    if (written) {
        setFinalPermissions(fd, old);
        if (::fsync(fd) != 0)
            written = fail(error, std::strerror(errno));
    }
    if (std::fclose(file) != 0 && written)
        written = fail(error, std::strerror(errno));
    if (written && ::rename(temporary.c_str(), path.c_str()) != 0)
        written = fail(error, std::strerror(errno));
    if (!written)
        ::unlink(temporary.c_str());
    forgetUnfinished();
    return written;
}

void removeUnfinishedOutput()
{
    if (unfinishedPending)
        ::unlink(unfinishedPath);
}

namespace {
extern "C" void removeUnfinishedOutputAndEnd(int signal)
{
    removeUnfinishedOutput();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}
}

void removeUnfinishedOutputOnSignals()
{
    // A signal the process was started ignoring (Ctrl+C for a command run in
    // the background of a script, SIGHUP under nohup) stays ignored.
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        if (std::signal(signal, removeUnfinishedOutputAndEnd) == SIG_IGN)
            std::signal(signal, SIG_IGN);
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
    int fd = -1;
    if (const std::optional<int> descriptor = namedDescriptor(path)) {
        if (closedStandardOutput(*descriptor, error))
            return false;
        fd = duplicateForWriting(*descriptor);
    } else if (namesAFifo(path)) {
        // Opened and closed, a pipe would tell its reader the data has ended
        // before a byte of it came: what can be known without opening it is
        // whether the user may write to it.
        return ::access(path.c_str(), W_OK) == 0 || fail(error, std::strerror(errno));
    } else if (namesAStream(path)) {
        fd = openStream(path);
    } else {
        OldFile old;
        if (!checkDestination(path, old, error))
            return false;
        std::string temporary;
        fd = createTemporaryBeside(path, temporary);
        if (fd >= 0) {
            ::unlink(temporary.c_str());
            forgetUnfinished();
        }
    }
    if (fd < 0)
        return fail(error, streamFailure(errno));
    ::close(fd);
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
