// Closed standard descriptors get the null device: open() takes the lowest
// free number, so opening in order 0, 1, 2 fills exactly the closed ones.
#include "platform/standard_streams.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
bool outputWasClosed = false;
}

void openClosedStandardStreams(ClosedOutput closedOutput)
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        int opened = -1;
        if (fd == STDOUT_FILENO) {
            outputWasClosed = true;
            // /dev/full fails every write, so the tool's data cannot vanish
            // into it as into /dev/null while it reports success.
            if (closedOutput == ClosedOutput::Refused)
                opened = ::open("/dev/full", O_WRONLY);
        }
        if (opened < 0)
            opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}

bool standardOutputWasClosed()
{
    return outputWasClosed;
}

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return {argv, argv + argc};
}
