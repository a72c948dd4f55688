#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Windows event log files for tests, benchmarks and fuzz seeds, written byte by byte in the
// published layouts with real checksums.
struct TWinEvent {
    std::uint16_t Id = 0;
    std::uint16_t Qualifiers = 0;
    std::int64_t Time = 0;  // Unix seconds
    std::string Provider = "EventLog";
    std::string Sid;  // "S-1-5-…", empty for none
    std::vector<std::string> Strings;
    std::uint64_t RecordId = 0;  // 0: one more than the previous record's
};

TWinEvent BootEvent(std::int64_t time);                                       // 6005 from EventLog
TWinEvent ShutdownEvent(std::int64_t time);                                   // 6006 from EventLog
TWinEvent VersionEvent(std::int64_t time, std::vector<std::string> strings);  // 6009
// 7035 from the Service Control Manager, with its qualifiers, sent by the account sid.
TWinEvent ServiceEvent(const std::string& sid, std::int64_t time);
TWinEvent OtherEvent(std::uint16_t id, std::int64_t time);
// Kernel-Power's 42: the system is entering sleep.
TWinEvent SleepEvent(std::int64_t time);
// Power-Troubleshooter's 1, logged at time, with its SleepTime and WakeTime data as the log
// renders them ("2021-06-01T22:00:00.5000000Z"); empty texts leave the data out.
TWinEvent WakeEvent(std::int64_t time, const std::string& sleepText, const std::string& wakeText);

// The binary form of a SID written as text.
std::vector<std::uint8_t> SidBytes(const std::string& text);

// One event as an event record (the layout of .evt files and of the live log's reads).
std::vector<std::uint8_t> EvtRecord(const TWinEvent& e, std::uint32_t number);

struct TEvtLayout {
    // The file's size: the record area wraps at its end, dropping the oldest records as the
    // log does. 0: just large enough for every record.
    std::size_t FileSize = 0;
    bool Dirty = false;
};

// Where the writer put things, for tests that damage them.
struct TEvtPlaces {
    std::vector<std::size_t> RecordAt;  // offsets of the records still in the log, oldest first
    std::size_t EofAt = 0;
};

std::vector<std::uint8_t> EvtBytes(const std::vector<TWinEvent>& events, TEvtLayout layout = {},
                                   TEvtPlaces* places = nullptr);

struct TEvtxLayout {
    std::size_t RecordsPerChunk = 0;  // 0: as many as fit
};

struct TEvtxPlaces {
    std::vector<std::size_t> RecordAt;  // file offsets of the records, in writing order
};

std::vector<std::uint8_t> EvtxBytes(const std::vector<TWinEvent>& events, TEvtxLayout layout = {},
                                    TEvtxPlaces* places = nullptr);

// Writes the file header's and every chunk's checksums as they belong after a test changed
// bytes on purpose.
void FixEvtxChecksums(std::vector<std::uint8_t>& file);

// One event record as the Windows event log lays it out: head, source name, an empty computer
// name, the account bytes, the insertion strings, padding to 4 and the length again.
struct TEventRecordParts {
    std::uint32_t RecordNumber = 0;
    std::uint32_t TimeGenerated = 0;
    std::uint32_t EventId = 0;
    std::u16string_view SourceName;
    std::span<const std::uint8_t> Sid;
    std::span<const std::u16string> Strings;
};

// Appends the record to out and returns its size.
std::size_t AppendEventRecord(std::vector<std::uint8_t>& out, const TEventRecordParts& parts);

// A bare record: a head and the account bytes after it, written into out, which must hold
// EventRecordSize(sid.size()) bytes.
std::size_t EventRecordSize(std::size_t sidLength);
void WriteEventRecord(std::span<std::uint8_t> out, std::uint32_t timeGenerated,
                      std::uint32_t eventId, std::span<const std::uint8_t> sid);
