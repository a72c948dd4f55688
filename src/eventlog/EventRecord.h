#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The fixed head of an event record, laid out as the Windows event log writes it (native
// byte order). Sources on other systems write the same head, so one scan reads them all.
constexpr std::size_t kEventRecordHeadSize = 56;

enum TEventId : std::uint16_t {
    eiBoot = 6005,           // the event log service started: the machine booted
    eiShutdown = 6006,       // the event log service stopped: orderly shutdown
    eiSystemVersion = 6009,  // written at each start; its strings name the system version
    eiUserControl = 7035,    // a user sent a service a control
};

struct TEventRecordHead {
    std::uint32_t Length = 0;
    std::uint32_t RecordNumber = 0;
    std::uint32_t TimeGenerated = 0;  // seconds since 1970-01-01 00:00:00 UTC
    std::uint32_t EventId = 0;        // qualifier bits in the high word
    std::uint16_t NumStrings = 0;
    std::uint32_t StringOffset = 0;
    std::uint32_t UserSidLength = 0;
    std::uint32_t UserSidOffset = 0;
};

// False when the bytes are too few to hold a head.
bool ReadEventRecordHead(std::span<const std::uint8_t> record, TEventRecordHead& head);

// The account bytes of a record, or an empty span unless they lie wholly inside both the
// record's stated length and the bytes actually read.
std::span<const std::uint8_t> EventRecordSid(std::span<const std::uint8_t> record,
                                             const TEventRecordHead& head);

// The source name (the first NUL-terminated UTF-16 text after the head) as UTF-8; empty when
// it does not end inside the record.
std::string EventRecordSourceName(std::span<const std::uint8_t> record,
                                  const TEventRecordHead& head);

// The insertion strings (NumStrings NUL-terminated UTF-16 texts from StringOffset) as UTF-8;
// those that do not end inside the record are left out.
std::vector<std::string> EventRecordStrings(std::span<const std::uint8_t> record,
                                            const TEventRecordHead& head);

// For sources: writes a head and the account bytes after it into out, which must hold
// EventRecordSize(sid.size()) bytes.
std::size_t EventRecordSize(std::size_t sidLength);
void WriteEventRecord(std::span<std::uint8_t> out, std::uint32_t timeGenerated,
                      std::uint32_t eventId, std::span<const std::uint8_t> sid);

// A whole record as the Windows event log lays it out: head, source name, an empty computer
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

// UTF-16 (little-endian bytes) to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16BytesToUtf8(std::span<const std::uint8_t> bytes);
