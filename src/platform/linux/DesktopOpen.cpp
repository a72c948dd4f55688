#include "platform/linux/DesktopOpen.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Only the system's own places: a relative name would run whatever the working directory or
// PATH offers.
const char* FindOpener() {
    for (const char* path : {"/usr/bin/xdg-open", "/usr/local/bin/xdg-open", "/bin/xdg-open"})
        if (access(path, X_OK) == 0) return path;
    return nullptr;
}

}  // namespace

bool OpenWithDesktop(const std::string& address) {
    // An address that reads as an option would be taken as one by the opener.
    if (address.empty() || address[0] == '-') return false;
    const char* opener = FindOpener();
    if (!opener) return false;
    int status[2];
    if (pipe(status) != 0) return false;
    // Two forks: the middle process exits at once, so the opener is nobody's child to wait
    // for, and a pipe that closes on exec tells whether the opener started.
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
            fcntl(status[1], F_SETFD, FD_CLOEXEC);
            char* const argv[] = {const_cast<char*>(opener), const_cast<char*>(address.c_str()),
                                  nullptr};
            execv(opener, argv);
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
