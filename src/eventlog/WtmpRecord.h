#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "eventlog/EventLogSource.h"

// One login accounting record as the event scan sees it.
struct TWtmpEvent {
    TEventKind Kind = ekBoot;               // boot, orderly shutdown or user login
    std::uint32_t Time = 0;                 // Unix seconds, unsigned: good to 2106
    std::span<const std::uint8_t> User;     // ut_user up to its first NUL; points into the record
    std::span<const std::uint8_t> Release;  // boot records: the kernel release in ut_host
};

std::size_t WtmpRecordSize();

// True when the record's type is one the C library defines; a file whose records are not
// is no login accounting file.
bool IsKnownWtmpType(std::span<const std::uint8_t> record);

// True when the bytes look like a record that starts at their first byte: a known type with
// its padding clear, microseconds below a second, and text fields padded with NULs after their
// end. Bytes taken across a record boundary almost never pass, so a torn record can be told
// from whole ones.
bool IsPlausibleWtmpRecord(std::span<const std::uint8_t> record);

// False for the records the scan does not use.
bool DecodeWtmpEvent(std::span<const std::uint8_t> record, TWtmpEvent& event);
