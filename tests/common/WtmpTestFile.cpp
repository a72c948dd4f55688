#include "common/WtmpTestFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "eventlog/EventLogSource.h"
#include "eventlog/EventRecord.h"

#ifndef _WIN32
#include <utmp.h>
#endif

namespace {

// The login accounting record as glibc lays it out on Linux (struct utmp), written byte by
// byte so that tests on any system make the files a Linux machine would.
constexpr std::size_t kRecordSize = kWtmpRecordSize;
constexpr std::size_t kTypeAt = kWtmpTypeOffset;
constexpr std::size_t kPidAt = kWtmpPidOffset;
constexpr std::size_t kLineAt = kWtmpLineOffset;
constexpr std::size_t kUserAt = kWtmpUserOffset;
constexpr std::size_t kHostAt = kWtmpHostOffset;
constexpr std::size_t kSecondsAt = kWtmpTimeOffset;

#ifndef _WIN32
// Where the C library can say it, it must agree.
static_assert(sizeof(utmp) == kRecordSize);
static_assert(offsetof(utmp, ut_type) == kTypeAt && offsetof(utmp, ut_pid) == kPidAt);
static_assert(offsetof(utmp, ut_line) == kLineAt && offsetof(utmp, ut_user) == kUserAt);
static_assert(offsetof(utmp, ut_host) == kHostAt && offsetof(utmp, ut_tv) == kSecondsAt);
static_assert(sizeof(utmp::ut_user) == kWtmpUserSize);
static_assert(offsetof(utmp, ut_addr_v6) == kWtmpAddressOffset);
static_assert(BOOT_TIME == kWtmpBootTime && RUN_LVL == kWtmpRunLevel &&
              USER_PROCESS == kWtmpUserProcess && DEAD_PROCESS == kWtmpDeadProcess &&
              INIT_PROCESS == kWtmpInitProcess && LOGIN_PROCESS == kWtmpLoginProcess);
#endif

template <typename T>
void Put(std::uint8_t* record, std::size_t at, T value) {
    std::memcpy(record + at, &value, sizeof value);
}

void PutText(std::uint8_t* record, std::size_t at, std::size_t size, const std::string& text) {
    std::memcpy(record + at, text.data(), std::min(size, text.size()));
}

}  // namespace

TWtmpEntry BootEntry(std::int64_t time) {
    return {kWtmpBootTime, "reboot", "~", time};
}
TWtmpEntry ShutdownEntry(std::int64_t time) {
    return {kWtmpRunLevel, "shutdown", "~", time};
}
TWtmpEntry LoginEntry(const std::string& user, std::int64_t time) {
    return {kWtmpUserProcess, user, "pts/0", time};
}
TWtmpEntry LogoutEntry(std::int64_t time) {
    return {kWtmpDeadProcess, "", "pts/0", time};
}
TWtmpEntry RunLevelEntry(std::int64_t time) {
    return {kWtmpRunLevel, "runlevel", "~", time};
}

std::vector<std::uint8_t> WtmpBytes(const std::vector<TWtmpEntry>& entries) {
    std::vector<std::uint8_t> bytes(entries.size() * kRecordSize, 0);
    std::uint8_t* record = bytes.data();
    for (const TWtmpEntry& e : entries) {
        Put<short>(record, kTypeAt, e.Type);
        Put<std::int32_t>(record, kPidAt, 100);
        PutText(record, kLineAt, 32, e.Line);
        PutText(record, kUserAt, kWtmpUserSize, e.User);
        PutText(record, kHostAt, 256, "6.1.0-test");
        Put<std::int32_t>(record, kSecondsAt, static_cast<std::int32_t>(e.Time));
        record += kRecordSize;
    }
    return bytes;
}

TTempDir::TTempDir() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = base / ("vigil-test-" + std::to_string(random()));
        std::error_code ec;
        if (std::filesystem::create_directory(candidate, ec)) {
            dir_ = candidate.generic_string();
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary directory");
}

TTempDir::~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

std::string TTempDir::WriteFile(const std::string& name,
                                const std::vector<std::uint8_t>& bytes) const {
    std::string path = Path(name);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string TTempDir::WriteWtmp(const std::string& name,
                                const std::vector<TWtmpEntry>& entries) const {
    return WriteFile(name, WtmpBytes(entries));
}

#ifdef _WIN32
// Only the C library reads TZ on Windows; the system's own zone stays as it is.
TScopedTimeZone::TScopedTimeZone(const char* zone) {
    const char* old = std::getenv("TZ");
    had_ = old != nullptr;
    if (had_) old_ = old;
    _putenv_s("TZ", zone);
    _tzset();
}

TScopedTimeZone::~TScopedTimeZone() {
    _putenv_s("TZ", had_ ? old_.c_str() : "");
    _tzset();
}

std::int64_t UtcSeconds(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return static_cast<std::int64_t>(_mkgmtime(&t));
}
#else
TScopedTimeZone::TScopedTimeZone(const char* zone) {
    const char* old = getenv("TZ");
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv("TZ", zone, 1);
    tzset();
}

TScopedTimeZone::~TScopedTimeZone() {
    if (had_) {
        setenv("TZ", old_.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

std::int64_t UtcSeconds(int year, int month, int day, int hour, int minute, int second) {
    tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return static_cast<std::int64_t>(timegm(&t));
}
#endif

std::vector<TReadEvent> ReadAllEvents(TEventLogSource& source) {
    std::vector<TReadEvent> events;
    if (!source.Open()) return events;
    TLogEvent event;
    while (source.Next(event)) {
        // Told by the event numbers of the Windows log, as the tests name them.
        const std::uint16_t id = event.Kind == ekBoot       ? 6005
                                 : event.Kind == ekShutdown ? 6006
                                 : event.Kind == ekUser     ? 7035
                                                            : 0;
        events.push_back({id, static_cast<std::uint32_t>(event.Utc), event.User});
    }
    source.Close();
    return events;
}
