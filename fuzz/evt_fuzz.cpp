// Feeds arbitrary bytes to the .evt reader as a file, through the file check, the scan and
// every text built from the table, then again through a file that shrinks while it is read.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "WindowsLogSeeds.h"
#include "app/PrintCommand.h"
#include "eventlog/EvtSource.h"
#include "eventlog/LogFileFormat.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    WriteSeeds(*argc, *argv,
               {EvtBytes(SeedEvents(2)), EvtBytes(SeedEvents(6), {1200, false}),
                EvtBytes(SeedEvents(6), {1000, true})});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("evt", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0) return 0;
    if (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;

    (void)CheckWindowsLogFile(path, LogFileFormatOf(path));
    std::string notices;
    TSessionHistory history(
        std::make_unique<TEvtEventSource>(path, [&](const std::string& t) { notices += t; }),
        [](std::int64_t) { return 0; });
    history.Refresh();
    if (PrintReport(history).empty()) __builtin_trap();  // the summary lines are always there
    ReadWhileShrinking<TEvtEventSource>(data, size);
    return 0;
}
