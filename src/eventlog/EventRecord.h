#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "eventlog/EventLogSource.h"

// The fixed head of an event record, laid out as the Windows event log writes it (native
// byte order): the live System log and .evt files hand out these records.
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

// The insertion strings (NumStrings NUL-terminated UTF-16 texts from StringOffset) as UTF-8;
// those that do not end inside the record are left out.
std::vector<std::string> EventRecordStrings(std::span<const std::uint8_t> record,
                                            const TEventRecordHead& head);

// UTF-16 (little-endian bytes, or text) to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16BytesToUtf8(std::span<const std::uint8_t> bytes);
std::string Utf16ToUtf8(std::u16string_view text);

// Names the account of a record's security identifier; false when it cannot.
using TAccountLookup = std::function<bool(std::span<const std::uint8_t> sid, std::string& name)>;

// The kind of event a record with this event id is to the history (the low 16 bits count);
// false for the ids the history does not use.
bool EventKindOfId(std::uint32_t eventId, TEventKind& kind);

// The source name of a record (the first NUL-terminated UTF-16 text after the head) as UTF-8;
// empty when it does not end inside the record.
std::string EventRecordSourceName(std::span<const std::uint8_t> record);

// The typed event of a record the history uses (6005, 6006, 6009, 7035 on the low 16 bits of
// the event id, and the sleep and wake events of PowerEvents.h); false for any other. A 6005
// carries its first insertion string, a 6009 its version text; a 7035's account is named by
// lookup, and is left empty when the look-up fails.
bool DecodeEventRecord(std::span<const std::uint8_t> record, const TEventRecordHead& head,
                       const TAccountLookup& lookup, TLogEvent& event);

// The system version that a Windows start writes after its boot event, from the event's
// strings: "10.00. 19045".
std::string SystemVersionText(const std::vector<std::string>& strings);
