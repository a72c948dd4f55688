#include "platform/linux/DesktopOpen.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

namespace {

// Only the system's own places: a relative name would run whatever the working directory or
// PATH offers.
const char* FindOpener() {
    for (const char* path : {"/usr/bin/xdg-open", "/usr/local/bin/xdg-open", "/bin/xdg-open"})
        if (access(path, X_OK) == 0) return path;
    return nullptr;
}

// Between fork and exec: every descriptor above the standard streams closes on exec, so the
// opener and the browser it starts hold none of the program's files, sockets or pipes.
void CloseOnExecAbove2(int limit) {
    if (close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0) return;
    for (int fd = 3; fd < limit; ++fd) {
        const int flags = fcntl(fd, F_GETFD);
        if (flags >= 0) fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
    }
}

}  // namespace

bool OpenWithDesktop(const std::string& address) {
    const char* opener = FindOpener();
    return opener && OpenWithDesktop(address, opener);
}

bool OpenWithDesktop(const std::string& address, const std::string& opener) {
    // An address that reads as an option would be taken as one by the opener.
    if (address.empty() || address[0] == '-') return false;
    if (opener.empty() || opener[0] != '/') return false;
    const long openMax = sysconf(_SC_OPEN_MAX);
    const int limit = static_cast<int>(std::clamp(openMax, 256L, 65536L));
    int status[2];
    // Close-on-exec from the start: no other program this one starts inherits the pipe, and
    // the opener's successful exec closes the writing end, which tells that it started.
    if (pipe2(status, O_CLOEXEC) != 0) return false;
    // Two forks: the middle process exits at once, so the opener is nobody's child to wait
    // for.
    pid_t middle = fork();
    if (middle < 0) {
        close(status[0]);
        close(status[1]);
        return false;
    }
    if (middle == 0) {
        close(status[0]);
        pid_t child = fork();
        if (child == 0) {
            CloseOnExecAbove2(limit);
            char* const argv[] = {const_cast<char*>(opener.c_str()),
                                  const_cast<char*>(address.c_str()), nullptr};
            execv(opener.c_str(), argv);
            char failed = 1;
            (void)!write(status[1], &failed, 1);
            _exit(127);
        }
        _exit(child < 0 ? 1 : 0);
    }
    close(status[1]);
    int middleStatus = 0;
    waitpid(middle, &middleStatus, 0);
    char failed = 0;
    ssize_t n = read(status[0], &failed, 1);
    close(status[0]);
    return WIFEXITED(middleStatus) && WEXITSTATUS(middleStatus) == 0 && n == 0;
}
