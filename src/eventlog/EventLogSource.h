#pragma once

#include <cstdint>
#include <functional>
#include <string>

// What an event means to the history. Each reader decodes its own format into these once.
enum TEventKind : std::uint8_t {
    ekBoot,           // the machine started
    ekShutdown,       // the machine was shut down in an orderly way
    ekUser,           // a person used the machine: a login, a service controlled by a user
    ekSystemVersion,  // the system version a start reports, logged apart from its boot
    ekLastSeen,       // the last sign of life of a boot that ended without a shutdown
    ekSleep,          // the machine went to sleep
    ekWake,           // the machine woke from sleep
};

// One event of a log, typed.
struct TLogEvent {
    TEventKind Kind = ekBoot;
    std::int64_t Utc = 0;  // Unix seconds
    // ekUser: the account as the reader names it (a user name, a well-known account name, or
    // an "S-1-…" text); empty when the reader could not name it.
    std::string User;
    // ekBoot: the kernel or system version the boot record itself names, if any;
    // ekSystemVersion: the version text.
    std::string Detail;
    // ekWake: when the sleep it ends began, where the log says so itself; 0 when it does not.
    std::int64_t SleptUtc = 0;
    // The event's place in its log by the reader's own key (record number, position): larger
    // is later in the log.
    std::uint64_t Order = 0;
};

// What a source noticed while it was read. The scan's result is still everything it read.
struct TLogReadReport {
    std::uint64_t SkippedBytes = 0;  // bytes between records that belonged to no whole record
    std::string Failure;             // why the events read are not the whole log; empty if they are
};

// The oldest and the newest boot a log knows, in Unix seconds.
struct TBootRange {
    bool Any = false;  // false: the log knows no boot
    std::int64_t Oldest = 0;
    std::int64_t Newest = 0;
};

// Told once per read of a log file when part of it could not be trusted, with a short text
// such as "3 records skipped: chunk checksum mismatch".
using TLogFileNotice = std::function<void(const std::string& text)>;

// A log read as typed events, newest first.
class TEventLogSource {
  public:
    virtual ~TEventLogSource() = default;

    // False when the log cannot be read.
    virtual bool Open() = 0;
    // The next event going back in time; false at the end of the log or when reading failed
    // (ReadReport says which).
    virtual bool Next(TLogEvent& event) = 0;
    virtual void Close() = 0;
    // About the reads since the last Open.
    virtual TLogReadReport ReadReport() const { return {}; }
    // The boots the log knows, for choosing among logs. This reads the whole log; a source
    // that can tell it faster says so itself.
    virtual TBootRange Boots();
};
