// Feeds arbitrary bytes to the login accounting reader as a file, through the file check,
// the scan and every text built from the table.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/PrintCommand.h"
#include "eventlog/WtmpFile.h"
#include "eventlog/WtmpSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("wtmp", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0) return 0;
    if (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;

    (void)WtmpFileProblem(path);
    // Extreme offsets that change with the moment, as daylight saving does.
    TSessionHistory history(std::make_unique<TWtmpEventSource>(path), [](std::int64_t t) {
        return static_cast<std::int32_t>((t & 1) ? 14 * 3600 : -12 * 3600);
    });
    history.Refresh();
    std::string report = PrintReport(history);
    if (report.empty()) __builtin_trap();  // the summary lines are always there
    return 0;
}
