#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TEventLogSource;

// Login accounting records for tests, laid out as glibc's struct utmp on Linux (checked
// against the C library's own where there is one), so they are the same on every system.
inline constexpr std::size_t kWtmpRecordSize = 384;
inline constexpr std::size_t kWtmpTypeOffset = 0;   // short
inline constexpr std::size_t kWtmpPidOffset = 4;    // int32
inline constexpr std::size_t kWtmpLineOffset = 8;   // char[32]
inline constexpr std::size_t kWtmpUserOffset = 44;  // char[32]
inline constexpr std::size_t kWtmpUserSize = 32;
inline constexpr std::size_t kWtmpHostOffset = 76;      // char[256]
inline constexpr std::size_t kWtmpTimeOffset = 340;     // int32 seconds, int32 microseconds
inline constexpr std::size_t kWtmpAddressOffset = 348;  // int32[4]
enum : short {
    kWtmpRunLevel = 1,
    kWtmpBootTime = 2,
    kWtmpInitProcess = 5,
    kWtmpLoginProcess = 6,
    kWtmpUserProcess = 7,
    kWtmpDeadProcess = 8,
};

struct TWtmpEntry {
    short Type = 0;  // ut_type: BOOT_TIME, RUN_LVL, USER_PROCESS, ...
    std::string User;
    std::string Line;
    std::int64_t Time = 0;  // Unix seconds
};

TWtmpEntry BootEntry(std::int64_t time);
TWtmpEntry ShutdownEntry(std::int64_t time);
TWtmpEntry LoginEntry(const std::string& user, std::int64_t time);
TWtmpEntry LogoutEntry(std::int64_t time);
TWtmpEntry RunLevelEntry(std::int64_t time);

std::vector<std::uint8_t> WtmpBytes(const std::vector<TWtmpEntry>& entries);

// A fresh directory under the system's temporary directory, removed with its files.
class TTempDir {
  public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    std::string WriteWtmp(const std::string& name, const std::vector<TWtmpEntry>& entries) const;

  private:
    std::string dir_;
};

// Sets TZ for the life of the object and restores the previous zone after.
class TScopedTimeZone {
  public:
    explicit TScopedTimeZone(const char* zone);
    ~TScopedTimeZone();
    TScopedTimeZone(const TScopedTimeZone&) = delete;
    TScopedTimeZone& operator=(const TScopedTimeZone&) = delete;

  private:
    bool had_ = false;
    std::string old_;
};

// Unix seconds of a UTC calendar time.
std::int64_t UtcSeconds(int year, int month, int day, int hour, int minute, int second);

// An event as a source hands it out, read through the same protocol the scan uses.
struct TReadEvent {
    std::uint16_t Id;
    std::uint32_t Time;
    std::string User;
};

// Everything the source hands out from Open to the end of the log, then Close.
std::vector<TReadEvent> ReadAllEvents(TEventLogSource& source);
