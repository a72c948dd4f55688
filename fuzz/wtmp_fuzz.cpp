// Feeds arbitrary bytes to the login accounting reader as a file, through the file check,
// the scan and every text built from the table. The corpus starts from a small log torn at
// every length a record can be torn to.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "WindowsLogSeeds.h"
#include "app/PrintCommand.h"
#include "eventlog/WtmpFile.h"
#include "eventlog/WtmpSource.h"

namespace {

constexpr std::size_t kRecordSize = 384;

// A boot, a login and a shutdown a day, in the record layout the reader states.
std::vector<std::uint8_t> SmallLog(int days) {
    std::vector<std::uint8_t> bytes;
    auto record = [&](std::int16_t type, const char* line, const char* user, const char* host,
                      std::uint32_t time) {
        std::vector<std::uint8_t> r(kRecordSize, 0);
        std::memcpy(&r[0], &type, 2);
        std::memcpy(&r[8], line, std::strlen(line));
        std::memcpy(&r[44], user, std::strlen(user));
        std::memcpy(&r[76], host, std::strlen(host));
        std::memcpy(&r[340], &time, 4);
        bytes.insert(bytes.end(), r.begin(), r.end());
    };
    for (int d = 0; d < days; ++d) {
        std::uint32_t t = 1700000000u + 86400u * static_cast<std::uint32_t>(d);
        record(2, "~", "reboot", "6.1.0", t);
        record(7, "tty1", "ann", "", t + 60);
        record(1, "~", "shutdown", "6.1.0", t + 3600);
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The first tear bytes of the fifth record written again after the fourth: a write cut
    // short, at each length it can have.
    const std::vector<std::uint8_t> whole = SmallLog(3);
    std::vector<std::vector<std::uint8_t>> seeds = {whole};
    for (std::size_t tear = 1; tear < kRecordSize; ++tear) {
        std::vector<std::uint8_t> torn = whole;
        torn.insert(torn.begin() + 4 * kRecordSize, whole.begin() + 4 * kRecordSize,
                    whole.begin() + static_cast<long>(4 * kRecordSize + tear));
        seeds.push_back(std::move(torn));
    }
    WriteSeeds(*argc, *argv, seeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("wtmp", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0) return 0;
    if (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;

    (void)CheckWtmpFile(path);
    // Extreme offsets that change with the moment, as daylight saving does.
    TSessionHistory history(std::make_unique<TWtmpEventSource>(path), [](std::int64_t t) {
        return static_cast<std::int32_t>((t & 1) ? 14 * 3600 : -12 * 3600);
    });
    history.Refresh();
    std::string report = PrintReport(history);
    if (report.empty()) __builtin_trap();  // the summary lines are always there
    return 0;
}
