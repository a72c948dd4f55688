#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The fixed head of an event record, laid out as the Windows event log writes it (native
// byte order). Sources on other systems write the same head, so one scan reads them all.
constexpr std::size_t kEventRecordHeadSize = 56;

enum TEventId : std::uint16_t {
    eiBoot = 6005,         // the event log service started: the machine booted
    eiShutdown = 6006,     // the event log service stopped: orderly shutdown
    eiUserControl = 7035,  // a user sent a service a control
};

struct TEventRecordHead {
    std::uint32_t Length = 0;
    std::uint32_t TimeGenerated = 0;  // seconds since 1970-01-01 00:00:00 UTC
    std::uint32_t EventId = 0;        // qualifier bits in the high word
    std::uint32_t UserSidLength = 0;
    std::uint32_t UserSidOffset = 0;
};

// False when the bytes are too few to hold a head.
bool ReadEventRecordHead(std::span<const std::uint8_t> record, TEventRecordHead& head);

// The account bytes of a record, or an empty span unless they lie wholly inside both the
// record's stated length and the bytes actually read.
std::span<const std::uint8_t> EventRecordSid(std::span<const std::uint8_t> record,
                                             const TEventRecordHead& head);

// For sources: writes a head and the account bytes after it into out, which must hold
// EventRecordSize(sid.size()) bytes.
std::size_t EventRecordSize(std::size_t sidLength);
void WriteEventRecord(std::span<std::uint8_t> out, std::uint32_t timeGenerated,
                      std::uint32_t eventId, std::span<const std::uint8_t> sid);
