#include "common/WtmpTestFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>
#include <utmp.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "eventlog/EventLogSource.h"
#include "eventlog/EventRecord.h"

TWtmpEntry BootEntry(std::int64_t time) {
    return {BOOT_TIME, "reboot", "~", time};
}
TWtmpEntry ShutdownEntry(std::int64_t time) {
    return {RUN_LVL, "shutdown", "~", time};
}
TWtmpEntry LoginEntry(const std::string& user, std::int64_t time) {
    return {USER_PROCESS, user, "pts/0", time};
}
TWtmpEntry LogoutEntry(std::int64_t time) {
    return {DEAD_PROCESS, "", "pts/0", time};
}
TWtmpEntry RunLevelEntry(std::int64_t time) {
    return {RUN_LVL, "runlevel", "~", time};
}

std::vector<std::uint8_t> WtmpBytes(const std::vector<TWtmpEntry>& entries) {
    std::vector<std::uint8_t> bytes;
    for (const TWtmpEntry& e : entries) {
        utmp u;
        std::memset(&u, 0, sizeof u);
        u.ut_type = e.Type;
        u.ut_pid = 100;
        std::strncpy(u.ut_user, e.User.c_str(), sizeof u.ut_user);
        std::strncpy(u.ut_line, e.Line.c_str(), sizeof u.ut_line);
        std::strncpy(u.ut_host, "6.1.0-test", sizeof u.ut_host);
        u.ut_tv.tv_sec = static_cast<decltype(u.ut_tv.tv_sec)>(e.Time);
        const auto* p = reinterpret_cast<const std::uint8_t*>(&u);
        bytes.insert(bytes.end(), p, p + sizeof u);
    }
    return bytes;
}

TTempDir::TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vigil-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
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

std::vector<TReadEvent> ReadAllEvents(TEventLogSource& source) {
    std::vector<TReadEvent> events;
    if (!source.Open()) return events;
    std::vector<std::uint8_t> buffer(kEventRecordHeadSize);
    for (;;) {
        std::uint32_t read = 0, needed = 0;
        TEventReadError error = erNone;
        if (!source.ReadNext(buffer, read, needed, error)) {
            if (error != erInsufficientBuffer) break;
            buffer.resize(needed);
            continue;
        }
        std::span<const std::uint8_t> record(buffer.data(), read);
        TEventRecordHead head;
        EXPECT_TRUE(ReadEventRecordHead(record, head));
        std::string user;
        std::span<const std::uint8_t> sid = EventRecordSid(record, head);
        if (!sid.empty()) {
            EXPECT_TRUE(source.LookupAccount(sid, user));
        }
        events.push_back({static_cast<std::uint16_t>(head.EventId), head.TimeGenerated, user});
    }
    source.Close();
    return events;
}
